// The editor started as its program starts it, on the game folder given, until its window is mapped.
#include "bench/mapped_signal.h"
#include "editor/frm_ss_edit.h"
#include "ui/qt/qt_process_runner.h"
#include "ui/qt/qt_prompter.h"
#include "ui/qt/qt_settings_store.h"

#include <QApplication>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (argc < 2) return 2;
  zelmora::qt::QtPrompter prompter;
  zelmora::qt::QtSettingsStore settings;
  zelmora::qt::QtProcessRunner runner;
  zelmora::editor::frmSSEdit window(argv[1], prompter, settings, runner);
  prompter.SetParent(&window);
  if (!window.Load()) return 1;
  zelmora::bench::ExitWhenMapped signal(window);
  window.show();
  return app.exec();
}
