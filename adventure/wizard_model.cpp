#include "adventure/wizard_model.h"

#include "store/descriptor_store.h"
#include "ui/platform/text_rules.h"

#include <algorithm>

namespace zelmora::adventure {

void ScriptWizardCaller::Finish(const GridChoices& choices) {
  // Over a thousand keys for a 10 x 10 grid: one rewrite of the working copy, not one per key.
  store::EditAction action(script_.Store(), "Wizard " + choices.sizeX + " x " + choices.sizeY);
  store::DescriptorBatch batch(script_.Store(), script_.Record().Name);
  if (customOn_) customOn_();
  FinishGrid(choices, script_);
}

namespace {

std::string Spun(const std::string& text, int delta) {
  const int value = std::clamp(platform::ToInt32(text), kMinGridSize, kMaxGridSize);
  return std::to_string(std::clamp(value + delta, kMinGridSize, kMaxGridSize));
}

}  // namespace

WizardModel::WizardModel(platform::Prompter& prompter, WizardView& view, std::string caption)
    : prompter_(prompter), view_(view), caption_(std::move(caption)) {
  SetStep(0);
}

void WizardModel::SetAdvanced(std::function<void()> show) {
  advanced_ = std::move(show);
  Publish();
}

void WizardModel::SetStep(int step) {
  if (step < 0 || step >= kWizardSteps) return;
  step_.step = step;
  step_.backEnabled = step > 0;
  step_.nextCaption = step == kWizardSteps - 1 ? kFinishCaption : kNextCaption;
  step_.caption = caption_ + " - " + kStepCaptions[static_cast<std::size_t>(step)];
  Publish();
}

void WizardModel::Next() {
  if (finished_) return;
  if (step_.step == kWizardSteps - 1) {
    if (caller_) caller_->Finish(choices_);
    finished_ = true;
    view_.CloseWizard();
    return;
  }
  const bool valid = !caller_ || caller_->Validate(choices_);
  if (valid) {
    SetStep(step_.step + 1);
  } else {
    Publish();  // the boxes show the corrected sizes
  }
}

void WizardModel::Back() { SetStep(step_.step - 1); }

bool WizardModel::Cancel() {
  if (prompter_.Message("Are you sure you want to exit the wizard?", platform::Buttons::YesNo,
                        platform::Icon::Question, "Exit Wizard") != platform::Answer::Yes) {
    return false;
  }
  view_.CloseWizard();
  return true;
}

void WizardModel::Advanced() {
  if (advanced_) advanced_();
}

void WizardModel::TypeSizeX(const std::string& text) {
  choices_.sizeX = text;
  Publish();
}

void WizardModel::TypeSizeY(const std::string& text) {
  choices_.sizeY = text;
  Publish();
}

void WizardModel::SpinSizeX(int delta) {
  choices_.sizeX = Spun(choices_.sizeX, delta);
  Publish();
}

void WizardModel::SpinSizeY(int delta) {
  choices_.sizeY = Spun(choices_.sizeY, delta);
  Publish();
}

void WizardModel::SetAction(int index, bool chosen) {
  if (index < 0 || index >= static_cast<int>(choices_.chosen.size())) return;
  choices_.chosen[static_cast<std::size_t>(index)] = chosen;
  Publish();
}

void WizardModel::Publish(bool force) {
  if (force || !(step_ == toldStep_)) view_.ShowStep(toldStep_ = step_);
  if (force || choices_.sizeX != told_.sizeX || choices_.sizeY != told_.sizeY) {
    told_.sizeX = choices_.sizeX;
    told_.sizeY = choices_.sizeY;
    view_.ShowSizes(told_.sizeX, told_.sizeY);
  }
  if (force || choices_.chosen != told_.chosen) view_.ShowActions(told_.chosen = choices_.chosen);
  if (force || AdvancedVisible() != toldAdvanced_) view_.ShowAdvanced(toldAdvanced_ = AdvancedVisible());
}

void WizardModel::Repaint() { Publish(true); }

}  // namespace zelmora::adventure
