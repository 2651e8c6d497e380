#include "messages/flags.h"
#include "messages/group_discovery.h"
#include "messages/planet_script.h"
#include "messages/script_keys.h"

#include "tests/support/temp_game_folder.h"

#include <gtest/gtest.h>

namespace zelmora::messages {
namespace {

using testing::CrLf;

TEST(ScriptKeys, EveryGroupAndDirection) {
  EXPECT_EQ(MessageCountKey("INIT"), "Messages");
  EXPECT_EQ(MessageKey("INIT", 3), "Message3");
  EXPECT_EQ(ResponseCountKey("INIT"), "Responses");
  EXPECT_EQ(ResponseKey("INIT", 1), "Response1");
  EXPECT_EQ(MessageCountKey("Beam"), "BeamMessages");
  EXPECT_EQ(MessageKey("Beam", 2), "Beam2");
  EXPECT_EQ(ResponseCountKey("Beam"), "ResponsesBeam");
  EXPECT_EQ(ResponseKey("Beam", 2), "ResponseBeam2");
  EXPECT_EQ(MessageCountKey("Hail"), "MessagesHail");
  EXPECT_EQ(ResponseKey("Hail", 1), "ResponseHail1");
  EXPECT_EQ(MessageKey("Area11", 10), "MessageArea1110");
  // Names are compared exactly: "beam" is an ordinary group.
  EXPECT_EQ(MessageCountKey("beam"), "Messagesbeam");
  EXPECT_EQ(IgnoreGroupName("INIT"), "Ignore");
  EXPECT_EQ(IgnoreGroupName("Back"), "IgnoreBack");
  EXPECT_EQ(PhaserGroupName("INIT"), "Phaser");
  EXPECT_EQ(PhaserGroupName("Back"), "BackPhaser");
  EXPECT_EQ(MessageCountKey(IgnoreGroupName("Back")), "MessagesIgnoreBack");
  EXPECT_EQ(MessageCountKey(PhaserGroupName("Back")), "MessagesBackPhaser");
  EXPECT_EQ(FlagDescriptionKey('7'), "7Flag");
}

class ScriptTest : public ::testing::Test {
 protected:
  void Open(std::initializer_list<std::string_view> planetSection) {
    game.WriteDescriptor("Vega", CrLf({"[General]", "PlanetPics = NN", "Messages = NN", "", ";SolarSystem",
                                       ";\"Vega                \",2,2", ";400,2,0,0,1,0", ";430,3,1,0,13,0", "[2]"}) +
                                     CrLf(planetSection));
    store.RefreshSystemNames();
    store.LoadSystem("Vega", record);
  }
  std::string File() { return game.ReadDescriptor("Vega"); }

  testing::TempGameFolder game;
  store::DescriptorStore store{game.Path()};
  store::SolarSystemRecord record;
  PlanetScript script{store, record, 2};
};

TEST_F(ScriptTest, ReadsWhetherOrNotCustomMessagesAreOn) {
  Open({"Messages=2", "Message1=Hello"});
  EXPECT_EQ(script.GetMessage("Message1"), "Hello");
  EXPECT_EQ(script.GetMessage("message1"), "Hello");  // keys without regard to case
  EXPECT_EQ(script.GetMessage("Message2"), "ERR");
  EXPECT_EQ(script.MessageCount("INIT"), 2);
  EXPECT_EQ(script.Message("INIT", 1), "Hello");
  EXPECT_EQ(script.ResponseCount("Hail"), 0);
  PlanetScript other(store, record, 1);
  EXPECT_EQ(other.GetMessage("Message1"), "ERR");
}

TEST_F(ScriptTest, PutWritesIntoThePlanetsSectionAndEmptyRemoves) {
  Open({"Messages=1", "Message1=Hello", "[Names]", "1=Alpha"});
  script.PutMessage("MessagesHail", "1");
  script.PutMessage("MessageHail1", "Well met.");
  script.PutMessage("Message1", "");
  EXPECT_EQ(script.GetMessage("Message1"), "ERR");
  EXPECT_EQ(script.GetMessage("MessageHail1"), "Well met.");
  const std::string file = File();
  EXPECT_NE(file.find("[2]\r\nMessages=1\r\nMessagesHail=1\r\nMessageHail1=Well met.\r\n[Names]"), std::string::npos)
      << file;
  // Removing an absent key changes nothing.
  script.PutMessage("Nothing", "");
  EXPECT_EQ(File(), file);
}

TEST_F(ScriptTest, QuotedValuesReadBackAsWritten) {
  Open({});
  for (std::string value : {"\"Halt!\"", "'Halt!'", "\"'", "\"\"", "\"Halt!\" he said."}) {
    script.PutMessage("Message1", value);
    EXPECT_EQ(script.GetMessage("Message1"), value);
  }
}

TEST_F(ScriptTest, SecondPlanetSectionIsCreatedOnFirstWrite) {
  Open({});
  PlanetScript first(store, record, 1);
  first.PutMessage("Info", "A rock.");
  EXPECT_EQ(first.GetMessage("Info"), "A rock.");
  EXPECT_EQ(script.GetMessage("Info"), "ERR");
}

TEST_F(ScriptTest, ValuesOf254And255Characters) {
  Open({});
  const std::string v254(254, 'a');
  const std::string v255 = std::string(254, 'b') + "c";
  script.PutMessage("Message1", v254);
  script.PutMessage("Message2", v255);
  EXPECT_EQ(script.GetMessage("Message1"), v254);
  EXPECT_EQ(script.GetMessage("Message2"), std::string(254, 'b'));
  // The whole value is stored all the same.
  EXPECT_NE(File().find("Message2=" + v255 + "\r\n"), std::string::npos);
}

TEST_F(ScriptTest, RequirementFlags) {
  Open({"BeamFlag=%FA"});
  EXPECT_EQ(script.BeamFlag(), "%FA");
  EXPECT_EQ(script.SearchFlag(), "");
  script.SetSearchFlag("%fB");
  script.SetTriFlag("%F7");
  EXPECT_EQ(script.SearchFlag(), "%fB");
  EXPECT_EQ(script.TriFlag(), "%F7");
  script.SetBeamFlag("");
  EXPECT_EQ(script.BeamFlag(), "");
  EXPECT_EQ(File().find("BeamFlag"), std::string::npos);
}

TEST_F(ScriptTest, CountsThatAreNoNumbers) {
  Open({"Messages=many", "MessagesHail=-3", "Responses=2.6", "MessagesBack= 4 "});
  EXPECT_EQ(script.MessageCount("INIT"), 0);
  EXPECT_EQ(script.MessageCount("Hail"), 0);
  EXPECT_EQ(script.ResponseCount("INIT"), 3);
  EXPECT_EQ(script.MessageCount("Back"), 4);
}

std::vector<GroupEntry> G(std::initializer_list<GroupEntry> list) { return list; }

TEST_F(ScriptTest, EmptyPlanetListsThePredefinedGroups) {
  Open({});
  EXPECT_EQ(DiscoverGroups(script), G({{"INIT", true, false},
                                       {"Back", true, false},
                                       {"Returned", true, false},
                                       {"Beam", true, false},
                                       {"Phaser", true, false},
                                       {"Hail", false, true}}));
}

TEST_F(ScriptTest, DiscoveryIsDepthFirstAndEndsOnCycles) {
  Open({"Messages=2", "Message1=Hi*RHail", "Message2=Again",  // Message2 offers INIT's own responses
        "ResponsesHail=3", "ResponseHail1=Peace*MPeace*SFA", "ResponseHail2=War*MWar", "ResponseHail3=Back*M",
        "MessagesPeace=1", "MessagePeace1=Welcome.*RPeace", "ResponsesPeace=1", "ResponsePeace1=Go*MWar",
        "MessagesWar=1", "MessageWar1=Fire!*RHail",  // back to Hail: a cycle
        "MessagesIgnoreWar=1", "MessagesWarPhaser=1", "MessageWarPhaser1=Ouch*R",
        "MessagesIgnore=0", "BeamMessages=1", "Beam1=Down*RArea11", "Message3=Above the count*RHidden"});
  EXPECT_EQ(DiscoverGroups(script), G({{"INIT", true, true},
                                       {"Hail", false, true},
                                       {"Peace", true, true},
                                       {"War", true, false},
                                       {"IgnoreWar", true, true},
                                       {"WarPhaser", true, false},
                                       {"Back", true, false},
                                       {"Returned", true, false},
                                       {"Beam", true, false},
                                       {"Area11", false, true},
                                       {"Phaser", true, false}}));
}

TEST_F(ScriptTest, AnswerNamedInitJoinsTheInitGroup) {
  Open({"Messages=1", "Message1=x*RINIT", "ResponsesINIT=1", "ResponseINIT1=y*MLost"});
  auto groups = DiscoverGroups(script);
  ASSERT_GE(groups.size(), 1u);
  EXPECT_EQ(groups[0], (GroupEntry{"INIT", true, true}));
  EXPECT_EQ(std::count_if(groups.begin(), groups.end(), [](auto& g) { return g.Name == "Lost"; }), 0);
}

TEST_F(ScriptTest, RepairConditionsAreNoAnswerCodes) {
  // The first message names a system, not a group; the second answers with its own group.
  Open({"Messages=2", "Message1=Shields down.*RS1*RTrade", "Message2=Engines gone.*R!S2"});
  EXPECT_EQ(DiscoverGroups(script), G({{"INIT", true, true},
                                       {"Trade", false, true},
                                       {"Back", true, false},
                                       {"Returned", true, false},
                                       {"Beam", true, false},
                                       {"Phaser", true, false},
                                       {"Hail", false, true}}));
}

TEST_F(ScriptTest, FlagLinesAndDescriptions) {
  Open({"AFlag=Hostile", "7Flag=Gift given"});
  auto lines = LoadFlagLines(script);
  ASSERT_EQ(lines.size(), 36u);
  EXPECT_EQ(lines[0], "A - Hostile");
  EXPECT_EQ(lines[1], "B - Unused");
  EXPECT_EQ(lines[25], "Z - Unused");
  EXPECT_EQ(lines[26], "0 - Unused");
  EXPECT_EQ(lines[33], "7 - Gift given");
  EXPECT_EQ(lines[35], "9 - Unused");
  EXPECT_EQ(FlagLineDescription(lines[33]), "Gift given");
  SetFlagDescription(script, 'Z', "Met the captain");
  EXPECT_EQ(LoadFlagLines(script)[25], "Z - Met the captain");
  EXPECT_EQ(script.GetMessage("ZFlag"), "Met the captain");
}

TEST(Flags, CharactersAndIndexes) {
  for (int i = 0; i < kFlagCount; ++i) EXPECT_EQ(FlagIndex(FlagChar(i)), i);
  EXPECT_EQ(FlagChar(0), 'A');
  EXPECT_EQ(FlagChar(26), '0');
  EXPECT_EQ(FlagChar(35), '9');
  EXPECT_EQ(FlagChar(36), '\0');
  EXPECT_EQ(FlagIndex('a'), -1);
  EXPECT_EQ(FlagIndex('-'), -1);
}

TEST(Flags, ChooserIndexRules) {
  EXPECT_EQ(FlagChooserIndex(""), 0);
  EXPECT_EQ(FlagChooserIndex("C"), 2);
  EXPECT_EQ(FlagChooserIndex("7"), 33);
  EXPECT_EQ(FlagChooserIndex("0"), 26);
  // Anything that is neither an upper-case letter nor a digit opens on flag 0.
  EXPECT_EQ(FlagChooserIndex("c"), 26);
  EXPECT_EQ(FlagChooserIndex("\xC9"), 26);
  EXPECT_EQ(FlagOfChooserIndex(33), "7");
  EXPECT_EQ(FlagOfChooserIndex(25), "Z");
  EXPECT_EQ(FlagOfChooserIndex(FlagChooserIndex("Q")), "Q");
  EXPECT_TRUE(IsFlagDescriptionAccepted("Met the captain"));
  EXPECT_FALSE(IsFlagDescriptionAccepted("Unused"));
  EXPECT_FALSE(IsFlagDescriptionAccepted(""));
}

}  // namespace
}  // namespace zelmora::messages
