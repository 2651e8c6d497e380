#include "installer/search_session.h"

#include "installer/delivery.h"
#include "installer/installer_texts.h"
#include "ui/platform/code_page.h"
#include "ui/platform/file_rules.h"
#include "ui/platform/folder_listing.h"
#include "ui/platform/text_rules.h"

#include <filesystem>
#include <vector>

namespace zelmora::installer {

namespace fs = std::filesystem;
using platform::Answer;
using platform::Buttons;
using platform::EntryKind;
using platform::Icon;
using platform::WithoutTrailingSeparator;
using platform::WithTrailingSeparator;

namespace {

constexpr char kSeparator = static_cast<char>(fs::path::preferred_separator);

bool HasGame(const std::string& folder) {
  auto found = platform::FindNoCase(folder, kGameProgram);
  return found && platform::FileExists(*found);
}

// Position of the game program's name in a path, ignoring case.
std::size_t FindGameName(const std::string& path) {
  return platform::ToLower1252(path).find(kGameProgram);
}

}  // namespace

SearchSession::SearchSession(const platform::Machine& machine, platform::Prompter& prompter,
                             InstallerView& view, std::string ownFolder)
    : machine_(machine), prompter_(prompter), view_(view), ownFolder_(std::move(ownFolder)) {}

void SearchSession::Load() { windowsName_ = WinDir(true); }

std::string SearchSession::WinDir(bool lastPartOnly) const {
  std::string folder = machine_.WindowsFolder();
  if (lastPartOnly) {
    std::size_t cut = folder.find_last_of("\\/");
    if (cut != std::string::npos) folder.erase(0, cut + 1);
  }
  return folder;
}

std::string SearchSession::Verdict(const std::string& folder) {
  return !folder.empty() && HasGame(folder) ? kFound : kNotFoundHere;
}

bool SearchSession::IsOwnFolder(const std::string& folder) const {
  // With or without the trailing separator, in any case; or the same folder reached under
  // another name (a link, a bind mount).
  return platform::EqualsNoCase(WithoutTrailingSeparator(folder), WithoutTrailingSeparator(ownFolder_)) ||
         SameFolder(folder, ownFolder_);
}

void SearchSession::Pump() {
  if (ended_) return;
  auto now = std::chrono::steady_clock::now();
  if (now - lastPump_ < std::chrono::milliseconds(10)) return;
  lastPump_ = now;
  view_.ProcessEvents();
}

void SearchSession::Run() {
  if (started_) return;
  started_ = true;
  for (auto& folder : machine_.FoldersNotEntered()) notEntered_.insert(WithoutTrailingSeparator(folder));

  std::string registered = machine_.AppPath(kGameProgram);
  std::size_t at = FindGameName(registered);
  if (at != std::string::npos && at > 0) Search(registered.substr(0, at));
  if (ended_) return;

  if (std::string cd = machine_.NativeFolder(kCdFolder); !cd.empty()) Search(cd);
  if (ended_) return;

  // Without a program files folder there is nothing to look in; "Quarvel" alone would be a
  // folder relative to wherever the installer was started.
  if (std::string programs = machine_.ProgramFilesFolder(); !programs.empty()) {
    Search(WithTrailingSeparator(programs) + kGameFolderName + kSeparator);
  }
  if (ended_) return;

  auto drives = machine_.Drives();
  for (auto kind : {platform::DriveKind::Fixed, platform::DriveKind::Network}) {
    for (const auto& drive : drives) {
      if (drive.kind != kind) continue;
      Search(drive.root);
      if (ended_) return;
    }
  }

  if (std::string windows = WinDir(false); !windows.empty()) Search(WithTrailingSeparator(windows));
  if (ended_) return;

  view_.StopAnimation();
  notFound_ = true;
  view_.ShowStatus(kNotFound, true);
}

void SearchSession::Search(const std::string& root) {
  if (root.empty() || ended_) return;
  // Depth first in listing order, as a recursive search would go, without its recursion depth.
  std::vector<std::string> pending{WithTrailingSeparator(root)};
  std::vector<std::string> kept;
  bool isRoot = true;
  while (!pending.empty() && !ended_) {
    std::string folder = std::move(pending.back());
    pending.pop_back();
    kept.clear();
    bool hasGame = false;
    // Links are never followed: a link back up the tree would make the search endless.
    bool listed = platform::ListFolder(folder, !isRoot, [&](std::string_view name, EntryKind kind) {
      if (kind == EntryKind::Folder) {
        bool systemName = !windowsName_.empty() && platform::EqualsNoCase(name, windowsName_);
        if (name[0] != '.' && !systemName) {
          std::string path = folder;
          path += name;
          if (!notEntered_.count(path)) kept.push_back(path += kSeparator);
        }
      } else if ((kind == EntryKind::File || kind == EntryKind::Link) && !hasGame &&
                 platform::EqualsNoCase(name, kGameProgram)) {
        hasGame = kind == EntryKind::File || platform::FileExists(folder + std::string(name));
      }
      Pump();
    });
    // A folder that may be entered but not listed can still hold the game.
    if (!listed) hasGame = platform::FileExists(folder + kGameProgram);
    isRoot = false;
    if (ended_) return;

    if (hasGame && !IsOwnFolder(folder)) {
      Answer a = prompter_.Message(std::string(kAskInstall) + "\n" + platform::Utf8ToCp1252(folder) + " ?",
                                   Buttons::YesNoCancel, Icon::Question);
      if (a == Answer::Yes) {
        DeliverFendrel(ownFolder_, folder);
        if (ended_) return;
      } else if (a == Answer::Cancel) {
        End();
        return;
      }
    }
    if (!listed) continue;  // an unreadable folder ends its own search quietly

    // Once the user has pressed Browse the automatic search does not go on.
    while (browseFlag_ && !ended_) view_.WaitForEvents();
    if (ended_) return;

    for (auto it = kept.rbegin(); it != kept.rend(); ++it) pending.push_back(std::move(*it));
  }
}

void SearchSession::Browse() {
  browseFlag_ = true;
  auto chosen = prompter_.ChooseFolder(kChooserPrompt, "");
  if (!chosen || chosen->empty()) return;
  std::string folder = WithTrailingSeparator(*chosen);
  if (HasGame(folder) ||
      prompter_.Message(kAskWithoutGame, Buttons::YesNo, Icon::Question) == Answer::Yes) {
    DeliverFendrel(ownFolder_, folder);
  }
}

void SearchSession::Cancel() { End(); }

void SearchSession::End() {
  if (ended_) return;
  ended_ = true;
  view_.EndProgram();
}

void SearchSession::DeliverFendrel(const std::string& from, const std::string& to) {
  view_.ShowStatus(kInstalling, false);
  view_.EnableButtons(false);
  DeliveryResult result = Deliver(from, to);
  switch (result.outcome) {
    case DeliveryOutcome::InvalidFolder:
      prompter_.Message(kInvalidFolder, Buttons::Ok, Icon::Exclamation);
      // The user is asked to locate the folder, so the buttons must work again.
      view_.ShowStatus(notFound_ ? kNotFound : kSearching, notFound_);
      view_.EnableButtons(true);
      return;
    case DeliveryOutcome::ListMissing:
      prompter_.Message(kListMissing, Buttons::Ok, Icon::Exclamation);
      break;
    case DeliveryOutcome::ListRefused:
      prompter_.Message(ListRefusedMessage(result.listProblem), Buttons::Ok, Icon::Exclamation);
      break;
    case DeliveryOutcome::Delivered:
      if (!result.notInstalled.empty()) {
        prompter_.Message(NotInstalledMessage(result.notInstalled), Buttons::Ok, Icon::Exclamation);
      }
      break;
  }
  End();
}

}  // namespace zelmora::installer
