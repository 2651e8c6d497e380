#include "simulator/frm_respond.h"

#include "simulator/window_placement.h"
#include "ui/qt/code_page.h"
#include "ui/qt/controls.h"
#include "ui/qt/twip_layout.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>

namespace zelmora::simulator {

using qt::PlaceTwips;

namespace {
constexpr int kWidth = 7920;  // a response may be 7230 twips wide, beside its round button
constexpr int kMargin = 120;
constexpr int kOptionHeight = 285;
constexpr int kOptionWidth = kWidth - 2 * kMargin;
// The invisible template sits one option above the first, so the options start at the margin.
constexpr int kTemplateTop = kMargin - kOptionHeight;
constexpr int kButtonHeight = 375;
constexpr int kButtonsTop = kMargin + kMargin;  // below no options at all
constexpr int kHeight = kButtonsTop + kButtonHeight + kMargin;
}  // namespace

frmRespond::frmRespond(QWidget* parent) : QDialog(parent) {
  qt::SetUpFixedDialog(this, "frmRespond", kWidth, kHeight);
  setWindowTitle(QStringLiteral("Choose a Message"));
  Response_0 = qt::Make<QRadioButton>(this, "Response_0");
  PlaceTwips(Response_0, kMargin, kTemplateTop, kOptionWidth, kOptionHeight);
  Response_0->hide();
  cmdSend = qt::Make<QPushButton>(this, "cmdSend", "&Send Message");
  PlaceTwips(cmdSend, kWidth - kMargin - 1200 - 120 - 1560, kButtonsTop, 1560, kButtonHeight);
  cmdClose = qt::Make<QPushButton>(this, "cmdClose", "&Close");
  PlaceTwips(cmdClose, kWidth - kMargin - 1200, kButtonsTop, 1200, kButtonHeight);
  cmdSend->setDefault(true);
  connect(cmdSend, &QPushButton::clicked, this, &frmRespond::Send);
  connect(cmdClose, &QPushButton::clicked, this, &frmRespond::reject);
}

void frmRespond::AddResponseOption(const ResponseOption& option) {
  if (option.caption.empty() || Option(option.index)) return;
  QString caption = qt::FromCp1252(option.caption);
  caption.replace(QLatin1Char('&'), QStringLiteral("&&"));  // the author's text, not access keys
  auto* button = qt::Make<QRadioButton>(this, "Response");
  button->setObjectName(QStringLiteral("Response_%1").arg(option.index));
  button->setText(caption);
  const int shown = static_cast<int>(options_.size()) + 1;
  PlaceTwips(button, kMargin, kTemplateTop + shown * kOptionHeight, kOptionWidth, kOptionHeight);
  button->show();
  options_.emplace_back(option.index, button);
  const int grown = shown * kOptionHeight;
  cmdSend->move(cmdSend->x(), qt::TwipsToPixels(kButtonsTop + grown));
  cmdClose->move(cmdClose->x(), qt::TwipsToPixels(kButtonsTop + grown));
  setFixedHeight(qt::TwipsToPixels(kHeight + grown));
}

void frmRespond::RemoveOptions() {
  for (auto& [index, button] : options_) delete button;
  options_.clear();
  cmdSend->move(cmdSend->x(), qt::TwipsToPixels(kButtonsTop));
  cmdClose->move(cmdClose->x(), qt::TwipsToPixels(kButtonsTop));
  setFixedHeight(qt::TwipsToPixels(kHeight));
}

void frmRespond::Offer(const std::vector<ResponseOption>& options) {
  RemoveOptions();
  for (const auto& option : options) AddResponseOption(option);
}

QRadioButton* frmRespond::Option(int index) const {
  for (const auto& [i, button] : options_) {
    if (i == index) return button;
  }
  return nullptr;
}

std::optional<int> frmRespond::Choose(const std::vector<ResponseOption>& options) {
  Offer(options);
  exec();
  return tag_;
}

void frmRespond::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen()) {
    const QRect area = s->availableGeometry();
    const QRect frame = frameGeometry();
    const auto at = CentreOnScreen({area.x(), area.y(), area.width(), area.height()}, frame.width(), frame.height());
    move(at.left, at.top);
  }
  for (auto& [index, button] : options_) {
    button->setAutoExclusive(false);  // an exclusive group cannot be all cleared
    button->setChecked(false);
    button->setAutoExclusive(true);
  }
  cmdSend->setFocus();
}

void frmRespond::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key >= Qt::Key_1 && key <= Qt::Key_9 && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    if (QRadioButton* option = Option(key - Qt::Key_0)) {
      option->setChecked(true);
      cmdSend->setFocus();
    }
    return;
  }
  QDialog::keyPressEvent(event);
}

void frmRespond::Send() {
  tag_.reset();
  for (const auto& [index, button] : options_) {
    if (button->isChecked()) tag_ = index;
  }
  RemoveOptions();
  accept();
}

void frmRespond::reject() {
  RemoveOptions();
  tag_.reset();
  QDialog::reject();
}

}  // namespace zelmora::simulator
