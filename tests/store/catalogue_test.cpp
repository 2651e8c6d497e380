#include "store/descriptor_store.h"
#include "store/tables.h"

#include "tests/support/temp_game_folder.h"

#include <gtest/gtest.h>

namespace zelmora::store {
namespace {

using testing::CrLf;
using testing::TempGameFolder;

std::string Planets(int n) {
  std::string out;
  for (int i = 1; i <= n; ++i) out += std::to_string(380 + 30 * i) + ",2,1,16384," + std::to_string(i % 15) + ",9\r\n";
  return out;
}

class CatalogueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    game.Write("SOLARSYS.TXT", "\"Vega                \",3,2\r\n" + Planets(2) +
                                   "\"Hidden #1           \",0,1\r\n" + Planets(1) +
                                   "\"Crowded             \",1,12\r\n" + Planets(12) +
                                   "\"  Sol  \",0,1\r\n" + Planets(1) +
                                   "\"Zero\",4,0\r\n");
  }
  TempGameFolder game;
  DescriptorStore store{game.Path()};
};

TEST_F(CatalogueTest, KeysAreCountAndTrimmedNameAndHashNamesAreNeverOffered) {
  EXPECT_EQ(store.ListCatalogueSystems(), (std::vector<std::string>{"2Vega", "12Crowded", "1Sol", "0Zero"}));
}

TEST_F(CatalogueTest, SystemsWithADescriptorAreNotOfferedAgain) {
  game.WriteDescriptor("2Vega", "[General]\r\n");
  EXPECT_EQ(store.ListCatalogueSystems(), (std::vector<std::string>{"12Crowded", "1Sol", "0Zero"}));
}

TEST_F(CatalogueTest, LoadCopiesTheRecordAndNamesItByKey) {
  SolarSystemRecord r;
  ASSERT_TRUE(store.LoadCatalogueEntry("1Sol", r));
  EXPECT_EQ(r.Name, "1Sol");
  EXPECT_EQ(r.StarName, "  Sol               ");
  EXPECT_EQ(r.PlanetCount, 1);
  EXPECT_EQ(r.Planet(1).Orbit, 410);
  EXPECT_EQ(r.Planet(1).StateValue, 9);
}

TEST_F(CatalogueTest, OnlyTheMatchingRecordsPlanetsAreCopied) {
  // 12Crowded, scanned before 1Sol, fills every slot of the scan; 1Sol has one planet.
  SolarSystemRecord r;
  r.Planet(2) = {999, 5, 7, 77, 9, 99, 0};  // a slot the open record used earlier
  ASSERT_TRUE(store.LoadCatalogueEntry("1Sol", r));
  EXPECT_EQ(r.PlanetCount, 1);
  EXPECT_EQ(r.Planet(2).Orbit, 999);
  EXPECT_EQ(r.Planet(2).Moons, 7);
  EXPECT_EQ(r.Planet(3).Orbit, 0);
  EXPECT_EQ(r.Planet(3).Attributes, 0);
  EXPECT_EQ(r.Planet(10).StateValue, 0);

  // Adding a planet then gives the slot's own zero moons and attributes, not Crowded's.
  r.PlanetCount = 0;
  ASSERT_TRUE(store.LoadCatalogueEntry("0Zero", r));
  EXPECT_EQ(r.Planet(1).Orbit, 410);  // kept from 1Sol
  EXPECT_EQ(r.Planet(4).Class, 0);
}

TEST_F(CatalogueTest, SurplusPlanetLinesAreSkippedNotWrittenPastTheTenthSlot) {
  SolarSystemRecord r;
  ASSERT_TRUE(store.LoadCatalogueEntry("12Crowded", r));
  EXPECT_EQ(r.PlanetCount, 10);
  EXPECT_EQ(r.Planet(10).Orbit, 680);
  // The records after it are still found.
  EXPECT_TRUE(store.LoadCatalogueEntry("0Zero", r));
  EXPECT_EQ(r.StarType, 4);
  EXPECT_EQ(r.PlanetCount, 0);
}

TEST_F(CatalogueTest, UnknownOrEmptyKeyOrMissingCatalogueLeavesTheRecordAsItWas) {
  SolarSystemRecord r;
  r.Name = "Mine";
  r.PlanetCount = 3;
  r.Planet(1).Orbit = 777;
  EXPECT_FALSE(store.LoadCatalogueEntry("3Vega", r));
  EXPECT_FALSE(store.LoadCatalogueEntry("", r));
  std::filesystem::remove(game.Path() / "SOLARSYS.TXT");
  EXPECT_FALSE(store.LoadCatalogueEntry("2Vega", r));
  EXPECT_TRUE(store.ListCatalogueSystems().empty());
  EXPECT_EQ(r.Name, "Mine");
  EXPECT_EQ(r.PlanetCount, 3);
  EXPECT_EQ(r.Planet(1).Orbit, 777);
}

TEST_F(CatalogueTest, ATruncatedCatalogueStopsQuietly) {
  game.Write("SOLARSYS.TXT", "\"Vega\",3,2\r\n400,2,0,0,1,0\r\n");
  EXPECT_TRUE(store.ListCatalogueSystems().empty());
  SolarSystemRecord r;
  EXPECT_FALSE(store.LoadCatalogueEntry("2Vega", r));
}

TEST(TablesTest, AlienNamesFromTheFileAndPlaceholders) {
  TempGameFolder game;
  std::string ten;
  for (int i = 1; i <= 10; ++i) ten += "Race" + std::to_string(i) + "\r\n";
  game.Write("ALIENS.TXT", ten);  // found without regard to case
  Tables t = InitTables(game.Path());
  EXPECT_EQ(t.AlienNames[0], "");
  EXPECT_EQ(t.AlienNames[10], "Race10");
  EXPECT_EQ(t.AlienNames[11], "");
  t.FillAlienPlaceholders();
  EXPECT_EQ(t.AlienNames[0], "");
  EXPECT_EQ(t.AlienNames[7], "Race7");
  EXPECT_EQ(t.AlienNames[11], "Alien # 11");
  EXPECT_EQ(t.AlienNames[255], "Alien # 255");
  EXPECT_EQ(t.Roman(12), "XII");
  EXPECT_EQ(t.Roman(13), "");
  EXPECT_EQ(t.StarTypeNames[3], "Binary System");
  EXPECT_EQ(t.ClassColours[11], 12);
}

TEST(TablesTest, MoreThan255LinesAreCutAndAMissingFileLeavesTheTableEmpty) {
  TempGameFolder game;
  std::string many;
  for (int i = 1; i <= 300; ++i) many += "R" + std::to_string(i) + "\n";
  game.Write("aliens.txt", many);
  Tables t = InitTables(game.Path());
  EXPECT_EQ(t.AlienNames[255], "R255");
  TempGameFolder bare;
  Tables empty = InitTables(bare.Path());
  for (int i = 0; i < kAlienNameCount; ++i) EXPECT_EQ(empty.AlienNames[static_cast<std::size_t>(i)], "");
  empty.FillAlienPlaceholders();
  EXPECT_EQ(empty.AlienNames[1], "Alien # 1");
}

TEST(RecordRules, LifeInvariantsClassChangesAndFlagBits) {
  PlanetAttributes a = PlanetAttributes::Decode(2 * 16384 + 3 * 4096 + 2 * 1024 + 1 * 256 + 77);
  EXPECT_EQ(a.Life, 2);
  EXPECT_EQ(a.Attitude, 3);
  EXPECT_EQ(a.Advancement, 2);
  EXPECT_EQ(a.Energy, 1);
  EXPECT_EQ(a.AlienIndex, 77);
  a.SetLife(3);
  EXPECT_EQ(a.Attitude, 0);
  EXPECT_EQ(a.Advancement, 2);  // extinct races keep their advancement
  a.SetLife(1);
  EXPECT_EQ(a.Encode(), 16384 + 256 + 77);

  PlanetRecord p;
  p.Size = 4;
  p.Moons = 3;
  SetPlanetClass(p, 0);
  EXPECT_EQ(p.Size, 0);
  EXPECT_EQ(p.Moons, 0);
  SetPlanetClass(p, 5);
  EXPECT_EQ(p.Size, 2);
  p.Size = 4;
  SetPlanetClass(p, 6);
  EXPECT_EQ(p.Size, 4);

  SetFlagBit(p, 35, true);
  SetFlagBit(p, 35, true);  // setting twice changes nothing
  EXPECT_TRUE(TestFlagBit(p, 35));
  EXPECT_EQ(p.FlagBits, std::uint64_t{1} << 35);
  SetFlagBit(p, 35, false);
  SetFlagBit(p, 35, false);
  EXPECT_EQ(p.FlagBits, 0u);
}

}  // namespace
}  // namespace zelmora::store
