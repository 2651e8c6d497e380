#include "editor/frm_ss_edit.h"
#include "ui/qt/program_folder.h"
#include "ui/qt/qt_process_runner.h"
#include "ui/qt/qt_prompter.h"
#include "ui/qt/qt_settings_store.h"

#include <QApplication>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  zelmora::qt::QtPrompter prompter;
  zelmora::qt::QtSettingsStore settings;
  zelmora::qt::QtProcessRunner runner;
  zelmora::editor::frmSSEdit window(zelmora::qt::ProgramFolder(), prompter, settings, runner);
  prompter.SetParent(&window);
  if (!window.Load()) return 0;
  window.show();
  return app.exec();
}
