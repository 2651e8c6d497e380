#include "tests/cli/zmd_run.h"
#include "tests/support/temp_game_folder.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

namespace zelmora {
namespace {

using testing::Zmd;

TEST(ZmdAdventure, GeneratedGridReadsBackWithEveryActionInItsSlot) {
  testing::DemoGameFolder game;
  const std::string folder = game.Path().string();
  auto r = Zmd({"wizard", folder, "4Tessaly", "1", "--size", "3x2"});
  ASSERT_EQ(r.status, 0) << r.out;

  r = Zmd({"room", folder, "4Tessaly", "1", "Area21", "--json"});
  ASSERT_EQ(r.status, 0) << r.out;
  const auto room = nlohmann::json::parse(r.out);
  EXPECT_EQ(room["Description"]["Text"], "This is Area 2, 1");
  std::vector<std::string> states;
  for (const auto& slot : room["Slots"]) states.push_back(slot["State"]);
  // Row 1 has no room to the north.
  EXPECT_EQ(states, (std::vector<std::string>{"absent", "default", "default", "default", "default", "default",
                                              "default"}));
  EXPECT_TRUE(room["CustomActions"].empty());
  // The planet's other messages are kept.
  EXPECT_NE(game.ReadDescriptor("4Tessaly").find("Info=A temperate world"), std::string::npos);
}

TEST(ZmdAdventure, WizardRefusesWhatItMustNotWrite) {
  testing::DemoGameFolder game;
  const std::string folder = game.Path().string();
  const std::string before = game.ReadDescriptor("4Tessaly");
  EXPECT_EQ(Zmd({"wizard", folder, "4Tessaly", "1", "--size", "11x2"}).status, 1);
  EXPECT_EQ(Zmd({"wizard", folder, "4Tessaly", "5", "--size", "2x2"}).status, 1);
  EXPECT_EQ(Zmd({"wizard", folder, "4Tessaly", "1", "--size", "2x2", "--actions", "N,up"}).status, 1);
  EXPECT_EQ(Zmd({"wizard", folder, "Nowhere", "1", "--size", "2x2"}).status, 2);
  game.WriteDescriptor("4Tessaly", before, ".edt");
  const auto open = Zmd({"wizard", folder, "4Tessaly", "1", "--size", "2x2"});
  EXPECT_EQ(open.status, 1);
  EXPECT_NE(open.out.find("working copy"), std::string::npos);
  EXPECT_EQ(game.ReadDescriptor("4Tessaly"), before);
}

TEST(ZmdAdventure, RoomListsCustomActionsAndSkipsEffectQuestions) {
  testing::DemoGameFolder game;
  const std::string folder = game.Path().string();
  // Hail's responses lead to Peace and War; Peace has one plain message, so it is a room.
  const auto r = Zmd({"room", folder, "4Tessaly", "2", "Hail"});
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("Custom actions: 2"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("response 2 -> War: Prepare to be boarded!"), std::string::npos) << r.out;
}

TEST(ZmdAdventure, RoomRefusesANameNoKeyCanHold) {
  testing::DemoGameFolder game;
  const std::string folder = game.Path().string();
  const auto r = Zmd({"room", folder, "4Tessaly", "2", "Bad=1"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "zmd: A name cannot contain \"=\": it ends the name of a key in the file.\n");
}

}  // namespace
}  // namespace zelmora
