#include "ui/platform/mount_table.h"

namespace zelmora::platform {

namespace {

std::string Unescape(std::string_view field) {
  auto octal = [](char c) { return c >= '0' && c <= '7'; };
  std::string out;
  out.reserve(field.size());
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size() && octal(field[i + 1]) && octal(field[i + 2]) &&
        octal(field[i + 3])) {
      out.push_back(static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0')));
      i += 3;
      continue;
    }
    out.push_back(field[i]);
  }
  return out;
}

}  // namespace

std::vector<MountEntry> ParseMountTable(std::string_view text) {
  std::vector<MountEntry> entries;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    std::array<std::string_view, 3> fields;
    std::size_t count = 0, pos = 0;
    while (count < fields.size()) {
      while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
      if (pos >= line.size()) break;
      std::size_t stop = line.find_first_of(" \t", pos);
      if (stop == std::string_view::npos) stop = line.size();
      fields[count++] = line.substr(pos, stop - pos);
      pos = stop;
    }
    if (count < fields.size()) continue;
    entries.push_back({Unescape(fields[0]), Unescape(fields[1]), Unescape(fields[2])});
  }
  return entries;
}

MountKind KindOfMount(const MountEntry& entry) {
  const std::string& t = entry.type;
  if (t == "nfs" || t == "nfs4" || t == "cifs" || t == "smb3" || t == "smbfs" || t == "fuse.sshfs" ||
      t == "sshfs") {
    return MountKind::Network;
  }
  static constexpr std::array<std::string_view, 16> kDiskTypes = {
      "ext2", "ext3", "ext4", "xfs", "btrfs", "vfat", "msdos", "exfat", "ntfs", "ntfs3", "fuseblk",
      "f2fs", "jfs", "reiserfs", "zfs", "hfsplus"};
  for (auto disk : kDiskTypes) {
    if (t == disk) return MountKind::Fixed;
  }
  // The root of a container is an overlay; it is the machine's fixed disk all the same.
  if (t == "overlay" && entry.point == "/") return MountKind::Fixed;
  return MountKind::Other;
}

bool IsPseudoFileSystemFolder(std::string_view folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.remove_suffix(1);
  for (std::string_view root : kPseudoFileSystems) {
    if (folder == root || (folder.starts_with(root) && folder[root.size()] == '/')) return true;
  }
  return false;
}

}  // namespace zelmora::platform
