#pragma once

#include <string>

namespace zelmora::installer {

// What the installer's window does for a search session.
class InstallerView {
 public:
  virtual ~InstallerView() = default;
  // Sets the status line and repaints it at once.
  virtual void ShowStatus(const std::string& text, bool bold) = 0;
  // Browse and Cancel.
  virtual void EnableButtons(bool on) = 0;
  // Stops the animation timer and shows the first frame.
  virtual void StopAnimation() = 0;
  // Handles the window events that are waiting, then returns.
  virtual void ProcessEvents() = 0;
  // Waits for window events and handles them.
  virtual void WaitForEvents() = 0;
  virtual void EndProgram() = 0;
};

}  // namespace zelmora::installer
