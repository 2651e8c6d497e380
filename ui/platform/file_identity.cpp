#include "ui/platform/file_identity.h"

#include <chrono>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#include <sys/stat.h>
#define ZELMORA_POSIX 1
#endif

namespace zelmora::platform {

namespace {
#ifdef ZELMORA_POSIX
std::int64_t Ns(const struct timespec& t) {
  return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + static_cast<std::int64_t>(t.tv_nsec);
}
#endif
}  // namespace

std::optional<FileIdentity> IdentityOf(const std::filesystem::path& path) {
#ifdef ZELMORA_POSIX
  struct stat s {};
  if (::stat(path.c_str(), &s) != 0 || !S_ISREG(s.st_mode)) return std::nullopt;
  FileIdentity id;
  id.device = static_cast<std::uint64_t>(s.st_dev);
  id.inode = static_cast<std::uint64_t>(s.st_ino);
  id.size = static_cast<std::uint64_t>(s.st_size);
#if defined(__APPLE__)
  id.modifiedNs = Ns(s.st_mtimespec);
  id.changedNs = Ns(s.st_ctimespec);
#else
  id.modifiedNs = Ns(s.st_mtim);
  id.changedNs = Ns(s.st_ctim);
#endif
  return id;
#else
  // Without an inode or a status change time the size and the modification time must do.
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  auto size = std::filesystem::file_size(path, ec);
  if (ec) return std::nullopt;
  auto time = std::filesystem::last_write_time(path, ec);
  if (ec) return std::nullopt;
  FileIdentity id;
  id.size = static_cast<std::uint64_t>(size);
  auto sys = std::chrono::clock_cast<std::chrono::system_clock>(time);
  id.modifiedNs = std::chrono::duration_cast<std::chrono::nanoseconds>(sys.time_since_epoch()).count();
  id.changedNs = id.modifiedNs;
  return id;
#endif
}

std::int64_t NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

}  // namespace zelmora::platform
