#pragma once

#include "adventure/wizard_model.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>

class QCheckBox;
class QCloseEvent;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zelmora::qt {
class SpinButton;
}  // namespace zelmora::qt

namespace zelmora::adventure {

class WizardPicture;

// "Adventure Grid Wizard": three steps over the wizard model. Created for one run by whoever
// starts it and gone when it closes.
class frmWizard : public QDialog, private WizardView {
  Q_OBJECT

 public:
  explicit frmWizard(platform::Prompter& prompter, QWidget* parent = nullptr);
  ~frmWizard() override;

  // Makes "&Advanced" visible; `show` runs the advanced options dialog modally.
  void SetAdvanced(std::function<void()> show) { model_->SetAdvanced(std::move(show)); }
  // Remembers the caller and runs the wizard modally.
  void Go(WizardCaller& caller);
  void SetStep(int step) { model_->SetStep(step); }

  WizardModel& Model() { return *model_; }

  // Controls, named as their objectName.
  std::array<QGroupBox*, kWizardSteps> fraStep{};
  std::array<QLabel*, kWizardSteps> lblStep{};
  std::array<WizardPicture*, kWizardSteps> imgStep{};
  QLabel* lblSizeX;
  QLineEdit* SizeX;
  qt::SpinButton* udX;
  QLabel* lblSizeY;
  QLineEdit* SizeY;
  qt::SpinButton* udY;
  std::array<QCheckBox*, 7> chkAct{};
  QPushButton* cmdAdvanced;
  QPushButton* cmdBack;
  QPushButton* cmdNext;
  QPushButton* cmdCancel;

 public:
  // Escape asks as "&Cancel" does.
  void reject() override;

 protected:
  // The close box leaves without a question; nothing is written before Finish.
  void closeEvent(QCloseEvent* event) override;

 private:
  void Build();
  void Connect();
  void SizeEdited(QLineEdit* box, const QString& text);

  // WizardView
  void ShowStep(const WizardStepState& step) override;
  void ShowSizes(const std::string& sizeX, const std::string& sizeY) override;
  void ShowActions(const std::array<bool, 7>& chosen) override;
  void ShowAdvanced(bool visible) override;
  void CloseWizard() override;

  platform::Prompter& prompter_;
  std::unique_ptr<WizardModel> model_;
  int updating_ = 0;
};

}  // namespace zelmora::adventure
