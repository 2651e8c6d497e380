#pragma once

#include <QApplication>

namespace zelmora::testing {

// The one application object of a window test executable, made before the first widget.
inline QApplication& App() {
  static int argc = 1;
  static char name[] = "zelmora_test";
  static char* argv[] = {name, nullptr};
  // Never destroyed: tearing Qt down among the other static objects at exit is not safe.
  static auto* app = new QApplication(argc, argv);
  return *app;
}

}  // namespace zelmora::testing
