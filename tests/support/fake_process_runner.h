#pragma once

#include "ui/platform/process_runner.h"

#include <functional>
#include <string>
#include <vector>

namespace zelmora::testing {

// Records what would be started; `onStart` sees the files as the started program would.
class FakeProcessRunner : public platform::ProcessRunner {
 public:
  bool Start(const std::string& commandLine, platform::WindowState state) override {
    return Run(commandLine, state, false);
  }
  bool StartAndWait(const std::string& commandLine, platform::WindowState state) override {
    return Run(commandLine, state, true);
  }

  struct Started {
    std::string commandLine;
    platform::WindowState state;
    bool waited;
  };
  std::vector<Started> started;
  std::function<void()> onStart;
  bool starts = true;

 private:
  bool Run(const std::string& commandLine, platform::WindowState state, bool waited) {
    started.push_back({commandLine, state, waited});
    if (onStart) onStart();
    return starts;
  }
};

}  // namespace zelmora::testing
