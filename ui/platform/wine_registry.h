#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Reading Wine's registry files (system.reg, user.reg), the Linux stand-in for the registry.
namespace zelmora::platform {

// Registry value types as the registry numbers them.
inline constexpr int kRegText = 1;
inline constexpr int kRegExpandText = 2;
inline constexpr int kRegBinary = 3;
inline constexpr int kRegNumber = 4;

struct RegistryValue {
  int type = kRegText;
  std::string text;  // text types, as UTF-8
  std::uint32_t number = 0;
};

// The value `name` ("" for the default value) of `key` ("SOFTWARE\Microsoft\...", single
// backslashes, relative to the file's root) in the text of a registry file. Keys and value
// names are compared without regard to case. Nothing when the key or value is missing or cannot
// be read.
std::optional<RegistryValue> FindRegistryValue(std::string_view file, std::string_view key,
                                               std::string_view name);

// A Windows path ("C:\Games\Quarvel\quarvel.exe") inside a Wine prefix: C: is the prefix's
// drive_c, another letter its dosdevices link. Each part is matched without regard to case
// against what exists. A trailing separator is kept. Empty for a path without a drive letter.
// Parts are read as Windows reads them: ".." at the drive's root stays there, so the result
// always lies on its drive inside the prefix.
std::string WindowsPathInPrefix(const std::string& prefix, std::string_view windowsPath);

}  // namespace zelmora::platform
