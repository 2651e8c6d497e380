#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zelmora::store {

// One line of a text file: its text and its line break as found ("" on an unterminated last line).
struct TextLine {
  std::string_view text;
  std::string_view lineBreak;
};

// Splits at CR LF, LF or CR.
std::vector<TextLine> SplitLines(std::string_view bytes);

// Calls f(line) for each line without building a list (the profile hot path).
template <typename F>
void ForEachLine(std::string_view bytes, F&& f) {
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) {
      if (!f(TextLine{bytes.substr(pos), {}}, pos)) return;
      return;
    }
    std::size_t next = end + 1;
    if (bytes[end] == '\r' && next < bytes.size() && bytes[next] == '\n') ++next;
    if (!f(TextLine{bytes.substr(pos, end - pos), bytes.substr(end, next - end)}, pos)) return;
    pos = next;
  }
}

// Joins lines as the scratch-file rewrite writes them: each with CR LF.
class LineWriter {
 public:
  void Add(std::string_view line) {
    out_.append(line);
    out_.append("\r\n");
  }
  std::string Take() { return std::move(out_); }
  void Reserve(std::size_t n) { out_.reserve(n); }

 private:
  std::string out_;
};

}  // namespace zelmora::store
