#include "editor/editor_commands.h"
#include "editor/system_drawing.h"
#include "tests/support/open_demo_system.h"

#include <gtest/gtest.h>

namespace zelmora::editor {
namespace {

using platform::Answer;
using testing::OpenDemoSystem;

TEST(StarDescription, DefaultWordsAndTheTypeNameStoreNothing) {
  OpenDemoSystem s("4Tessaly");
  auto& ctx = s.ctx;
  for (const char* answer : {"DEFAULT", "None", "Yellow Sun"}) {
    s.prompter.Reply("Something");
    ASSERT_TRUE(DescribeStar(ctx));
    ASSERT_EQ(StarDisplayName(s.store, s.record), "Something");
    s.prompter.Reply(answer);
    ASSERT_TRUE(DescribeStar(ctx));
    EXPECT_EQ(s.store.GetPlanetName(s.record, 0, ""), store::kNotUsed) << answer;
    EXPECT_EQ(StarDisplayName(s.store, s.record), "Yellow Sun") << answer;
  }
  EXPECT_EQ(s.prompter.Calls()[0].text,
            "Please enter the description for Tessaly.  Enter \"default\" or \"none\" to use the default name.");
  EXPECT_EQ(s.prompter.Calls()[0].defaultValue, "Tessaly Prime");
  // Another letter case is not the type's name.
  s.prompter.Reply("yellow sun");
  DescribeStar(ctx);
  EXPECT_EQ(StarDisplayName(s.store, s.record), "yellow sun");
  s.prompter.Reply(std::nullopt);
  EXPECT_FALSE(DescribeStar(ctx));
  EXPECT_EQ(StarDisplayName(s.store, s.record), "yellow sun");
}

TEST(PlanetName, DefaultInAnyCaseRemovesTheStoredName) {
  OpenDemoSystem s("Kestrel Verge");
  auto& ctx = s.ctx;
  s.prompter.Reply("dEfAuLt");
  ASSERT_TRUE(RenamePlanet(ctx, 3));
  EXPECT_EQ(s.prompter.Calls()[0].defaultValue, "Great Red");
  EXPECT_EQ(s.store.GetPlanetName(s.record, 3, s.record.StarName), "Kestrel Verge III");
  EXPECT_FALSE(RenamePlanet(ctx, 4));  // no planet 4: nothing asked
  EXPECT_EQ(s.prompter.Calls().size(), 1u);
}

TEST(InformationPanel, AdvancementShowsForExtinctLifeAndAttitudeOnlyForAnimals) {
  OpenDemoSystem s("Kestrel Verge");
  store::PlanetAttributes a{3, 0, 3, 1, 0};
  s.record.Planet(2).Attributes = a.Encode();
  PlanetInfo info = DescribePlanet(s.store, s.record, 2);
  EXPECT_EQ(info.life, "Extinct");
  EXPECT_EQ(info.attitude, "---");
  EXPECT_EQ(info.advancement, "Advanced");
  EXPECT_EQ(info.energy, "Fossil Fuels");
  EXPECT_TRUE(info.defaultName);
  // A stored name that merely contains the marker is still a name.
  s.store.SetPlanetName(s.record, 2, "XXX Marks");
  EXPECT_FALSE(DescribePlanet(s.store, s.record, 2).defaultName);
}

TEST(LeaveForSelection, AnUnchangedSystemIsClosedWithoutAQuestion) {
  OpenDemoSystem s("4Tessaly");
  auto& ctx = s.ctx;
  EXPECT_TRUE(LeaveForSelection(ctx, false, "Kestrel Verge"));
  EXPECT_FALSE(s.store.IsWorkingCopyOpen());
  EXPECT_FALSE(s.game.Exists("ZMDescriptor/4Tessaly.edt"));
  EXPECT_TRUE(s.prompter.Calls().empty());
}

}  // namespace
}  // namespace zelmora::editor
