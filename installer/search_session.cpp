#include "installer/search_session.h"

#include "installer/delivery.h"
#include "installer/installer_texts.h"
#include "ui/platform/code_page.h"
#include "ui/platform/file_rules.h"
#include "ui/platform/game_search.h"
#include "ui/platform/text_rules.h"

#include <filesystem>

namespace zelmora::installer {

namespace fs = std::filesystem;
using platform::Answer;
using platform::Buttons;
using platform::Icon;
using platform::WithoutTrailingSeparator;
using platform::WithTrailingSeparator;

namespace {

bool HasGame(const std::string& folder) { return platform::HoldsGame(folder); }

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

void SearchSession::SetGivenFolders(std::optional<std::string> commandLine, std::string lastChosen) {
  commandLineFolder_ = std::move(commandLine);
  lastChosen_ = std::move(lastChosen);
}

void SearchSession::Run() {
  if (started_) return;
  started_ = true;
  if (commandLineFolder_ && !commandLineFolder_->empty()) {
    DeliverToChosen(WithTrailingSeparator(*commandLineFolder_));
    if (ended_) return;
  }
  if (!lastChosen_.empty() && HasGame(lastChosen_) && !Offer(WithTrailingSeparator(lastChosen_))) return;
  for (const auto& root : platform::GameSearchRoots(machine_)) {
    Search(root);
    if (ended_) return;
  }
  view_.StopAnimation();
  notFound_ = true;
  view_.ShowStatus(kNotFound, true);
}

void SearchSession::Search(const std::string& root) {
  if (root.empty() || ended_) return;
  platform::GameWalk walk = platform::GameWalk::For(machine_);
  walk.systemFolderName = windowsName_;
  walk.pump = [this] { Pump(); };
  walk.found = [this](const std::string& folder) {
    return !ended_ && Offer(folder);
  };
  walk.goOn = [this] {
    // Once the user has pressed Browse the automatic search does not go on.
    while (browseFlag_ && !ended_) view_.WaitForEvents();
    return !ended_;
  };
  walk.Walk(root);
}

bool SearchSession::Offer(const std::string& folder) {
  if (IsOwnFolder(folder)) return true;
  Answer a = prompter_.Message(std::string(kAskInstall) + "\n" + platform::Utf8ToCp1252(folder) + " ?",
                               Buttons::YesNoCancel, Icon::Question);
  if (a == Answer::Yes) {
    DeliverFendrel(ownFolder_, folder);
  } else if (a == Answer::Cancel) {
    End();
  }
  return !ended_;
}

void SearchSession::Browse() {
  browseFlag_ = true;
  auto chosen = prompter_.ChooseFolder(kChooserPrompt, "");
  if (!chosen || chosen->empty()) return;
  DeliverToChosen(WithTrailingSeparator(*chosen));
}

void SearchSession::DeliverToChosen(const std::string& folder) {
  if (HasGame(folder) || prompter_.Message(kAskWithoutGame, Buttons::YesNo, Icon::Question) == Answer::Yes) {
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
