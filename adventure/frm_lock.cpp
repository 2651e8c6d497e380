#include "adventure/frm_lock.h"

#include "ui/platform/code_page.h"
#include "ui/qt/code_page.h"
#include "ui/qt/controls.h"
#include "ui/qt/twip_layout.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zelmora::adventure {

using qt::FromCp1252;
using qt::Make;
using qt::PlaceTwips;

frmLock::frmLock(platform::Prompter& prompter, QWidget* parent) : QDialog(parent), prompter_(prompter) {
  qt::SetUpFixedDialog(this, "frmLock", 5640, 3180);
  setWindowTitle(QStringLiteral("Lock Action"));

  lblAction = Make<QLabel>(this, "lblAction", "Select the action you want to lock:");
  PlaceTwips(lblAction, 120, 120, 5400, 195);
  cboAction = Make<QComboBox>(this, "cboAction");
  qt::LimitDropDown(cboAction);
  PlaceTwips(cboAction, 120, 360, 5400, 315);
  lblDesc = Make<QLabel>(this, "lblDesc",
                         "Enter the message for when the action is locked: (for example: \"That door is locked\")");
  lblDesc->setWordWrap(true);
  lblDesc->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  PlaceTwips(lblDesc, 120, 810, 5400, 390);
  txtDesc = Make<QLineEdit>(this, "txtDesc");
  PlaceTwips(txtDesc, 120, 1260, 5400, 315);
  lblNote = Make<QLabel>(this, "lblNote",
                         "After clicking OK, you will be asked to choose a flag. This flag must be set somewhere else "
                         "in order to use this action. If the flag is clear the above message will be displayed.");
  lblNote->setWordWrap(true);
  lblNote->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  PlaceTwips(lblNote, 120, 1740, 5400, 660);
  cmdOK = Make<QPushButton>(this, "cmdOK", "&OK");
  PlaceTwips(cmdOK, 3120, 2640, 1140, 375);
  cmdOK->setDefault(true);
  cmdCancel = Make<QPushButton>(this, "cmdCancel", "&Cancel");
  PlaceTwips(cmdCancel, 4380, 2640, 1140, 375);
  cmdCancel->setAutoDefault(false);

  connect(cboAction, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (!updating_) form_.Select(index >= 0 ? std::optional<int>(index) : std::nullopt);
  });
  connect(txtDesc, &QLineEdit::textEdited, this, &frmLock::DescriptionEdited);
  connect(cmdOK, &QPushButton::clicked, this, &frmLock::Ok);
  connect(cmdCancel, &QPushButton::clicked, this, &frmLock::reject);
}

void frmLock::Clear() {
  form_.Clear();
  ++updating_;
  cboAction->clear();
  txtDesc->clear();
  --updating_;
}

void frmLock::AddItem(const std::string& text, int id) {
  form_.AddItem(text, id);
  ++updating_;
  cboAction->addItem(FromCp1252(text), id);
  // Nothing is chosen until the author picks an action.
  cboAction->setCurrentIndex(form_.Selected().value_or(-1));
  --updating_;
}

std::optional<LockRequest> frmLock::Run(const std::vector<LockChoice>& choices) {
  Clear();
  for (const LockChoice& choice : choices) AddItem(choice.text, choice.number);
  exec();
  if (SelectedID() < 0) return std::nullopt;
  return LockRequest{SelectedID(), Description()};
}

void frmLock::DescriptionEdited(const QString& text) {
  if (auto bytes = qt::TypedCp1252(text, prompter_)) {
    form_.SetDescription(*bytes);
    return;
  }
  txtDesc->setText(FromCp1252(form_.Description()));
}

void frmLock::Ok() {
  if (!form_.Accept(prompter_)) return;
  accept();
}

// Cancel, Escape and the close box: nothing is locked.
void frmLock::reject() {
  Clear();
  QDialog::reject();
}

}  // namespace zelmora::adventure
