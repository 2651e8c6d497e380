#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace zelmora::platform {

// What tells one version of a file from another without reading it: a rewrite through a rename
// gives a new inode, a write in place a new size or new times. Times are nanoseconds since
// 1970 (UTC); `changedNs` is the status change time, which every write and every time change
// moves and no program can set back.
struct FileIdentity {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::uint64_t size = 0;
  std::int64_t modifiedNs = 0;
  std::int64_t changedNs = 0;

  bool operator==(const FileIdentity&) const = default;
};

// The identity of a regular file (links followed); nothing when it cannot be read.
std::optional<FileIdentity> IdentityOf(const std::filesystem::path& path);

// The system clock in the same unit as the identity's times.
std::int64_t NowNs();

}  // namespace zelmora::platform
