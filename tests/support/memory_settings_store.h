#pragma once

#include "ui/platform/settings_store.h"

#include <map>
#include <tuple>

namespace zelmora::testing {

class MemorySettingsStore : public platform::SettingsStore {
 public:
  std::string Get(const std::string& application, const std::string& section, const std::string& key,
                  const std::string& defaultValue) const override {
    auto it = values_.find({application, section, key});
    return it == values_.end() ? defaultValue : it->second;
  }
  void Set(const std::string& application, const std::string& section, const std::string& key,
           const std::string& value) override {
    values_[{application, section, key}] = value;
  }

 private:
  std::map<std::tuple<std::string, std::string, std::string>, std::string> values_;
};

}  // namespace zelmora::testing
