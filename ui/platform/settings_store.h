#pragma once

#include <string>

namespace zelmora::platform {

// Per-user settings: application, section, key -> text.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual std::string Get(const std::string& application, const std::string& section,
                          const std::string& key, const std::string& defaultValue) const = 0;
  virtual void Set(const std::string& application, const std::string& section,
                   const std::string& key, const std::string& value) = 0;
};

inline constexpr const char* kApplication = "Zelmora";

// One typed wrapper per option key, so names and defaults live in one place.
struct TextSetting {
  const char* section;
  const char* key;
  const char* defaultValue;

  std::string Read(const SettingsStore& store) const {
    return store.Get(kApplication, section, key, defaultValue);
  }
  void Write(SettingsStore& store, const std::string& value) const {
    store.Set(kApplication, section, key, value);
  }
  // Whether the key holds a value: an absent key answers two reads with their two defaults.
  bool IsSet(const SettingsStore& store) const {
    return store.Get(kApplication, section, key, "0") != "0" || store.Get(kApplication, section, key, "1") != "1";
  }
};

// Truth values are stored as "-1" (on) and "0" (off); any non-zero number reads as on.
struct BoolSetting {
  const char* section;
  const char* key;
  bool defaultValue;

  bool Read(const SettingsStore& store) const;
  void Write(SettingsStore& store, bool on) const {
    store.Set(kApplication, section, key, on ? "-1" : "0");
  }
};

namespace options {
inline constexpr BoolSetting DisplayAsteroids{"Options", "Display Asteroids", true};
inline constexpr TextSetting ZipProgram{"Options", "Zip Program",
                                        "C:\\Program Files\\WinZip\\WinZip32.exe"};
inline constexpr TextSetting ZipOptions{"Options", "Zip Options", "-min -a \"%1.zip\" \"%1\""};
inline constexpr TextSetting PaintProgram{"Options", "Paint Program",
                                          "C:\\Program Files\\Accessories\\MsPaint.exe"};
inline constexpr TextSetting PaintOptions{"Options", "Paint Options", "\"%1\""};
}  // namespace options

namespace folders {
// The game folder chosen last time, for a program that does not sit in one.
inline constexpr TextSetting GameFolder{"Folders", "Game Folder", ""};
}  // namespace folders

}  // namespace zelmora::platform
