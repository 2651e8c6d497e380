#pragma once

#include "ui/platform/machine.h"

#include <functional>
#include <string>
#include <unordered_set>
#include <vector>

namespace zelmora::platform {

inline constexpr const char* kGameProgram = "quarvel.exe";

// Whether `folder` holds the game program (its name in any case).
bool HoldsGame(const std::string& folder);

// The places the game is looked for, in order: the registered program's folder, the CD
// installation's folder, the program files folder's "Quarvel", the fixed drives, the network
// drives, and last the system folder. Each ends with a separator; places the machine lacks are left
// out.
std::vector<std::string> GameSearchRoots(const Machine& machine);

// One walk of a folder tree looking for the game, depth first in listing order, as a recursive
// search would go. Folders whose name begins with "." or equals the system folder's name are
// skipped everywhere, as are `notEntered`; links are never followed.
struct GameWalk {
  std::string systemFolderName;
  std::unordered_set<std::string> notEntered;  // without a trailing separator

  // After each folder entry, so a window stays responsive.
  std::function<void()> pump = [] {};
  // A folder holding the game; false ends the walk.
  std::function<bool(const std::string& folder)> found;
  // After a folder has been looked at, before its subfolders are; false ends the walk.
  std::function<bool()> goOn = [] { return true; };

  // Walks `root` and its subfolders; false when the walk was ended by `found` or `goOn`.
  bool Walk(const std::string& root) const;

  // The notEntered set from the machine, and the system folder's own name.
  static GameWalk For(const Machine& machine);
};

// Looks for game folders the way the installer does, for windows that offer them.
class GameFolderFinder {
 public:
  virtual ~GameFolderFinder() = default;
  // Calls `found` for each game folder in search order, each once; stops when it returns false or
  // when `keepGoing`, asked after each folder looked at, does.
  virtual void Find(const std::function<bool(const std::string& folder)>& found,
                    const std::function<bool()>& keepGoing) const = 0;
};

// The finder over a machine's search roots.
class MachineGameFinder : public GameFolderFinder {
 public:
  explicit MachineGameFinder(const Machine& machine) : machine_(machine) {}
  void Find(const std::function<bool(const std::string& folder)>& found,
            const std::function<bool()>& keepGoing) const override;

 private:
  const Machine& machine_;
};

}  // namespace zelmora::platform
