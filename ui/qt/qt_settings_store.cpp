#include "ui/qt/qt_settings_store.h"

#include "ui/qt/code_page.h"

#include <QDir>
#include <QSettings>

#include <memory>

namespace zelmora::qt {

namespace {
std::unique_ptr<QSettings> Open(const QString& folder, const std::string& application) {
  QString app = FromCp1252(application);
  if (folder.isEmpty()) return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, app, app);
  return std::make_unique<QSettings>(QDir(folder).filePath(app + QStringLiteral(".ini")), QSettings::IniFormat);
}

QString KeyOf(const std::string& section, const std::string& key) {
  return FromCp1252(section) + QLatin1Char('/') + FromCp1252(key);
}
}  // namespace

std::string QtSettingsStore::Get(const std::string& application, const std::string& section,
                                 const std::string& key, const std::string& defaultValue) const {
  auto settings = Open(folder_, application);
  QVariant value = settings->value(KeyOf(section, key));
  if (!value.isValid()) return defaultValue;
  return ToCp1252(value.toString());
}

void QtSettingsStore::Set(const std::string& application, const std::string& section, const std::string& key,
                          const std::string& value) {
  auto settings = Open(folder_, application);
  settings->setValue(KeyOf(section, key), FromCp1252(value));
  settings->sync();
}

}  // namespace zelmora::qt
