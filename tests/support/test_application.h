#pragma once

#include "tests/support/modal_watchdog.h"

#include <QApplication>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace zelmora::testing {

// The one application object of a window test executable, made before the first widget.
inline QApplication& App() {
  static int argc = 1;
  static char name[] = "zelmora_test";
  static char* argv[] = {name, nullptr};
  // The program's data (the undo histories, test recordings) goes to a folder of this run's own,
  // never to the user's, and goes with the run.
  static const std::string data =
      (std::filesystem::temp_directory_path() / ("zelmora-test-data-" + std::to_string(::getpid()))).string();
  static const bool isolated = [] {
    ::setenv("XDG_DATA_HOME", data.c_str(), 1);
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(data, ec);
    });
    return true;
  }();
  (void)isolated;
  // Never destroyed: tearing Qt down among the other static objects at exit is not safe.
  static auto* app = [] {
    auto* made = new QApplication(argc, argv);
    WatchModals(*made);
    return made;
  }();
  return *app;
}

}  // namespace zelmora::testing
