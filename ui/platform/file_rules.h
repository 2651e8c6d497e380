#pragma once

#include <filesystem>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// File rules shared by the store, the packaging and the installer. No operation throws: errors
// come back as results, so silent callers can ignore them without leaving half-written files.
namespace zelmora::platform {

namespace fs = std::filesystem;

struct FileResult {
  bool ok = true;
  std::string error;  // empty when ok
  explicit operator bool() const { return ok; }
  static FileResult Failure(std::string message) { return {false, std::move(message)}; }
};

// A folder text ending in a separator ("" becomes the root), or without trailing separators (the
// root stays itself).
std::string WithTrailingSeparator(std::string folder);
std::string WithoutTrailingSeparator(std::string folder);

bool FileExists(const fs::path& path);    // a regular file (or a link to one)
bool FolderExists(const fs::path& path);  // a directory (or a link to one)

// Whole file as bytes; false when it cannot be read.
bool ReadWholeFile(const fs::path& path, std::string& bytes);

// Files that strangers hand us (a package's list and files) are read only when they are regular
// files reached without a link and no larger than a limit: a link may lead to /dev/zero or to a
// private file, a FIFO never ends.
enum class ReadRefusal { None, Unreadable, Link, NotRegular, TooLarge };
ReadRefusal ReadRegularFile(const fs::path& path, std::string& bytes, std::uintmax_t limit);
// Why a file was refused, as a phrase ("is a link"), empty for None.
std::string RefusalText(ReadRefusal refusal);
// True when `path` itself is a symbolic link (what it leads to is not looked at).
bool IsLink(const fs::path& path);

// Writes bytes to `scratch` (default: a hidden name beside the target), flushes them to disk and
// renames the scratch file over the target, so readers see either the old or the new file. Whatever
// stands at the scratch name is replaced, never written through (it may be a planted link).
FileResult AtomicReplace(const fs::path& target, std::string_view bytes, const fs::path& scratch = {});

// Copies through a temporary file in the target's folder, gives it the source's modification
// time, then renames it over the target.
// With `regularOnly`, a source that is a link or not a regular file is refused, never read
// through (ReadRegularFile without a size limit).
FileResult CopyKeepingTime(const fs::path& source, const fs::path& target, bool regularOnly = false);

// The hidden scratch files that AtomicReplace (".NAME.part") and CopyKeepingTime (".NAME.copy")
// write beside their target; a killed process leaves them behind.
bool IsScratchName(std::string_view fileName);
// How many bytes a scratch name adds to the name of its target.
inline constexpr std::size_t kScratchNameExtra = 6;
// Removes the scratch files that a killed run left in `folder` (links among them are removed, not
// followed); returns how many went.
int RemoveScratchFiles(const fs::path& folder);
// Removes everything inside `folder`, links as links; false when something stays.
bool EmptyFolder(const fs::path& folder);

FileResult RemoveFile(const fs::path& path);  // a missing file is not an error
FileResult RenameFile(const fs::path& from, const fs::path& to);

std::optional<fs::file_time_type> ModificationTime(const fs::path& path);
FileResult SetModificationTime(const fs::path& path, fs::file_time_type time);

// Gives `file` a modification time different from `other`'s when the two are equal (two writes
// within one file-system clock tick), so a time comparison still sees a change.
FileResult MakeTimeDiffer(const fs::path& file, const fs::path& other);

// Finds `name` in `folder` without regard to case (game folders come from Windows). The exact
// spelling wins when it exists.
std::optional<fs::path> FindNoCase(const fs::path& folder, std::string_view name);
// FindNoCase, or folder / name when nothing matches (for files about to be created).
fs::path ResolveNoCase(const fs::path& folder, std::string_view name);

// Names of the regular files in `folder` whose names end in `extension` (".zmd"), compared without
// regard to case, in directory order.
std::vector<std::string> ListByExtension(const fs::path& folder, std::string_view extension);

// The game's own files (descriptors, pictures) have code-page names in memory and UTF-8 names on
// disk, as Wine stores a Windows program's names. These convert at that boundary.
//
// folder / the UTF-8 form of a code-page name.
fs::path CodePageFilePath(const fs::path& folder, std::string_view name);
// A regular file of a folder and its name in the code page.
struct CodePageFile {
  fs::path path;
  std::string name;
};
// The regular files of `folder` in directory order, leaving out any whose name is not UTF-8 the
// code page can hold (the game could not open it by that name).
std::vector<CodePageFile> ListCodePageFiles(const fs::path& folder);
// The file of `folder` whose code-page name equals `name` without regard to case (the exact
// spelling wins), or the path `name` would be created at.
fs::path ResolveCodePageNoCase(const fs::path& folder, std::string_view name);

// Wildcard match as the Windows shell does it: "*" and "?", no regard to case, and a pattern
// ending in ".*" also matches a name without any extension.
bool WildcardMatch(std::string_view pattern, std::string_view name);
// Regular files of `folder` matching the pattern.
std::vector<fs::path> ListMatching(const fs::path& folder, std::string_view pattern);
// Removes every regular file of `folder` matching the pattern; returns how many went.
int RemoveMatching(const fs::path& folder, std::string_view pattern);
// The same for code-page patterns over code-page names (ListCodePageFiles).
std::vector<fs::path> ListCodePageMatching(const fs::path& folder, std::string_view pattern);
int RemoveCodePageMatching(const fs::path& folder, std::string_view pattern);

// A name Windows keeps for a device (CON, PRN, AUX, NUL, COM1..9, LPT1..9, CONIN$, CONOUT$), with or without an
// extension (blanks before the extension ignored): no file of that name can exist there.
bool IsReservedDeviceName(std::string_view name);

// Why a code-page name typed by the user cannot become a file name (UTF-8 on disk, and one that
// Windows can hold) in `folder` with any of the given suffixes, or nothing when it can.
std::optional<std::string> FileNameProblem(std::string_view name, const fs::path& folder,
                                           const std::vector<std::string>& suffixes);

}  // namespace zelmora::platform
