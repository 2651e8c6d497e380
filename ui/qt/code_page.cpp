#include "ui/qt/code_page.h"

#include "ui/platform/code_page.h"

#include <QList>

namespace zelmora::qt {

QString FromCp1252(std::string_view bytes) {
  QString out;
  out.reserve(static_cast<qsizetype>(bytes.size()));
  for (char c : bytes) out.append(QChar(static_cast<char16_t>(platform::DecodeCp1252(static_cast<unsigned char>(c)))));
  return out;
}

std::string ToCp1252(const QString& text) {
  std::string out;
  out.reserve(static_cast<std::size_t>(text.size()));
  for (QChar qc : text) {
    auto encoded = platform::EncodeCp1252(qc.unicode());
    out.push_back(encoded ? static_cast<char>(*encoded) : '?');
  }
  return out;
}

CheckedCp1252 ToCp1252Checked(const QString& text) {
  CheckedCp1252 result;
  result.bytes.reserve(static_cast<std::size_t>(text.size()));
  // Whole characters, so that a character beyond the 16-bit range is named once and correctly.
  for (char32_t c : text.toUcs4()) {
    if (auto encoded = platform::EncodeCp1252(c)) {
      result.bytes.push_back(static_cast<char>(*encoded));
    } else if (result.refused.find(c) == std::u32string::npos) {
      result.refused.push_back(c);
    }
  }
  if (!result.ok()) result.bytes.clear();
  return result;
}

std::optional<std::string> TypedCp1252(const QString& text, platform::Prompter& prompter) {
  auto checked = ToCp1252Checked(text);
  if (checked.ok()) return std::move(checked.bytes);
  prompter.RefuseCharacters(checked.refused);
  return std::nullopt;
}

}  // namespace zelmora::qt
