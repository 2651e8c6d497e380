#include "editor/frm_ss_edit.h"
#include "ui/platform/game_folder.h"
#include "ui/platform/game_search.h"
#include "ui/platform/linux_machine.h"
#include "ui/qt/game_folder_dialog.h"
#include "ui/qt/program_folder.h"
#include "ui/qt/qt_process_runner.h"
#include "ui/qt/qt_prompter.h"
#include "ui/qt/qt_settings_store.h"
#include "zelmora_version.h"

#include <QApplication>

#include <iostream>

namespace {

constexpr const char* kHelp = R"(Usage: ZMDEdit [OPTION]...
Design solar systems for the space game Quarvel: the star, its planets, their
messages, away-team adventures, a test simulator and packages for other players.

The editor works on one game folder: its own folder when quarvel.exe is beside
it; otherwise the folder given with --game; otherwise the folder chosen last
time; otherwise it asks for one, offering the game folders it finds in Wine
prefixes and on the drives. System > Game Folder... changes it later.

Options:
      --game=DIR    work on the game folder DIR, which must hold quarvel.exe
  -h, --help        display this help and exit
      --version     output version information and exit

Exit status:
  0  the editor was closed, or no game folder was chosen
  2  a bad command line, or DIR holds no quarvel.exe
)";

}  // namespace

int main(int argc, char* argv[]) {
  auto args = zelmora::platform::ParseProgramArguments({argv + 1, argv + argc}, 0);
  if (!args.problem.empty()) {
    std::cerr << "ZMDEdit: " << args.problem << "\nTry 'ZMDEdit --help' for more information.\n";
    return 2;
  }
  if (args.help) return std::cout << kHelp, 0;
  if (args.version) return std::cout << "ZMDEdit (Zelmora) " << ZELMORA_VERSION << "\n", 0;

  QApplication app(argc, argv);
  zelmora::qt::QtPrompter prompter;
  zelmora::qt::QtSettingsStore settings;
  zelmora::qt::QtProcessRunner runner;
  zelmora::platform::LinuxMachine machine(zelmora::platform::LinuxMachine::WinePrefixFromEnvironment());
  zelmora::platform::MachineGameFinder finder(machine);
  auto found = zelmora::platform::FindGameFolder(zelmora::qt::ProgramFolder().string(), args.game, settings, [&] {
    zelmora::qt::frmGameFolder chooser(finder, prompter);
    return chooser.Run("");
  });
  if (!found.problem.empty()) {
    std::cerr << "ZMDEdit: " << found.problem << "\n";
    return 2;
  }
  // A folder chosen from the window's menu opens a new window on it.
  std::string folder = found.folder;
  while (!folder.empty()) {
    zelmora::editor::frmSSEdit window(folder, prompter, settings, runner);
    prompter.SetParent(&window);
    std::string next;
    QObject::connect(&window, &zelmora::editor::frmSSEdit::GameFolderChanged, &window,
                     [&next](const QString& chosen) { next = chosen.toStdString(); });
    if (!window.Load()) return 0;
    window.show();
    int status = app.exec();
    prompter.SetParent(nullptr);
    if (next.empty()) return status;
    folder = next;
  }
  return 0;
}
