#include "simulator/control_panel.h"
#include "tests/simulator/sim_fakes.h"

#include <gtest/gtest.h>

namespace zelmora::simulator {
namespace {

using fakes::Simulation;
using platform::Answer;

struct ConversationTest : ::testing::Test {
  Simulation sim;
  ControlPanel& panel = sim.panel;
  std::map<std::string, std::string>& keys = sim.script.keys;
  const PanelDisplay& display() { return panel.Display(); }
};

TEST_F(ConversationTest, LastVisitDecidesTheStartingGroupAndCommands) {
  sim.Enter(50);
  EXPECT_TRUE(display().Enabled(PanelCommand::Energy));
  EXPECT_FALSE(display().Enabled(PanelCommand::EnterOrbit));
  EXPECT_EQ(display().Banner(), "Orbiting Planet 1");
  EXPECT_TRUE(display().BannerVisible());

  // Hundredths of a day: below one day is "Back" (no hailing, no beaming), a whole day "Returned".
  const std::string habitable = "This is a habitable planet, Captain.\r\nI will enter it in our database.";
  struct Case {
    int lastVisit, planetClass, life;
    std::string group;
    bool announced;
  };
  for (const Case& c : {Case{0, 13, 2, "", true}, Case{1, 13, 2, "Back", false}, Case{99, 13, 2, "Back", false},
                        Case{100, 13, 2, "Returned", false}, Case{150, 13, 2, "Returned", false},
                        Case{0, 9, 1, "", true}, Case{0, 10, 1, "", true}, Case{0, 8, 2, "", false},
                        Case{0, 13, 0, "", false}}) {
    Simulation s;
    s.planet().Class = static_cast<std::int16_t>(c.planetClass);
    store::PlanetAttributes a = store::PlanetAttributes::Decode(s.planet().Attributes);
    a.Life = c.life;
    s.planet().Attributes = a.Encode();
    s.Enter(c.lastVisit);
    const std::string label = "last visit " + std::to_string(c.lastVisit) + ", class " +
                              std::to_string(c.planetClass) + ", life " + std::to_string(c.life);
    EXPECT_EQ(s.panel.State().MessageLevel, c.group) << label;
    EXPECT_EQ(s.panel.Display().Enabled(PanelCommand::Hail), c.group != "Back") << label;
    EXPECT_EQ(s.panel.Display().Enabled(PanelCommand::Beam), c.group != "Back") << label;
    EXPECT_EQ(s.prompter.Texts(), c.announced ? std::vector<std::string>{habitable} : std::vector<std::string>{})
        << label;
    EXPECT_EQ(s.random.seedings, 1) << label;
    EXPECT_TRUE(s.panel.Display().Clock()) << label;
  }
}

TEST_F(ConversationTest, OrbitEntryRefusesEmptySystemsAndDestroyedPlanets) {
  sim.record.PlanetCount = 0;
  sim.Enter();
  EXPECT_EQ(sim.prompter.Texts(), std::vector<std::string>{"There are no planets in this system."});
  EXPECT_TRUE(sim.view.closed);
  EXPECT_TRUE(panel.IsClosed());

  Simulation ruin;
  ruin.planet().Class = 0;
  ruin.script.keys = {{"Messages", "1"}, {"Message1", "Hello"}};
  ruin.Enter();
  EXPECT_EQ(ruin.prompter.Texts(), std::vector<std::string>{"This planet has been destroyed."});
  EXPECT_EQ(ruin.panel.State().planet, 0);
  ruin.Ticks(3);
  ruin.panel.Hail();
  EXPECT_FALSE(ruin.panel.Display().Visible());
  EXPECT_EQ(ruin.prompter.Calls().size(), 1u);
}

TEST_F(ConversationTest, HailNeedsHailResponsesAndIsOneShot) {
  sim.Enter(150);
  panel.Hail();
  EXPECT_EQ(sim.prompter.Texts().back(), "You cannot hail this planet.");
  EXPECT_FALSE(display().Enabled(PanelCommand::Hail));
  keys["ResponsesHail"] = "1";
  panel.Hail();  // a disabled button cannot be pressed again
  EXPECT_EQ(sim.prompter.Calls().size(), 1u);
  EXPECT_TRUE(sim.view.offered.empty());

  Simulation hail;
  hail.script.keys = {{"ResponsesHail", "3"},
                      {"ResponseHail1", "Greetings, I am %rk %NM.*MPeace"},
                      {"ResponseHail2", "%FAWe remember you."},
                      {"ResponseHail3", "Surrender, %AN!*MWar*SFB"},
                      {"MessagesWar", "1"},
                      {"MessageWar1", "Then it is war."}};
  hail.Enter(150);
  hail.view.choices = {3};
  hail.panel.Hail();
  ASSERT_EQ(hail.view.offered.size(), 1u);
  // Response 2 fails its flag condition: 1 and 3 are offered, without a gap.
  EXPECT_EQ(hail.view.offered[0], (std::vector<ResponseOption>{{1, "Greetings, I am Captain <Player>."},
                                                               {3, "Surrender, Thalnori!"}}));
  EXPECT_EQ(hail.panel.State().MessageLevel, "War");
  EXPECT_TRUE(hail.Flag('B'));
  EXPECT_EQ(hail.panel.State().statusTag, 0);
  hail.Ticks(1);
  EXPECT_EQ(hail.panel.Display().Text(), "Then it is war.");

  // A choice that was not offered sends nothing.
  Simulation unoffered;
  unoffered.script.keys = hail.script.keys;
  unoffered.Enter(150);
  unoffered.view.choices = {2};
  unoffered.panel.Hail();
  EXPECT_EQ(unoffered.panel.State().MessageLevel, "Returned");
  EXPECT_FALSE(unoffered.Flag('B'));
}

TEST_F(ConversationTest, RespondWithoutResponsesIsRefused) {
  keys = {{"Messages", "1"}, {"Message1", "Quiet now.*RNone"}, {"ResponsesNone", "0"}};
  sim.Enter(150);
  panel.Respond();  // no message shown: the button is hidden
  EXPECT_TRUE(sim.prompter.Calls().empty());
  panel.State().MessageLevel = "";
  sim.Ticks(1);
  panel.Respond();
  EXPECT_EQ(sim.prompter.Texts().back(), "No responses allowed");
  EXPECT_TRUE(sim.view.offered.empty());
}

TEST_F(ConversationTest, IgnoringTwiceNestsTheIgnoreGroups) {
  keys = {{"Messages", "1"},           {"Message1", "Answer us."},
          {"MessagesIgnore", "1"},     {"MessageIgnore1", "We said answer."},
          {"MessagesIgnoreIgnore", "1"}, {"MessageIgnoreIgnore1", "Fine."}};
  sim.Enter(150);
  sim.panel.State().MessageLevel = "";
  sim.Ticks(1);
  EXPECT_EQ(display().Text(), "Answer us.");
  panel.Ignore();
  EXPECT_EQ(panel.State().MessageLevel, "Ignore");
  EXPECT_EQ(panel.State().ResponseLevel, "");
  EXPECT_FALSE(display().Visible());
  EXPECT_EQ(sim.view.idleFocus, 1);
  sim.Ticks(1);
  EXPECT_EQ(display().Text(), "We said answer.");
  panel.Ignore();
  EXPECT_EQ(panel.State().MessageLevel, "IgnoreIgnore");
  sim.Ticks(1);
  EXPECT_EQ(display().Text(), "Fine.");
}

TEST_F(ConversationTest, PhasersUseTheGroupsOwnPhaserMessagesOrTheCommonOnes) {
  keys = {{"MessagesBackPhaser", "1"}, {"MessageBackPhaser1", "You fire on old friends?"},
          {"MessagesPhaser", "1"},     {"MessagePhaser1", "Hostile act detected."}};
  sim.Enter(50);
  sim.prompter.Answer(Answer::No);
  panel.Phaser();
  EXPECT_EQ(panel.State().MessageLevel, "Back");
  EXPECT_EQ(sim.prompter.Calls().back().text, "Are you sure you wish to fire phasers this planet?");
  EXPECT_EQ(sim.prompter.Calls().back().icon, platform::Icon::Question);
  sim.prompter.Answer(Answer::Yes);
  panel.Phaser();
  EXPECT_EQ(panel.State().MessageLevel, "BackPhaser");
  sim.Ticks(1);
  EXPECT_EQ(display().Text(), "You fire on old friends?");

  Simulation other;
  other.script.keys = keys;
  other.script.keys.erase("MessagesBackPhaser");
  other.Enter(50);
  other.prompter.Answer(Answer::Yes);
  other.panel.Phaser();
  EXPECT_EQ(other.panel.State().MessageLevel, "Phaser");
}

TEST_F(ConversationTest, WaitCountsOnlyWhenItIsTheFirstCode) {
  keys = {{"Messages", "1"}, {"Message1", "%W3Late words.*SFC"}};
  sim.Enter(150);
  sim.panel.State().MessageLevel = "";
  sim.Ticks(1);
  EXPECT_EQ(panel.State().CurrentMessage, 1);
  EXPECT_FALSE(display().Visible());
  sim.Ticks(2);
  EXPECT_FALSE(display().Visible());
  EXPECT_FALSE(sim.Flag('C'));
  sim.Ticks(1);
  EXPECT_TRUE(display().Visible());
  EXPECT_EQ(display().Text(), "Late words.");
  EXPECT_TRUE(sim.Flag('C'));
  EXPECT_FALSE(display().Clock());
  EXPECT_EQ(panel.State().CurrentMessage, -1);

  Simulation early;
  early.script.keys = {{"Messages", "1"}, {"Message1", "%FA%W3At once."}};
  store::SetFlagBit(early.planet(), 0, true);
  early.Enter(150);
  early.panel.State().MessageLevel = "";
  early.Ticks(1);
  EXPECT_EQ(early.panel.Display().Text(), "At once.");
}

TEST_F(ConversationTest, StatusCaptionFollowsTheLevels) {
  keys = {{"Messages", "1"}, {"Message1", "Speak.*RHail"}, {"ResponsesHail", "1"}, {"ResponseHail1", "Hello.*MPeace"}};
  sim.Enter();
  panel.StatusTick();
  EXPECT_EQ(display().Status(), "Message Level: INIT");
  sim.Ticks(1);
  panel.StatusTick();
  EXPECT_EQ(display().Status(), "Response Level: Hail");
  panel.ToggleStatus();
  panel.StatusTick();
  EXPECT_EQ(display().Status(), "Message Level: INIT");
  panel.ToggleStatus();
  sim.view.choices = {1};
  panel.Respond();
  panel.StatusTick();
  EXPECT_EQ(display().Status(), "Message Level: Peace");
  // Set only on change.
  auto statusEvents = std::count_if(sim.view.events.begin(), sim.view.events.end(),
                                    [](const std::string& e) { return e.rfind("status ", 0) == 0; });
  EXPECT_EQ(statusEvents, 3);
}

TEST_F(ConversationTest, StatusRefreshKeepsTheFlagListInStepWithThePlanet) {
  keys = {{"AFlag", "Hostile to the player"}};
  sim.options.LoadFlagNames(sim.script);
  sim.options.SetFlagLabel(0, true);
  sim.options.SetFlagLabel(8, true);
  sim.options.lastVisit = 15;
  sim.options.Begin(sim.planet(), sim.random);
  EXPECT_EQ(sim.planet().StateValue, 150);
  EXPECT_EQ(sim.options.LastVisitCaption(), "1.5 days ago");
  EXPECT_TRUE(sim.Flag('A'));
  EXPECT_TRUE(sim.Flag('H'));
  panel.Activate(1);
  EXPECT_EQ(panel.State().MessageLevel, "Returned");

  store::SetFlagBit(sim.planet(), 0, false);
  store::SetFlagBit(sim.planet(), 7, true);
  sim.ship.RetrofitCounters[3] = 2;
  panel.StatusTick();
  EXPECT_EQ(sim.options.FlagList(), (std::vector<FlagListEntry>{{"H - Unused", 8}, {"Have Treaty", 7}}));
  EXPECT_EQ(sim.options.RetrofitCaption(), "Retrofits: 00200 ");
  EXPECT_EQ(sim.options.FlagListName(0), "A - Hostile to the player");
  EXPECT_EQ(sim.options.FlagListName(36), "9 - Unused");
}

TEST_F(ConversationTest, BeamFallsBackToTheCommonGroupAndIsOneShot) {
  keys = {{"BeamMessages", "1"}, {"Beam1", "The landing party finds ruins."}};
  sim.Enter(150);
  panel.Beam();
  EXPECT_EQ(display().Text(), "The landing party finds ruins.");
  EXPECT_FALSE(display().Enabled(PanelCommand::Beam));

  Simulation none;
  none.Enter(150);
  none.panel.Beam();
  EXPECT_EQ(none.prompter.Texts().back(), "You cannot beam down to this planet.");
  EXPECT_FALSE(none.panel.Display().Enabled(PanelCommand::Beam));
}

TEST_F(ConversationTest, PhotonSuccessAndLeaveEndTheTest) {
  sim.Enter(150);
  sim.planet().Size = 2;
  sim.ship.PhotonTorpedoes = 1;
  panel.Photon();
  EXPECT_FALSE(display().Enabled(PanelCommand::Photon));
  EXPECT_FALSE(panel.IsClosed());
  sim.ship.PhotonTorpedoes = 2;
  panel.Photon();  // refused once, the button stays disabled for the visit
  EXPECT_EQ(sim.prompter.Calls().size(), 1u);

  ControlPanel next(sim.Services(), sim.view);
  next.Activate(1);
  sim.prompter.Answer(Answer::Yes);
  next.Photon();
  EXPECT_TRUE(next.IsClosed());
  EXPECT_TRUE(sim.view.closed);
  EXPECT_FALSE(next.Display().BannerVisible());
  EXPECT_FALSE(next.Display().Clock());
  EXPECT_EQ(sim.planet().StateValue, -1000);
  EXPECT_EQ(sim.ship.PhotonTorpedoes, 0);

  // The destroyed planet stays destroyed for the next test of this run.
  ControlPanel again(sim.Services(), sim.view);
  sim.planet().Class = 0;
  again.Activate(1);
  EXPECT_EQ(sim.prompter.Texts().back(), "This planet has been destroyed.");
}

TEST_F(ConversationTest, EnergyCommandIsDisabledWhenRefusedOrAllowanceUsed) {
  keys = {{"Messages", "1"}, {"Message1", "Take two days.*A2*+ENM500"}};
  store::PlanetAttributes a = store::PlanetAttributes::Decode(sim.planet().Attributes);
  a.Energy = 2;
  sim.planet().Attributes = a.Encode();
  sim.Enter(150);
  panel.Energy();  // fresh ship: no capacity
  EXPECT_FALSE(display().Enabled(PanelCommand::Energy));
  sim.panel.State().MessageLevel = "";
  sim.Ticks(1);
  EXPECT_TRUE(display().Enabled(PanelCommand::Energy));
  EXPECT_EQ(panel.State().EnergyAllowance, 2);
  sim.numbers.answers = {2.0f};
  panel.Energy();
  EXPECT_FLOAT_EQ(sim.numbers.questions.back().maximum, 2);
  EXPECT_EQ(sim.ship.Energy, 667);  // two of the 3.01 days the capacity would allow
  EXPECT_FALSE(display().Enabled(PanelCommand::Energy));
  EXPECT_EQ(panel.State().EnergyAllowance, 0);
}

}  // namespace
}  // namespace zelmora::simulator
