// While the editor has a system open, zmd reads what the editor shows: the working copy.
#include "tests/cli/zmd_run.h"
#include "tests/support/temp_game_folder.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace zelmora {
namespace {

using testing::Zmd;

class ZmdWorkingCopy : public ::testing::Test {
 protected:
  ZmdWorkingCopy() {
    std::string bytes = game.ReadDescriptor("Kestrel Verge");
    Replace(bytes, "3=Great Red", "3=Great Blue");
    Replace(bytes, "ResponseHail1=Trade.*MTrade", "ResponseHail1=Barter.*MBarter");
    game.WriteDescriptor("Kestrel Verge", bytes, ".edt");
  }
  static void Replace(std::string& bytes, const std::string& from, const std::string& to) {
    const auto at = bytes.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    bytes.replace(at, from.size(), to);
  }
  std::string Folder() const { return game.Path().string(); }
  testing::DemoGameFolder game;
};

TEST_F(ZmdWorkingCopy, EveryReadingCommandReadsItAndSaysSoUnlessSavedIsAsked) {
  const std::string note = "zmd: reading the unsaved working copy of Kestrel Verge\n";
  struct Case {
    std::vector<std::string> args;
    std::string working;  // shown from the working copy
    std::string saved;    // shown from the descriptor
  };
  const std::string input = game.Write("input.txt", "exit\n").string();
  const std::vector<Case> cases = {
      {{"show", Folder(), "Kestrel Verge"}, "3. Great Blue", "3. Great Red"},
      {{"groups", Folder(), "Kestrel Verge", "1"}, "Barter", "Trade"},
      {{"play", Folder(), "Kestrel Verge", "3", "--seed", "1"}, "planet 3 (Great Blue)", "planet 3 (Great Red)"},
      {{"check", Folder(), "Kestrel Verge"}, "", ""},
      {{"check", Folder()}, "", ""},
      {{"room", Folder(), "Kestrel Verge", "1", "Hail"}, "", ""},
  };
  for (const auto& c : cases) {
    auto working = Zmd(c.args, input);
    EXPECT_NE(working.out.find(note), std::string::npos) << c.args[0] << ": " << working.out;
    EXPECT_NE(working.out.find(c.working), std::string::npos) << c.args[0] << ": " << working.out;
    auto args = c.args;
    args.push_back("--saved");
    auto saved = Zmd(args, input);
    EXPECT_EQ(saved.out.find(note), std::string::npos) << c.args[0] << ": " << saved.out;
    EXPECT_NE(saved.out.find(c.saved), std::string::npos) << c.args[0] << ": " << saved.out;
    if (!c.working.empty()) EXPECT_EQ(saved.out.find(c.working), std::string::npos) << c.args[0];
  }
  // Without a working copy nothing is said.
  std::filesystem::remove(game.Descriptors() / "Kestrel Verge.edt");
  EXPECT_EQ(Zmd({"show", Folder(), "Kestrel Verge"}).out.find("working copy"), std::string::npos);
}

// Counts from standard input that are not whole numbers in range are refused by name, never
// converted; a recording named without a folder is kept in the current one.
TEST(ZmdPlayInput, BadCountsAreRefusedAndABareRecordingNameIsKeptHere) {
  testing::DemoGameFolder game;
  const std::string input = game.Write("input.txt", "tick nan\ntick inf\ntick -nan\ntick 1e300\ntick 2.5\ntick 2\nexit\n").string();
  testing::TempGameFolder here(false);
  const auto before = std::filesystem::current_path();
  std::filesystem::current_path(here.Path());
  auto played = Zmd({"play", game.Path().string(), "Kestrel Verge", "3", "--seed", "1", "--record", "rec.txt"}, input);
  std::filesystem::current_path(before);
  for (const char* bad : {"nan", "inf", "-nan", "1e300", "2.5"}) {
    EXPECT_NE(played.out.find("tick takes a whole number of seconds from 1 to 3600, not \"" + std::string(bad) + "\""),
              std::string::npos)
        << bad << ": " << played.out;
  }
  EXPECT_EQ(played.out.find("cannot write"), std::string::npos) << played.out;
  ASSERT_TRUE(here.Exists("rec.txt"));
  EXPECT_EQ(here.Read("rec.txt").rfind("zmd play recording\n", 0), 0u);
  // The recording with a bad count in it replays to the same refusals.
  EXPECT_EQ(Zmd({"play", "--check", (here.Path() / "rec.txt").string()}).status, 0);
}

}  // namespace
}  // namespace zelmora
