#include "installer/fendrel_prompter.h"
#include "installer/frm_fendrel.h"
#include "ui/platform/game_folder.h"
#include "ui/platform/linux_machine.h"
#include "ui/qt/program_folder.h"
#include "ui/qt/qt_settings_store.h"
#include "zelmora_version.h"

#include <QApplication>
#include <QScreen>

#include <filesystem>
#include <iostream>

namespace {

constexpr const char* kHelp = R"(Usage: Fendrel [OPTION]... [PACKAGE_FOLDER]
Install a Quarvel add-on (a package made by the Zelmora editor) into the game folder.

The package is PACKAGE_FOLDER, or the folder Fendrel was started from (a package
holds Fendrel as SETUP.EXE beside its Setup.lst). With --game it installs into
DIR; otherwise it offers the game folder the editor was pointed at last, then
searches Wine's registry, the prefix's C:\QVCD and Program Files\Quarvel, the
local and network drives and the prefix's windows folder, and asks before
installing into each game folder it finds. Browse chooses the folder by hand.

Options:
      --game=DIR    install into the game folder DIR
  -h, --help        display this help and exit
      --version     output version information and exit

Exit status:
  0  the window was closed (installed, cancelled or nothing to install)
  2  a bad command line
)";

}  // namespace

int main(int argc, char** argv) {
  auto args = zelmora::platform::ParseProgramArguments({argv + 1, argv + argc}, 1);
  if (!args.problem.empty()) {
    std::cerr << "Fendrel: " << args.problem << "\nTry 'Fendrel --help' for more information.\n";
    return 2;
  }
  if (args.help) return std::cout << kHelp, 0;
  if (args.version) return std::cout << "Fendrel (Zelmora) " << ZELMORA_VERSION << "\n", 0;

  QApplication app(argc, argv);
  zelmora::platform::LinuxMachine machine(zelmora::platform::LinuxMachine::WinePrefixFromEnvironment());
  zelmora::installer::FendrelPrompter prompter;
  // The package is the folder the installer was started from, unless one is named.
  std::string package = zelmora::qt::ProgramFolder().string();
  if (!args.plain.empty()) package = std::filesystem::absolute(args.plain.front()).lexically_normal().string();
  zelmora::installer::frmFendrel window(machine, prompter, package);
  zelmora::qt::QtSettingsStore settings;
  window.Session().SetGivenFolders(args.game, zelmora::platform::folders::GameFolder.Read(settings));
  prompter.Attach(&window, window.cmdVerify);
  QObject::connect(&window, &zelmora::installer::frmFendrel::programEnded, &app, &QCoreApplication::quit,
                   Qt::QueuedConnection);
  if (auto* screen = window.screen()) window.move(screen->availableGeometry().center() - window.rect().center());
  window.show();
  return app.exec();
}
