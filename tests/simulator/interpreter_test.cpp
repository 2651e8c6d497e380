#include "simulator/interpreter.h"
#include "simulator/seeded_random.h"
#include "tests/simulator/sim_fakes.h"

#include <gtest/gtest.h>

namespace zelmora::simulator {
namespace {

using fakes::QueuedRandom;
using fakes::Simulation;

struct InterpreterTest : ::testing::Test {
  Simulation sim;
  Interpreter& in = sim.interpreter();
  InterpreterTest() { sim.Enter(); }
};

TEST_F(InterpreterTest, GroupThatNeverSendsTerminatesWithOneBox) {
  sim.script.keys = {{"Messages", "2"}, {"Message1", "%00Never."}, {"Message2", "%F1%00Not either."}};
  sim.prompter = testing::ScriptedPrompter();
  sim.prompter.AcceptOkBoxes();
  sim.Ticks(3);
  EXPECT_EQ(sim.prompter.Texts(), std::vector<std::string>{"*** COMMUNICATION TERMINATED ***"});
  EXPECT_EQ(sim.panel.State().CurrentMessage, -1);
  EXPECT_FALSE(sim.panel.Display().Visible());
}

TEST_F(InterpreterTest, ChanceCodesHoldTheirShareOverManyDraws) {
  SeededRandom seeded(20240601);
  ShipRules rules(sim.ship, seeded, sim.prompter, sim.numbers, {0, 0.5, 0.3, 0.1});
  PanelDisplay display(sim.view);
  ConversationState state;
  state.planet = 1;
  Interpreter chance({sim.record, sim.tables, sim.script, seeded, sim.prompter, rules}, state, display);
  const int draws = 20000;
  for (auto [code, share] : {std::pair{"05", 0.5}, std::pair{"02", 0.2}, std::pair{"09", 0.9}}) {
    int held = 0;
    for (int i = 0; i < draws; ++i) held += chance.TestCondition(code) ? 1 : 0;
    EXPECT_NEAR(held / double(draws), share, 0.02) << code;
  }
  // Every available message is drawn alike; an unavailable one never.
  sim.script.keys = {{"Message1", "A"}, {"Message2", "%00B"}, {"Message3", "C"}};
  int first = 0;
  for (int i = 0; i < 2000; ++i) {
    int n = chance.ChooseMessage("Message", 3);
    ASSERT_TRUE(n == 1 || n == 3) << n;
    first += n == 1;
  }
  EXPECT_NEAR(first / 2000.0, 0.5, 0.05);
}

TEST_F(InterpreterTest, EmptyAnswerCodeMeansInitAndFlagsFollow) {
  sim.panel.State().MessageLevel = "Trade";
  in.DisplayMessage("We can talk.*R*SFA");
  EXPECT_EQ(sim.panel.Display().Text(), "We can talk.");
  EXPECT_EQ(sim.panel.State().ResponseLevel, "");
  EXPECT_TRUE(sim.Flag('A'));
  EXPECT_TRUE(store::TestFlagBit(sim.planet(), 0));

  // An empty piece between two stars is skipped; the pieces around it still act.
  in.DisplayMessage("Noted.*SFB**SFH*CFA");
  EXPECT_TRUE(sim.Flag('B'));
  EXPECT_TRUE(sim.Flag('H'));
  EXPECT_TRUE(store::TestFlagBit(sim.planet(), 8));  // H skips the treaty flag
  EXPECT_FALSE(sim.Flag('A'));
  EXPECT_EQ(sim.panel.State().ResponseLevel, "Trade");  // no answer code: the message's own group

  in.ApplyAction("TFZ");
  in.ApplyAction("TFZ");
  EXPECT_FALSE(sim.Flag('Z'));
  in.ApplyAction("TF9");
  EXPECT_TRUE(store::TestFlagBit(sim.planet(), 36));
}

TEST_F(InterpreterTest, SupplyPiecesBlockMessagesTheShipCannotPayFor) {
  sim.script.keys = {{"Message1", "Hand over five torpedoes.*-PT5"}, {"Message2", "Take some.*+PT5"}};
  sim.ship.PhotonTorpedoes = 4;
  EXPECT_FALSE(in.CanApply("-PT5"));
  EXPECT_TRUE(in.CanApply("+PT5"));
  EXPECT_EQ(in.ChooseMessage("Message", 1), -1);
  sim.ship.PhotonTorpedoes = 5;
  EXPECT_EQ(in.ChooseMessage("Message", 1), 1);
  EXPECT_FALSE(in.CanApply("-PTU1"));  // the bay is a separate store
  sim.ship.MaxEnergy = 1000;
  EXPECT_FALSE(in.CanApply("-ENM1001"));
  EXPECT_TRUE(in.CanApply("-XY999"));

  // Repairs need a damaged system, replacements a destroyed one.
  EXPECT_FALSE(in.CanApply("RS3"));
  sim.ship.SystemDamage[3] = 2;
  EXPECT_TRUE(in.CanApply("RS3"));
  EXPECT_FALSE(in.CanApply("R!S3"));
  sim.ship.SystemDamage[3] = 7;
  EXPECT_FALSE(in.CanApply("RS3"));
  EXPECT_TRUE(in.CanApply("R!S3"));
  EXPECT_FALSE(in.CanApply("RS40"));  // outside the table: no damage
}

TEST_F(InterpreterTest, PlaceholdersReplaceOnlyTheirFirstOccurrence) {
  in.DisplayMessage("$Envoy$The %an greet you; the %AN remember, %rk %NM. %BG and %KL watch.");
  EXPECT_EQ(sim.panel.Display().Title(), "Envoy");
  EXPECT_EQ(sim.panel.Display().Text(),
            "The Thalnori greet you; the %AN remember, Captain <Player>. BadGuy and Drevani watch.");
}

TEST_F(InterpreterTest, BoxMessagesLeaveThePanelAndResponseLevelAlone) {
  sim.panel.State().MessageLevel = "War";
  sim.panel.State().ResponseLevel = "Hail";
  in.DisplayMessage("$Control$Still here.");
  EXPECT_EQ(sim.panel.State().ResponseLevel, "War");
  sim.panel.State().ResponseLevel = "Hail";
  in.DisplayMessage("%W2$BOX$Shields up.*SFC");
  EXPECT_EQ(sim.prompter.Texts().back(), "Shields up.");
  EXPECT_EQ(sim.panel.State().ResponseLevel, "Hail");
  EXPECT_EQ(sim.panel.Display().Title(), "Message from Planet:");
  EXPECT_EQ(sim.panel.Display().Text(), "Still here.");
  EXPECT_TRUE(sim.Flag('C'));

  // An unclosed title marker shows the rest under the standard title.
  in.DisplayMessage("$Half a title");
  EXPECT_EQ(sim.panel.Display().Title(), "Message from Planet:");
  EXPECT_EQ(sim.panel.Display().Text(), "Half a title");
}

TEST_F(InterpreterTest, UpgradeCodesAppendTheirSentencesAfterTheActions) {
  sim.ship.MaxEnergy = 1500;
  in.DisplayMessage("Refit complete.^EN^PT*H25");
  EXPECT_EQ(sim.panel.Display().Text(),
            "Refit complete.We will fill your dylithium crystals to test their integrity."
            "We will fill your photon bay to test new containment fields.");
  // The hit came first, so the energy upgrade's refill clears it.
  EXPECT_EQ(sim.prompter.Texts().back(), "Your shields have been hit with 25 units.");
  EXPECT_EQ(sim.ship.ShieldEnergy, 0);
  EXPECT_EQ(sim.ship.Energy, 1500);
  EXPECT_EQ(sim.ship.UpgradeLevels[1], 2);
  EXPECT_EQ(sim.ship.UpgradeLevels[3], 2);
}

TEST_F(InterpreterTest, ActionsTakeSingleLetterRulesFirst) {
  in.ApplyAction("MFA");
  EXPECT_EQ(sim.panel.State().MessageLevel, "FA");
  in.ApplyAction("RSupply");
  EXPECT_EQ(sim.panel.State().ResponseLevel, "Supply");
  in.ApplyAction("A3");
  EXPECT_EQ(sim.panel.State().EnergyAllowance, 3);
  EXPECT_TRUE(sim.panel.Display().Enabled(PanelCommand::Energy));
  in.ApplyAction("SP2");
  in.ApplyAction("SP2");
  in.ApplyAction("SP9");  // no such counter
  EXPECT_EQ(sim.ship.RetrofitCounters[2], 2);

  sim.random = QueuedRandom({0.999, 0.0});  // amount 299 first, then system 1
  in.ApplyAction("DS0");
  EXPECT_FLOAT_EQ(sim.ship.SystemDamage[1], 299);
  in.ApplyAction("FS1");
  EXPECT_FLOAT_EQ(sim.ship.SystemDamage[1], 0);

  in.ApplyAction("TREATY");
  EXPECT_TRUE(store::TestFlagBit(sim.planet(), 7));
  EXPECT_NE(sim.prompter.Texts().back().find("formed with the Thalnori."), std::string::npos);
  in.ApplyAction("NOTREATY");
  EXPECT_FALSE(store::TestFlagBit(sim.planet(), 7));

  in.DisplayMessage("Give.*+7*-PO1*+ENM300");
  EXPECT_EQ(sim.prompter.Texts().back(), "There is a syntax error in the message file: +7");
  EXPECT_EQ(sim.ship.MaxEnergy, 1000);  // the pieces after the faulty one still act
  in.ApplyAction("");
  in.ApplyAction("Q");
}

// Flags belong to the planet under test, the first of a system as much as the tenth.
TEST(InterpreterPlanets, FlagConditionsAndActionsReachThePlanetUnderTest) {
  for (int number : {1, 10}) {
    Simulation sim(number);
    store::SetFlagBit(sim.planet(), 0, true);  // A
    store::SetFlagBit(sim.planet(), 6, true);  // G
    sim.script.keys = {{"Messages", "4"},
                       {"Message1", "%fANot while A.*SFZ"},
                       {"Message2", "%44Not while G."},
                       {"Message3", "%FA%37%f9%46Flags hold.*SFB*CFA*TFC*TF9*TREATY"},
                       {"Message4", "%FBNot yet B."}};
    sim.random = QueuedRandom({0.6, 0.0});  // the pick lands on message 3, the only one available
    sim.Enter(150);
    sim.panel.State().MessageLevel = "";
    sim.Ticks(1);
    const std::string label = "planet " + std::to_string(number);
    EXPECT_EQ(sim.panel.Display().Text(), "Flags hold.") << label;
    EXPECT_FALSE(sim.Flag('A')) << label;
    EXPECT_TRUE(sim.Flag('B')) << label;
    EXPECT_TRUE(sim.Flag('C')) << label;
    EXPECT_TRUE(sim.Flag('9')) << label;
    EXPECT_FALSE(sim.Flag('Z')) << label;
    EXPECT_TRUE(store::TestFlagBit(sim.planet(), 7)) << label;  // the treaty
    EXPECT_TRUE(sim.interpreter().TestCondition("FB")) << label;
    EXPECT_FALSE(sim.interpreter().TestCondition("fB")) << label;
    // The other planets of the system keep their flags.
    for (int other = 1; other < number; ++other) EXPECT_EQ(sim.record.Planet(other).FlagBits, 0) << other;
  }
}

TEST_F(InterpreterTest, ConditionTableReadsShipPlanetAndOptions) {
  auto& ship = sim.ship;
  EXPECT_TRUE(in.TestCondition("10"));  // all levels start at 1
  EXPECT_FALSE(in.TestCondition("15"));
  ship.UpgradeLevels[5] = 3;
  EXPECT_FALSE(in.TestCondition("14"));
  EXPECT_TRUE(in.TestCondition("19"));
  EXPECT_TRUE(in.TestCondition("30"));
  EXPECT_FALSE(in.TestCondition("26"));
  EXPECT_TRUE(in.TestCondition("59"));
  ship.UpgradeLevels[5] = 5;
  EXPECT_FALSE(in.TestCondition("59"));

  store::PlanetAttributes a = store::PlanetAttributes::Decode(sim.planet().Attributes);
  a.Energy = 2;
  sim.planet().Attributes = a.Encode();
  EXPECT_TRUE(in.TestCondition("22"));
  EXPECT_FALSE(in.TestCondition("20"));
  EXPECT_TRUE(in.TestCondition("24"));
  EXPECT_TRUE(in.TestCondition("25"));

  store::SetFlagBit(sim.planet(), 6, true);
  EXPECT_TRUE(in.TestCondition("37"));
  EXPECT_FALSE(in.TestCondition("44"));
  EXPECT_TRUE(in.TestCondition("FG"));
  EXPECT_FALSE(in.TestCondition("fG"));
  EXPECT_TRUE(in.TestCondition("46"));
  store::SetFlagBit(sim.planet(), 7, true);
  EXPECT_TRUE(in.TestCondition("45"));
  EXPECT_FALSE(in.TestCondition("FH"));  // H is flag 8, not the treaty

  EXPECT_TRUE(in.TestCondition("51"));
  EXPECT_FALSE(in.TestCondition("47"));
  for (int s = 1; s <= 5; ++s) ship.SystemDamage[static_cast<std::size_t>(s)] = 3;
  EXPECT_TRUE(in.TestCondition("48"));
  EXPECT_FALSE(in.TestCondition("49"));
  ship.SystemDamage[8] = 100;
  EXPECT_TRUE(in.TestCondition("49"));
  EXPECT_FALSE(in.TestCondition("50"));
  EXPECT_FALSE(in.TestCondition("51"));

  ship.UpgradesOption = true;
  ship.BadGuyOption = false;
  EXPECT_FALSE(in.TestCondition("52"));
  EXPECT_FALSE(in.TestCondition("53"));
  EXPECT_TRUE(in.TestCondition("54"));
  EXPECT_TRUE(in.TestCondition("W3"));
  EXPECT_TRUE(in.TestCondition("GN"));
  EXPECT_TRUE(in.TestCondition("75"));
  EXPECT_FALSE(in.TestCondition("00"));
  EXPECT_EQ(StarPieces("a*b**c*"), (std::vector<std::string>{"b", "", "c", ""}));

  // One short of each threshold does not hold.
  ship.UpgradeLevels[1] = 2;
  EXPECT_FALSE(in.TestCondition("26"));
  ship.UpgradeLevels[1] = 3;
  EXPECT_TRUE(in.TestCondition("26"));
  store::SetFlagBit(sim.planet(), 0, true);
  store::SetFlagBit(sim.planet(), 6, false);
  EXPECT_TRUE(in.TestCondition("31"));
  EXPECT_FALSE(in.TestCondition("37"));
  EXPECT_TRUE(in.TestCondition("44"));
  ship.SystemDamage.fill(0);
  for (int s = 1; s <= 4; ++s) ship.SystemDamage[static_cast<std::size_t>(s)] = 3;
  for (int s = 5; s <= 8; ++s) ship.SystemDamage[static_cast<std::size_t>(s)] = 7;
  EXPECT_FALSE(in.TestCondition("48"));  // four damaged
  EXPECT_FALSE(in.TestCondition("50"));  // four destroyed
  ship.SystemDamage[4] = 7;
  EXPECT_TRUE(in.TestCondition("50"));
  ship.SystemDamage[4] = 3;
  ship.SystemDamage[5] = 3;
  EXPECT_TRUE(in.TestCondition("48"));
}

}  // namespace
}  // namespace zelmora::simulator
