#pragma once

#include "installer/setup_list.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// Copying a package's listed files into a game folder.
namespace zelmora::installer {

namespace fs = std::filesystem;

enum class CopyKind { Add, Replace };

struct PlannedCopy {
  std::string name;     // as listed
  fs::path source;
  fs::path target;
  std::string shown;    // the target relative to the game folder, for lists
  CopyKind kind = CopyKind::Add;
};

struct NotInstalled {
  std::string name;    // as listed, or "line N" for a line that could not be read
  std::string reason;
  int line = 0;  // of the list; 0 for a file that failed when copied
};

struct DeliveryPlan {
  fs::path gameFolder;
  std::vector<PlannedCopy> copies;
  std::vector<NotInstalled> refused;
};

enum class DeliveryOutcome { Delivered, InvalidFolder, ListMissing, ListRefused };

// A list larger than this is refused: a package lists a few dozen files.
inline constexpr std::uintmax_t kMaxSetupListBytes = 4u << 20;

struct DeliveryResult {
  DeliveryOutcome outcome = DeliveryOutcome::Delivered;
  std::string listProblem;  // why the list was refused (ListRefused)
  std::vector<PlannedCopy> copied;       // or, for a dry run, what would be copied
  std::vector<NotInstalled> notInstalled;
};

// The package and the game folder are one folder: the same text once both end in a separator,
// or two names of the same folder.
bool SameFolder(const std::string& from, const std::string& to);

// The list of the package folder (its name matched without regard to case); nothing when it
// cannot be read, with `refusal` saying why when the file is there but is a link, not a regular
// file or larger than kMaxSetupListBytes (it is then never read).
std::optional<SetupList> ReadSetupList(const fs::path& packageFolder, std::string* refusal = nullptr);

// Where each entry goes. Refused entries, unreadable lines, package files that are links or not
// regular files, targets reached through a symbolic link inside the game folder and files missing
// from the package are collected with their reasons; the others are planned as additions or
// replacements, each target once (a target listed again takes the later entry's file). Every
// folder is listed once, so planning takes time in proportion to the list.
DeliveryPlan PlanDelivery(const fs::path& packageFolder, const fs::path& gameFolder, const SetupList& list);

// Copies the planned files, creating missing target folders. Each copy goes to a temporary name
// in its target folder and is renamed over the target, so a failed copy leaves the old file; a
// target that a link inside the game folder now leads to is not copied, nor a source that has
// become a link. Scratch files a killed install left in a target folder are removed first.
DeliveryResult CarryOut(const DeliveryPlan& plan);

// The whole delivery from a package folder to a game folder; a dry run only plans.
DeliveryResult Deliver(const std::string& from, const std::string& to, bool dryRun = false);

// The message that names the files that could not be installed.
std::string NotInstalledMessage(const std::vector<NotInstalled>& files);

}  // namespace zelmora::installer
