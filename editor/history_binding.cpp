#include "editor/history_binding.h"

#include "ui/qt/code_page.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QUndoCommand>
#include <QUndoStack>
#include <QWidget>

#include <algorithm>

namespace zelmora::editor {

namespace {
constexpr const char* kMismatch =
    "The working copy was changed outside Zelmora, so its undo history no longer fits it and has been "
    "cleared.";
constexpr const char* kNotWritten = "The working copy could not be written; nothing was undone or redone.";
}  // namespace

// One step of the history, whatever the edit: undo and redo have the recorder write back what the
// store wrote. While the stack is being made to mirror the recorder, nothing is written.
class HistoryBinding::StepCommand : public QUndoCommand {
 public:
  StepCommand(HistoryBinding& binding, const std::string& name)
      : QUndoCommand(qt::FromCp1252(name)), binding_(binding) {}
  void undo() override {
    if (!binding_.syncing_) binding_.Move(false);
  }
  void redo() override {
    if (!binding_.syncing_) binding_.Move(true);
  }

 private:
  HistoryBinding& binding_;
};

HistoryBinding::HistoryBinding(history::HistoryRecorder& recorder, platform::Prompter& prompter, QObject* parent)
    : QObject(parent), recorder_(recorder), prompter_(prompter), stack_(new QUndoStack(this)) {
  undo_ = stack_->createUndoAction(this, QStringLiteral("&Undo"));
  undo_->setObjectName(QStringLiteral("mnuEUndo"));
  undo_->setShortcut(QKeySequence::Undo);
  redo_ = stack_->createRedoAction(this, QStringLiteral("&Redo"));
  redo_->setObjectName(QStringLiteral("mnuERedo"));
  redo_->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  recorder_.SetChanged([this] { Sync(); });
  Rebuild();
}

HistoryBinding::~HistoryBinding() {
  if (!windows_.empty()) qApp->removeEventFilter(this);
  recorder_.SetChanged({});
}

void HistoryBinding::AddShortcutsTo(QWidget* window) {
  window->addAction(undo_);
  window->addAction(redo_);
}

void HistoryBinding::AddShortcutsToWindows(std::vector<QString> objectNames) {
  if (windows_.empty()) qApp->installEventFilter(this);
  windows_ = std::move(objectNames);
}

bool HistoryBinding::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Show && watched->isWidgetType()) {
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->isWindow() && std::find(windows_.begin(), windows_.end(), widget->objectName()) != windows_.end() &&
        !widget->actions().contains(undo_)) {
      AddShortcutsTo(widget);
    }
  }
  return QObject::eventFilter(watched, event);
}

// A new step at the end is pushed; anything else (a system opened, steps dropped by the bounds, a
// history cleared) makes the stack again.
void HistoryBinding::Sync() {
  if (moving_) return;
  const std::size_t steps = recorder_.StepCount();
  const auto count = static_cast<std::size_t>(stack_->count());
  const bool appended = steps == count + 1 && recorder_.Position() == steps &&
                        static_cast<std::size_t>(stack_->index()) == count &&
                        (count == 0 || stack_->text(static_cast<int>(count) - 1) ==
                                           qt::FromCp1252(recorder_.StepName(steps - 2)));
  if (appended) {
    syncing_ = true;
    stack_->push(new StepCommand(*this, recorder_.StepName(steps - 1)));
    syncing_ = false;
  } else if (steps != count || static_cast<std::size_t>(stack_->index()) != recorder_.Position() ||
             (steps > 0 && stack_->text(static_cast<int>(steps) - 1) != qt::FromCp1252(recorder_.StepName(steps - 1)))) {
    Rebuild();
  }
  if (recorder_.History() && recorder_.History()->StepOpen()) CloseStepSoon();
}

void HistoryBinding::Rebuild() {
  syncing_ = true;
  stack_->clear();
  for (std::size_t i = 0; i < recorder_.StepCount(); ++i) stack_->push(new StepCommand(*this, recorder_.StepName(i)));
  stack_->setIndex(static_cast<int>(recorder_.Position()));
  syncing_ = false;
}

// The user's action ends when control is back in the event loop.
void HistoryBinding::CloseStepSoon() {
  if (closePending_) return;
  closePending_ = true;
  QTimer::singleShot(0, this, [this] {
    closePending_ = false;
    recorder_.CloseStep();
  });
}

void HistoryBinding::Move(bool forward) {
  moving_ = true;
  const history::Move result = forward ? recorder_.Redo() : recorder_.Undo();
  moving_ = false;
  if (result == history::Move::Done) {
    if (restored_) restored_();
    return;
  }
  // The stack moved already; it is made to mirror the recorder again once this command is over.
  if (result == history::Move::Mismatch) prompter_.Message(kMismatch, platform::Buttons::Ok, platform::Icon::Exclamation);
  if (result == history::Move::Failed) prompter_.Message(kNotWritten, platform::Buttons::Ok, platform::Icon::Exclamation);
  QTimer::singleShot(0, this, [this] { Rebuild(); });
}

}  // namespace zelmora::editor
