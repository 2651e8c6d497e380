#pragma once

#include "ui/platform/prompter.h"

#include <QString>

#include <optional>

#include <string>
#include <string_view>

// The one place where file bytes (Windows-1252) become QString and back.
namespace zelmora::qt {

QString FromCp1252(std::string_view bytes);
// Characters without a 1252 byte become "?". Not for text the user typed: see ToCp1252Checked.
std::string ToCp1252(const QString& text);
// Typed text on its way to the store: its 1252 bytes, or (with empty bytes) the characters the code
// page cannot hold, each once in order of appearance. platform::CodePageRefusal(refused) is the
// message that refuses it.
struct CheckedCp1252 {
  std::string bytes;
  std::u32string refused;
  bool ok() const { return refused.empty(); }
};
CheckedCp1252 ToCp1252Checked(const QString& text);

// Typed text on its way to the store: its 1252 bytes, or nothing after the prompter has refused the
// characters the code page cannot hold. Every box that takes typed text goes through here.
std::optional<std::string> TypedCp1252(const QString& text, platform::Prompter& prompter);

}  // namespace zelmora::qt
