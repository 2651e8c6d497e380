#include "ui/qt/code_page.h"

#include "ui/platform/code_page.h"

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

}  // namespace zelmora::qt
