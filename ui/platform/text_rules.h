#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Text and number rules shared by every reader and writer. Texts are Windows-1252 bytes.
namespace zelmora::platform {

// Value of the leading decimal number of a text (blanks before it allowed), 0 when there is none.
double LeadingNumber(std::string_view text);

// Value of the decimal digits a text begins with, 0 when it does not begin with a digit: no
// blanks, sign or point are read (how room names carry their grid coordinates).
int LeadingDigits(std::string_view text);

// Round to the nearest whole number, halves to even; out-of-range values are clamped.
std::int16_t RoundToInt16(double value);
std::int32_t RoundToInt32(double value);

// LeadingNumber followed by the rounding.
std::int16_t ToInt16(std::string_view text);
std::int32_t ToInt32(std::string_view text);

// Removes spaces at both ends.
std::string TrimSpaces(std::string_view text);
// Removes spaces and tabs at both ends.
std::string TrimBlanks(std::string_view text);

char ToUpper1252(char c);
char ToLower1252(char c);
std::string ToUpper1252(std::string_view text);
std::string ToLower1252(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);

// Pads with spaces or cuts to exactly `width` bytes.
std::string FitWidth(std::string_view text, std::size_t width);

}  // namespace zelmora::platform
