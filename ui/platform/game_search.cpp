#include "ui/platform/game_search.h"

#include "ui/platform/file_rules.h"
#include "ui/platform/folder_listing.h"
#include "ui/platform/text_rules.h"

#include <filesystem>
#include <set>

namespace zelmora::platform {

namespace {

namespace fs = std::filesystem;

constexpr char kSeparator = static_cast<char>(fs::path::preferred_separator);
constexpr const char* kCdFolder = "C:\\QVCD\\";
constexpr const char* kGameFolderName = "Quarvel";

}  // namespace

bool HoldsGame(const std::string& folder) {
  auto found = FindNoCase(folder, kGameProgram);
  return found && FileExists(*found);
}

std::vector<std::string> GameSearchRoots(const Machine& machine) {
  std::vector<std::string> roots;
  std::string registered = machine.AppPath(kGameProgram);
  std::size_t at = ToLower1252(registered).find(kGameProgram);
  if (at != std::string::npos && at > 0) roots.push_back(WithTrailingSeparator(registered.substr(0, at)));
  if (std::string cd = machine.NativeFolder(kCdFolder); !cd.empty()) roots.push_back(WithTrailingSeparator(cd));
  // Without a program files folder there is nothing to look in; "Quarvel" alone would be a folder
  // relative to wherever the program was started.
  if (std::string programs = machine.ProgramFilesFolder(); !programs.empty()) {
    roots.push_back(WithTrailingSeparator(programs) + kGameFolderName + kSeparator);
  }
  auto drives = machine.Drives();
  for (auto kind : {DriveKind::Fixed, DriveKind::Network}) {
    for (const auto& drive : drives) {
      if (drive.kind == kind) roots.push_back(WithTrailingSeparator(drive.root));
    }
  }
  if (std::string windows = machine.WindowsFolder(); !windows.empty()) roots.push_back(WithTrailingSeparator(windows));
  return roots;
}

GameWalk GameWalk::For(const Machine& machine) {
  GameWalk walk;
  std::string windows = machine.WindowsFolder();
  std::size_t cut = windows.find_last_of("\\/");
  walk.systemFolderName = cut == std::string::npos ? windows : windows.substr(cut + 1);
  for (auto& folder : machine.FoldersNotEntered()) walk.notEntered.insert(WithoutTrailingSeparator(folder));
  return walk;
}

bool GameWalk::Walk(const std::string& root) const {
  if (root.empty()) return true;
  // Depth first without the recursion depth of a recursive search.
  std::vector<std::string> pending{WithTrailingSeparator(root)};
  std::vector<std::string> kept;
  bool isRoot = true;
  while (!pending.empty()) {
    std::string folder = std::move(pending.back());
    pending.pop_back();
    kept.clear();
    bool hasGame = false;
    // Links are never followed: a link back up the tree would make the search endless.
    bool listed = ListFolder(folder, !isRoot, [&](std::string_view name, EntryKind kind) {
      if (kind == EntryKind::Folder) {
        bool systemName = !systemFolderName.empty() && EqualsNoCase(name, systemFolderName);
        if (name[0] != '.' && !systemName) {
          std::string path = folder;
          path += name;
          if (!notEntered.count(path)) kept.push_back(path += kSeparator);
        }
      } else if ((kind == EntryKind::File || kind == EntryKind::Link) && !hasGame &&
                 EqualsNoCase(name, kGameProgram)) {
        hasGame = kind == EntryKind::File || FileExists(folder + std::string(name));
      }
      pump();
    });
    // A folder that may be entered but not listed can still hold the game.
    if (!listed) hasGame = FileExists(folder + kGameProgram);
    isRoot = false;
    if (hasGame && found && !found(folder)) return false;
    if (!listed) continue;  // an unreadable folder ends its own search quietly
    if (!goOn()) return false;
    for (auto it = kept.rbegin(); it != kept.rend(); ++it) pending.push_back(std::move(*it));
  }
  return true;
}

void MachineGameFinder::Find(const std::function<bool(const std::string& folder)>& found,
                             const std::function<bool()>& keepGoing) const {
  GameWalk walk = GameWalk::For(machine_);
  walk.goOn = keepGoing;
  // A drive root's walk reaches the registered folder again; each is offered once.
  std::set<std::string> seen;
  walk.found = [&](const std::string& folder) {
    if (!seen.insert(WithoutTrailingSeparator(folder)).second) return true;
    return found(folder);
  };
  for (const auto& root : GameSearchRoots(machine_)) {
    if (!walk.Walk(root)) return;
  }
}

}  // namespace zelmora::platform
