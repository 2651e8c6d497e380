#include "editor/frm_get_number.h"

#include "ui/platform/text_rules.h"
#include "ui/qt/code_page.h"
#include "ui/qt/twip_layout.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

namespace zelmora::editor {

using qt::PlaceTwips;

namespace {
QString Text(float number) { return qt::FromCp1252(FormatNumber(number)); }
}  // namespace

frmGetNumber::frmGetNumber(QWidget* parent) : QDialog(parent) {
  qt::SetUpFixedDialog(this, "frmGetNumber", 4455, 1470);

  lblMessage = new QLabel(this);
  lblMessage->setObjectName(QStringLiteral("lblMessage"));
  lblMessage->setWordWrap(true);
  lblMessage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  PlaceTwips(lblMessage, 120, 120, 3135, 615);
  txtNumber = new QLineEdit(this);
  txtNumber->setObjectName(QStringLiteral("txtNumber"));
  PlaceTwips(txtNumber, 120, 900, 1215, 315);
  vsbNumber = new QScrollBar(Qt::Vertical, this);
  vsbNumber->setObjectName(QStringLiteral("vsbNumber"));
  vsbNumber->setFocusPolicy(Qt::StrongFocus);
  PlaceTwips(vsbNumber, 1335, 870, 255, 375);
  vsbNumber->setSingleStep(1);
  vsbNumber->setPageStep(100);
  lblUnit = new QLabel(QStringLiteral("unit"), this);
  lblUnit->setObjectName(QStringLiteral("lblUnit"));
  PlaceTwips(lblUnit, 1710, 960, 1545, 195);
  // The result and the scale are kept in hidden labels, as the callers of the form read them.
  lblNumber = new QLabel(QStringLiteral("0"), this);
  lblNumber->setObjectName(QStringLiteral("lblNumber"));
  PlaceTwips(lblNumber, 1710, 1200, 735, 195);
  lblNumber->hide();
  ScaleFactor = new QLabel(QStringLiteral("1"), this);
  ScaleFactor->setObjectName(QStringLiteral("ScaleFactor"));
  PlaceTwips(ScaleFactor, 2520, 1200, 735, 195);
  ScaleFactor->hide();

  cmdOK = new QPushButton(QStringLiteral("&OK"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  PlaceTwips(cmdOK, 3360, 120, 975, 375);
  cmdOK->setDefault(true);
  cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
  cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
  PlaceTwips(cmdCancel, 3360, 585, 975, 375);

  connect(vsbNumber, &QScrollBar::valueChanged, this, &frmGetNumber::BarMoved);
  connect(txtNumber, &QLineEdit::textChanged, this, &frmGetNumber::Typed);
  connect(txtNumber, &QLineEdit::editingFinished, this, &frmGetNumber::FinishTyping);
  connect(cmdOK, &QPushButton::clicked, this, [this] {
    FinishTyping();
    accept();
  });
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmGetNumber::Load(const std::string& message, const std::string& title, const std::string& unit,
                        float defaultValue, float minimum, float maximum, float scale) {
  setWindowTitle(qt::FromCp1252(title));
  lblMessage->setText(qt::FromCp1252(message));
  lblUnit->setText(qt::FromCp1252(unit));
  minimum_ = minimum;
  maximum_ = maximum;
  bar_ = MakeNumberBar(minimum, maximum, scale);
  ScaleFactor->setText(Text(bar_.scale));
  updating_ = true;
  vsbNumber->setRange(std::min(bar_.minimum, bar_.maximum), std::max(bar_.minimum, bar_.maximum));
  updating_ = false;
  Show(OpeningNumber(defaultValue, minimum, maximum), true, true);
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  txtNumber->selectAll();
  txtNumber->setFocus();
}

void frmGetNumber::Show(float number, bool updateText, bool updateBar) {
  updating_ = true;
  shown_ = number;
  lblNumber->setText(Text(number));
  if (updateText) txtNumber->setText(Text(number));
  if (updateBar) vsbNumber->setValue(BarValueFor(bar_, number));
  updating_ = false;
}

void frmGetNumber::BarMoved(int value) {
  if (!updating_) Show(NumberAt(bar_, value), true, false);
}

// Numbers above the range are replaced at once; one below it is only replaced when typing ends,
// since every number typed digit by digit starts out small.
void frmGetNumber::Typed(const QString& text) {
  if (updating_) return;
  float typed = static_cast<float>(platform::LeadingNumber(qt::ToCp1252(text)));
  float kept = KeepInBar(bar_, typed);
  Show(kept, typed > bar_.Highest(), true);
}

void frmGetNumber::FinishTyping() {
  if (txtNumber->text() != lblNumber->text()) Show(shown_, true, false);
}

float frmGetNumber::Result(bool accepted) const { return NumberResult(accepted, shown_, minimum_, maximum_); }

float frmGetNumber::GetNumber(const std::string& message, const std::string& title, const std::string& unit,
                              float defaultValue, float minimum, float maximum, float scale) {
  Load(message, title, unit, defaultValue, minimum, maximum, scale);
  bool accepted = exec() == QDialog::Accepted;
  return Result(accepted);
}

}  // namespace zelmora::editor
