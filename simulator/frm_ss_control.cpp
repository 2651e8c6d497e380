#include "simulator/frm_ss_control.h"

#include "simulator/frm_respond.h"
#include "simulator/recorded_test.h"
#include "simulator/start_point.h"
#include "ui/qt/code_page.h"
#include "ui/qt/controls.h"
#include "ui/qt/twip_layout.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QTimer>

namespace zelmora::simulator {

using qt::Make;
using qt::PlaceTwips;

namespace {

constexpr int kWidth = 6360;
constexpr int kHeight = 5580;
constexpr int kInner = kWidth - 240;
constexpr int kTraceWidth = 7200;

// A caption shown as written: "&" in a level or planet name is no access key.
QString Literal(const std::string& text) {
  QString s = qt::FromCp1252(text);
  s.replace(QLatin1Char('&'), QStringLiteral("&&"));
  return s;
}

QLabel* PlainLabel(QWidget* parent, const char* name, const char* caption) {
  auto* label = Make<QLabel>(parent, name, caption);
  label->setTextFormat(Qt::PlainText);  // "<Player>" is text, not markup
  return label;
}

}  // namespace

frmSSControl::frmSSControl(QWidget* parent) : QDialog(parent) {
  qt::SetUpFixedDialog(this, "frmSSControl", kWidth, kHeight);
  setWindowTitle(QStringLiteral("Solar System Control Panel"));

  cmdNotes = Make<QPushButton>(this, "cmdNotes", "Message Level: INIT");
  PlaceTwips(cmdNotes, 120, 120, kInner, 360);

  pnlOrbiting = PlainLabel(this, "pnlOrbiting", "");
  PlaceTwips(pnlOrbiting, 120, 570, kInner, 375);
  pnlOrbiting->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  pnlOrbiting->setAlignment(Qt::AlignCenter);
  QFont bold = pnlOrbiting->font();
  bold.setBold(true);
  pnlOrbiting->setFont(bold);

  pnlMessage = Make<QFrame>(this, "pnlMessage");
  PlaceTwips(pnlMessage, 120, 1065, kInner, 2055);
  pnlMessage->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  lblMessage = PlainLabel(pnlMessage, "lblMessage", "Message from Planet:");
  PlaceTwips(lblMessage, 120, 90, kInner - 240, 240);
  lblMessage->setFont(bold);
  Message = PlainLabel(pnlMessage, "Message", "");
  PlaceTwips(Message, 120, 375, kInner - 240, 1140);
  Message->setWordWrap(true);
  Message->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  cmdRespond = Make<QPushButton>(pnlMessage, "cmdRespond", "&Respond");
  PlaceTwips(cmdRespond, kInner - 120 - 1335 - 150 - 1335, 1575, 1335, 360);
  cmdIgnore = Make<QPushButton>(pnlMessage, "cmdIgnore", "&Ignore");
  PlaceTwips(cmdIgnore, kInner - 120 - 1335, 1575, 1335, 360);

  pnlCommands = Make<QFrame>(this, "pnlCommands");
  PlaceTwips(pnlCommands, 120, 3240, kInner, 1740);
  pnlCommands->setFrameStyle(QFrame::Panel | QFrame::Raised);
  lblCommands = Make<QLabel>(pnlCommands, "lblCommands", "Commands");
  PlaceTwips(lblCommands, 120, 60, 1800, 240);
  lblCommands->setFont(bold);
  struct CommandButton {
    QPushButton** member;
    PanelCommand command;
    const char* name;
    const char* caption;
  };
  const CommandButton buttons[] = {
      {&cmdHail, PanelCommand::Hail, "cmdHail", "&Hail"},
      {&cmdLeaveOrbit, PanelCommand::LeaveOrbit, "cmdLeaveOrbit", "&Leave"},
      {&cmdEnterOrbit, PanelCommand::EnterOrbit, "cmdEnterOrbit", "&Orbit"},
      {&cmdBeam, PanelCommand::Beam, "cmdBeam", "&Beam"},
      {&cmdEnergy, PanelCommand::Energy, "cmdEnergy", "&Energy"},
      {&cmdExit, PanelCommand::Exit, "cmdExit", "E&xit"},
      {&cmdPhaser, PanelCommand::Phaser, "cmdPhaser", "Ph&aser"},
      {&cmdPhoton, PanelCommand::Photon, "cmdPhoton", "&Photon"},
      {&cmdShields, PanelCommand::Shields, "cmdShields", "&Shields"},
  };
  constexpr int kColumnWidth = 1890, kColumnPitch = 1995, kRowPitch = 435;
  for (int i = 0; i < kPanelCommandCount; ++i) {
    const auto& b = buttons[i];
    *b.member = Make<QPushButton>(pnlCommands, b.name, b.caption);
    PlaceTwips(*b.member, 120 + (i % 3) * kColumnPitch, 360 + (i / 3) * kRowPitch, kColumnWidth, 375);
    commands_[static_cast<std::size_t>(b.command)] = *b.member;
  }

  cmdBack = Make<QPushButton>(this, "cmdBack", "Step Bac&k");
  cmdBack->setToolTip(
      QStringLiteral("Takes back the last command: the test is played again from its start without it"));
  PlaceTwips(cmdBack, 120 + kInner - 1890, 5085, 1890, 375);
  chkTrace = Make<QCheckBox>(this, "chkTrace", "Show Tra&ce");
  chkTrace->setToolTip(QStringLiteral("Shows beside the panel why each message was chosen"));
  PlaceTwips(chkTrace, 240, 5145, 2400, 255);

  // Only a place for the focus to rest: out of the tab order, and last, so it never starts with it.
  cmdGoat = Make<QPushButton>(this, "cmdGoat");
  cmdGoat->setFlat(true);
  cmdGoat->setFocusPolicy(Qt::ClickFocus);
  PlaceTwips(cmdGoat, 0, 0, 15, 15);

  tmrMessage = new QTimer(this);
  tmrMessage->setObjectName(QStringLiteral("tmrMessage"));
  tmrMessage->setInterval(1000);
  tmrFlags = new QTimer(this);
  tmrFlags->setObjectName(QStringLiteral("tmrFlags"));
  tmrFlags->setInterval(200);
  connect(tmrMessage, &QTimer::timeout, this, &frmSSControl::MessageTick);
  connect(tmrFlags, &QTimer::timeout, this, &frmSSControl::StatusTick);

  txtTrace = Make<QPlainTextEdit>(this, "txtTrace");
  PlaceTwips(txtTrace, kWidth, 120, kTraceWidth - 120, kHeight - 240);
  txtTrace->setReadOnly(true);
  txtTrace->setLineWrapMode(QPlainTextEdit::NoWrap);
  txtTrace->setMaximumBlockCount(20000);  // a clock left running writes on; the oldest lines go
  txtTrace->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  txtTrace->setFocusPolicy(Qt::ClickFocus);
  txtTrace->hide();

  respond_ = new frmRespond(this);

  connect(cmdNotes, &QPushButton::clicked, this, [this] { Command("status"); });
  connect(cmdRespond, &QPushButton::clicked, this, [this] { Command("respond"); });
  connect(cmdIgnore, &QPushButton::clicked, this, [this] { Command("ignore"); });
  connect(cmdHail, &QPushButton::clicked, this, [this] { Command("hail"); });
  connect(cmdLeaveOrbit, &QPushButton::clicked, this, [this] { Command("leave"); });
  connect(cmdBeam, &QPushButton::clicked, this, [this] { Command("beam"); });
  connect(cmdEnergy, &QPushButton::clicked, this, [this] { Command("energy"); });
  connect(cmdExit, &QPushButton::clicked, this, [this] { Command("exit"); });
  connect(cmdPhaser, &QPushButton::clicked, this, [this] { Command("phaser"); });
  connect(cmdPhoton, &QPushButton::clicked, this, [this] { Command("photon"); });
  connect(cmdBack, &QPushButton::clicked, this, &frmSSControl::StepBack);
  connect(chkTrace, &QCheckBox::clicked, this, [this](bool shown) {
    SetTraceShown(shown);
    if (traceToggled_) traceToggled_(shown);
  });
  // Orbit is disabled in orbit, and the shields have no command of their own.

  Reset();
}

void frmSSControl::SetTraceShown(bool shown) {
  traceShown_ = shown;
  chkTrace->setChecked(shown);
  txtTrace->setVisible(shown);
  // The newest lines in view as it appears.
  if (shown) txtTrace->verticalScrollBar()->setValue(txtTrace->verticalScrollBar()->maximum());
  setFixedSize(qt::TwipsToPixels(kWidth + (shown ? kTraceWidth : 0)), qt::TwipsToPixels(kHeight));
}

void frmSSControl::Reset() {
  ShowNewPanel(*this);
  txtTrace->clear();
  UpdateStepBack();
}

void frmSSControl::Run(RecordedTest& test) {
  test_ = &test;
  Reset();
  setWindowTitle(qt::FromCp1252(ControlPanelCaption(test.Session().Start().from)));
  statusRunning_ = true;
  UpdateTimers();
  exec();
  statusRunning_ = false;
  clockRunning_ = false;
  UpdateTimers();
  test_ = nullptr;
}

void frmSSControl::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Orbit entry once the panel is up, so that its boxes stand in front of it.
  QTimer::singleShot(0, this, [this] {
    if (test_) test_->Enter();
  });
}

void frmSSControl::Command(const char* name) {
  if (test_) test_->Command(name);
  UpdateStepBack();
}

void frmSSControl::StepBack() {
  if (test_) test_->StepBack();
  UpdateStepBack();
}

void frmSSControl::UpdateStepBack() { cmdBack->setEnabled(test_ && test_->CanStepBack()); }

void frmSSControl::MessageTick() {
  if (test_) test_->MessageTick();
}

void frmSSControl::StatusTick() {
  if (test_) test_->StatusTick();
}

void frmSSControl::SetTimersEnabled(bool enabled) {
  timersEnabled_ = enabled;
  UpdateTimers();
}

void frmSSControl::UpdateTimers() {
  const auto set = [](QTimer* timer, bool on) {
    if (on && !timer->isActive()) timer->start();
    else if (!on && timer->isActive()) timer->stop();
  };
  set(tmrMessage, timersEnabled_ && clockRunning_);
  set(tmrFlags, timersEnabled_ && statusRunning_);
}

void frmSSControl::closeEvent(QCloseEvent* event) {
  // The close box leaves orbit as Exit does; the test is kept like any other.
  if (test_ && !test_->Ended()) {
    event->ignore();
    Command("exit");
    return;
  }
  QDialog::closeEvent(event);
}

void frmSSControl::reject() {
  // Escape does not end a test: the panel has no cancel button.
  if (test_ && !test_->Ended()) return;
  QDialog::reject();
}

// ---- ControlPanelView

void frmSSControl::SetOrbitBanner(const std::string& caption, bool visible) {
  pnlOrbiting->setText(qt::FromCp1252(caption));
  pnlOrbiting->setVisible(visible);
}

void frmSSControl::SetMessageTitle(const std::string& title) { lblMessage->setText(qt::FromCp1252(title)); }

void frmSSControl::SetMessageText(const std::string& text) {
  QString shown = qt::FromCp1252(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  Message->setText(shown);
}

void frmSSControl::SetMessageVisible(bool visible) {
  pnlMessage->setVisible(visible);
  cmdRespond->setVisible(visible);
  cmdIgnore->setVisible(visible);
}

void frmSSControl::SetCommandEnabled(PanelCommand command, bool enabled) { Button(command)->setEnabled(enabled); }

void frmSSControl::SetStatusCaption(const std::string& caption) { cmdNotes->setText(Literal(caption)); }

void frmSSControl::SetMessageClock(bool running) {
  clockRunning_ = running;
  UpdateTimers();
}

std::optional<int> frmSSControl::ChooseResponse(const std::vector<ResponseOption>& options) {
  return respond_->Choose(options);
}

void frmSSControl::FocusIdle() { cmdGoat->setFocus(); }

void frmSSControl::ClosePanel() { accept(); }

void frmSSControl::TraceLine(const std::string& line) { txtTrace->appendPlainText(qt::FromCp1252(line)); }

void frmSSControl::TraceRestarted() { txtTrace->clear(); }

}  // namespace zelmora::simulator
