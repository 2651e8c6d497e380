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

std::optional<std::string> ToCp1252Checked(const QString& text, QString* refused) {
  std::string out;
  out.reserve(static_cast<std::size_t>(text.size()));
  QString missing;
  // Code points, not UTF-16 units: a character outside the basic plane is one refusal, not two.
  for (char32_t c : text.toUcs4()) {
    if (auto encoded = platform::EncodeCp1252(c)) {
      out.push_back(static_cast<char>(*encoded));
    } else if (const QString one = QString::fromUcs4(&c, 1); !missing.contains(one)) {
      missing += one;
    }
  }
  if (refused) *refused = missing;
  if (!missing.isEmpty()) return std::nullopt;
  return out;
}

std::string CharacterNames(const QString& characters) {
  std::string out;
  for (char32_t c : characters.toUcs4()) {
    if (!out.empty()) out += ", ";
    out += QStringLiteral("U+%1").arg(static_cast<uint>(c), 4, 16, QLatin1Char('0')).toUpper().toStdString();
  }
  return out;
}

}  // namespace zelmora::qt
