#pragma once

#include "ui/platform/settings_store.h"

#include <QString>

namespace zelmora::qt {

// QSettings in INI format. With a folder, the files live there (tests); otherwise in the user's
// configuration folder.
class QtSettingsStore : public platform::SettingsStore {
 public:
  explicit QtSettingsStore(QString folder = {}) : folder_(std::move(folder)) {}

  std::string Get(const std::string& application, const std::string& section, const std::string& key,
                  const std::string& defaultValue) const override;
  void Set(const std::string& application, const std::string& section, const std::string& key,
           const std::string& value) override;

 private:
  QString folder_;
};

}  // namespace zelmora::qt
