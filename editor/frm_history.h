#pragma once

#include <QDialog>

class QLabel;
class QUndoStack;
class QUndoView;

namespace zelmora::editor {

// The History window: every step of the open system's history, the first line being the state
// before them; a click goes back (or forward) to that step. It stays open beside the other windows.
class frmHistory : public QDialog {
  Q_OBJECT

 public:
  frmHistory(QUndoStack* stack, QWidget* parent = nullptr);

  QUndoView* lvwHistory;
  QLabel* lblHint;
};

}  // namespace zelmora::editor
