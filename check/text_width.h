#pragma once

#include <string_view>

namespace zelmora::check {

// The width of a text in twips in an 8-point dialog font, from a table of character widths:
// for checking response widths where no font can be measured (the command line). The editor
// measures with its own font.
int ApproximateDialogTwips(std::string_view text);

}  // namespace zelmora::check
