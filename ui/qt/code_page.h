#pragma once

#include <QString>

#include <string>
#include <string_view>

// The one place where file bytes (Windows-1252) become QString and back.
namespace zelmora::qt {

QString FromCp1252(std::string_view bytes);
// Characters without a 1252 byte become "?".
std::string ToCp1252(const QString& text);

}  // namespace zelmora::qt
