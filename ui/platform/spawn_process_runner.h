#pragma once

#include "ui/platform/process_runner.h"

namespace zelmora::platform {

// Starts programs without a window toolkit (for zmd): the command line is split as the window
// programs split it, its code-page words become UTF-8 arguments, and a program without a
// separator is looked up on PATH.
class SpawnProcessRunner : public ProcessRunner {
 public:
  bool Start(const std::string& commandLine, WindowState state) override;
  bool StartAndWait(const std::string& commandLine, WindowState state) override;
};

}  // namespace zelmora::platform
