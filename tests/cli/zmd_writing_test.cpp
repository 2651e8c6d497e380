#include "tests/cli/zmd_run.h"
#include "tests/support/temp_game_folder.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <cstdlib>

namespace zelmora {
namespace {

using testing::Zmd;

TEST(ZmdFind, OneMatchingValueALineAndStatusOneForNothing) {
  testing::DemoGameFolder game;
  const std::string folder = game.Path().string();
  auto r = Zmd({"find", folder, "trade"});
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(r.out,
            "4Tessaly/2/Message2: %W3We have little to trade, but much to tell.\n"
            "Kestrel Verge/1/ResponseHail1: Trade.*MTrade\n");

  // The group name after "*M" is a code, never found.
  r = Zmd({"find", folder, "MTrade"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");

  EXPECT_EQ(Zmd({"find", folder, "trade", "Kestrel Verge", "--case"}).status, 1);
  EXPECT_EQ(Zmd({"find", folder, "Trade", "Kestrel Verge", "1", "--case", "--word"}).status, 0);

  r = Zmd({"find", folder, "Area (\\d), (\\d)", "Mirefall", "2", "--regex", "--json"});
  ASSERT_EQ(r.status, 0) << r.out;
  const auto hits = nlohmann::json::parse(r.out);
  ASSERT_EQ(hits.size(), 6u);
  EXPECT_EQ(hits[0]["key"], "Beam1");
  EXPECT_EQ(hits[0]["match"], "Area 1, 1");
  EXPECT_EQ(hits[0]["start"], 18);

  EXPECT_EQ(Zmd({"find", folder, "(", "--regex"}).status, 1);
  EXPECT_EQ(Zmd({"find", folder, "x", "Nowhere"}).status, 2);
}

TEST(ZmdReplace, DryRunWritesNothingAndAReplaceKeepsTheCodes) {
  testing::DemoGameFolder game;
  const std::string folder = game.Path().string();
  const std::string before = game.ReadDescriptor("Kestrel Verge");
  auto r = Zmd({"replace", folder, "Trade", "Barter", "Kestrel Verge", "--dry-run"});
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(r.out,
            "Kestrel Verge/1/ResponseHail1:\n  - Trade.*MTrade\n  + Barter.*MTrade\n1 value would be changed\n");
  EXPECT_EQ(game.ReadDescriptor("Kestrel Verge"), before);

  r = Zmd({"replace", folder, "Trade", "Barter", "Kestrel Verge"});
  ASSERT_EQ(r.status, 0) << r.out;
  const std::string after = game.ReadDescriptor("Kestrel Verge");
  EXPECT_NE(after.find("ResponseHail1=Barter.*MTrade\r\n"), std::string::npos);
  EXPECT_NE(after.find("MessagesTrade=1\r\n"), std::string::npos);
}

TEST(ZmdReplace, RefusedValuesAreListedAndLeftAlone) {
  testing::DemoGameFolder game;
  const std::string folder = game.Path().string();
  const std::string before = game.ReadDescriptor("4Tessaly");
  auto r = Zmd({"replace", folder, "ruins", "ruins*SFA", "4Tessaly"});
  EXPECT_EQ(r.status, 2) << r.out;
  EXPECT_NE(r.out.find("4Tessaly/4/Beam1: refused: A text cannot contain \"*\""), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("0 values changed, 1 refused"), std::string::npos) << r.out;
  EXPECT_EQ(game.ReadDescriptor("4Tessaly"), before);

  // The code page cannot hold it: refused before anything is read.
  r = Zmd({"replace", folder, "ruins", "ruins \xE2\x9C\x93", "4Tessaly"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(game.ReadDescriptor("4Tessaly"), before);
}

TEST(ZmdReplace, RefusedWhileTheEditorHasTheSystemOpen) {
  testing::DemoGameFolder game;
  const std::string folder = game.Path().string();
  const std::string before = game.ReadDescriptor("4Tessaly");
  game.WriteDescriptor("4Tessaly", before, ".edt");

  auto r = Zmd({"replace", folder, "ruins", "remains", "4Tessaly"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("working copy"), std::string::npos);

  // Over the whole folder the other systems are written; the open one is listed as refused.
  r = Zmd({"replace", folder, "e", "e"});
  EXPECT_EQ(r.status, 0) << r.out;  // replaced by itself: nothing to do
  r = Zmd({"replace", folder, "ruins", "remains"});
  EXPECT_EQ(r.status, 2) << r.out;
  EXPECT_NE(r.out.find("4Tessaly/4/Beam1: refused: 4Tessaly is open in the editor"), std::string::npos) << r.out;
  EXPECT_EQ(game.ReadDescriptor("4Tessaly"), before);
  EXPECT_EQ(game.ReadDescriptor("4Tessaly", ".edt"), before);

  // A dry run reads what the editor shows.
  game.WriteDescriptor("4Tessaly", before + "", ".edt");
  r = Zmd({"replace", folder, "ruins", "remains", "--dry-run"});
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("reading the unsaved working copy of 4Tessaly"), std::string::npos);
}

TEST(ZmdStats, PerPlanetPerGroupAndTheLimits) {
  testing::DemoGameFolder game;
  const std::string folder = game.Path().string();
  auto r = Zmd({"stats", folder, "Kestrel Verge", "1"});
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(r.out.substr(0, r.out.find('\n')),
            "Kestrel Verge/1: 14 words, 83 characters in 2 messages, 2 responses; longest Message1 (46 of 254); "
            "widest response ResponseHail2 (1680 of 7230 twips)");
  EXPECT_NE(r.out.find("\n  Hail: 4 words, 27 characters in 0 messages, 2 responses;"), std::string::npos) << r.out;

  r = Zmd({"stats", folder, "--json"});
  ASSERT_EQ(r.status, 0) << r.out;
  const auto j = nlohmann::json::parse(r.out);
  int words = 0;
  for (const auto& p : j["planets"]) words += p["words"].get<int>();
  EXPECT_EQ(j["total"]["words"], words);
  EXPECT_EQ(j["total"]["overLength"], 1);  // Mirefall's information text
  EXPECT_EQ(Zmd({"stats", folder, "Nowhere"}).status, 2);
}

TEST(ZmdCheck, SpellingNotesWithTheGamesOwnWordsKnown) {
  testing::DemoGameFolder game;
  const std::string folder = game.Path().string();
  // The author's word list is looked for in the data folder: this test's own.
  setenv("XDG_DATA_HOME", (game.Path() / "data").c_str(), 1);
  const auto plain = Zmd({"check", folder, "Mirefall"});
  const auto r = Zmd({"check", folder, "Mirefall", "--spelling"});
  EXPECT_EQ(r.status, plain.status);  // notes only
  EXPECT_NE(r.out.find("Mirefall/2/MessageBeamUp1: note: \"sucessful\" is not in the dictionary (perhaps "
                       "\"successful\""),
            std::string::npos)
      << r.out;
  EXPECT_EQ(r.out.find("Mirefall\" is not"), std::string::npos);  // the system's own name is known
  EXPECT_EQ(Zmd({"check", folder, "Mirefall", "--spelling", "--dictionary", "xx_NOPE"}).status, 2);
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

TEST(ZmdRenameGroup, PlayShowsTheSameUnderTheNewName) {
  testing::DemoGameFolder game;
  const std::string folder = game.Path().string();
  const auto input = game.Write("session.txt", "hail\nrespond 1\ntick 3\nrespond 2\ntick 3\nrespond 1\ntick 3\nleave\n");
  const auto play = [&] { return Zmd({"play", folder, "Kestrel Verge", "3", "--seed", "3"}, input.string()); };
  const auto before = play();
  ASSERT_EQ(before.status, 0) << before.out;
  ASSERT_NE(before.out.find("Research"), std::string::npos) << before.out;

  auto r = Zmd({"rename-group", folder, "Kestrel Verge", "3", "Research", "Inquiry"});
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(r.out, "Research -> Inquiry\n6 keys renamed, 3 answer codes rewritten\n");
  EXPECT_EQ(play().out, ReplaceAll(before.out, "Research", "Inquiry"));
  EXPECT_EQ(Zmd({"check", folder, "Kestrel Verge", "3", "--severity", "warning"}).status, 0);
}

TEST(ZmdRenameGroup, RefusalsWriteNothing) {
  testing::DemoGameFolder game;
  const std::string folder = game.Path().string();
  const std::string before = game.ReadDescriptor("Kestrel Verge");
  auto r = Zmd({"rename-group", folder, "Kestrel Verge", "3", "Research", "Energy"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.out.find("is taken"), std::string::npos) << r.out;
  EXPECT_EQ(Zmd({"rename-group", folder, "Kestrel Verge", "3", "Research", "Stars"}).status, 2);
  EXPECT_EQ(Zmd({"rename-group", folder, "Kestrel Verge", "3", "Hail", "Greeting"}).status, 2);
  EXPECT_EQ(Zmd({"rename-group", folder, "Kestrel Verge", "9", "Research", "Inquiry"}).status, 1);
  EXPECT_EQ(game.ReadDescriptor("Kestrel Verge"), before);

  game.WriteDescriptor("Kestrel Verge", before, ".edt");
  r = Zmd({"rename-group", folder, "Kestrel Verge", "3", "Research", "Inquiry"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("working copy"), std::string::npos);
  EXPECT_EQ(game.ReadDescriptor("Kestrel Verge"), before);
}

}  // namespace
}  // namespace zelmora
