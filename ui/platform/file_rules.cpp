#include "ui/platform/file_rules.h"

#include "ui/platform/code_page.h"
#include "ui/platform/text_rules.h"

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#define ZELMORA_POSIX 1
#endif

namespace zelmora::platform {

namespace {
constexpr char kSeparator = static_cast<char>(fs::path::preferred_separator);
}

std::string WithTrailingSeparator(std::string folder) {
  if (folder.empty() || folder.back() != kSeparator) folder.push_back(kSeparator);
  return folder;
}

std::string WithoutTrailingSeparator(std::string folder) {
  while (folder.size() > 1 && folder.back() == kSeparator) folder.pop_back();
  return folder;
}

bool FileExists(const fs::path& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

bool FolderExists(const fs::path& path) {
  std::error_code ec;
  return fs::is_directory(path, ec);
}

bool ReadWholeFile(const fs::path& path, std::string& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  bytes.clear();
  // One allocation of the file's size, then one read; grow only if the file grew meanwhile.
  std::error_code ec;
  auto size = fs::file_size(path, ec);
  bytes.resize(ec ? 0 : static_cast<std::size_t>(size));
  std::size_t got = bytes.empty() ? 0 : std::fread(bytes.data(), 1, bytes.size(), f);
  bytes.resize(got);
  char buffer[16384];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
  bool ok = !std::ferror(f);
  std::fclose(f);
  return ok;
}

ReadRefusal ReadRegularFile(const fs::path& path, std::string& bytes, std::uintmax_t limit) {
  bytes.clear();
#ifdef ZELMORA_POSIX
  // Opened without following a link and without waiting for a writer (a FIFO), then checked on the
  // open file itself, so nothing can be swapped in between.
  int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    std::error_code ec;
    return fs::is_symlink(fs::symlink_status(path, ec)) ? ReadRefusal::Link : ReadRefusal::Unreadable;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    ::close(fd);
    return ReadRefusal::Unreadable;
  }
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    return ReadRefusal::NotRegular;
  }
  if (static_cast<std::uintmax_t>(st.st_size) > limit) {
    ::close(fd);
    return ReadRefusal::TooLarge;
  }
  bytes.resize(static_cast<std::size_t>(st.st_size));
  std::size_t got = 0;
  char buffer[16384];
  for (;;) {
    ssize_t n = got < bytes.size() ? ::read(fd, bytes.data() + got, bytes.size() - got)
                                   : ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      return ReadRefusal::Unreadable;
    }
    if (n == 0) break;
    if (got < bytes.size()) {
      got += static_cast<std::size_t>(n);
      continue;
    }
    // The file grew while it was read.
    if (bytes.size() + static_cast<std::size_t>(n) > limit) {
      ::close(fd);
      bytes.clear();
      return ReadRefusal::TooLarge;
    }
    bytes.append(buffer, static_cast<std::size_t>(n));
    got = bytes.size();
  }
  bytes.resize(got);
  ::close(fd);
  return ReadRefusal::None;
#else
  std::error_code ec;
  if (fs::is_symlink(fs::symlink_status(path, ec))) return ReadRefusal::Link;
  if (!fs::is_regular_file(fs::symlink_status(path, ec))) return ec ? ReadRefusal::Unreadable : ReadRefusal::NotRegular;
  if (fs::file_size(path, ec) > limit) return ReadRefusal::TooLarge;
  if (!ReadWholeFile(path, bytes)) return ReadRefusal::Unreadable;
  return bytes.size() > limit ? ReadRefusal::TooLarge : ReadRefusal::None;
#endif
}

std::string RefusalText(ReadRefusal refusal) {
  switch (refusal) {
    case ReadRefusal::None: return {};
    case ReadRefusal::Unreadable: return "cannot be read";
    case ReadRefusal::Link: return "is a link";
    case ReadRefusal::NotRegular: return "is not a regular file";
    case ReadRefusal::TooLarge: return "is too large";
  }
  return {};
}

bool IsLink(const fs::path& path) {
  std::error_code ec;
  return fs::is_symlink(fs::symlink_status(path, ec));
}

namespace {

fs::path HiddenBeside(const fs::path& target, const char* suffix) {
  return target.parent_path() / ("." + target.filename().string() + suffix);
}

FileResult WriteDurably(const fs::path& path, std::string_view bytes) {
#ifdef ZELMORA_POSIX
  // A new file of our own: a link or file left at this name is removed, not written through.
  ::unlink(path.c_str());
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd < 0) return FileResult::Failure("cannot create " + path.string());
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      ::close(fd);
      return FileResult::Failure("cannot write " + path.string());
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  // The rename that follows must never publish a file whose bytes are not on disk yet.
  bool synced = ::fsync(fd) == 0;
  bool closed = ::close(fd) == 0;
  if (!synced || !closed) return FileResult::Failure("cannot write " + path.string());
  return {};
#else
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return FileResult::Failure("cannot create " + path.string());
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) return FileResult::Failure("cannot write " + path.string());
  return {};
#endif
}

}  // namespace

FileResult AtomicReplace(const fs::path& target, std::string_view bytes, const fs::path& scratch) {
  fs::path temp = scratch.empty() ? HiddenBeside(target, ".part") : scratch;
  FileResult written = WriteDurably(temp, bytes);
  if (!written) {
    std::error_code ec;
    fs::remove(temp, ec);
    return written;
  }
  std::error_code ec;
  fs::rename(temp, target, ec);
  if (ec) {
    fs::remove(temp, ec);
    return FileResult::Failure("cannot replace " + target.string());
  }
  return {};
}

FileResult CopyKeepingTime(const fs::path& source, const fs::path& target, bool regularOnly) {
  std::error_code ec;
  if (regularOnly && IsLink(source)) return FileResult::Failure(source.string() + " is a link");
  auto time = fs::last_write_time(source, ec);
  if (ec) return FileResult::Failure("cannot read " + source.string());
  std::string bytes;
  if (regularOnly) {
    ReadRefusal refused = ReadRegularFile(source, bytes, static_cast<std::uintmax_t>(-1));
    if (refused != ReadRefusal::None) return FileResult::Failure(source.string() + " " + RefusalText(refused));
  } else if (!ReadWholeFile(source, bytes)) {
    return FileResult::Failure("cannot read " + source.string());
  }
  fs::path temp = HiddenBeside(target, ".copy");
  FileResult written = WriteDurably(temp, bytes);
  if (written) {
    fs::last_write_time(temp, time, ec);
    if (ec) written = FileResult::Failure("cannot set the time of " + temp.string());
  }
  if (written) {
    fs::rename(temp, target, ec);
    if (ec) written = FileResult::Failure("cannot replace " + target.string());
  }
  if (!written) fs::remove(temp, ec);
  return written;
}

bool IsScratchName(std::string_view fileName) {
  return fileName.size() > kScratchNameExtra && fileName.front() == '.' &&
         (fileName.ends_with(".part") || fileName.ends_with(".copy"));
}

int RemoveScratchFiles(const fs::path& folder) {
  int removed = 0;
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  if (ec) return 0;
  std::vector<fs::path> found;
  for (const auto& entry : it) {
    if (!IsScratchName(entry.path().filename().string())) continue;
    auto status = entry.symlink_status(ec);
    if (fs::is_regular_file(status) || fs::is_symlink(status)) found.push_back(entry.path());
  }
  for (const auto& path : found) {
    if (fs::remove(path, ec)) ++removed;
  }
  return removed;
}

bool EmptyFolder(const fs::path& folder) {
  std::error_code ec;
  std::vector<fs::path> entries;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) entries.push_back(it->path());
  if (ec) return false;
  // remove_all removes a link itself, never what it leads to.
  for (const auto& entry : entries) fs::remove_all(entry, ec);
  return fs::is_empty(folder, ec) && !ec;
}

FileResult RemoveFile(const fs::path& path) {
  std::error_code ec;
  fs::remove(path, ec);
  if (ec) return FileResult::Failure("cannot delete " + path.string());
  return {};
}

FileResult RenameFile(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  fs::rename(from, to, ec);
  if (ec) return FileResult::Failure("cannot rename " + from.string());
  return {};
}

std::optional<fs::file_time_type> ModificationTime(const fs::path& path) {
  std::error_code ec;
  auto time = fs::last_write_time(path, ec);
  if (ec) return std::nullopt;
  return time;
}

FileResult SetModificationTime(const fs::path& path, fs::file_time_type time) {
  std::error_code ec;
  fs::last_write_time(path, time, ec);
  if (ec) return FileResult::Failure("cannot set the time of " + path.string());
  return {};
}

FileResult MakeTimeDiffer(const fs::path& file, const fs::path& other) {
  auto otherTime = ModificationTime(other);
  if (!otherTime) return {};
  using namespace std::chrono;
  // Coarse file systems round what they store; step up until the stored time really differs.
  for (auto step : {milliseconds(1), milliseconds(1000), milliseconds(2000)}) {
    auto time = ModificationTime(file);
    if (!time) return FileResult::Failure("cannot read the time of " + file.string());
    if (*time != *otherTime) return {};
    FileResult set = SetModificationTime(file, *otherTime + duration_cast<fs::file_time_type::duration>(step));
    if (!set) return set;
  }
  return ModificationTime(file) != otherTime ? FileResult{} : FileResult::Failure("time of " + file.string());
}

std::optional<fs::path> FindNoCase(const fs::path& folder, std::string_view name) {
  fs::path exact = folder / std::string(name);
  std::error_code ec;
  if (fs::exists(exact, ec)) return exact;
  fs::directory_iterator it(folder, ec);
  if (ec) return std::nullopt;
  for (const auto& entry : it) {
    std::string candidate = entry.path().filename().string();
    if (EqualsNoCase(candidate, name)) return entry.path();
  }
  return std::nullopt;
}

fs::path ResolveNoCase(const fs::path& folder, std::string_view name) {
  if (auto found = FindNoCase(folder, name)) return *found;
  return folder / std::string(name);
}

std::vector<std::string> ListByExtension(const fs::path& folder, std::string_view extension) {
  std::vector<std::string> names;
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  if (ec) return names;
  for (const auto& entry : it) {
    if (!entry.is_regular_file(ec)) continue;
    std::string name = entry.path().filename().string();
    if (IsScratchName(name)) continue;
    if (name.size() >= extension.size() &&
        EqualsNoCase(std::string_view(name).substr(name.size() - extension.size()), extension)) {
      names.push_back(std::move(name));
    }
  }
  return names;
}

fs::path CodePageFilePath(const fs::path& folder, std::string_view name) {
  return folder / Cp1252ToUtf8(name);
}

std::vector<CodePageFile> ListCodePageFiles(const fs::path& folder) {
  std::vector<CodePageFile> files;
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  if (ec) return files;
  for (const auto& entry : it) {
    if (!entry.is_regular_file(ec) || IsScratchName(entry.path().filename().string())) continue;
    if (auto name = Utf8ToCp1252Exact(entry.path().filename().string())) files.push_back({entry.path(), *name});
  }
  return files;
}

fs::path ResolveCodePageNoCase(const fs::path& folder, std::string_view name) {
  fs::path exact = CodePageFilePath(folder, name);
  std::error_code ec;
  if (fs::exists(exact, ec)) return exact;
  for (auto& file : ListCodePageFiles(folder)) {
    if (EqualsNoCase(file.name, name)) return file.path;
  }
  return exact;
}

namespace {
bool MatchFrom(std::string_view p, std::string_view n) {
  std::size_t pi = 0, ni = 0, starP = std::string_view::npos, starN = 0;
  while (ni < n.size()) {
    if (pi < p.size() && (p[pi] == '?' || (p[pi] != '*' && ToUpper1252(p[pi]) == ToUpper1252(n[ni])))) {
      ++pi, ++ni;
    } else if (pi < p.size() && p[pi] == '*') {
      starP = pi++;
      starN = ni;
    } else if (starP != std::string_view::npos) {
      pi = starP + 1;
      ni = ++starN;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == '*') ++pi;
  return pi == p.size();
}
}  // namespace

bool WildcardMatch(std::string_view pattern, std::string_view name) {
  if (MatchFrom(pattern, name)) return true;
  if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" &&
      name.find('.') == std::string_view::npos) {
    return MatchFrom(pattern.substr(0, pattern.size() - 2), name);
  }
  return false;
}

std::vector<fs::path> ListMatching(const fs::path& folder, std::string_view pattern) {
  std::vector<fs::path> found;
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  if (ec) return found;
  for (const auto& entry : it) {
    if (!entry.is_regular_file(ec) || IsScratchName(entry.path().filename().string())) continue;
    if (WildcardMatch(pattern, entry.path().filename().string())) found.push_back(entry.path());
  }
  return found;
}

int RemoveMatching(const fs::path& folder, std::string_view pattern) {
  int removed = 0;
  for (const auto& path : ListMatching(folder, pattern)) {
    if (RemoveFile(path)) ++removed;
  }
  return removed;
}

std::vector<fs::path> ListCodePageMatching(const fs::path& folder, std::string_view pattern) {
  std::vector<fs::path> found;
  for (auto& file : ListCodePageFiles(folder)) {
    if (WildcardMatch(pattern, file.name)) found.push_back(std::move(file.path));
  }
  return found;
}

int RemoveCodePageMatching(const fs::path& folder, std::string_view pattern) {
  int removed = 0;
  for (const auto& path : ListCodePageMatching(folder, pattern)) {
    if (RemoveFile(path)) ++removed;
  }
  return removed;
}

// Bytes B9, B2 and B3 are the superscript digits one to three, which Windows also reserves.
bool IsReservedDeviceName(std::string_view name) {
  std::string base = ToUpper1252(name.substr(0, name.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL" || base == "CONIN$" || base == "CONOUT$") {
    return true;
  }
  if (base.size() != 4 || !(base.starts_with("COM") || base.starts_with("LPT"))) return false;
  return std::string_view("0123456789\xB9\xB2\xB3").find(base[3]) != std::string_view::npos;
}

std::optional<std::string> FileNameProblem(std::string_view name, const fs::path& folder,
                                           const std::vector<std::string>& suffixes) {
  if (TrimBlanks(name).empty()) return "The name is empty.";
  for (char c : name) {
    auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) return "The name may not contain control characters.";
  }
  if (name.find("..") != std::string_view::npos) return "The name may not contain \"..\".";
  if (name.find_first_of("/\\") != std::string_view::npos)
    return "The name may not contain \"/\" or \"\\\".";
  // The game runs on Windows: a name it cannot store there cannot be installed.
  if (name.find_first_of(":*?\"<>|") != std::string_view::npos)
    return "The name may not contain any of the characters : * ? \" < > |";
  if (name.back() == '.' || name.back() == ' ') return "The name may not end with a dot or a space.";
  if (IsReservedDeviceName(name)) return "Windows keeps this name for a device.";
  std::size_t longestSuffix = 0;
  for (const auto& s : suffixes) longestSuffix = std::max(longestSuffix, s.size());
  constexpr std::size_t kMaxComponent = 255;
  constexpr std::size_t kMaxPath = 4095;
  // Counted as stored on disk, where a character may take up to three bytes.
  const std::size_t onDisk = Cp1252ToUtf8(name).size();
  if (onDisk + longestSuffix > kMaxComponent || folder.string().size() + 1 + onDisk + longestSuffix > kMaxPath) {
    return "The name is too long for a file name.";
  }
  return std::nullopt;
}

}  // namespace zelmora::platform
