// Where a window program finds its game folder, and the command line that names one.
#include "ui/platform/game_folder.h"

#include "tests/support/memory_settings_store.h"
#include "tests/support/temp_game_folder.h"

#include <gtest/gtest.h>

namespace zelmora::platform {
namespace {

using testing::MemorySettingsStore;
using testing::TempGameFolder;

struct Order : ::testing::Test {
  // The chooser: records that it was shown and answers `answer`.
  std::function<std::optional<std::string>()> Chooser(std::optional<std::string> answer) {
    return [this, answer] {
      ++chooserShown;
      return answer;
    };
  }

  TempGameFolder beside;              // a program installed in the game folder
  TempGameFolder elsewhere{false};    // a program in /usr/bin: no game beside it
  TempGameFolder named;               // the folder on the command line
  TempGameFolder last;                // the one chosen last time
  TempGameFolder picked;              // the one the window gives
  MemorySettingsStore settings;
  int chooserShown = 0;
};

TEST_F(Order, EachSourceWinsOverTheOnesAfterIt) {
  folders::GameFolder.Write(settings, last.Path().string());
  auto besideWins = FindGameFolder(beside.Path().string(), named.Path().string(), settings, Chooser("x"));
  EXPECT_EQ(besideWins.folder, beside.Path().string());
  EXPECT_EQ(besideWins.source, GameFolderSource::BesideProgram);

  auto commandLine = FindGameFolder(elsewhere.Path().string(), named.Path().string(), settings, Chooser("x"));
  EXPECT_EQ(commandLine.folder, named.Path().string());
  EXPECT_EQ(commandLine.source, GameFolderSource::CommandLine);

  auto remembered = FindGameFolder(elsewhere.Path().string(), std::nullopt, settings, Chooser("x"));
  EXPECT_EQ(remembered.folder, last.Path().string());
  EXPECT_EQ(remembered.source, GameFolderSource::LastChosen);
  EXPECT_EQ(chooserShown, 0);
  // Only what the window chose is kept: the command line's folder was a one-off.
  EXPECT_EQ(folders::GameFolder.Read(settings), last.Path().string());
}

TEST_F(Order, TheWindowAsksWhenNothingElseHoldsTheGameAndItsChoiceIsKept) {
  folders::GameFolder.Write(settings, (elsewhere.Path() / "moved away").string());
  auto chosen = FindGameFolder(elsewhere.Path().string(), std::nullopt, settings, Chooser(picked.Path().string()));
  EXPECT_EQ(chooserShown, 1);
  EXPECT_EQ(chosen.folder, picked.Path().string());
  EXPECT_EQ(chosen.source, GameFolderSource::Chooser);
  EXPECT_EQ(folders::GameFolder.Read(settings), picked.Path().string());

  auto next = FindGameFolder(elsewhere.Path().string(), std::nullopt, settings, Chooser(std::nullopt));
  EXPECT_EQ(next.source, GameFolderSource::LastChosen);
  EXPECT_EQ(chooserShown, 1);  // asked once
}

TEST_F(Order, CancellingTheWindowOrAWrongCommandLineFolderGivesNoFolder) {
  auto cancelled = FindGameFolder(elsewhere.Path().string(), std::nullopt, settings, Chooser(std::nullopt));
  EXPECT_TRUE(cancelled.folder.empty());
  EXPECT_TRUE(cancelled.problem.empty());
  EXPECT_EQ(folders::GameFolder.Read(settings), "");

  // A folder named on purpose is said to be wrong, never silently replaced by another.
  folders::GameFolder.Write(settings, last.Path().string());
  auto wrong = FindGameFolder(elsewhere.Path().string(), elsewhere.Path().string(), settings, Chooser("x"));
  EXPECT_TRUE(wrong.folder.empty());
  EXPECT_NE(wrong.problem.find("There is no quarvel.exe in"), std::string::npos) << wrong.problem;
  EXPECT_EQ(chooserShown, 1);  // only for the first
}

TEST(GameFolderProblem, RefusesEmptyMissingAndGamelessFoldersAndFindsTheGameInAnyCase) {
  TempGameFolder empty(false);
  EXPECT_TRUE(GameFolderProblem("  ").has_value());
  EXPECT_EQ(GameFolderProblem((empty.Path() / "nope").string()),
            "The folder '" + (empty.Path() / "nope").string() + "' does not exist.");
  EXPECT_TRUE(GameFolderProblem(empty.Path().string()).has_value());
  empty.Write("QUARVEL.EXE", "MZ");
  EXPECT_FALSE(GameFolderProblem(empty.Path().string()).has_value());
}

TEST(ProgramArguments, GameHelpVersionAndPlainArguments) {
  struct Case {
    std::vector<std::string> args;
    std::size_t maxPlain;
    std::optional<std::string> game;
    std::vector<std::string> plain;
    bool help, version;
    std::string problem;
  };
  const std::vector<Case> cases{
      {{}, 0, std::nullopt, {}, false, false, ""},
      {{"--game", "/g"}, 0, "/g", {}, false, false, ""},
      {{"--game=/g h"}, 0, "/g h", {}, false, false, ""},
      {{"-h"}, 0, std::nullopt, {}, true, false, ""},
      {{"--version", "--help"}, 0, std::nullopt, {}, true, true, ""},
      {{"pkg", "--game", "/g"}, 1, "/g", {"pkg"}, false, false, ""},
      {{"--", "--game"}, 1, std::nullopt, {"--game"}, false, false, ""},
      {{"--game"}, 0, std::nullopt, {}, false, false, "option '--game' needs a folder"},
      {{"--game="}, 0, "", {}, false, false, "option '--game' needs a folder"},
      {{"-rf"}, 1, std::nullopt, {}, false, false, "unknown option '-rf'"},
      {{"a", "b"}, 1, std::nullopt, {"a", "b"}, false, false, "unexpected argument 'b'"},
      {{"a"}, 0, std::nullopt, {"a"}, false, false, "unexpected argument 'a'"},
  };
  for (const auto& c : cases) {
    auto parsed = ParseProgramArguments(c.args, c.maxPlain);
    std::string label = c.args.empty() ? "(none)" : c.args.front();
    EXPECT_EQ(parsed.problem, c.problem) << label;
    if (!c.problem.empty()) continue;
    EXPECT_EQ(parsed.game, c.game) << label;
    EXPECT_EQ(parsed.plain, c.plain) << label;
    EXPECT_EQ(parsed.help, c.help) << label;
    EXPECT_EQ(parsed.version, c.version) << label;
  }
}

}  // namespace
}  // namespace zelmora::platform
