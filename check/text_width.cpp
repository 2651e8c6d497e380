#include "check/text_width.h"

#include <string_view>

namespace zelmora::check {

namespace {

constexpr int kTwipsPerPixel = 15;

// Pixel widths of a typical 8-point sans-serif dialog font at 96 dots per inch.
int PixelWidth(unsigned char c) {
  constexpr std::string_view narrow = "ijl.,:;'!|";
  constexpr std::string_view thin = " frtI()[]-\"";
  constexpr std::string_view wide = "mwMW%@";
  if (narrow.find(static_cast<char>(c)) != std::string_view::npos) return 2;
  if (thin.find(static_cast<char>(c)) != std::string_view::npos) return 3;
  if (wide.find(static_cast<char>(c)) != std::string_view::npos) return 9;
  if (c >= 'A' && c <= 'Z') return 7;
  if (c >= 0xC0) return 6;  // accented letters of the code page
  return 5;
}

}  // namespace

int ApproximateDialogTwips(std::string_view text) {
  int pixels = 0;
  for (char c : text) pixels += PixelWidth(static_cast<unsigned char>(c)) + 1;
  return pixels * kTwipsPerPixel;
}

double ApproximateTextPoints(std::string_view utf8, double points) {
  int pixels = 0;
  for (char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    // A character's later bytes; its first byte counts as an accented letter.
    if (byte >= 0x80 && byte < 0xC0) continue;
    pixels += PixelWidth(byte) + 1;
  }
  // The table's font is 8 points at 96 pixels an inch.
  return pixels * (72.0 / 96.0) * (points / 8.0);
}

}  // namespace zelmora::check
