#include "tests/cli/zmd_run.h"
#include "tests/support/temp_game_folder.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <filesystem>

namespace zelmora {
namespace {

using testing::Zmd;
using testing::ZmdRun;

std::vector<std::string> DemoRecordings(const testing::TempGameFolder& game) {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(game.Path() / "Recordings")) {
    files.push_back(entry.path().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

TEST(ZmdCoverage, TheDemosRecordingsReplayAndCoverItsScripts) {
  testing::DemoGameFolder game;
  const auto files = DemoRecordings(game);
  ASSERT_GE(files.size(), 2u);
  // Kept beside the game ("game: .."), they replay wherever the game is.
  for (const auto& file : files) {
    ZmdRun check = Zmd({"play", "--check", file});
    EXPECT_EQ(check.status, 0) << file << "\n" << check.out;
  }
  std::vector<std::string> args = {"play", "--coverage"};
  args.insert(args.end(), files.begin(), files.end());
  ZmdRun text = Zmd(args);
  ASSERT_EQ(text.status, 0) << text.out;
  EXPECT_NE(text.out.find("Kestrel Verge, planet 3 (Great Red), 3 recordings: 11 of 15 items played (messages 7 of "
                          "10, responses 4 of 5), rooms 0 of 0 entered\n"
                          "  messages never played: MessageReturned1, MessageThreat1, Beam2\n"
                          "  responses never played: ResponseHail3\n"),
            std::string::npos)
      << text.out;
  EXPECT_NE(text.out.find("Mirefall, planet 2 (Ashfall Moon), 1 recording: "), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("  rooms never entered: Area21, Area22, Area33\n"), std::string::npos) << text.out;

  args.push_back("--json");
  ZmdRun json = Zmd(args);
  ASSERT_EQ(json.status, 0) << json.out;
  const auto j = nlohmann::json::parse(json.out);
  EXPECT_EQ(j["recordings"], files.size());
  ASSERT_EQ(j["planets"].size(), 2u);
  const auto& redPlanet = j["planets"][0]["system"] == "Kestrel Verge" ? j["planets"][0] : j["planets"][1];
  EXPECT_EQ(redPlanet["name"], "Great Red");
  EXPECT_EQ(redPlanet["played"], 11);
  EXPECT_EQ(redPlanet["present"], 15);
  EXPECT_EQ(redPlanet["responses"]["neverPlayed"], nlohmann::json::array({"ResponseHail3"}));
}

TEST(ZmdCoverage, WhatCannotBeCountedIsSaidAndTheRestCounted) {
  testing::DemoGameFolder game;
  const auto files = DemoRecordings(game);
  // The Watch's first words changed since the recordings were made.
  std::string bytes = game.ReadDescriptor("Kestrel Verge");
  bytes.replace(bytes.find("Unknown vessel"), 14, "Strange vessel");
  game.WriteDescriptor("Kestrel Verge", bytes);
  const auto notRecording = game.Write("notes.txt", "tick\n");
  ZmdRun r = Zmd({"play", "--coverage", files[0], (game.Path() / "missing.txt").string(), notRecording.string()});
  EXPECT_EQ(r.status, 1) << r.out;
  EXPECT_NE(r.out.find("no such recording: " + (game.Path() / "missing.txt").string()), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("not a recording"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("planet 2 (Ashfall Moon), 1 recording"), std::string::npos) << r.out;

  ZmdRun departed = Zmd({"play", "--coverage", files[1]});
  EXPECT_EQ(departed.status, 0) << departed.out;
  EXPECT_NE(departed.out.find("the replay departs from the recorded transcript at line "), std::string::npos)
      << departed.out;
  EXPECT_NE(Zmd({"play", "--coverage", files[0], "--seed", "3"}).status, 0);
  EXPECT_NE(Zmd({"play", game.Path().string(), "--json"}).status, 0);  // --json goes with --coverage
}

}  // namespace
}  // namespace zelmora
