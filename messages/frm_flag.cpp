#include "messages/frm_flag.h"

#include "ui/platform/code_page.h"
#include "ui/qt/code_page.h"
#include "ui/qt/controls.h"
#include "ui/qt/twip_layout.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>

namespace zelmora::messages {

using qt::PlaceTwips;

frmFlag::frmFlag(FlagChooser& chooser, platform::Prompter& prompter, QWidget* parent)
    : QDialog(parent), chooser_(chooser), prompter_(prompter) {
  qt::SetUpFixedDialog(this, "frmFlag", 4335, 1575);
  setWindowTitle(QStringLiteral("Choose a Flag"));

  lblAvail = new QLabel(QStringLiteral("Available Flags"), this);
  lblAvail->setObjectName(QStringLiteral("lblAvail"));
  PlaceTwips(lblAvail, 120, 120, 2415, 225);
  cboFlag = new QComboBox(this);
  cboFlag->setObjectName(QStringLiteral("cboFlag"));
  qt::LimitDropDown(cboFlag);
  PlaceTwips(cboFlag, 120, 360, 4095, 330);
  Label1 = new QLabel(QStringLiteral("Description"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  PlaceTwips(Label1, 120, 810, 2415, 225);
  txtDesc = new QLineEdit(this);
  txtDesc->setObjectName(QStringLiteral("txtDesc"));
  PlaceTwips(txtDesc, 120, 1050, 2895, 315);
  txtDesc->installEventFilter(this);
  cmdOK = new QPushButton(QStringLiteral("&OK"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  PlaceTwips(cmdOK, 3240, 1020, 975, 375);
  cmdOK->setDefault(true);

  connect(cboFlag, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (!filling_) LineChosen(index);
  });
  connect(cmdOK, &QPushButton::clicked, this, &frmFlag::Ok);
}

void frmFlag::LoadFlags() {
  chooser_.LoadFlags();
  Refresh();
}

void frmFlag::Refresh() {
  filling_ = true;
  cboFlag->clear();
  for (const auto& line : chooser_.Lines()) cboFlag->addItem(qt::FromCp1252(line));
  cboFlag->setCurrentIndex(chooser_.Selected().value_or(-1));
  filling_ = false;
  LineChosen(cboFlag->currentIndex());
}

void frmFlag::Run() {
  Refresh();
  exec();
}

void frmFlag::LineChosen(int index) {
  chooser_.Select(index < 0 ? std::nullopt : std::optional<int>(index));
  txtDesc->setText(qt::FromCp1252(chooser_.Description()));
  txtDesc->setEnabled(chooser_.DescriptionEnabled());
  if (isVisible() && txtDesc->isEnabled()) {
    txtDesc->setFocus();
    txtDesc->selectAll();  // the box may have had the focus already
  }
}

void frmFlag::Ok() {
  const auto description = qt::TypedCp1252(txtDesc->text(), prompter_);
  if (!description) {
    txtDesc->setFocus();
    return;
  }
  if (!chooser_.Accept(*description, prompter_)) {
    txtDesc->setFocus();
    return;
  }
  const int index = chooser_.ChosenIndex();
  cboFlag->setItemText(index, qt::FromCp1252(chooser_.Lines()[static_cast<std::size_t>(index)]));
  accept();
}

void frmFlag::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  cboFlag->setFocus();
}

// The whole description is selected whenever the box takes the focus. A click places the caret
// after the focus arrives, so then the selection waits for the click to be handled.
bool frmFlag::eventFilter(QObject* watched, QEvent* event) {
  if (watched == txtDesc && event->type() == QEvent::FocusIn) {
    if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason) {
      QTimer::singleShot(0, txtDesc, &QLineEdit::selectAll);
    } else {
      txtDesc->selectAll();
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace zelmora::messages
