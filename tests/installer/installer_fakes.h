#pragma once

#include "installer/installer_view.h"
#include "ui/platform/machine.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace zelmora::testing {

// A machine whose registry, usual folders and drives are whatever the test says.
struct FakeMachine : platform::Machine {
  std::string appPath;
  std::string cdFolder;
  std::string programFiles;
  std::string windowsFolder;
  std::vector<platform::Drive> drives;
  std::vector<std::string> notEntered;
  mutable std::vector<std::string> asked;  // programs and Windows folders asked for

  std::string AppPath(const std::string& program) const override {
    asked.push_back(program);
    return appPath;
  }
  std::string NativeFolder(const std::string& windowsFolder) const override {
    asked.push_back(windowsFolder);
    return cdFolder;
  }
  std::string ProgramFilesFolder() const override { return programFiles; }
  std::string WindowsFolder() const override { return windowsFolder; }
  std::vector<platform::Drive> Drives() const override { return drives; }
  std::vector<std::string> FoldersNotEntered() const override { return notEntered; }
};

// Records what the session shows; hooks let a test act while the search runs.
struct FakeView : installer::InstallerView {
  std::vector<std::string> statuses;
  bool bold = false;
  bool buttonsEnabled = true;
  bool animationStopped = false;
  bool ended = false;
  int processed = 0;
  int waited = 0;
  std::function<void()> onProcess;
  std::function<void()> onWait;

  void ShowStatus(const std::string& text, bool isBold) override {
    statuses.push_back(text);
    bold = isBold;
  }
  void EnableButtons(bool on) override { buttonsEnabled = on; }
  void StopAnimation() override { animationStopped = true; }
  void ProcessEvents() override {
    ++processed;
    if (onProcess) onProcess();
  }
  void WaitForEvents() override {
    ++waited;
    if (onWait) onWait();
  }
  void EndProgram() override { ended = true; }
};

// A folder tree under a fresh temporary folder, removed at the end.
class TempTree {
 public:
  TempTree();
  ~TempTree();
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;

  const std::filesystem::path& Root() const { return root_; }
  // A native folder text ending in "/".
  std::string Folder(const std::string& relative) const;
  std::filesystem::path File(const std::string& relative, const std::string& bytes = "x") const;
  // A folder with the game program in it; returns its folder text.
  std::string Game(const std::string& relative) const;
  // A package folder with the files of `files` (name -> bytes) and `list` as its Setup.lst.
  std::string Package(const std::string& relative, const std::vector<std::pair<std::string, std::string>>& files,
                      const std::string& list) const;
  std::string Read(const std::string& relative) const;
  bool Exists(const std::string& relative) const;
  // Every path below the root, sorted, for "nothing else was written" checks.
  std::vector<std::string> Listing() const;

 private:
  std::filesystem::path root_;
};

// A package list naming one descriptor, and the question the search asks of each folder it finds.
inline const char* const kOneDescriptorList = "\"Vega.zmd\",\"\\ZMDescriptor\\\"\r\n";
inline std::string InstallQuestion(const std::string& folder) {
  return "Do you wish to install the add on to the directory\n" + folder + " ?";
}

}  // namespace zelmora::testing
