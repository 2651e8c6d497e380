#include "simulator/test_options.h"
#include "tests/simulator/sim_fakes.h"

#include <gtest/gtest.h>

namespace zelmora::simulator {
namespace {

// Records what a window of the options would be told.
struct OptionsLog : TestOptionsListener {
  void FlagLabelChanged(int flag, bool on) override { labels.push_back(std::to_string(flag) + (on ? "+" : "-")); }
  void FlagAdded(const FlagListEntry& entry) override { list.push_back("add " + entry.name); }
  void FlagRemoved(const FlagListEntry& entry) override { list.push_back("remove " + entry.name); }
  void RetrofitCaptionChanged(const std::string&) override {}
  std::vector<std::string> labels, list;
};

struct TestOptionsTest : ::testing::Test {
  TestOptionsTest() {
    sim.script.keys = {{"AFlag", "Met the elders"}, {"HFlag", "Saw the ruins"}};
    sim.options.LoadFlagNames(sim.script);
    sim.options.SetListener(&log);
    sim.rules.onUpgradeChanged = [this](int kind, int level) { markers.emplace_back(kind, level); };
  }
  fakes::Simulation sim;
  TestOptions& options = sim.options;
  OptionsLog log;
  std::vector<std::pair<int, int>> markers;
};

TEST_F(TestOptionsTest, ClearingAListedFlagAlsoTurnsItsLabelOffForTheNextBegin) {
  options.ToggleFlagLabel(0);
  options.ToggleFlagLabel(8);
  options.ToggleFlagLabel(kTreatyFlag);
  EXPECT_EQ(options.FlagList(), (std::vector<FlagListEntry>{
                                    {"A - Met the elders", 0}, {"H - Saw the ruins", 8}, {"Have Treaty", 7}}));
  store::SetFlagBit(sim.planet(), 0, true);
  options.ClearListedFlag(0, sim.planet());
  EXPECT_FALSE(store::TestFlagBit(sim.planet(), 0));
  EXPECT_FALSE(options.FlagLabelOn(0));
  EXPECT_EQ(options.FlagList().size(), 2u);
  options.ClearListedFlag(5, sim.planet());  // no such row
  options.Begin(sim.planet(), sim.random);
  EXPECT_FALSE(sim.Flag('A'));
  EXPECT_TRUE(sim.Flag('H'));
  EXPECT_TRUE(store::TestFlagBit(sim.planet(), kTreatyFlag));

  options.ClearFlags();
  EXPECT_TRUE(options.FlagList().empty());
  EXPECT_EQ(log.labels, (std::vector<std::string>{"0+", "8+", "7+", "0-", "7-", "8-"}));
  EXPECT_EQ(log.list.back(), "remove H - Saw the ruins");
}

TEST_F(TestOptionsTest, ListedFlagsTakeTheNamesOfThePlanetLoadedNext) {
  options.ToggleFlagLabel(8);
  fakes::MapScript other;
  other.keys = {{"HFlag", "Bought fuel"}};
  options.LoadFlagNames(other);
  EXPECT_EQ(options.FlagList(), (std::vector<FlagListEntry>{{"H - Bought fuel", 8}}));
  EXPECT_EQ(options.FlagListName(8), "H - Bought fuel");
  EXPECT_EQ(options.FlagListName(1), "B - Unused");
}

TEST_F(TestOptionsTest, UpgradeLabelsCycleTheLevelOnlyWhileUpgradesIsTicked) {
  markers.clear();
  for (int press = 0; press < 5; ++press) options.PressUpgrade(2, sim.rules);
  EXPECT_EQ(sim.ship.UpgradeLevels[3], 1);  // 2, 3, 4, 5, then round to 1
  EXPECT_EQ(markers, (std::vector<std::pair<int, int>>{{3, 2}, {3, 3}, {3, 4}, {3, 5}, {3, 1}}));
  EXPECT_TRUE(sim.prompter.Calls().empty());  // the level-5 refusal never shows here
  options.PressUpgrade(0, sim.rules);
  options.PressUpgrade(4, sim.rules);
  options.PressUpgrade(5, sim.rules);  // no sixth label
  options.SetUpgrades(false, sim.rules);
  EXPECT_FALSE(options.upgrades);
  for (int k = 1; k <= kUpgradeKinds; ++k) EXPECT_EQ(sim.ship.UpgradeLevels[static_cast<std::size_t>(k)], 1);
  EXPECT_EQ((std::vector<std::pair<int, int>>(markers.end() - 5, markers.end())),
            (std::vector<std::pair<int, int>>{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}}));
  markers.clear();
  options.PressUpgrade(0, sim.rules);
  EXPECT_TRUE(markers.empty());
  options.SetUpgrades(true, sim.rules);
  EXPECT_TRUE(markers.empty());
  EXPECT_EQ(UpgradeMarkerColours(1), (MarkerColours{0, kButtonFace}));
  EXPECT_EQ(UpgradeMarkerColours(5), (MarkerColours{8, 12}));
}

}  // namespace
}  // namespace zelmora::simulator
