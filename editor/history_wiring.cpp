#include "editor/history_wiring.h"

#include "editor/frm_history.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStandardPaths>

namespace zelmora::editor {

namespace {
std::filesystem::path DataFolder(std::filesystem::path folder) {
  if (!folder.empty()) return folder;
  return std::filesystem::path(
             QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation).toStdU16String()) /
         "history";
}
}  // namespace

HistoryWiring::HistoryWiring(QMainWindow* window, store::DescriptorStore& store, platform::Prompter& prompter,
                             std::filesystem::path historyFolder)
    : window_(window),
      recorder_(std::make_unique<history::HistoryRecorder>(
          store, history::GameHistoryFolder(DataFolder(std::move(historyFolder)), store.GameFolder()))),
      binding_(new HistoryBinding(*recorder_, prompter, this)) {
  mnuEdit = new QMenu(QStringLiteral("&Edit"), window);
  mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
  mnuEUndo = binding_->UndoAction();
  mnuERedo = binding_->RedoAction();
  mnuEdit->addAction(mnuEUndo);
  mnuEdit->addAction(mnuERedo);
  mnuESep = mnuEdit->addSeparator();
  mnuESep->setObjectName(QStringLiteral("mnuESep"));
  mnuEHistory = mnuEdit->addAction(QStringLiteral("&History..."));
  mnuEHistory->setObjectName(QStringLiteral("mnuEHistory"));
  connect(mnuEHistory, &QAction::triggered, this, &HistoryWiring::ShowHistory);
}

// The binding lets go of the recorder before the recorder lets go of the store.
HistoryWiring::~HistoryWiring() {
  delete history_;
  delete binding_;
}

void HistoryWiring::AddMenu(QAction* before) {
  QMenuBar* bar = window_->menuBar();
  if (before) bar->insertMenu(before, mnuEdit);
  else bar->addMenu(mnuEdit);
}

void HistoryWiring::AddShortcutsTo(QWidget* window) { binding_->AddShortcutsTo(window); }

void HistoryWiring::AddShortcutsToWindows(std::vector<QString> objectNames) {
  binding_->AddShortcutsToWindows(std::move(objectNames));
}

void HistoryWiring::SetRestored(std::function<void()> restored) { binding_->SetRestored(std::move(restored)); }

void HistoryWiring::SetOtherChanges(std::function<bool()> pending) {
  recorder_->SetOtherChanges(std::move(pending));
}

// Built on first use and kept beside the other windows; it follows the stack by itself.
void HistoryWiring::ShowHistory() {
  if (!history_) {
    history_ = new frmHistory(binding_->Stack(), window_);
    binding_->AddShortcutsTo(history_);
  }
  history_->show();
  history_->raise();
  history_->activateWindow();
}

}  // namespace zelmora::editor
