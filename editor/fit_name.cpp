#include "editor/fit_name.h"

namespace zelmora::editor {

std::string FitName(const std::string& text, int width, const MeasureText& measure) {
  if (measure(text) <= width) return text;
  for (std::size_t n = text.size(); n-- > 0;) {
    std::string candidate = text.substr(0, n) + "...";
    if (measure(candidate) <= width) return candidate;
  }
  return {};
}

}  // namespace zelmora::editor
