#pragma once

#include "ui/platform/machine.h"

#include <string>

namespace zelmora::platform {

// The machine as a Linux desktop with Wine shows it: the registry is the prefix's system.reg,
// C:\ is the prefix's drive_c, the system folder its drive_c/windows; the drives are / and the
// local and network mounts of the mount table.
class LinuxMachine : public Machine {
 public:
  explicit LinuxMachine(std::string winePrefix, std::string mountTable = "/proc/mounts");

  // $WINEPREFIX, or ~/.wine when it is not set.
  static std::string WinePrefixFromEnvironment();

  std::string AppPath(const std::string& program) const override;
  std::string NativeFolder(const std::string& windowsFolder) const override;
  std::string ProgramFilesFolder() const override;
  std::string WindowsFolder() const override;
  std::vector<Drive> Drives() const override;
  std::vector<std::string> FoldersNotEntered() const override;

 private:
  std::string prefix_;
  std::string mountTable_;
};

}  // namespace zelmora::platform
