#pragma once

#include <string>
#include <vector>

namespace zelmora::platform {

enum class DriveKind { Fixed, Network };

struct Drive {
  std::string root;  // ends with a separator
  DriveKind kind = DriveKind::Fixed;
};

// What the installer asks of the machine it runs on: where programs are registered, the usual
// folders and the drives. Folders are native paths; those returned as folders end with a
// separator. Every answer is empty when the machine has no such thing.
class Machine {
 public:
  virtual ~Machine() = default;

  // The registered full path of a program (its App Paths entry), as a native path.
  virtual std::string AppPath(const std::string& program) const = 0;
  // A Windows folder such as "C:\QVCD\" as a native folder.
  virtual std::string NativeFolder(const std::string& windowsFolder) const = 0;
  virtual std::string ProgramFilesFolder() const = 0;
  // The system folder, without a trailing separator.
  virtual std::string WindowsFolder() const = 0;
  // Fixed and network drives, in the order they are searched.
  virtual std::vector<Drive> Drives() const = 0;
  // Folders a search never enters (pseudo file systems, roots of other drives), without a
  // trailing separator. A search root itself is never checked against them.
  virtual std::vector<std::string> FoldersNotEntered() const = 0;
};

}  // namespace zelmora::platform
