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

// Well-formed UTF-8 whose every character the code page holds, as 1252 bytes; nothing otherwise.
// For names read from the disk, where a guess would name another file.
std::optional<std::string> Utf8ToCp1252Exact(std::string_view text);

// The characters of UTF-8 text (malformed bytes read as by Utf8ToCp1252) that the code page cannot
// hold, each once, in the order they first appear. Empty when the text can be stored.
std::u32string CharactersOutsideCp1252(std::string_view text);

// The one message that refuses text holding such characters, naming each one as written and by its
// code point, in UTF-8: "The game cannot store the character "Ō" (U+014C).  Please type the text
// without it." Windows show it through Prompter::RefuseCharacters.
std::string CodePageRefusal(std::u32string_view characters);

}  // namespace zelmora::platform
