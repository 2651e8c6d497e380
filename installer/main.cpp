#include "installer/fendrel_prompter.h"
#include "installer/frm_fendrel.h"
#include "ui/platform/linux_machine.h"
#include "ui/qt/program_folder.h"

#include <QApplication>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  zelmora::platform::LinuxMachine machine(zelmora::platform::LinuxMachine::WinePrefixFromEnvironment());
  zelmora::installer::FendrelPrompter prompter;
  // The package is the folder the installer was started from.
  zelmora::installer::frmFendrel window(machine, prompter, zelmora::qt::ProgramFolder().string());
  prompter.Attach(&window, window.cmdVerify);
  QObject::connect(&window, &zelmora::installer::frmFendrel::programEnded, &app, &QCoreApplication::quit,
                   Qt::QueuedConnection);
  window.show();
  return app.exec();
}
