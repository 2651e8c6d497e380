// The yardstick of the editor's start: a bare main window, started and mapped.
#include "bench/mapped_signal.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QMainWindow window;
  zelmora::bench::ExitWhenMapped signal(window);
  window.show();
  return app.exec();
}
