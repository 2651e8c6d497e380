#include "ui/platform/code_page.h"

#include <array>

namespace zelmora::platform {

namespace {
// 0x80..0x9F; 0 marks the five bytes the code page leaves undefined (kept as the C1 control).
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

char32_t DecodeCp1252(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) {
    char32_t u = kHigh[byte - 0x80];
    return u ? u : char32_t(byte);
  }
  return char32_t(byte);
}

std::optional<unsigned char> EncodeCp1252(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
  for (std::size_t i = 0; i < kHigh.size(); ++i) {
    char32_t mapped = kHigh[i] ? kHigh[i] : char32_t(0x80 + i);
    if (mapped == c) return static_cast<unsigned char>(0x80 + i);
  }
  return std::nullopt;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char b : bytes) AppendUtf8(out, DecodeCp1252(static_cast<unsigned char>(b)));
  return out;
}

std::string Utf8ToCp1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    auto b = static_cast<unsigned char>(text[i]);
    int extra = b >= 0xF0 && b < 0xF8 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
    if (b >= 0xF8) extra = 0;
    bool valid = extra > 0 && i + static_cast<std::size_t>(extra) < text.size();
    char32_t c = 0;
    if (valid) {
      c = b & (0x3F >> extra);
      for (int k = 1; k <= extra; ++k) {
        auto cont = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
        if ((cont & 0xC0) != 0x80) {
          valid = false;
          break;
        }
        c = (c << 6) | (cont & 0x3F);
      }
    }
    if (!valid) {
      out.push_back(static_cast<char>(b));
      ++i;
      continue;
    }
    auto encoded = EncodeCp1252(c);
    out.push_back(encoded ? static_cast<char>(*encoded) : '?');
    i += static_cast<std::size_t>(extra) + 1;
  }
  return out;
}

}  // namespace zelmora::platform
