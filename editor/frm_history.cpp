#include "editor/frm_history.h"

#include <QLabel>
#include <QUndoView>
#include <QVBoxLayout>

namespace zelmora::editor {

frmHistory::frmHistory(QUndoStack* stack, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmHistory"));
  setWindowTitle(QStringLiteral("History"));
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  lblHint = new QLabel(QStringLiteral("Click a step to go back (or forward) to it."), this);
  lblHint->setObjectName(QStringLiteral("lblHint"));
  lvwHistory = new QUndoView(stack, this);
  lvwHistory->setObjectName(QStringLiteral("lvwHistory"));
  lvwHistory->setEmptyLabel(QStringLiteral("<opened>"));
  layout->addWidget(lblHint);
  layout->addWidget(lvwHistory);
  resize(360, 420);
}

}  // namespace zelmora::editor
