#include "ui/platform/linux_machine.h"

#include "ui/platform/file_rules.h"
#include "ui/platform/mount_table.h"
#include "ui/platform/wine_registry.h"

#include <algorithm>
#include <cstdlib>

namespace zelmora::platform {

LinuxMachine::LinuxMachine(std::string winePrefix, std::string mountTable)
    : prefix_(std::move(winePrefix)), mountTable_(std::move(mountTable)) {}

std::string LinuxMachine::WinePrefixFromEnvironment() {
  if (const char* prefix = std::getenv("WINEPREFIX"); prefix && *prefix) return prefix;
  if (const char* home = std::getenv("HOME"); home && *home) return std::string(home) + "/.wine";
  return {};
}

std::string LinuxMachine::AppPath(const std::string& program) const {
  if (prefix_.empty()) return {};
  std::string file;
  if (!ReadWholeFile(fs::path(prefix_) / "system.reg", file)) return {};
  // A 32-bit program on a 64-bit prefix sees the Wow6432Node copy of the key.
  for (const char* base : {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\",
                           "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\App Paths\\",
                           "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\App Paths\\",
                           "SOFTWARE\\Wow6432Node\\Microsoft\\Windows NT\\CurrentVersion\\App Paths\\"}) {
    auto value = FindRegistryValue(file, base + program, "");
    if (value && value->type == kRegText && !value->text.empty()) {
      return WindowsPathInPrefix(prefix_, value->text);
    }
  }
  return {};
}

std::string LinuxMachine::NativeFolder(const std::string& windowsFolder) const {
  if (prefix_.empty() || !FolderExists(prefix_)) return {};
  return WindowsPathInPrefix(prefix_, windowsFolder);
}

std::string LinuxMachine::ProgramFilesFolder() const {
  if (prefix_.empty()) return {};
  auto folder = FindNoCase(fs::path(prefix_) / "drive_c", "Program Files");
  return folder && FolderExists(*folder) ? WithTrailingSeparator(folder->string()) : std::string();
}

std::string LinuxMachine::WindowsFolder() const {
  if (prefix_.empty()) return {};
  auto folder = FindNoCase(fs::path(prefix_) / "drive_c", "windows");
  return folder && FolderExists(*folder) ? WithoutTrailingSeparator(folder->string()) : std::string();
}

std::vector<Drive> LinuxMachine::Drives() const {
  std::vector<Drive> drives{{"/", DriveKind::Fixed}};
  std::string text;
  if (!ReadWholeFile(mountTable_, text)) return drives;
  std::vector<Drive> network;
  auto known = [&](const std::string& root) {
    auto same = [&](const Drive& d) { return d.root == root; };
    return std::any_of(drives.begin(), drives.end(), same) || std::any_of(network.begin(), network.end(), same);
  };
  for (const auto& entry : ParseMountTable(text)) {
    if (IsPseudoFileSystemFolder(entry.point)) continue;
    std::string root = WithTrailingSeparator(entry.point);
    MountKind kind = KindOfMount(entry);
    if (kind == MountKind::Other || known(root)) continue;
    if (kind == MountKind::Fixed) {
      drives.push_back({root, DriveKind::Fixed});
    } else {
      network.push_back({root, DriveKind::Network});
    }
  }
  drives.insert(drives.end(), network.begin(), network.end());
  return drives;
}

std::vector<std::string> LinuxMachine::FoldersNotEntered() const {
  std::vector<std::string> folders(kPseudoFileSystems.begin(), kPseudoFileSystems.end());
  std::string text;
  if (!ReadWholeFile(mountTable_, text)) return folders;
  // Every other mount is either a drive searched on its own or nothing to search at all.
  for (const auto& entry : ParseMountTable(text)) {
    std::string point = WithoutTrailingSeparator(entry.point);
    if (point != "/" && std::find(folders.begin(), folders.end(), point) == folders.end()) {
      folders.push_back(point);
    }
  }
  return folders;
}

}  // namespace zelmora::platform
