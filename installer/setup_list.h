#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The package's file list: one line a file, `"name","\subfolder\"`.
namespace zelmora::installer {

struct SetupEntry {
  std::string name;    // a file of the package folder
  std::string folder;  // target folder below the game folder, "\" as separators
  int line = 0;        // 1-based, for messages
};

struct SetupList {
  std::vector<SetupEntry> entries;
  std::vector<int> unreadableLines;  // lines without two fields
};

// Fields are double-quoted strings without escapes, or bare text up to the next comma; blanks
// around fields are ignored; CR LF and LF both end a line; empty lines are skipped.
SetupList ParseSetupList(std::string_view bytes);

// The folder field's parts: "\" and "/" both separate, empty parts are dropped.
std::vector<std::string> FolderParts(std::string_view folder);

// Why an entry must not be installed, or nothing. Both fields come from a file anyone could
// have written, so nothing is cleaned up: a name that is not a plain file name, or a folder
// that is absolute, names a drive or a server, or has a ".." part, is refused; so is a name or
// folder part that Windows reads as a device or as another name (trailing dots or blanks).
std::optional<std::string> EntryProblem(const SetupEntry& entry);

}  // namespace zelmora::installer
