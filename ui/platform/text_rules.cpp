#include "ui/platform/text_rules.h"

#include <cmath>
#include <limits>

namespace zelmora::platform {

double LeadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  std::size_t start = i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
  }
  if (digits == 0) return 0.0;
  std::size_t end = i;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    std::size_t expDigits = 0;
    while (j < text.size() && text[j] >= '0' && text[j] <= '9') ++j, ++expDigits;
    if (expDigits > 0) end = j;
  }
  std::string number(text.substr(start, end - start));
  return std::strtod(number.c_str(), nullptr);
}

int LeadingDigits(std::string_view text) {
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    value = value > (std::numeric_limits<int>::max() - 9) / 10 ? std::numeric_limits<int>::max()
                                                               : value * 10 + (c - '0');
  }
  return value;
}

namespace {
template <typename T>
T RoundClamped(double value) {
  if (std::isnan(value)) return 0;
  double r = std::nearbyint(value);  // default rounding mode: halves to even
  if (r < static_cast<double>(std::numeric_limits<T>::min())) return std::numeric_limits<T>::min();
  if (r > static_cast<double>(std::numeric_limits<T>::max())) return std::numeric_limits<T>::max();
  return static_cast<T>(r);
}
}  // namespace

std::int16_t RoundToInt16(double value) { return RoundClamped<std::int16_t>(value); }
std::int32_t RoundToInt32(double value) { return RoundClamped<std::int32_t>(value); }
std::int16_t ToInt16(std::string_view text) { return RoundToInt16(LeadingNumber(text)); }
std::int32_t ToInt32(std::string_view text) { return RoundToInt32(LeadingNumber(text)); }

namespace {
std::string TrimOf(std::string_view text, std::string_view blanks) {
  std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  std::size_t last = text.find_last_not_of(blanks);
  return std::string(text.substr(first, last - first + 1));
}
}  // namespace

std::string TrimSpaces(std::string_view text) { return TrimOf(text, " "); }
std::string TrimBlanks(std::string_view text) { return TrimOf(text, " \t"); }

char ToUpper1252(char c) {
  auto u = static_cast<unsigned char>(c);
  if (u >= 'a' && u <= 'z') return static_cast<char>(u - 0x20);
  if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return static_cast<char>(u - 0x20);
  switch (u) {
    case 0x9A: return static_cast<char>(0x8A);
    case 0x9C: return static_cast<char>(0x8C);
    case 0x9E: return static_cast<char>(0x8E);
    case 0xFF: return static_cast<char>(0x9F);
    default: return c;
  }
}

char ToLower1252(char c) {
  auto u = static_cast<unsigned char>(c);
  if (u >= 'A' && u <= 'Z') return static_cast<char>(u + 0x20);
  if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return static_cast<char>(u + 0x20);
  switch (u) {
    case 0x8A: return static_cast<char>(0x9A);
    case 0x8C: return static_cast<char>(0x9C);
    case 0x8E: return static_cast<char>(0x9E);
    case 0x9F: return static_cast<char>(0xFF);
    default: return c;
  }
}

std::string ToUpper1252(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = ToUpper1252(c);
  return out;
}

std::string ToLower1252(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = ToLower1252(c);
  return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i] && ToUpper1252(a[i]) != ToUpper1252(b[i])) return false;
  }
  return true;
}

std::string FitWidth(std::string_view text, std::size_t width) {
  std::string out(text.substr(0, width));
  out.resize(width, ' ');
  return out;
}

}  // namespace zelmora::platform
