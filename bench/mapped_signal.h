#pragma once

// What the start-up benchmark's programs share: they say "mapped" on standard output the moment
// their window is first exposed and end at once, so that the benchmark times start to mapped only.
#include <QEvent>
#include <QObject>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <cstdlib>

namespace zelmora::bench {

class ExitWhenMapped : public QObject {
 public:
  explicit ExitWhenMapped(QWidget& window) {
    window.winId();  // the native window exists before show, so that no expose is missed
    window.windowHandle()->installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
      std::fputs("mapped\n", stdout);
      std::fflush(stdout);
      std::_Exit(0);
    }
    return false;
  }
};

}  // namespace zelmora::bench
