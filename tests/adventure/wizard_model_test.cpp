#include "adventure/wizard_model.h"
#include "adventure/room_model.h"
#include "tests/adventure/adventure_fixture.h"

namespace zelmora::adventure {
namespace {

using platform::Answer;

struct RecordingWizardView : WizardView {
  WizardStepState step;
  std::string sizeX, sizeY;
  std::array<bool, 7> chosen{};
  bool advanced = false;
  int closed = 0;
  int sizeUpdates = 0;

  void ShowStep(const WizardStepState& s) override { step = s; }
  void ShowSizes(const std::string& x, const std::string& y) override {
    sizeX = x;
    sizeY = y;
    ++sizeUpdates;
  }
  void ShowActions(const std::array<bool, 7>& c) override { chosen = c; }
  void ShowAdvanced(bool visible) override { advanced = visible; }
  void CloseWizard() override { ++closed; }
};

class WizardModelTest : public AdventureTest {
 protected:
  WizardModelTest() {
    wizard_.SetCaller(caller_);
    wizard_.Repaint();
  }
  RecordingWizardView view_;
  WizardModel wizard_{prompter_, view_};
  int customTicks_ = 0;
  ScriptWizardCaller caller_{script_, [this] { ++customTicks_; }};
};

TEST_F(WizardModelTest, StepsCarryTheirCaptionsAndButtons) {
  EXPECT_EQ(view_.step, (WizardStepState{0, "Adventure Grid Wizard - Select a Grid Size", false, "&Next >"}));
  EXPECT_EQ(view_.sizeX, "3");
  EXPECT_EQ(view_.chosen, (std::array<bool, 7>{true, true, true, true, true, true, true}));
  EXPECT_FALSE(view_.advanced);

  wizard_.Next();
  EXPECT_EQ(view_.step, (WizardStepState{1, "Adventure Grid Wizard - Choose Actions", true, "&Next >"}));
  wizard_.Next();
  EXPECT_EQ(view_.step, (WizardStepState{2, "Adventure Grid Wizard - Finish!", true, "&Finish"}));
  wizard_.SetStep(3);
  wizard_.SetStep(-1);
  EXPECT_EQ(view_.step.step, 2);
  wizard_.Back();
  wizard_.Back();
  wizard_.Back();  // already on the first step
  EXPECT_EQ(view_.step.step, 0);
  EXPECT_FALSE(view_.step.backEnabled);
  EXPECT_EQ(view_.closed, 0);
}

TEST_F(WizardModelTest, NextCorrectsASizeOutsideTheRangeAndStays) {
  wizard_.TypeSizeX("1");
  wizard_.TypeSizeY("12");
  wizard_.Next();
  EXPECT_EQ(view_.step.step, 0);
  EXPECT_EQ(view_.sizeX, "2");
  EXPECT_EQ(view_.sizeY, "10");
  wizard_.Next();
  EXPECT_EQ(view_.step.step, 1);

  // The up-down buttons stay within 2..10 and start from what the box holds.
  wizard_.SpinSizeY(+1);
  EXPECT_EQ(view_.sizeY, "10");
  wizard_.TypeSizeX("junk");
  wizard_.SpinSizeX(-1);
  EXPECT_EQ(view_.sizeX, "2");
  wizard_.SpinSizeX(+1);
  EXPECT_EQ(view_.sizeX, "3");
}

TEST_F(WizardModelTest, CancelAsksAndWritesNothing) {
  const std::string before = game_.ReadDescriptor("Adv");
  prompter_.Answer(Answer::No);
  EXPECT_FALSE(wizard_.Cancel());
  EXPECT_EQ(prompter_.Calls()[0].text, "Are you sure you want to exit the wizard?");
  EXPECT_EQ(prompter_.Calls()[0].title, "Exit Wizard");
  EXPECT_EQ(prompter_.Calls()[0].buttons, platform::Buttons::YesNo);
  EXPECT_EQ(prompter_.Calls()[0].icon, platform::Icon::Question);
  EXPECT_EQ(view_.closed, 0);
  prompter_.Answer(Answer::Yes);
  EXPECT_TRUE(wizard_.Cancel());
  EXPECT_EQ(view_.closed, 1);
  EXPECT_EQ(game_.ReadDescriptor("Adv"), before);
}

TEST_F(WizardModelTest, FinishWritesWhatTheGeneratorWritesInOneRewrite) {
  // The same grid written by the generator into a second folder.
  testing::TempGameFolder other;
  other.WriteDescriptor("Adv", game_.ReadDescriptor("Adv"));
  store::DescriptorStore otherStore(other.Path());
  store::SolarSystemRecord otherRecord;
  otherStore.LoadSystem("Adv", otherRecord);
  messages::PlanetScript otherScript(otherStore, otherRecord, 1);
  GridChoices expected;
  expected.sizeX = "10";
  expected.sizeY = "3";
  expected.chosen[kSlotTri] = false;
  {
    store::DescriptorBatch batch(otherStore, "Adv");
    FinishGrid(expected, otherScript);
  }

  int advancedRuns = 0;
  wizard_.SetAdvanced([&] { ++advancedRuns; });
  EXPECT_TRUE(view_.advanced);
  wizard_.TypeSizeX("10");
  wizard_.Next();
  wizard_.SetAction(kSlotTri, false);
  wizard_.Advanced();
  EXPECT_EQ(advancedRuns, 1);
  wizard_.Next();
  wizard_.Next();
  EXPECT_EQ(view_.closed, 1);
  EXPECT_TRUE(wizard_.Finished());
  EXPECT_EQ(customTicks_, 1);
  EXPECT_EQ(game_.ReadDescriptor("Adv"), other.ReadDescriptor("Adv"));
  EXPECT_EQ(Get("Beam1"), "We beamed down to Area 1, 1*RArea011");
  EXPECT_EQ(Get("MessageArea011Tri1"), "ERR");

  wizard_.Next();  // closed: nothing more
  EXPECT_EQ(view_.closed, 1);
}

TEST_F(WizardModelTest, TwoByTwoThroughTheStepsMatchesTheGenerator) {
  wizard_.TypeSizeX("2");
  wizard_.TypeSizeY("2");
  wizard_.Next();
  wizard_.Next();
  wizard_.Next();
  EXPECT_EQ(Responses("Area11"),
            (std::vector<std::string>{"Go East and report back.*MArea21", "Go South and report back.*MArea12",
                                      "Beam back up to the ship.*MBeamUp",
                                      "Search the area for anything unusual.*MArea11Search",
                                      "What are your current tricorder readings?*MArea11Tri"}));
  EXPECT_EQ(Get("ResponsesArea22"), "5");
  EXPECT_EQ(store_.GetPlanetFlag(record_, "Messages", 1), 1);
}

}  // namespace
}  // namespace zelmora::adventure
