#pragma once

#include <functional>
#include <string>

namespace zelmora::editor {

// The width of a text in some font, in the same unit as the width it is fitted to.
using MeasureText = std::function<int(const std::string&)>;

// `text` when it fits `width`; otherwise its longest prefix that still fits with "..." appended,
// or the empty text when not even "..." fits.
std::string FitName(const std::string& text, int width, const MeasureText& measure);

}  // namespace zelmora::editor
