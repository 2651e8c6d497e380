// The main window's command of its own that points the editor at another game folder.
#include "editor/frm_ss_edit.h"

#include "ui/platform/file_rules.h"
#include "ui/platform/game_search.h"
#include "ui/platform/linux_machine.h"
#include "ui/qt/game_folder_dialog.h"

#include <QMenu>

namespace zelmora::editor {

namespace {

// The window with the search it offers, alive as long as the main window.
struct GameFolderChooser {
  explicit GameFolderChooser(platform::Prompter& prompter, QWidget* parent)
      : machine(platform::LinuxMachine::WinePrefixFromEnvironment()), finder(machine), window(finder, prompter, parent) {}
  platform::LinuxMachine machine;
  platform::MachineGameFinder finder;
  qt::frmGameFolder window;
};

}  // namespace

void frmSSEdit::BuildGameFolderCommand() {
  mnuFGameFolder = new QAction(QStringLiteral("&Game Folder..."), mnuFile);
  mnuFGameFolder->setObjectName(QStringLiteral("mnuFGameFolder"));
  mnuFile->insertAction(mnuFSep4, mnuFGameFolder);
  connect(mnuFGameFolder, &QAction::triggered, this, &frmSSEdit::GameFolderCommand);
  dialogs_.chooseGameFolder = [this](const std::string& current) {
    if (!gameFolderChooser_) gameFolderChooser_ = std::make_shared<GameFolderChooser>(prompter_, this);
    return static_cast<GameFolderChooser*>(gameFolderChooser_.get())->window.Run(current);
  };
}

void frmSSEdit::GameFolderCommand() {
  const std::string current = platform::WithoutTrailingSeparator(store_.GameFolder().string());
  auto chosen = dialogs_.chooseGameFolder(current);
  if (!chosen) return;
  if (platform::WithoutTrailingSeparator(*chosen) == current) {
    platform::folders::GameFolder.Write(settings_, *chosen);
    return;
  }
  // The whole window hangs on its folder: it closes as Exit does (the open system's question
  // included) and the program opens it again on the new one.
  if (!close()) return;
  platform::folders::GameFolder.Write(settings_, *chosen);
  emit GameFolderChanged(QString::fromUtf8(chosen->data(), static_cast<qsizetype>(chosen->size())));
}

}  // namespace zelmora::editor
