#pragma once

#include "editor/history_binding.h"
#include "history/history_recorder.h"
#include "store/descriptor_store.h"
#include "ui/platform/prompter.h"

#include <QObject>

#include <filesystem>
#include <functional>
#include <memory>

class QAction;
class QMainWindow;
class QMenu;
class QWidget;

namespace zelmora::editor {

class frmHistory;

// The main window's Edit menu of our own: the open system's history attached to the store, "&Undo"
// and "&Redo" with their keys, and "History..." opening the History window. Built before any system
// is opened, so the history hears the first one. Its owner destroys it before the store.
class HistoryWiring : public QObject {
  Q_OBJECT

 public:
  // The game folder's histories are kept in `historyFolder`, by default in the program's data folder.
  HistoryWiring(QMainWindow* window, store::DescriptorStore& store, platform::Prompter& prompter,
                std::filesystem::path historyFolder = {});
  ~HistoryWiring() override;

  // Puts the menu into the window's menu bar before `before` (the end when null).
  void AddMenu(QAction* before);
  // Ctrl+Z and Ctrl+Y in another window of the editor, acting on the same history.
  void AddShortcutsTo(QWidget* window);
  // The same in every window of these names when it is shown.
  void AddShortcutsToWindows(std::vector<QString> objectNames);
  // After an undo or redo wrote the working copy back: every open window shows it again.
  void SetRestored(std::function<void()> restored);
  // Unsaved work elsewhere (pictures in memory) keeps the system modified after an undo.
  void SetOtherChanges(std::function<bool()> pending);
  void ShowHistory();

  history::HistoryRecorder& Recorder() { return *recorder_; }
  HistoryBinding& Binding() { return *binding_; }
  frmHistory* HistoryWindow() const { return history_; }

  QMenu* mnuEdit;
  QAction* mnuEUndo;
  QAction* mnuERedo;
  QAction* mnuESep;
  QAction* mnuEHistory;

 private:
  QMainWindow* window_;
  std::unique_ptr<history::HistoryRecorder> recorder_;
  HistoryBinding* binding_;
  frmHistory* history_ = nullptr;
};

}  // namespace zelmora::editor
