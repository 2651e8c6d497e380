#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The table of mounted file systems (/proc/mounts) and what each mount counts as for a search of
// the machine's drives.
namespace zelmora::platform {

struct MountEntry {
  std::string source;  // device or server
  std::string point;   // mount point, escapes decoded
  std::string type;    // file-system type
};

// One entry a line: source, mount point, type, options, two numbers. Spaces and other unusual
// characters in the first three fields come as octal escapes ("\040"). Malformed lines are left out.
std::vector<MountEntry> ParseMountTable(std::string_view text);

enum class MountKind { Fixed, Network, Other };

// nfs, cifs, smb and sshfs are network drives; disk file systems are fixed; everything else
// (proc, sysfs, cgroup, squashfs images, CDs, fuse helpers, ...) is not a drive to search.
MountKind KindOfMount(const MountEntry& entry);

// Kernel and runtime file systems: nothing on them is a game folder.
inline constexpr std::array<std::string_view, 4> kPseudoFileSystems = {"/proc", "/sys", "/dev", "/run"};

// True for a folder inside (or equal to) one of the pseudo file systems, compared by path
// components.
bool IsPseudoFileSystemFolder(std::string_view folder);

}  // namespace zelmora::platform
