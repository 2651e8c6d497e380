#include "messages/flag_chooser.h"

#include "tests/support/scripted_prompter.h"
#include "tests/support/temp_game_folder.h"

#include <gtest/gtest.h>

namespace zelmora::messages {
namespace {

class FlagChooserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    game.WriteDescriptor("Vega", testing::CrLf({"[General]", "Messages = NN", "", ";SolarSystem",
                                                ";\"Vega                \",2,2", ";400,2,0,0,1,0",
                                                ";430,3,1,0,13,0", "[2]", "7Flag=Gift given", "CFlag=Met"}));
    store.RefreshSystemNames();
    store.LoadSystem("Vega", record);
  }
  testing::TempGameFolder game;
  store::DescriptorStore store{game.Path()};
  store::SolarSystemRecord record;
  FlagChooser chooser{store, record};
  testing::ScriptedPrompter prompter;
};

TEST_F(FlagChooserTest, OpensOnTheCurrentFlagOfThePlanet) {
  std::optional<int> seen;
  std::string description;
  auto result = GetFlagChar("7", 2, chooser, [&](FlagChooser& c) {
    seen = c.Selected();
    description = c.Description();
  });
  EXPECT_EQ(seen, 33);
  EXPECT_EQ(description, "Gift given");
  EXPECT_EQ(result, "7");  // closed with the close box: the flag passed in
  EXPECT_EQ(GetFlagChar("", 2, chooser, [&](FlagChooser& c) { seen = c.Selected(); }), "A");
  EXPECT_EQ(seen, 0);
  // Another planet has no descriptions.
  GetFlagChar("C", 1, chooser, [&](FlagChooser& c) { description = c.Description(); });
  EXPECT_EQ(description, "Unused");
}

TEST_F(FlagChooserTest, OkWritesTheDescriptionAndChoosesTheLine) {
  auto result = GetFlagChar("A", 2, chooser, [&](FlagChooser& c) {
    c.Select(28);
    EXPECT_EQ(c.Description(), "Unused");
    EXPECT_TRUE(c.Accept("Bridge repaired", prompter));
    EXPECT_EQ(c.Lines()[28], "2 - Bridge repaired");
  });
  EXPECT_EQ(result, "2");
  EXPECT_TRUE(prompter.Calls().empty());
  EXPECT_EQ(store.GetPlanetMessage(record, 2, "2Flag", true), "Bridge repaired");
  // Choosing a described flag with its description unchanged writes it again.
  EXPECT_EQ(GetFlagChar("C", 2, chooser, [&](FlagChooser& c) { EXPECT_TRUE(c.Accept(c.Description(), prompter)); }),
            "C");
  EXPECT_EQ(store.GetPlanetMessage(record, 2, "CFlag", true), "Met");
}

TEST_F(FlagChooserTest, RefusesAFlagWithoutADescription) {
  prompter.AcceptOkBoxes();
  auto result = GetFlagChar("B", 2, chooser, [&](FlagChooser& c) {
    c.Select(4);
    EXPECT_FALSE(c.Accept("Unused", prompter));
    EXPECT_FALSE(c.Accept("", prompter));
    c.Select(std::nullopt);
    EXPECT_FALSE(c.DescriptionEnabled());
    EXPECT_EQ(c.Description(), "");
    EXPECT_FALSE(c.Accept("Anything", prompter));
  });
  EXPECT_EQ(result, "B");
  ASSERT_EQ(prompter.Calls().size(), 3u);
  EXPECT_EQ(prompter.Calls()[0].text, "Please enter a short description which describes how this flag is used.");
  EXPECT_EQ(prompter.Calls()[0].buttons, platform::Buttons::Ok);
  EXPECT_EQ(store.GetPlanetMessage(record, 2, "EFlag", true), "ERR");
}

}  // namespace
}  // namespace zelmora::messages
