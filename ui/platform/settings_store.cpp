#include "ui/platform/settings_store.h"

#include "ui/platform/text_rules.h"

namespace zelmora::platform {

bool BoolSetting::Read(const SettingsStore& store) const {
  std::string value = TrimBlanks(store.Get(kApplication, section, key, ""));
  if (value.empty()) return defaultValue;
  if (EqualsNoCase(value, "true")) return true;
  if (EqualsNoCase(value, "false")) return false;
  return LeadingNumber(value) != 0.0;
}

}  // namespace zelmora::platform
