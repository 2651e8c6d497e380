#pragma once

#include "history/history_recorder.h"
#include "ui/platform/prompter.h"

#include <QObject>

#include <QString>

#include <functional>
#include <vector>

class QAction;
class QUndoStack;
class QWidget;

namespace zelmora::editor {

// The history in Qt's undo framework: a QUndoStack mirroring the recorder's steps, with one command
// class for every kind of edit (it has the recorder write back what the store wrote), the Undo and
// Redo actions with their shortcuts, and the end of each user action (the next turn of the event
// loop), which closes a step nobody named.
class HistoryBinding : public QObject {
  Q_OBJECT

 public:
  HistoryBinding(history::HistoryRecorder& recorder, platform::Prompter& prompter, QObject* parent = nullptr);
  ~HistoryBinding() override;

  QUndoStack* Stack() const { return stack_; }
  // "&Undo <step>" (Ctrl+Z) and "&Redo <step>" (Ctrl+Shift+Z, Ctrl+Y).
  QAction* UndoAction() const { return undo_; }
  QAction* RedoAction() const { return redo_; }
  // The same keys in another window (a dialog runs modally, out of the main window's reach). A text
  // box with the focus keeps them for its own typing.
  void AddShortcutsTo(QWidget* window);
  // The keys in every window of these names, whenever it is shown (windows are built lazily).
  void AddShortcutsToWindows(std::vector<QString> objectNames);
  // After an undo or redo wrote the working copy back: every open window shows it again.
  void SetRestored(std::function<void()> restored) { restored_ = std::move(restored); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class StepCommand;
  void Sync();
  void Rebuild();
  void Move(bool forward);
  void CloseStepSoon();

  history::HistoryRecorder& recorder_;
  platform::Prompter& prompter_;
  QUndoStack* stack_;
  QAction* undo_;
  QAction* redo_;
  std::function<void()> restored_;
  bool syncing_ = false;
  bool moving_ = false;
  bool closePending_ = false;
  std::vector<QString> windows_;
};

}  // namespace zelmora::editor
