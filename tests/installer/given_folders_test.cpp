// The folders that come before the installer's search (the command line's, the one chosen last
// time) and the search as other windows use it.
#include "installer/search_session.h"
#include "ui/platform/game_search.h"

#include "tests/installer/installer_fakes.h"
#include "tests/support/scripted_prompter.h"

#include <gtest/gtest.h>

namespace zelmora::installer {
namespace {

using platform::Answer;
using platform::DriveKind;
using testing::FakeMachine;
using testing::InstallQuestion;
using testing::kOneDescriptorList;
using testing::FakeView;
using testing::ScriptedPrompter;
using testing::TempTree;


class GivenFolders : public ::testing::Test {
 protected:
  void Run(std::optional<std::string> commandLine, std::string lastChosen) {
    session = std::make_unique<SearchSession>(machine, prompter, view, tree.Package("pkg", {{"Vega.zmd", "d"}}, kOneDescriptorList));
    session->Load();
    session->SetGivenFolders(std::move(commandLine), std::move(lastChosen));
    session->Run();
  }

  TempTree tree;
  FakeMachine machine;
  ScriptedPrompter prompter;
  FakeView view;
  std::unique_ptr<SearchSession> session;
};

TEST_F(GivenFolders, TheCommandLinesGameFolderIsInstalledIntoWithoutSearching) {
  std::string game = tree.Game("mine");
  tree.Game("d/other");
  machine.drives = {{tree.Folder("d"), DriveKind::Fixed}};
  Run(game.substr(0, game.size() - 1), tree.Game("last"));
  EXPECT_TRUE(prompter.Calls().empty());
  EXPECT_EQ(tree.Read("mine/ZMDescriptor/Vega.zmd"), "d");
  EXPECT_TRUE(view.ended);
}

TEST_F(GivenFolders, ACommandLineFolderWithoutTheGameIsAskedAboutAndNoGoesOnSearching) {
  tree.Folder("empty");
  std::string found = tree.Game("d/q");
  machine.drives = {{tree.Folder("d"), DriveKind::Fixed}};
  prompter.Answer(Answer::No).Answer(Answer::No);
  Run(tree.Folder("empty"), "");
  EXPECT_EQ(prompter.Texts(), (std::vector<std::string>{
                                  "Quarvel was not found in this directory.  Are you sure you want to apply the add on?",
                                  InstallQuestion(found)}));
  EXPECT_FALSE(tree.Exists("empty/ZMDescriptor"));
}

TEST_F(GivenFolders, TheFolderChosenLastIsOfferedFirstAndOnlyWhileItHoldsTheGame) {
  std::string last = tree.Game("last");
  std::string found = tree.Game("d/q");
  machine.drives = {{tree.Folder("d"), DriveKind::Fixed}};
  prompter.Answer(Answer::No).Answer(Answer::No);
  Run(std::nullopt, last.substr(0, last.size() - 1));
  EXPECT_EQ(prompter.Texts(), (std::vector<std::string>{InstallQuestion(last), InstallQuestion(found)}));

  prompter = ScriptedPrompter();
  prompter.Answer(Answer::No);
  Run(std::nullopt, tree.Folder("gone"));
  EXPECT_EQ(prompter.Texts(), (std::vector<std::string>{InstallQuestion(found)}));
}

TEST(GameFinder, OffersEachGameFolderOnceInSearchOrderAndStopsWhenAsked) {
  TempTree tree;
  FakeMachine machine;
  std::string registered = tree.Game("d/reg");
  std::string other = tree.Game("d/z");
  machine.appPath = registered + "quarvel.exe";
  machine.drives = {{tree.Folder("d"), DriveKind::Fixed}};
  platform::MachineGameFinder finder(machine);
  std::vector<std::string> found;
  finder.Find([&](const std::string& f) { return found.push_back(f), true; }, [] { return true; });
  // The drive's walk reaches the registered folder again.
  EXPECT_EQ(found, (std::vector<std::string>{registered, other}));

  found.clear();
  finder.Find([&](const std::string& f) { return found.push_back(f), false; }, [] { return true; });
  EXPECT_EQ(found, (std::vector<std::string>{registered}));
  found.clear();
  finder.Find([&](const std::string& f) { return found.push_back(f), true; }, [] { return false; });
  EXPECT_EQ(found, (std::vector<std::string>{registered}));
}

}  // namespace
}  // namespace zelmora::installer
