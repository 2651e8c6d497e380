#include "packaging/star_argument.h"

#include "ui/platform/text_rules.h"

#include <charconv>
#include <cmath>

namespace zelmora::packaging {

namespace {

std::string CodeChar(double value) {
  return std::string(1, static_cast<char>(static_cast<unsigned char>(std::nearbyint(value))));
}

// How many characters the number takes when written in decimal (shortest form, as the number
// conversion of the original writes it).
std::size_t WrittenLength(double value) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return static_cast<std::size_t>(result.ptr - buffer);
}

std::string Without(std::string_view name, std::size_t count) {
  return count >= name.size() ? std::string() : std::string(name.substr(count));
}

}  // namespace

std::string StarArgumentText(std::string_view name) {
  double v = platform::LeadingNumber(name);
  if (v > 0 && v < 254) return CodeChar(v) + Without(name, WrittenLength(v));
  if (v == 0 && name.starts_with('0')) return CodeChar(0) + Without(name, 1);
  if (v >= 254) return CodeChar(platform::LeadingNumber(name.substr(0, 2))) + Without(name, 2);
  return CodeChar(254) + std::string(name);
}

std::optional<std::string> EncodeStarArgument(std::string_view systemName) {
  std::string s = StarArgumentText(systemName);
  if (s.size() > kStarArgumentWidth) return std::nullopt;
  s.resize(kStarArgumentWidth, ' ');
  for (char& c : s) c = static_cast<char>(255 - static_cast<unsigned char>(c));
  return s;
}

}  // namespace zelmora::packaging
