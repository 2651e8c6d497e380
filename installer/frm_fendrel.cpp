#include "installer/frm_fendrel.h"

#include "installer/animation_frames.h"
#include "installer/installer_texts.h"
#include "ui/qt/code_page.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace zelmora::installer {

namespace {
constexpr int kFrameSize = 64;
}

frmFendrel::frmFendrel(const platform::Machine& machine, platform::Prompter& prompter, std::string ownFolder,
                       QWidget* parent)
    : QWidget(parent), session_(machine, prompter, *this, std::move(ownFolder)) {
  setObjectName(QStringLiteral("frmFendrel"));
  setWindowTitle(qt::FromCp1252(kCaption));

  picAnim = new QLabel(this);
  picAnim->setObjectName(QStringLiteral("picAnim"));
  picAnim->setFixedSize(kFrameSize, kFrameSize);
  auto frames = DrawAnimationFrames(kFrameSize);
  for (int i = 0; i < kAnimationFrames; ++i) {
    imgAnim[i] = new QLabel(this);
    imgAnim[i]->setObjectName(QStringLiteral("imgAnim_%1").arg(i));
    imgAnim[i]->setPixmap(frames[i]);
    imgAnim[i]->hide();
  }
  picAnim->setPixmap(imgAnim[0]->pixmap());

  lblStatus = new QLabel(qt::FromCp1252(kSearching), this);
  lblStatus->setObjectName(QStringLiteral("lblStatus"));
  lblStatus->setMinimumWidth(220);

  cmdBrowse = new QPushButton(qt::FromCp1252(kBrowseText), this);
  cmdBrowse->setObjectName(QStringLiteral("cmdBrowse"));
  cmdCancel = new QPushButton(qt::FromCp1252(kCancelText), this);
  cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
  cmdVerify = new QPushButton(qt::FromCp1252(kVerifyText), this);
  cmdVerify->setObjectName(QStringLiteral("cmdVerify"));
  cmdVerify->hide();

  tmrAnim = new QTimer(this);
  tmrAnim->setObjectName(QStringLiteral("tmrAnim"));
  tmrAnim->setInterval(200);

  auto* top = new QHBoxLayout;
  top->addWidget(picAnim);
  top->addSpacing(12);
  top->addWidget(lblStatus, 1);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch(1);
  bottom->addWidget(cmdBrowse);
  bottom->addWidget(cmdCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addSpacing(8);
  layout->addLayout(bottom);
  setFixedSize(sizeHint());

  connect(tmrAnim, &QTimer::timeout, this, &frmFendrel::NextFrame);
  connect(cmdBrowse, &QPushButton::clicked, this, [this] { session_.Browse(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { session_.Cancel(); });
  connect(cmdVerify, &QPushButton::clicked, this, &frmFendrel::Verify);

  session_.Load();
  tmrAnim->start();
}

void frmFendrel::Start() { session_.Run(); }

void frmFendrel::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!startQueued_) {
    startQueued_ = true;
    QTimer::singleShot(0, this, &frmFendrel::Start);
  }
}

void frmFendrel::closeEvent(QCloseEvent* event) {
  // Closing the window is Cancel.
  if (!session_.Ended()) session_.Cancel();
  event->accept();
}

void frmFendrel::NextFrame() {
  frame_ = (frame_ + 1) % kAnimationFrames;
  picAnim->setPixmap(imgAnim[frame_]->pixmap());
}

void frmFendrel::Verify() {
  QString folder = cmdVerify->property("tag").toString();
  cmdVerify->setToolTip(qt::FromCp1252(SearchSession::Verdict(QFile::encodeName(folder).toStdString())));
}

void frmFendrel::ShowStatus(const std::string& text, bool bold) {
  lblStatus->setText(qt::FromCp1252(text));
  QFont font = lblStatus->font();
  font.setBold(bold);
  lblStatus->setFont(font);
  lblStatus->repaint();
}

void frmFendrel::EnableButtons(bool on) {
  cmdBrowse->setEnabled(on);
  cmdCancel->setEnabled(on);
}

void frmFendrel::StopAnimation() {
  tmrAnim->stop();
  frame_ = 0;
  picAnim->setPixmap(imgAnim[0]->pixmap());
}

void frmFendrel::ProcessEvents() { QCoreApplication::processEvents(); }

void frmFendrel::WaitForEvents() { QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents); }

void frmFendrel::EndProgram() {
  tmrAnim->stop();
  hide();
  emit programEnded();
}

}  // namespace zelmora::installer
