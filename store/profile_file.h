#pragma once

#include "ui/platform/file_rules.h"

#include <functional>
#include <string>
#include <string_view>

// Section/key/value access to descriptor files, reproducing the game's profile reader and writer
// byte for byte. The pure functions work on the file's bytes; the file functions wrap them.
namespace zelmora::store {

// Values are read through a 255-character buffer: at most 254 characters come back.
inline constexpr std::size_t kProfileValueLimit = 254;

// The value of `key` in the first `section` matching without regard to case, or the default.
std::string ReadProfileValue(std::string_view bytes, std::string_view section, std::string_view key,
                             std::string_view defaultValue);

// The file as the reader sees it, in order: each section header's name (trimmed, as written), and
// each key line under a header with its key and its value (trimmed and unquoted, not cut). A
// lookup answers from the first key of the first section of its name, so an index built from
// these calls gives ReadProfileValue's answers.
void ForEachProfileEntry(std::string_view bytes, const std::function<void(std::string_view section)>& onSection,
                         const std::function<void(std::string_view key, std::string&& value)>& onKey);

// The bytes with `key` set to `value`; every other byte stays as it was.
std::string WriteProfileValue(std::string_view bytes, std::string_view section, std::string_view key,
                              std::string_view value);
// The same into `out` (its memory is reused; it must not alias `bytes`).
void WriteProfileValueInto(std::string_view bytes, std::string_view section, std::string_view key,
                           std::string_view value, std::string& out);

// A line as the reader sees it. A section header: the first non-blank character is "[", the name
// runs to "]" (or the line's end), blanks around it removed.
bool SectionNameOf(std::string_view line, std::string& name);
// A key line: not a ";" comment, holds "="; the key without blanks around it and where the "=" is.
bool KeyOf(std::string_view line, std::string_view& key, std::size_t& equals);

// The descriptor's own key removal: inside every section the reader would take for `section`,
// the lines whose key the reader would take for `key` are dropped. Lines come back with CR LF.
std::string DeleteKeyLines(std::string_view bytes, std::string_view section, std::string_view key,
                           std::string reuse = {});

std::string GetProfileString(const std::filesystem::path& file, std::string_view section,
                             std::string_view key, std::string_view defaultValue);
// A missing file is created (its folder must exist).
platform::FileResult WriteProfileString(const std::filesystem::path& file, std::string_view section,
                                        std::string_view key, std::string_view value);

}  // namespace zelmora::store
