#pragma once

#include <cstring>
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

// Finds line breaks with two memchr scans, remembering the farther one, so a CR LF file costs
// little more than one pass (this is the profile hot path).
class LineBreakFinder {
 public:
  explicit LineBreakFinder(std::string_view bytes) : bytes_(bytes) {}
  // Position of the next CR or LF at or after `pos`, or npos.
  std::size_t Next(std::size_t pos) {
    if (cr_ != kNone && cr_ < pos) cr_ = kUnknown;
    if (lf_ != kNone && lf_ < pos) lf_ = kUnknown;
    if (cr_ == kUnknown) cr_ = Find('\r', pos);
    if (lf_ == kUnknown) lf_ = Find('\n', pos);
    std::size_t next = cr_ < lf_ ? cr_ : lf_;
    return next == kNone ? std::string_view::npos : next;
  }

 private:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  static constexpr std::size_t kUnknown = static_cast<std::size_t>(-2);
  std::size_t Find(char c, std::size_t pos) const {
    if (pos >= bytes_.size()) return kNone;
    const void* hit = std::memchr(bytes_.data() + pos, c, bytes_.size() - pos);
    return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - bytes_.data()) : kNone;
  }
  std::string_view bytes_;
  std::size_t cr_ = kUnknown;
  std::size_t lf_ = kUnknown;
};

// Calls f(line, offset) for each line without building a list; f returns false to stop.
template <typename F>
void ForEachLine(std::string_view bytes, F&& f) {
  LineBreakFinder breaks(bytes);
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    std::size_t end = breaks.Next(pos);
    if (end == std::string_view::npos) {
      f(TextLine{bytes.substr(pos), {}}, pos);
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
  LineWriter() = default;
  // Reuses a buffer's memory (its content is dropped).
  explicit LineWriter(std::string buffer) : out_(std::move(buffer)) { out_.clear(); }
  void Add(std::string_view line) {
    out_.append(line);
    out_.append("\r\n");
  }
  void AddRaw(std::string_view text) { out_.append(text); }
  std::string Take() { return std::move(out_); }
  void Reserve(std::size_t n) { out_.reserve(n); }

 private:
  std::string out_;
};

}  // namespace zelmora::store
