#include "adventure/frm_wizard.h"

#include "adventure/room_model.h"
#include "adventure/wizard_picture_widget.h"
#include "ui/platform/code_page.h"
#include "ui/qt/code_page.h"
#include "ui/qt/controls.h"
#include "ui/qt/spin_button.h"
#include "ui/qt/twip_layout.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zelmora::adventure {

using qt::FromCp1252;
using qt::Make;
using qt::PlaceTwips;

using qt::IndexedName;

namespace {


// Twips.
constexpr int kFormWidth = 7200;
constexpr int kFormHeight = 4440;
constexpr int kFrameLeft = 120;
constexpr int kFrameOut = -10000;
constexpr int kFrameWidth = 6960;
constexpr int kFrameHeight = 3600;
constexpr int kContentLeft = 2400;

}  // namespace

frmWizard::frmWizard(platform::Prompter& prompter, QWidget* parent) : QDialog(parent), prompter_(prompter) {
  qt::SetUpFixedDialog(this, "frmWizard", kFormWidth, kFormHeight);
  setWindowTitle(QLatin1String(kWizardCaption));
  Build();
  WizardView& view = *this;
  model_ = std::make_unique<WizardModel>(prompter_, view, kWizardCaption);
  Connect();
  model_->Repaint();
}

frmWizard::~frmWizard() {
  for (QObject* child : findChildren<QObject*>()) child->blockSignals(true);
}

void frmWizard::Build() {
  for (int s = 0; s < kWizardSteps; ++s) {
    const auto step = static_cast<std::size_t>(s);
    fraStep[step] = Make<QGroupBox>(this, IndexedName("fraStep", s).c_str());
    fraStep[step]->setTitle(QLatin1String(kStepCaptions[step]));
    PlaceTwips(fraStep[step], kFrameLeft, 120, kFrameWidth, kFrameHeight);
    imgStep[step] = new WizardPicture(s, fraStep[step]);
    PlaceTwips(imgStep[step], 120, 300, 2160, kFrameHeight - 420);
    lblStep[step] = Make<QLabel>(fraStep[step], IndexedName("lblStep", s).c_str(), kStepPrompts[step]);
    lblStep[step]->setWordWrap(true);
    lblStep[step]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    PlaceTwips(lblStep[step], kContentLeft, 360, kFrameWidth - kContentLeft - 120, 435);
  }

  QGroupBox* size = fraStep[0];
  lblSizeX = Make<QLabel>(size, "lblSizeX", "Columns (west to east):");
  PlaceTwips(lblSizeX, kContentLeft, 1080, 1920, 195);
  SizeX = Make<QLineEdit>(size, "SizeX");
  PlaceTwips(SizeX, kContentLeft + 1980, 1020, 600, 315);
  udX = Make<qt::SpinButton>(size, "udX");
  PlaceTwips(udX, kContentLeft + 2580, 1020, 255, 315);
  lblSizeY = Make<QLabel>(size, "lblSizeY", "Rows (north to south):");
  PlaceTwips(lblSizeY, kContentLeft, 1560, 1920, 195);
  SizeY = Make<QLineEdit>(size, "SizeY");
  PlaceTwips(SizeY, kContentLeft + 1980, 1500, 600, 315);
  udY = Make<qt::SpinButton>(size, "udY");
  PlaceTwips(udY, kContentLeft + 2580, 1500, 255, 315);

  QGroupBox* actions = fraStep[1];
  for (int i = 0; i < 7; ++i) {
    chkAct[static_cast<std::size_t>(i)] =
        Make<QCheckBox>(actions, IndexedName("chkAct", i).c_str(), kSlotCaptions[static_cast<std::size_t>(i)]);
    PlaceTwips(chkAct[static_cast<std::size_t>(i)], kContentLeft, 900 + 285 * i, kFrameWidth - kContentLeft - 120, 255);
  }
  cmdAdvanced = Make<QPushButton>(actions, "cmdAdvanced", "&Advanced");
  PlaceTwips(cmdAdvanced, kContentLeft, 3060, 1440, 375);
  cmdAdvanced->hide();

  cmdBack = Make<QPushButton>(this, "cmdBack", "< &Back");
  PlaceTwips(cmdBack, kFormWidth - 120 - 3 * 1140 - 120, 3900, 1140, 375);
  cmdNext = Make<QPushButton>(this, "cmdNext", kNextCaption);
  PlaceTwips(cmdNext, kFormWidth - 120 - 2 * 1140 - 60, 3900, 1140, 375);
  cmdCancel = Make<QPushButton>(this, "cmdCancel", "&Cancel");
  PlaceTwips(cmdCancel, kFormWidth - 120 - 1140, 3900, 1140, 375);
  for (QPushButton* button : findChildren<QPushButton*>()) button->setAutoDefault(false);
  cmdNext->setDefault(true);
}

void frmWizard::Connect() {
  connect(SizeX, &QLineEdit::textEdited, this, [this](const QString& text) { SizeEdited(SizeX, text); });
  connect(SizeY, &QLineEdit::textEdited, this, [this](const QString& text) { SizeEdited(SizeY, text); });
  connect(udX, &qt::SpinButton::UpClicked, this, [this] { model_->SpinSizeX(+1); });
  connect(udX, &qt::SpinButton::DownClicked, this, [this] { model_->SpinSizeX(-1); });
  connect(udY, &qt::SpinButton::UpClicked, this, [this] { model_->SpinSizeY(+1); });
  connect(udY, &qt::SpinButton::DownClicked, this, [this] { model_->SpinSizeY(-1); });
  for (int i = 0; i < 7; ++i) {
    connect(chkAct[static_cast<std::size_t>(i)], &QCheckBox::toggled, this, [this, i](bool on) {
      if (!updating_) model_->SetAction(i, on);
    });
  }
  connect(cmdAdvanced, &QPushButton::clicked, this, [this] { model_->Advanced(); });
  connect(cmdBack, &QPushButton::clicked, this, [this] { model_->Back(); });
  connect(cmdNext, &QPushButton::clicked, this, [this] { model_->Next(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { model_->Cancel(); });
}

void frmWizard::Go(WizardCaller& caller) {
  model_->SetCaller(caller);
  exec();
}

void frmWizard::SizeEdited(QLineEdit* box, const QString& text) {
  if (updating_) return;
  const auto bytes = qt::TypedCp1252(text, prompter_);
  if (!bytes) {
    ShowSizes(model_->Choices().sizeX, model_->Choices().sizeY);
    return;
  }
  if (box == SizeX) {
    model_->TypeSizeX(*bytes);
  } else {
    model_->TypeSizeY(*bytes);
  }
}

void frmWizard::reject() { model_->Cancel(); }

void frmWizard::closeEvent(QCloseEvent* event) {
  event->accept();
  QDialog::done(QDialog::Rejected);
}

// ---- the model's view

void frmWizard::ShowStep(const WizardStepState& step) {
  for (int s = 0; s < kWizardSteps; ++s) {
    QGroupBox* frame = fraStep[static_cast<std::size_t>(s)];
    const bool shown = s == step.step;
    frame->setEnabled(shown);
    frame->move(qt::TwipsToPixels(shown ? kFrameLeft : kFrameOut), frame->y());
    frame->setVisible(shown);
  }
  cmdBack->setEnabled(step.backEnabled);
  cmdNext->setText(QLatin1String(step.nextCaption.c_str()));
  setWindowTitle(FromCp1252(step.caption));
}

void frmWizard::ShowSizes(const std::string& sizeX, const std::string& sizeY) {
  ++updating_;
  if (SizeX->text() != FromCp1252(sizeX)) SizeX->setText(FromCp1252(sizeX));
  if (SizeY->text() != FromCp1252(sizeY)) SizeY->setText(FromCp1252(sizeY));
  --updating_;
}

void frmWizard::ShowActions(const std::array<bool, 7>& chosen) {
  ++updating_;
  for (std::size_t i = 0; i < chosen.size(); ++i) chkAct[i]->setChecked(chosen[i]);
  --updating_;
}

void frmWizard::ShowAdvanced(bool visible) { cmdAdvanced->setVisible(visible); }

void frmWizard::CloseWizard() { QDialog::done(QDialog::Accepted); }

}  // namespace zelmora::adventure
