#include "ui/platform/code_page.h"

#include <array>
#include <cstdio>

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

namespace {

// One step of UTF-8 decoding at `i`: the character and the bytes it took, or nothing for a byte
// that does not start a well-formed sequence.
struct Utf8Step {
  std::optional<char32_t> c;
  std::size_t length = 1;
};

Utf8Step DecodeUtf8At(std::string_view text, std::size_t i) {
  auto b = static_cast<unsigned char>(text[i]);
  if (b < 0x80) return {char32_t(b), 1};
  int extra = b >= 0xF0 && b < 0xF8 ? 3 : b >= 0xE0 && b < 0xF0 ? 2 : b >= 0xC0 && b < 0xE0 ? 1 : 0;
  if (extra == 0 || i + static_cast<std::size_t>(extra) >= text.size()) return {};
  char32_t c = b & (0x3F >> extra);
  for (int k = 1; k <= extra; ++k) {
    auto cont = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
    if ((cont & 0xC0) != 0x80) return {};
    c = (c << 6) | (cont & 0x3F);
  }
  // Overlong forms would let "\xC0\xAF" stand for "/"; surrogates are no characters.
  constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
  if (c < kSmallest[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return {};
  return {c, static_cast<std::size_t>(extra) + 1};
}

}  // namespace

std::string Utf8ToCp1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    Utf8Step step = DecodeUtf8At(text, i);
    if (!step.c) {
      out.push_back(text[i]);
      ++i;
      continue;
    }
    auto encoded = EncodeCp1252(*step.c);
    out.push_back(encoded ? static_cast<char>(*encoded) : '?');
    i += step.length;
  }
  return out;
}

std::optional<std::string> Utf8ToCp1252Exact(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    Utf8Step step = DecodeUtf8At(text, i);
    if (!step.c) return std::nullopt;
    auto encoded = EncodeCp1252(*step.c);
    if (!encoded) return std::nullopt;
    out.push_back(static_cast<char>(*encoded));
    i += step.length;
  }
  return out;
}

std::u32string CharactersOutsideCp1252(std::string_view text) {
  std::u32string refused;
  for (std::size_t i = 0; i < text.size();) {
    Utf8Step step = DecodeUtf8At(text, i);
    i += step.c ? step.length : 1;
    if (!step.c || EncodeCp1252(*step.c)) continue;
    if (refused.find(*step.c) == std::u32string::npos) refused.push_back(*step.c);
  }
  return refused;
}

std::string CodePageRefusal(std::u32string_view characters) {
  std::string list;
  for (std::size_t i = 0; i < characters.size(); ++i) {
    if (i > 0) list += i + 1 == characters.size() ? " and " : ", ";
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(characters[i]));
    list += "\"";
    AppendUtf8(list, characters[i]);
    list += "\" (";
    list += code;
    list += ")";
  }
  const bool one = characters.size() == 1;
  return std::string("The game cannot store the character") + (one ? " " : "s ") + list +
         ".  Please type the text without " + (one ? "it." : "them.");
}

}  // namespace zelmora::platform
