#include "tests/cli/zmd_run.h"
#include "tests/support/temp_game_folder.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <set>
#include <sstream>

namespace zelmora {
namespace {

using testing::Zmd;
using testing::ZmdRun;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The demo's Mirefall is written to show every kind of finding the checker has for a script whose
// game folder has a SPECIAL.LST and whose search ends.
TEST(ZmdCheck, TheDemoFolderShowsEveryKindOfFindingAndFailsOnItsErrors) {
  testing::DemoGameFolder game;
  ZmdRun r = Zmd({"check", game.Path().string(), "--json"});
  ASSERT_EQ(r.status, 1) << r.out;
  const auto j = nlohmann::json::parse(r.out);
  std::set<std::string> kinds;
  for (const auto& f : j["findings"]) {
    if (f["system"] == "Mirefall") kinds.insert(f["kind"].get<std::string>());
  }
  for (const char* kind :
       {"value-too-long", "response-too-wide", "items-beyond-count", "count-above-items", "unknown-code",
        "supply-syntax", "wait-not-first", "invalid-flag", "missing-messages", "missing-responses", "flag-never-tested", "flag-never-set", "flag-undescribed", "door-to-missing-room", "one-way-door",
        "lock-never-opens", "stuck-room", "message-never-sent", "response-never-offered", "group-never-played",
        "room-never-entered", "script-not-used"}) {
    EXPECT_TRUE(kinds.count(kind)) << kind;
  }
  // A finished search says which groups no visit plays; the rougher finding is for one that stopped.
  EXPECT_FALSE(kinds.count("unreached-group"));
  // The conversation demos have no errors of their own.
  for (const auto& f : j["findings"]) {
    if (f["system"] != "Mirefall") {
      EXPECT_NE(f["severity"], "error") << f.dump();
    }
  }
  EXPECT_GE(j["counts"]["error"].get<int>(), 1);
  for (const auto& s : j["searches"]) EXPECT_TRUE(s["complete"].get<bool>()) << s.dump();
}

TEST(ZmdCheck, OneFindingALineThenTheCounts) {
  testing::DemoGameFolder game;
  ZmdRun r = Zmd({"check", game.Path().string(), "Mirefall", "1"});
  ASSERT_EQ(r.status, 1) << r.out;
  const auto lines = Lines(r.out);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_NE(std::find(lines.begin(), lines.end(),
                      "Mirefall/1/ResponseHail3: error: the answer code *MArchve names group Archve, which has no "
                      "messages: play waits for a message that never comes"),
            lines.end())
      << r.out;
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) EXPECT_EQ(lines[i].rfind("Mirefall/1", 0), 0u) << lines[i];
  EXPECT_EQ(lines.back().find(" errors, "), 1u) << lines.back();

  // Only the errors, the counts unchanged; a planet without errors passes.
  ZmdRun errors = Zmd({"check", game.Path().string(), "Mirefall", "1", "--severity", "ERROR"});
  EXPECT_EQ(errors.status, 1);
  const auto errorLines = Lines(errors.out);
  for (std::size_t i = 0; i + 1 < errorLines.size(); ++i) {
    EXPECT_NE(errorLines[i].find(": error: "), std::string::npos) << errorLines[i];
  }
  EXPECT_EQ(errorLines.back(), lines.back());
  ZmdRun quiet = Zmd({"check", game.Path().string(), "Mirefall", "3"});
  EXPECT_EQ(quiet.status, 0) << quiet.out;
  EXPECT_EQ(quiet.out,
            "Mirefall/3: note: custom messages are off for this planet: the game does not play this script\n"
            "0 errors, 0 warnings, 1 note\n");
}

TEST(ZmdCheck, JsonCarriesEveryFieldOfAFindingAndTheSearches) {
  testing::DemoGameFolder game;
  ZmdRun r = Zmd({"check", game.Path().string(), "Mirefall", "2", "--json", "--severity", "error"});
  ASSERT_EQ(r.status, 1) << r.out;
  const auto j = nlohmann::json::parse(r.out);
  ASSERT_TRUE(j["findings"].is_array());
  const auto lock = std::find_if(j["findings"].begin(), j["findings"].end(),
                                 [](const auto& f) { return f["kind"] == "lock-never-opens"; });
  ASSERT_NE(lock, j["findings"].end()) << r.out;
  EXPECT_EQ(*lock, (nlohmann::json{{"system", "Mirefall"},
                                   {"planet", 2},
                                   {"key", "ResponseArea111"},
                                   {"group", "Area11"},
                                   {"list", "responses"},
                                   {"item", 1},
                                   {"room", "Area11"},
                                   {"severity", "error"},
                                   {"kind", "lock-never-opens"},
                                   {"message", "the lock on \"Go East and report back.\" in room Area11 opens with "
                                               "flag L, which nothing sets"},
                                   {"fix", "set flag L somewhere (*SFL), for example in a search effect"}}));
  for (const auto& f : j["findings"]) EXPECT_EQ(f["severity"], "error");
  EXPECT_GT(j["counts"]["warning"].get<int>(), 0);  // counted, though not listed
  ASSERT_EQ(j["searches"].size(), 1u);
  const auto& search = j["searches"][0];
  EXPECT_EQ(search["planet"], 2);
  EXPECT_TRUE(search["complete"].get<bool>());
  EXPECT_GT(search["states"].get<int>(), 0);
  EXPECT_EQ(search["stoppedBy"], "");

  ZmdRun bounded = Zmd({"check", game.Path().string(), "Mirefall", "2", "--json", "--max-states", "5"});
  const auto b = nlohmann::json::parse(bounded.out);
  EXPECT_FALSE(b["searches"][0]["complete"].get<bool>());
  EXPECT_EQ(b["searches"][0]["stoppedBy"], "states");
}

TEST(ZmdCheck, ExitStatuses) {
  testing::DemoGameFolder game;
  EXPECT_EQ(Zmd({"check", game.Path().string(), "Kestrel Verge"}).status, 0);
  EXPECT_EQ(Zmd({"check", game.Path().string(), "4Tessaly", "2", "--severity", "warning"}).status, 0);
  EXPECT_EQ(Zmd({"check", game.Path().string(), "Nowhere"}).status, 2);
  ZmdRun planet = Zmd({"check", game.Path().string(), "Kestrel Verge", "4"});
  EXPECT_EQ(planet.status, 2);
  EXPECT_EQ(planet.out, "zmd: Kestrel Verge has planets 1 to 3\n");
  EXPECT_EQ(Zmd({"check", (game.Path() / "missing").string()}).status, 2);
  EXPECT_NE(Zmd({"check", game.Path().string(), "--severity", "loud"}).status, 0);
  EXPECT_NE(Zmd({"check", game.Path().string(), "--max-states", "0"}).status, 0);

  // A folder without systems has nothing to find.
  testing::TempGameFolder empty;
  ZmdRun none = Zmd({"check", empty.Path().string()});
  EXPECT_EQ(none.status, 0);
  EXPECT_EQ(none.out, "0 errors, 0 warnings, 0 notes\n");
}

}  // namespace
}  // namespace zelmora
