#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>

// The one place where file bytes (Windows-1252) become QString and back.
namespace zelmora::qt {

QString FromCp1252(std::string_view bytes);
// Characters without a 1252 byte become "?".
std::string ToCp1252(const QString& text);
// For text the user typed: nothing when the code page cannot hold all of it; `refused` then gets
// each such character once, in the order typed.
std::optional<std::string> ToCp1252Checked(const QString& text, QString* refused = nullptr);
// Characters named for a message, whose bytes cannot carry them: "U+20AC, U+1F600".
std::string CharacterNames(const QString& characters);

}  // namespace zelmora::qt
