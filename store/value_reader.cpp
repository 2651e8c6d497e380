#include "store/value_reader.h"

#include "ui/platform/text_rules.h"

namespace zelmora::store {

bool ValueReader::SkipChar() {
  if (AtEnd()) return false;
  ++pos_;
  return true;
}

bool ValueReader::SkipPastLineContaining(std::string_view needle) {
  while (!AtEnd()) {
    std::size_t end = text_.find_first_of("\r\n", pos_);
    std::string_view line = text_.substr(pos_, end == std::string_view::npos ? std::string_view::npos : end - pos_);
    bool hit = line.find(needle) != std::string_view::npos;
    if (end == std::string_view::npos) {
      pos_ = text_.size();
    } else {
      pos_ = end + 1;
      if (text_[end] == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
    }
    if (hit) return true;
  }
  return false;
}

// Consumes one comma, or one line end (CR LF counts as one).
void ValueReader::SkipDelimiter() {
  if (AtEnd()) return;
  char c = text_[pos_];
  if (c == ',') {
    ++pos_;
  } else if (c == '\r') {
    ++pos_;
    if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
  } else if (c == '\n') {
    ++pos_;
  }
}

std::optional<std::string> ValueReader::ReadValue() {
  // Blank space before a value belongs to no value.
  while (!AtEnd() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
  if (AtEnd()) return std::nullopt;
  if (text_[pos_] == '"') {
    std::size_t close = text_.find('"', pos_ + 1);
    std::size_t stop = close == std::string_view::npos ? text_.size() : close;
    std::string value(text_.substr(pos_ + 1, stop - pos_ - 1));
    pos_ = close == std::string_view::npos ? text_.size() : close + 1;
    // Anything between the closing quote and the delimiter is ignored.
    std::size_t delimiter = text_.find_first_of(",\r\n", pos_);
    pos_ = delimiter == std::string_view::npos ? text_.size() : delimiter;
    SkipDelimiter();
    return value;
  }
  std::size_t delimiter = text_.find_first_of(",\r\n", pos_);
  std::size_t stop = delimiter == std::string_view::npos ? text_.size() : delimiter;
  std::string value = platform::TrimBlanks(text_.substr(pos_, stop - pos_));
  pos_ = stop;
  SkipDelimiter();
  return value;
}

std::optional<std::int16_t> ValueReader::ReadInt16() {
  auto value = ReadValue();
  if (!value) return std::nullopt;
  return platform::ToInt16(*value);
}

std::optional<std::int32_t> ValueReader::ReadInt32() {
  auto value = ReadValue();
  if (!value) return std::nullopt;
  return platform::ToInt32(*value);
}

}  // namespace zelmora::store
