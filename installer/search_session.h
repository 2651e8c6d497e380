#pragma once

#include "installer/installer_view.h"
#include "ui/platform/machine.h"
#include "ui/platform/prompter.h"

#include <chrono>
#include <optional>
#include <string>

namespace zelmora::installer {

// One run of the installer: the automatic search for the game folder with its questions, the
// user's own choice of folder, and the delivery of the package from the installer's folder.
class SearchSession {
 public:
  SearchSession(const platform::Machine& machine, platform::Prompter& prompter, InstallerView& view,
                std::string ownFolder);

  // Keeps the system folder's name, which the search skips everywhere.
  void Load();
  // Folders that come before the search: one named on the command line, installed into as a
  // folder the user chose, and the game folder chosen last time, offered first.
  void SetGivenFolders(std::optional<std::string> commandLine, std::string lastChosen);
  // The automatic search, from the registered path to the system folder; runs once.
  void Run();
  // Looks for the game in `folder` and all its subfolders, asking for each one found.
  void Search(const std::string& folder);
  // The user chooses the folder; the automatic search stays paused from now on.
  void Browse();
  void Cancel();
  // Copies the package into `to` and ends the program, unless `to` is the package itself.
  void DeliverFendrel(const std::string& from, const std::string& to);

  // The system folder, or only its own name.
  std::string WinDir(bool lastPartOnly) const;
  // "Quarvel Found" when the game program is in `folder`, "Quarvel Not Found" otherwise.
  static std::string Verdict(const std::string& folder);

  bool Ended() const { return ended_; }
  bool Browsing() const { return browseFlag_; }

 private:
  bool IsOwnFolder(const std::string& folder) const;
  // Gives the window its events between folder entries, at most every few milliseconds.
  void Pump();
  void End();
  // Asks whether to install into a folder found; false once the program ends.
  bool Offer(const std::string& folder);
  // Installs into a folder the user named: at once when the game is there, otherwise after asking.
  void DeliverToChosen(const std::string& folder);

  const platform::Machine& machine_;
  platform::Prompter& prompter_;
  InstallerView& view_;
  std::string ownFolder_;
  std::string windowsName_;
  std::optional<std::string> commandLineFolder_;
  std::string lastChosen_;
  std::chrono::steady_clock::time_point lastPump_{};
  bool notFound_ = false;  // the automatic search ended without the game
  bool started_ = false;
  bool browseFlag_ = false;
  bool ended_ = false;
};

}  // namespace zelmora::installer
