#include "simulator/seeded_random.h"
#include "simulator/ship_rules.h"
#include "tests/simulator/sim_fakes.h"
#include "tests/support/scripted_prompter.h"

#include <gtest/gtest.h>

namespace zelmora::simulator {
namespace {

using platform::Answer;
using testing::ScriptedPrompter;

using fakes::QueuedRandom;
using fakes::ScriptedNumbers;

const std::array<double, 4> kRates = {0, 0.5, 0.3, 0.1};

store::PlanetRecord PlanetWith(int life, int advancement, int energy, int alien = 1) {
  store::PlanetAttributes a;
  a.Life = life;
  a.Advancement = advancement;
  a.Energy = energy;
  a.AlienIndex = alien;
  store::PlanetRecord p;
  p.Attributes = a.Encode();
  p.Class = 13;
  p.Size = 3;
  return p;
}

struct RulesFixture : ::testing::Test {
  ShipState ship;
  QueuedRandom random;
  ScriptedPrompter prompter;
  ScriptedNumbers numbers;
  ShipRules rules{ship, random, prompter, numbers, kRates};
  RulesFixture() { prompter.AcceptOkBoxes(); }
};

TEST_F(RulesFixture, FreshShipCannotTakeEnergyUntilCapacityIsRaised) {
  auto planet = PlanetWith(1, 0, 2);
  std::int16_t allowance = 0;
  EXPECT_EQ(rules.ExtractEnergy(planet, allowance), ExtractionResult::DisableEnergy);
  EXPECT_EQ(prompter.Texts(), std::vector<std::string>{"You have as much energy as you can hold."});

  // A capacity raised by only 200 still ends at the floor of 1000.
  rules.ApplySupply(+1, "ENM", 200);
  EXPECT_EQ(ship.MaxEnergy, 1000);
  rules.ApplySupply(-1, "ENM", 5000);
  EXPECT_EQ(ship.MaxEnergy, 1000);

  numbers.answers = {2.0f};
  EXPECT_EQ(rules.ExtractEnergy(planet, allowance), ExtractionResult::Extracted);
  ASSERT_EQ(numbers.questions.size(), 1u);
  const auto& q = numbers.questions[0];
  EXPECT_EQ(q.message,
            "How long do you want to stay?\r\n.30 days per 100 units of energy.\r\nYou have 0 total units of energy.");
  // 0.3 days per 100 units for 1000 units: Int(300 + 1.49) / 100.
  EXPECT_FLOAT_EQ(q.maximum, 3.01f);
  EXPECT_FLOAT_EQ(q.minimum, 0);
  EXPECT_FLOAT_EQ(q.value, 1);
  EXPECT_FLOAT_EQ(q.step, 0.01f);
  // 2 days at 0.3 days per 100: 666.67 rounds to 667.
  EXPECT_EQ(ship.Energy, 667);
}

TEST_F(RulesFixture, ExtractionKeepsTotalWithinCapacityAndHonoursAllowance) {
  ship.MaxEnergy = 1000;
  ship.Energy = 100;
  ship.ShieldEnergy = -50;  // hit shields count against the total
  auto planet = PlanetWith(2, 2, 1);  // Animal, Warp, fossil fuels: .50 / 2
  std::int16_t allowance = 2;
  numbers.answers = {2.0f};
  EXPECT_EQ(rules.ExtractEnergy(planet, allowance), ExtractionResult::DisableEnergy);
  EXPECT_NE(numbers.questions[0].message.find("\r\n.25 days per 100"), std::string::npos);
  EXPECT_NE(numbers.questions[0].message.find("You have 50 total"), std::string::npos);
  EXPECT_FLOAT_EQ(numbers.questions[0].maximum, 2);  // limited by the allowance
  EXPECT_EQ(allowance, 0);
  EXPECT_EQ(ship.Energy, 900);  // 2 days at .25 per 100 units
  EXPECT_LE(ship.Energy + ship.ShieldEnergy, ship.MaxEnergy);

  // Primitive animals give no bonus: divisor 1.
  auto primitive = PlanetWith(2, 0, 1);
  ship.Energy = 0;
  ship.ShieldEnergy = 0;
  numbers.answers = {0.5f};
  allowance = 0;
  rules.ExtractEnergy(primitive, allowance);
  EXPECT_NE(numbers.questions[1].message.find("\r\n.50 days per 100"), std::string::npos);
  EXPECT_EQ(ship.Energy, 100);

  // The longest stay rounds up past the capacity; what the shields hold counts in the cut.
  ship.Energy = 0;
  ship.ShieldEnergy = 200;
  numbers.answers = {4.01f};
  rules.ExtractEnergy(primitive, allowance);
  EXPECT_FLOAT_EQ(numbers.questions[2].maximum, 4.01f);
  EXPECT_EQ(ship.Energy, 800);
  ship.Energy = 100;
  ship.ShieldEnergy = 0;

  // A cancelled question changes nothing.
  numbers.answers = {-1.0f};
  EXPECT_EQ(rules.ExtractEnergy(primitive, allowance), ExtractionResult::Declined);
  EXPECT_EQ(ship.Energy, 100);

  auto barren = PlanetWith(0, 0, 0);
  EXPECT_EQ(rules.ExtractEnergy(barren, allowance), ExtractionResult::DisableEnergy);
  EXPECT_EQ(prompter.Texts().back(), "You cannot extract any energy from this planet.");
}

TEST_F(RulesFixture, UpgradeAtTheLimitIsRefusedButItsEffectStillApplies) {
  std::vector<std::pair<int, int>> markers;
  rules.onUpgradeChanged = [&](int kind, int level) { markers.emplace_back(kind, level); };
  rules.ResetUpgradeLevels();
  for (int k = 1; k <= 5; ++k) EXPECT_EQ(ship.UpgradeLevels[static_cast<std::size_t>(k)], 1);
  EXPECT_EQ(markers.size(), 5u);
  ship.UpgradeLevels[1] = 5;
  ship.MaxEnergy = 1200;
  ship.Energy = 3;
  ship.ShieldEnergy = -40;
  EXPECT_EQ(rules.ApplyUpgradeEffect("EN"), "We will fill your dylithium crystals to test their integrity.");
  EXPECT_EQ(ship.UpgradeLevels[1], 5);
  EXPECT_EQ(ship.Energy, 1200);
  EXPECT_EQ(ship.ShieldEnergy, 0);
  EXPECT_EQ(prompter.Texts(), std::vector<std::string>{"You cannot take another energy upgrade."});
  EXPECT_EQ(markers.size(), 5u);

  ship.UpgradeLevels[5] = 5;
  EXPECT_FALSE(rules.AddUpgrade("TB"));
  EXPECT_EQ(prompter.Texts().back(), "You cannot take another torpedo bay upgrade.");
  EXPECT_FALSE(rules.AddUpgrade("XX"));
  EXPECT_TRUE(rules.AddUpgrade("SH"));
  EXPECT_EQ(markers.back(), std::make_pair(2, 2));

  EXPECT_EQ(UpgradeMarkerColours(1), (MarkerColours{0, kButtonFace}));
  EXPECT_EQ(UpgradeMarkerColours(2), (MarkerColours{0, 14}));
  EXPECT_EQ(UpgradeMarkerColours(5), (MarkerColours{8, 12}));
}

TEST_F(RulesFixture, TorpedoUpgradesFillTheBayThenTopUpTheTubes) {
  ship.PhotonTorpedoes = 70;
  EXPECT_EQ(rules.ApplyUpgradeEffect("PT"), "We will fill your photon bay to test new containment fields.");
  EXPECT_EQ(ship.TorpedoBay, 20);
  EXPECT_EQ(ship.PhotonTorpedoes, 60);

  ship.TorpedoBay = 5;
  EXPECT_EQ(rules.ApplyUpgradeEffect("TB"), "We will fill your extra photon bay to capacity for testing.");
  EXPECT_EQ(ship.TorpedoBay, 20);
  ship.PhotonTorpedoes = 10;
  random = QueuedRandom({0.5});
  EXPECT_EQ(rules.ApplyUpgradeEffect("TB"), "We will give you some Class 1 photons we had laying around.");
  EXPECT_EQ(ship.PhotonTorpedoes, 40);  // 50 x 0.5 x 1.2 + 10
  random = QueuedRandom({0.99});
  rules.ApplyUpgradeEffect("TB");
  EXPECT_EQ(ship.PhotonTorpedoes, 60);  // never above 60
  EXPECT_EQ(rules.ApplyUpgradeEffect("TB"), "");
  EXPECT_EQ(rules.ApplyUpgradeEffect("SN"), "");
}

TEST_F(RulesFixture, DamageNeverPicksTheLibraryComputerButDestructionCan) {
  // The largest draw below 1 picks 7 for damage and 8 for destruction.
  random = QueuedRandom({0.999999, 0.999999});
  rules.DamageSystem(3, 0);
  EXPECT_FLOAT_EQ(ship.SystemDamage[7], 3);
  rules.DestroySystem(0);
  EXPECT_FLOAT_EQ(ship.SystemDamage[8], 8);
  EXPECT_EQ(prompter.Texts(), (std::vector<std::string>{"System 7 damaged.", "System 8 destroyed!"}));

  // A destroyed system is drawn again until an intact one comes up.
  random = QueuedRandom({0.99, 0.0});
  rules.DestroySystem(8);
  EXPECT_EQ(prompter.Texts().back(), "System 1 destroyed!");
  EXPECT_EQ(random.draws, 2);

  // With every system gone nothing is drawn and the given number is used.
  for (int s = 1; s <= 8; ++s) ship.SystemDamage[static_cast<std::size_t>(s)] = 8;
  random = QueuedRandom();
  rules.DestroySystem(0);
  EXPECT_EQ(random.draws, 0);
  EXPECT_EQ(prompter.Texts().back(), "System 0 destroyed!");

  // Numbers outside the table touch nothing.
  auto before = ship.SystemDamage;
  rules.DamageSystem(5, 9);
  rules.DestroySystem(-1);
  rules.RepairOne(12);
  EXPECT_EQ(ship.SystemDamage, before);
}

TEST_F(RulesFixture, RepairsChooseOnlyQualifyingSystems) {
  rules.RepairOne(0);  // nothing damaged: no box
  rules.ReplaceOne(0);
  EXPECT_TRUE(prompter.Calls().empty());

  ship.SystemDamage[3] = 2;
  ship.SystemDamage[5] = 100;
  random = QueuedRandom({0.0, 0.6, 0.35});  // 0, then 5 (destroyed), then 3
  rules.RepairOne(0);
  EXPECT_EQ(prompter.Texts().back(), "System 3 repaired!");
  EXPECT_FLOAT_EQ(ship.SystemDamage[3], 0);
  EXPECT_EQ(random.draws, 3);

  // Only a destroyed system remains: nothing is repairable, so no repair happens.
  rules.RepairOne(0);
  EXPECT_EQ(prompter.Calls().size(), 1u);

  random = QueuedRandom({0.6});
  rules.ReplaceOne(0);
  EXPECT_EQ(prompter.Texts().back(), "System 5 replaced!");
  EXPECT_FLOAT_EQ(ship.SystemDamage[5], 0);

  ship.SystemDamage[2] = 9;
  rules.RepairAll();
  EXPECT_EQ(prompter.Texts().back(), "All systems repaired!");
  EXPECT_FLOAT_EQ(ship.SystemDamage[2], 0);
}

TEST_F(RulesFixture, PhotonAttackNeedsAsManyTorpedoesAsThePlanetIsLarge) {
  auto planet = PlanetWith(1, 0, 1);
  planet.Orbit = 500;
  ship.PhotonTorpedoes = 2;
  EXPECT_EQ(rules.FirePhotons(planet), PhotonResult::Refused);
  EXPECT_EQ(prompter.Texts().back(), "You don't have enough Class 1 torpedos to destroy this planet.");
  EXPECT_EQ(planet.Class, 13);

  ship.PhotonTorpedoes = 3;
  prompter.Answer(Answer::No);
  EXPECT_EQ(rules.FirePhotons(planet), PhotonResult::Declined);
  EXPECT_EQ(ship.PhotonTorpedoes, 3);

  prompter.Answer(Answer::Yes);
  random = QueuedRandom({0.7});
  EXPECT_EQ(rules.FirePhotons(planet), PhotonResult::Destroyed);
  EXPECT_EQ(prompter.Calls().back().text, "Are you sure you wish to DESTROY this planet?");
  EXPECT_EQ(prompter.Calls().back().buttons, platform::Buttons::YesNo);
  EXPECT_EQ(prompter.Calls().back().icon, platform::Icon::Exclamation);
  EXPECT_EQ(ship.PhotonTorpedoes, 0);
  EXPECT_EQ(planet.Class, 4);
  EXPECT_EQ(planet.StateValue, -1000);
  EXPECT_EQ(planet.Orbit, 0);
  EXPECT_EQ(planet.Attributes, 0);
}

TEST_F(RulesFixture, SuppliesStayWithinTheirLimits) {
  rules.ApplySupply(-1, "PT", 5);
  EXPECT_EQ(ship.PhotonTorpedoes, 0);
  rules.ApplySupply(+1, "PT", 500);
  EXPECT_EQ(ship.PhotonTorpedoes, 60);
  rules.ApplySupply(+1, "PTU", 25);
  EXPECT_EQ(ship.TorpedoBay, 20);
  rules.ApplySupply(+1, "PO", 2.5);  // halves go to the even neighbour
  EXPECT_EQ(ship.PoSupply, 2);
  rules.ApplySupply(+1, "PO", 40);
  EXPECT_EQ(ship.PoSupply, 10);
  rules.ApplySupply(+1, "EN", 50);  // no capacity yet
  EXPECT_EQ(ship.Energy, 0);
  rules.ApplySupply(+1, "ENM", 40000);
  EXPECT_EQ(ship.MaxEnergy, 32767);  // no wrap into negative capacity
  EXPECT_TRUE(rules.HasSupply("PT", 60));
  EXPECT_FALSE(rules.HasSupply("PT", 61));
  EXPECT_TRUE(rules.HasSupply("TI", 1000));

  rules.ApplySupply(-1, "TI", 5);
  rules.ApplySupply(+1, "TI", 5);
  EXPECT_EQ(prompter.Texts(), (std::vector<std::string>{"Time has gone down by 5", "Time has gone down by -5"}));
}

TEST_F(RulesFixture, HitsAndTreatiesReportAndChangeState) {
  rules.ShieldsHit(30);
  rules.ShieldsHit(32767);
  EXPECT_EQ(ship.ShieldEnergy, -32768);  // held at the 16-bit floor
  store::PlanetRecord planet;
  rules.FormTreaty(planet, "Orruk");
  EXPECT_TRUE(store::TestFlagBit(planet, 7));
  rules.BreakTreaty(planet, "Orruk");
  EXPECT_FALSE(store::TestFlagBit(planet, 7));
  auto texts = prompter.Texts();
  ASSERT_EQ(texts.size(), 4u);
  EXPECT_EQ(texts[0], "Your shields have been hit with 30 units.");
  EXPECT_EQ(texts[2],
            "A treaty has been formed with the Orruk.\r\nThis will allow you more time to complete\r\n"
            "your mission.  (It will also look pretty good\r\non your record.)");
  EXPECT_EQ(texts[3], "The Orruk have broken the treaty with Corvane.\r\nThis will take extra time away from your mission.");
}

TEST(ShipTables, FlagLettersSkipTheTreatyFlag) {
  EXPECT_EQ(FlagNumberOfLetter('A'), 0);
  EXPECT_EQ(FlagNumberOfLetter('G'), 6);
  EXPECT_EQ(FlagNumberOfLetter('H'), 8);
  EXPECT_EQ(FlagNumberOfLetter('Z'), 26);
  EXPECT_EQ(FlagNumberOfLetter('0'), 27);
  EXPECT_EQ(FlagNumberOfLetter('9'), 36);
  EXPECT_EQ(FlagNumberOfLetter('a'), -1);
  for (int f = 0; f < kFlagNumbers; ++f) {
    if (f == kTreatyFlag) continue;
    EXPECT_EQ(FlagNumberOfLetter(FlagLabelCaption(f)[0]), f);
  }
  EXPECT_EQ(FlagLabelCaption(7), "Treaty");
  EXPECT_EQ(FormatPoint00(0.5), ".50");
  EXPECT_EQ(FormatPoint00(0.5 / 3), ".17");
  EXPECT_EQ(FormatPoint00(1.25 * 2), "2.50");
}

TEST(SeededRandomTest, FixedSeedReplaysAfterEachClockSeeding) {
  SeededRandom a(42), b(42);
  std::vector<double> first;
  for (int i = 0; i < 5; ++i) first.push_back(a.Next());
  a.SeedFromClock();
  for (int i = 0; i < 5; ++i) {
    double v = a.Next();
    EXPECT_EQ(v, first[static_cast<std::size_t>(i)]);
    EXPECT_EQ(b.Next(), v);
    EXPECT_GE(v, 0.0);
    EXPECT_LT(v, 1.0);
  }
}

}  // namespace
}  // namespace zelmora::simulator
