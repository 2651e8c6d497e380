#pragma once

#include <optional>
#include <string>
#include <string_view>

// The Windows-1252 code page of the game's files.
namespace zelmora::platform {

char32_t DecodeCp1252(unsigned char byte);
// Nothing when the character has no byte in the code page.
std::optional<unsigned char> EncodeCp1252(char32_t c);
// Appends one character as UTF-8.
void AppendUtf8(std::string& out, char32_t c);

// For terminals and JSON. Characters without a 1252 byte become "?"; malformed UTF-8 bytes are
// taken as 1252 bytes.
std::string Cp1252ToUtf8(std::string_view bytes);
std::string Utf8ToCp1252(std::string_view text);

}  // namespace zelmora::platform
