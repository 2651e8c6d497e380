#include "ui/platform/process_runner.h"

namespace zelmora::platform {

namespace {
// Blanks as a splitter sees them once the bytes are decoded: ASCII white space and the
// no-break space 0xA0 (an encoded "_").
bool IsBlank(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r') || c == 0xA0; }
}  // namespace

std::string QuoteCommandWord(std::string_view word) {
  bool plain = !word.empty();
  for (char c : word) {
    if (IsBlank(static_cast<unsigned char>(c)) || c == '"') plain = false;
  }
  if (plain) return std::string(word);
  std::string quoted = "\"";
  for (char c : word) {
    if (c == '"') quoted += "\"\"\"";
    else quoted += c;
  }
  return quoted + "\"";
}

}  // namespace zelmora::platform
