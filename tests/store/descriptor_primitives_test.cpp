#include "store/descriptor_store.h"

#include "tests/support/temp_game_folder.h"

#include <gtest/gtest.h>

namespace zelmora::store {
namespace {

using testing::CrLf;
using testing::TempGameFolder;

const std::string kVega = CrLf({"[General]", "PlanetPics = YN", "Messages = NY", "", ";SolarSystem",
                                ";\"Vega                \",2,2", ";400,2,0,0,1,0", ";430,3,1,16384,13,7",
                                "[Names]", "1=Alpha", "10=Ten", "[2]", "Message1=Hello", "Messages=1"});

class DescriptorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    game.WriteDescriptor("Vega", kVega);
    store.RefreshSystemNames();
    record.Name = "Vega";
  }
  TempGameFolder game;
  DescriptorStore store{game.Path()};
  SolarSystemRecord record;
};

TEST_F(DescriptorTest, ReadsTheBlockAndClearsTheListedEntry) {
  store.ReadSystemRecord(record);
  EXPECT_EQ(record.StarName, "Vega                ");
  EXPECT_EQ(record.StarType, 2);
  ASSERT_EQ(record.PlanetCount, 2);
  EXPECT_EQ(record.Planet(2).Orbit, 430);
  EXPECT_EQ(record.Planet(2).Size, 3);
  EXPECT_EQ(record.Planet(2).Moons, 1);
  EXPECT_EQ(record.Planet(2).Attributes, 16384);
  EXPECT_EQ(record.Planet(2).Class, 13);
  EXPECT_EQ(record.Planet(2).StateValue, 7);
  EXPECT_EQ(store.SystemNames(), std::vector<std::string>{""});
  EXPECT_EQ(store.IndexOfSystem("Vega"), 0);
}

TEST_F(DescriptorTest, AnUnlistedSystemLeavesTheRecordAlone) {
  record.Name = "Nowhere";
  record.PlanetCount = 5;
  store.ReadSystemRecord(record);
  EXPECT_EQ(record.PlanetCount, 5);
  EXPECT_EQ(record.Name, "Nowhere");
}

TEST_F(DescriptorTest, WriteSystemRecordReplacesOnlyTheBlock) {
  store.ReadSystemRecord(record);
  record.StarName = "Vega Major Secundus Tertius";  // longer than 20: stored cut
  record.PlanetCount = 3;
  record.Planet(3) = {460, 0, 0, 0, 0, -5, 0};
  record.Planet(1).Attributes = -1;
  store.WriteSystemRecord(record);
  EXPECT_EQ(game.ReadDescriptor("Vega"),
            CrLf({"[General]", "PlanetPics = YN", "Messages = NY", "", ";SolarSystem",
                  ";\"Vega Major Secundus \",2,3", ";400,2,0,-1,1,0", ";430,3,1,16384,13,7", ";460,0,0,0,0,-5",
                  "[Names]", "1=Alpha", "10=Ten", "[2]", "Message1=Hello", "Messages=1"}));
  // Fewer planets: the surplus old lines go.
  record.PlanetCount = 1;
  store.WriteSystemRecord(record);
  EXPECT_EQ(game.ReadDescriptor("Vega"),
            CrLf({"[General]", "PlanetPics = YN", "Messages = NY", "", ";SolarSystem",
                  ";\"Vega Major Secundus \",2,1", ";400,2,0,-1,1,0", "[Names]", "1=Alpha", "10=Ten", "[2]",
                  "Message1=Hello", "Messages=1"}));
}

TEST_F(DescriptorTest, BlockRoundTripsThroughReadAndWrite) {
  store.ReadSystemRecord(record);
  SolarSystemRecord before = record;
  store.WriteSystemRecord(record);
  EXPECT_EQ(game.ReadDescriptor("Vega"), kVega);
  store.RefreshSystemNames();
  SolarSystemRecord again;
  again.Name = "Vega";
  store.ReadSystemRecord(again);
  EXPECT_EQ(again.StarName, before.StarName);
  for (int i = 1; i <= 2; ++i) {
    EXPECT_EQ(again.Planet(i).Orbit, before.Planet(i).Orbit);
    EXPECT_EQ(again.Planet(i).Attributes, before.Planet(i).Attributes);
  }
}

TEST_F(DescriptorTest, AStarNameWithADoubleQuoteIsWrittenWithAnApostrophe) {
  store.ReadSystemRecord(record);
  record.StarName = "The \"Eye\"";
  store.WriteSystemRecord(record);
  EXPECT_NE(game.ReadDescriptor("Vega").find(";\"The 'Eye'           \",2,2"), std::string::npos);
  store.RefreshSystemNames();
  SolarSystemRecord again;
  again.Name = "Vega";
  store.ReadSystemRecord(again);
  EXPECT_EQ(again.StarName, "The 'Eye'           ");
  EXPECT_EQ(again.PlanetCount, 2);
}

TEST_F(DescriptorTest, AStarNameOverTwoLinesIsWrittenOnOne) {
  // A catalogue's quoted name may run over a line break; the block's header must stay one line.
  game.WriteDescriptor("Vega", CrLf({"[General]", "Messages=NN", "", ";SolarSystem", ";\"Ve", "ga\",0,2",
                                     ";400,2,0,0,1,0", ";430,3,1,0,13,0", "[1]", "Message1=kept"}));
  store.RefreshSystemNames();
  store.ReadSystemRecord(record);
  ASSERT_EQ(record.StarName, "Ve\r\nga              ");
  store.WriteSystemRecord(record);
  const std::string written = game.ReadDescriptor("Vega");
  EXPECT_EQ(written, CrLf({"[General]", "Messages=NN", "", ";SolarSystem", ";\"Ve  ga              \",0,2",
                           ";400,2,0,0,1,0", ";430,3,1,0,13,0", "[1]", "Message1=kept"}));
  for (int round = 0; round < 2; ++round) {
    store.RefreshSystemNames();
    SolarSystemRecord again;
    again.Name = "Vega";
    store.ReadSystemRecord(again);
    EXPECT_EQ(again.StarName, "Ve  ga              ");
    EXPECT_EQ(again.PlanetCount, 2);
    EXPECT_EQ(again.Planet(2).Class, 13);
    store.WriteSystemRecord(again);
    EXPECT_EQ(game.ReadDescriptor("Vega"), written);
  }
}

TEST_F(DescriptorTest, ADamagedPlanetCountNeverSwallowsTheSections) {
  game.WriteDescriptor("Vega", CrLf({"[General]", "Messages=N", "", ";SolarSystem", ";\"Vega\",0,9",
                                     ";400,2,0,0,1,0", "[1]", "Message1=kept"}));
  store.RefreshSystemNames();
  store.ReadSystemRecord(record);
  store.WriteSystemRecord(record);
  EXPECT_NE(game.ReadDescriptor("Vega").find("[1]\r\nMessage1=kept\r\n"), std::string::npos);
}

TEST_F(DescriptorTest, ZeroPlanetsGiveATwoLineBlockAndEmptyFlags) {
  SolarSystemRecord empty;
  InitCustomSystem(empty, "Nix", "Nix");
  EXPECT_EQ(NewDescriptorText(empty),
            CrLf({"[General]", "PlanetPics = ", "Messages = ", "", ";SolarSystem", ";\"Nix                 \",0,0"}));
}

TEST_F(DescriptorTest, PlanetFlagsReadAndFit) {
  EXPECT_EQ(store.GetPlanetFlag(record, "PlanetPics", 1), 1);
  EXPECT_EQ(store.GetPlanetFlag(record, "PlanetPics", 2), 0);
  EXPECT_EQ(store.GetPlanetFlag(record, "PlanetPics", 3), 1);  // beyond the end counts as on
  EXPECT_EQ(store.GetPlanetFlag(record, "Missing", 1), -2);
  SolarSystemRecord ghost;
  ghost.Name = "Ghost";
  EXPECT_EQ(store.GetPlanetFlag(ghost, "Messages", 1), -1);

  store.SetPlanetFlag(record, "Messages", 3, 4, true);
  EXPECT_EQ(store.ReadKey("Vega", "General", "Messages", ""), "NYYN");
  store.SetPlanetFlag(record, "Messages", 0, 2, false);
  EXPECT_EQ(store.ReadKey("Vega", "General", "Messages", ""), "NY");
  store.SetPlanetFlag(record, "PlanetPics", 9, 3, true);  // beyond the count: only fitted
  EXPECT_EQ(store.ReadKey("Vega", "General", "PlanetPics", ""), "YNN");
  store.SetPlanetFlag(record, "Custom", 1, 2, true);  // a missing value is created
  EXPECT_EQ(store.ReadKey("Vega", "General", "Custom", ""), "YN");
  // The profile writer's own form, in place.
  EXPECT_NE(game.ReadDescriptor("Vega").find("[General]\r\nPlanetPics=YNN\r\nMessages=NY\r\nCustom=YN\r\n\r\n;Solar"),
            std::string::npos);
  for (char on : std::string("1YPV")) {
    store.WriteKey("Vega", "General", "Messages", std::string(1, on));
    EXPECT_EQ(store.GetPlanetFlag(record, "Messages", 1), 1) << on;
  }
  store.WriteKey("Vega", "General", "Messages", "y");
  EXPECT_EQ(store.GetPlanetFlag(record, "Messages", 1), 0);
}

TEST_F(DescriptorTest, NamesAndTheirDefaults) {
  game.WriteDescriptor("Vega", kVega + CrLf({"[Names]"}));
  EXPECT_EQ(store.GetPlanetName(record, 1, "  Vega  "), "Alpha");
  EXPECT_EQ(store.GetPlanetName(record, 2, "  Vega  "), "Vega II");
  EXPECT_EQ(store.GetPlanetName(record, 0, "Vega"), "Not Used");
  store.WriteKey("Vega", "Names", "2", "");
  store.WriteKey("Vega", "Names", "S", "");
  EXPECT_EQ(store.GetPlanetName(record, 2, "Vega"), "Vega II");
  EXPECT_EQ(store.GetPlanetName(record, 0, "Vega"), "");

  store.SetPlanetName(record, 1, "");
  EXPECT_EQ(store.GetPlanetName(record, 1, "Vega"), "Vega I");
  EXPECT_EQ(store.GetPlanetName(record, 10, "Vega"), "Ten");
}

TEST_F(DescriptorTest, NamesReadBackAsTypedQuotesAndBlanksIncluded) {
  // The reader trims blanks and strips one matching pair of quotes of either kind.
  for (const std::string name : {"\"Vega\"", "'Vega'", "\"'", "''", "\"Big\" Blue", "  padded ", "\"", "Plain"}) {
    store.SetPlanetName(record, 2, name);
    EXPECT_EQ(store.GetPlanetName(record, 2, "Vega"), name);
    store.SetPlanetName(record, 0, name);
    EXPECT_EQ(store.GetPlanetName(record, 0, "Vega"), name);
  }
  // A plain name is stored as it is.
  EXPECT_NE(game.ReadDescriptor("Vega").find("\r\n2=Plain\r\n"), std::string::npos);
  EXPECT_TRUE(NameFits(std::string(254, 'n')));
  EXPECT_FALSE(NameFits(std::string(255, 'n')));
  EXPECT_FALSE(NameFits("'" + std::string(252, 'n') + "'"));  // needs the two shielding quotes
}

// The rewrites find sections as the reader does, whatever the case and blanks of the header.
TEST(DescriptorSections, RewritesFindSectionsAsTheReaderDoes) {
  TempGameFolder game;
  for (const std::string header : {"[names]", " [Names]", "[ NAMES ]"}) {
    game.WriteDescriptor("Vega", CrLf({"[General]", "Messages = NN", header, "1=Alpha", "10=Ten", " [2]",
                                       "Message1=Hi", "[3] ", "Message1=Three"}));
    DescriptorStore store(game.Path());
    SolarSystemRecord record;
    record.Name = "Vega";
    record.PlanetCount = 3;
    ASSERT_EQ(store.GetPlanetName(record, 1, "Vega"), "Alpha") << header;
    store.SetPlanetName(record, 1, "");
    EXPECT_EQ(store.GetPlanetName(record, 1, "Vega"), "Vega I") << header;
    EXPECT_EQ(store.GetPlanetName(record, 10, "Vega"), "Ten") << header;

    EXPECT_TRUE(store.SectionExists("Vega", "names")) << header;
    EXPECT_TRUE(store.SectionExists("Vega", "2")) << header;
    store.DeleteKey("Vega", "2", "Message1");
    EXPECT_EQ(store.GetPlanetMessage(record, 2, "Message1", true), "ERR") << header;

    store.SwapPlanets(record, 1, 3);
    EXPECT_EQ(store.GetPlanetName(record, 3, "Vega"), "Vega III") << header;
    EXPECT_EQ(store.GetPlanetMessage(record, 1, "Message1", true), "Three") << header;
    store.DeletePlanetSection(record, 1);
    EXPECT_FALSE(store.SectionExists("Vega", "1")) << header;
    EXPECT_EQ(store.GetPlanetName(record, 10, "Vega"), "Ten") << header;
  }
}

TEST_F(DescriptorTest, DeleteKeyOneKeepsKeyTen) {
  store.DeleteKey("Vega", "Names", "1");
  std::string text = game.ReadDescriptor("Vega");
  EXPECT_EQ(text.find("1=Alpha"), std::string::npos);
  EXPECT_NE(text.find("10=Ten"), std::string::npos);
  // A key line of another section with the same key stays.
  store.WriteKey("Vega", "2", "1", "section two");
  store.WriteKey("Vega", "Names", "1", "again");
  store.DeleteKey("Vega", "Names", "1");
  EXPECT_EQ(store.ReadKey("Vega", "2", "1", ""), "section two");
  EXPECT_EQ(store.ReadKey("Vega", "Names", "1", "gone"), "gone");
}

TEST_F(DescriptorTest, MessagesNeedTheSwitchUnlessForced) {
  EXPECT_EQ(store.GetPlanetMessage(record, 2, "Message1", false), "Hello");
  EXPECT_EQ(store.GetPlanetMessage(record, 2, "Message9", false), "ERR");
  EXPECT_EQ(store.GetPlanetMessage(record, 1, "Message1", false), "NO");
  EXPECT_EQ(store.GetPlanetMessage(record, 1, "Message1", true), "ERR");
  store.WriteKey("Vega", "1", "Message1", "Forced");
  EXPECT_EQ(store.GetPlanetMessage(record, 1, "Message1", true), "Forced");
  EXPECT_TRUE(store.SectionExists("Vega", "1"));
  EXPECT_FALSE(store.SectionExists("Vega", "3"));
}

TEST_F(DescriptorTest, ValuesLongerThan254ReadBackCut) {
  store.WriteKey("Vega", "2", "Message2", std::string(300, 'm'));
  EXPECT_EQ(store.GetPlanetMessage(record, 2, "Message2", true), std::string(254, 'm'));
  EXPECT_NE(game.ReadDescriptor("Vega").find(std::string(300, 'm')), std::string::npos);
}

TEST_F(DescriptorTest, BatchWritesOnceAndEqualsSingleWrites) {
  TempGameFolder other;
  other.WriteDescriptor("Vega", kVega);
  DescriptorStore single(other.Path());
  auto writeAll = [](DescriptorStore& s) {
    for (int i = 1; i <= 50; ++i) s.WriteKey("Vega", std::to_string(i % 3 + 1), "Message" + std::to_string(i), "v");
    s.DeleteKey("Vega", "2", "Message4");
    s.WriteKey("Vega", "General", "Messages", "YY");
  };
  writeAll(single);
  {
    DescriptorBatch batch(store, "Vega");
    writeAll(store);
    EXPECT_EQ(game.ReadDescriptor("Vega"), kVega);  // nothing on disk yet
    EXPECT_EQ(store.ReadKey("Vega", "1", "Message3", ""), "v");  // but readable
  }
  EXPECT_EQ(game.ReadDescriptor("Vega"), other.ReadDescriptor("Vega"));
}

TEST(DescriptorFolders, FolderWithoutTrailingSeparatorAndAnyCase) {
  TempGameFolder game;
  game.WriteDescriptor("ab", kVega);
  game.WriteDescriptor("Shout", kVega, ".ZMD");
  game.Write("ZMDescriptor/notes.txt", "x");
  DescriptorStore store(game.Path().string());  // no trailing separator
  store.RefreshSystemNames();
  auto names = store.SystemNames();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"Shout", "ab"}));
  EXPECT_EQ(store.DescriptorPath("ab"), game.Descriptors() / "ab.zmd");
  EXPECT_EQ(store.DescriptorPath("Shout"), game.Descriptors() / "Shout.ZMD");
  EXPECT_EQ(store.ReadKey("Shout", "Names", "1", ""), "Alpha");
}

TEST(DescriptorFolders, ListedNamesAreDecodedFromUtf8AndNamesTheCodePageCannotHoldAreLeftOut) {
  TempGameFolder game;
  game.Write("ZMDescriptor/\xC3\x86r\xC3\xB8.zmd", kVega);  // UTF-8 of a 1252 name
  game.Write("ZMDescriptor/\xE6r\xF8.zmd", kVega);            // raw 1252 bytes: the game would not find it
  game.Write("ZMDescriptor/\xE6\x97\xA5.zmd", kVega);         // a character the code page lacks
  game.Write("ZMDescriptor/\xC0\xAE\xC0\xAE.zmd", kVega);     // an overlong "..": no name at all
  DescriptorStore store(game.Path());
  store.RefreshSystemNames();
  EXPECT_EQ(store.SystemNames(), std::vector<std::string>{"\xC6r\xF8"});
  EXPECT_EQ(store.DescriptorPath("\xC6r\xF8"), game.Descriptors() / "\xC3\x86r\xC3\xB8.zmd");
  // Case is ignored for the code page's letters too.
  EXPECT_EQ(store.DescriptorPath("\xE6R\xD8"), game.Descriptors() / "\xC3\x86r\xC3\xB8.zmd");
  EXPECT_EQ(store.ReadKey("\xC6r\xF8", "Names", "1", ""), "Alpha");
}

TEST(DescriptorFolders, IndexOfSystemWithAnEmptyNameFindsTheFirstEntry) {
  TempGameFolder game;
  DescriptorStore store(game.Path());
  EXPECT_EQ(store.IndexOfSystem(""), 0);
  store.SystemNames() = {"", "b", "c"};
  EXPECT_EQ(store.IndexOfSystem(""), 2);
  EXPECT_EQ(store.IndexOfSystem("c"), 3);
  EXPECT_EQ(store.IndexOfSystem("C"), 0);
}

}  // namespace
}  // namespace zelmora::store
