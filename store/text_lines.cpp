#include "store/text_lines.h"

namespace zelmora::store {

std::vector<TextLine> SplitLines(std::string_view bytes) {
  std::vector<TextLine> lines;
  ForEachLine(bytes, [&](const TextLine& line, std::size_t) {
    lines.push_back(line);
    return true;
  });
  return lines;
}

}  // namespace zelmora::store
