#include "editor/edit_menu_binding.h"

#include "editor/frm_history.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace zelmora::editor {

EditMenuBinding::EditMenuBinding(QMainWindow* window, store::DescriptorStore& store, platform::Prompter& prompter,
                                 const std::filesystem::path& historyFolder)
    : window_(window),
      recorder_(std::make_unique<history::HistoryRecorder>(
          store, history::GameHistoryFolder(historyFolder, store.GameFolder()))),
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
  connect(mnuEHistory, &QAction::triggered, this, &EditMenuBinding::ShowHistory);
}

// The binding lets go of the recorder before the recorder lets go of the store.
EditMenuBinding::~EditMenuBinding() {
  delete history_;
  delete binding_;
}

void EditMenuBinding::AddMenu(QAction* before) {
  QMenuBar* bar = window_->menuBar();
  if (before) bar->insertMenu(before, mnuEdit);
  else bar->addMenu(mnuEdit);
}

void EditMenuBinding::AddShortcutsTo(QWidget* window) { binding_->AddShortcutsTo(window); }

void EditMenuBinding::SetRestored(std::function<void()> restored) { binding_->SetRestored(std::move(restored)); }

void EditMenuBinding::SetOtherChanges(std::function<bool()> pending) {
  recorder_->SetOtherChanges(std::move(pending));
}

// Built on first use and kept beside the other windows; it follows the stack by itself.
void EditMenuBinding::ShowHistory() {
  if (!history_) {
    history_ = new frmHistory(binding_->Stack(), window_);
    binding_->AddShortcutsTo(history_);
  }
  history_->show();
  history_->raise();
  history_->activateWindow();
}

}  // namespace zelmora::editor
