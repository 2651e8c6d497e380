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

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
  std::vector<std::string> words;
  std::string word;
  bool inQuote = false;
  int quotes = 0;
  for (char c : commandLine) {
    if (c == '"') {
      if (++quotes == 3) {
        quotes = 0;
        word += c;
      }
      continue;
    }
    if (quotes == 1) inQuote = !inQuote;
    quotes = 0;
    if (!inQuote && IsBlank(static_cast<unsigned char>(c))) {
      if (!word.empty()) words.push_back(std::move(word));
      word.clear();
    } else {
      word += c;
    }
  }
  if (!word.empty()) words.push_back(std::move(word));
  return words;
}

}  // namespace zelmora::platform
