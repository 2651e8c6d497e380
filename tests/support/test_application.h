#pragma once

#include "tests/support/modal_watchdog.h"

#include <QApplication>

namespace zelmora::testing {

// The one application object of a window test executable, made before the first widget.
inline QApplication& App() {
  static int argc = 1;
  static char name[] = "zelmora_test";
  static char* argv[] = {name, nullptr};
  // Never destroyed: tearing Qt down among the other static objects at exit is not safe.
  static auto* app = [] {
    auto* made = new QApplication(argc, argv);
    WatchModals(*made);
    return made;
  }();
  return *app;
}

}  // namespace zelmora::testing
