#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelmora::store {

// Reads the comma-separated quoted-string/number syntax of the catalogue and the system block:
// values end at a comma or a line end; a value starting with a double quote runs to the next
// double quote; other values are trimmed. Reading past the end fails.
class ValueReader {
 public:
  explicit ValueReader(std::string_view text, std::size_t position = 0) : text_(text), pos_(position) {}

  bool AtEnd() const { return pos_ >= text_.size(); }
  std::size_t Position() const { return pos_; }

  // Skips one character (the ";" of a block line); false at the end.
  bool SkipChar();
  // Moves past the next line containing `needle`; false when there is none.
  bool SkipPastLineContaining(std::string_view needle);

  std::optional<std::string> ReadValue();
  std::optional<std::int16_t> ReadInt16();
  std::optional<std::int32_t> ReadInt32();

 private:
  void SkipDelimiter();

  std::string_view text_;
  std::size_t pos_;
};

}  // namespace zelmora::store
