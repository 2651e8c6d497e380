#pragma once

#include "adventure/grid_wizard.h"
#include "messages/planet_script.h"
#include "ui/platform/prompter.h"

#include <array>
#include <functional>
#include <string>

namespace zelmora::adventure {

inline constexpr int kWizardSteps = 3;
inline constexpr std::array<const char*, kWizardSteps> kStepCaptions = {"Select a Grid Size", "Choose Actions",
                                                                        "Finish!"};
inline constexpr std::array<const char*, kWizardSteps> kStepPrompts = {
    "Choose the size of your adventure grid:", "Choose the actions that will be used at each location:",
    "Press Finish to add the adventure grid to the messages for this planet."};
inline constexpr const char* kWizardCaption = "Adventure Grid Wizard";
inline constexpr const char* kNextCaption = "&Next >";
inline constexpr const char* kFinishCaption = "&Finish";

// Who started the wizard: checks the sizes and writes the grid.
class WizardCaller {
 public:
  virtual ~WizardCaller() = default;
  // Corrects the sizes in place; true only when nothing had to be corrected.
  virtual bool Validate(GridChoices& choices) = 0;
  virtual void Finish(const GridChoices& choices) = 0;
};

// The message editor's side, over the planet's script: the grid is written in one rewrite of the
// descriptor. `customOn` ticks the message editor's custom-messages box (the grid also writes the
// planet's flag itself).
class ScriptWizardCaller : public WizardCaller {
 public:
  explicit ScriptWizardCaller(messages::PlanetScript& script, std::function<void()> customOn = {})
      : script_(script), customOn_(std::move(customOn)) {}
  bool Validate(GridChoices& choices) override { return ValidateGrid(choices); }
  void Finish(const GridChoices& choices) override;

 private:
  messages::PlanetScript& script_;
  std::function<void()> customOn_;
};

// The step shown and the buttons around it.
struct WizardStepState {
  int step = 0;
  std::string caption = kWizardCaption;  // the window's
  bool backEnabled = false;
  std::string nextCaption = kNextCaption;
  bool operator==(const WizardStepState&) const = default;
};

// What the wizard window shows. The model calls a setter only when its part changed.
class WizardView {
 public:
  virtual ~WizardView() = default;
  virtual void ShowStep(const WizardStepState& step) = 0;
  virtual void ShowSizes(const std::string& sizeX, const std::string& sizeY) = 0;
  virtual void ShowActions(const std::array<bool, 7>& chosen) = 0;
  virtual void ShowAdvanced(bool visible) = 0;
  virtual void CloseWizard() = 0;
};

// The adventure grid wizard: three steps, the choices typed into them, and Back / Next / Finish /
// Cancel. Nothing is written before Finish.
class WizardModel {
 public:
  WizardModel(platform::Prompter& prompter, WizardView& view, std::string caption = kWizardCaption);

  // Makes Advanced available; `show` runs the advanced options dialog modally.
  void SetAdvanced(std::function<void()> show);
  // Remembers the caller on which Validate and Finish are called.
  void SetCaller(WizardCaller& caller) { caller_ = &caller; }
  // Shows one step; a step outside 0..2 changes nothing.
  void SetStep(int step);

  void Next();
  void Back();
  // Asks first; true when the wizard closed.
  bool Cancel();
  void Advanced();

  void TypeSizeX(const std::string& text);
  void TypeSizeY(const std::string& text);
  // The up-down buttons: one up or down within 2..10.
  void SpinSizeX(int delta);
  void SpinSizeY(int delta);
  void SetAction(int index, bool chosen);

  int Step() const { return step_.step; }
  const WizardStepState& StepState() const { return step_; }
  const GridChoices& Choices() const { return choices_; }
  bool AdvancedVisible() const { return static_cast<bool>(advanced_); }
  bool Finished() const { return finished_; }

  // Sends every part to the view (the window's first show).
  void Repaint();

 private:
  void Publish(bool force = false);

  platform::Prompter& prompter_;
  WizardView& view_;
  std::string caption_;
  WizardCaller* caller_ = nullptr;
  std::function<void()> advanced_;
  WizardStepState step_;
  GridChoices choices_;
  bool finished_ = false;

  WizardStepState toldStep_;
  GridChoices told_;
  bool toldAdvanced_ = false;
};

}  // namespace zelmora::adventure
