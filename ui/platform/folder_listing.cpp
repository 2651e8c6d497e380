#include "ui/platform/folder_listing.h"

#if defined(__unix__) || defined(__APPLE__)
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#define ZELMORA_POSIX 1
#else
#include <filesystem>
#include <system_error>
#endif

namespace zelmora::platform {

#ifdef ZELMORA_POSIX

namespace {
EntryKind KindOfMode(mode_t mode) {
  if (S_ISLNK(mode)) return EntryKind::Link;
  if (S_ISDIR(mode)) return EntryKind::Folder;
  if (S_ISREG(mode)) return EntryKind::File;
  return EntryKind::Other;
}
}  // namespace

bool ListFolder(const std::string& folder, bool noFollow,
                const std::function<void(std::string_view, EntryKind)>& visit) {
  int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | (noFollow ? O_NOFOLLOW : 0);
  int fd = ::open(folder.c_str(), flags);
  if (fd < 0) return false;
  DIR* dir = ::fdopendir(fd);
  if (!dir) {
    ::close(fd);
    return false;
  }
  bool ok = true;
  for (;;) {
    errno = 0;
    dirent* e = ::readdir(dir);
    if (!e) {
      ok = errno == 0;
      break;
    }
    const char* name = e->d_name;
    if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0))) continue;
    EntryKind kind;
    switch (e->d_type) {
      case DT_DIR: kind = EntryKind::Folder; break;
      case DT_REG: kind = EntryKind::File; break;
      case DT_LNK: kind = EntryKind::Link; break;
      case DT_UNKNOWN: {
        // Some file systems do not fill in the type; ask without following links.
        struct stat st;
        kind = ::fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) == 0 ? KindOfMode(st.st_mode) : EntryKind::Other;
        break;
      }
      default: kind = EntryKind::Other; break;
    }
    visit(name, kind);
  }
  ::closedir(dir);
  return ok;
}

#else

bool ListFolder(const std::string& folder, bool noFollow,
                const std::function<void(std::string_view, EntryKind)>& visit) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (noFollow && fs::is_symlink(folder, ec)) return false;
  fs::directory_iterator it(folder, ec);
  if (ec) return false;
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) return false;
    auto status = it->symlink_status(ec);
    EntryKind kind = fs::is_symlink(status)        ? EntryKind::Link
                     : fs::is_directory(status)    ? EntryKind::Folder
                     : fs::is_regular_file(status) ? EntryKind::File
                                                   : EntryKind::Other;
    visit(it->path().filename().string(), kind);
  }
  return !ec;
}

#endif

}  // namespace zelmora::platform
