#include "installer/search_session.h"

#include "tests/installer/installer_fakes.h"
#include "tests/support/scripted_prompter.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace zelmora::installer {
namespace {

namespace fs = std::filesystem;
using platform::Answer;
using platform::Drive;
using platform::DriveKind;
using testing::FakeMachine;
using testing::InstallQuestion;
using testing::kOneDescriptorList;
using testing::FakeView;
using testing::ScriptedPrompter;
using testing::TempTree;


class Search : public ::testing::Test {
 protected:
  std::string Pkg() { return tree.Package("pkg", {{"Vega.zmd", "descriptor"}}, kOneDescriptorList); }
  SearchSession& Session(const std::string& own) {
    session = std::make_unique<SearchSession>(machine, prompter, view, own);
    session->Load();
    return *session;
  }

  TempTree tree;
  FakeMachine machine;
  ScriptedPrompter prompter;
  FakeView view;
  std::unique_ptr<SearchSession> session;
};

TEST_F(Search, GoesFromTheRegisteredPathThroughTheUsualFoldersAndDrivesToTheSystemFolder) {
  machine.appPath = tree.Game("reg/Quarvel") + "QUARVEL.EXE";
  machine.cdFolder = tree.Game("cd");
  machine.programFiles = tree.Folder("progs");
  tree.Game("progs/Quarvel");
  machine.drives = {{tree.Folder("net"), DriveKind::Network}, {tree.Folder("fixed1"), DriveKind::Fixed},
                    {tree.Folder("fixed2"), DriveKind::Fixed}};
  tree.Game("net/share/q");
  tree.Game("fixed1/games/q");
  tree.Game("fixed2/q");
  machine.windowsFolder = tree.Folder("windows").substr(0, tree.Folder("windows").size() - 1);
  tree.Game("windows/sys/q");
  for (int i = 0; i < 7; ++i) prompter.Answer(Answer::No);

  Session(Pkg()).Run();
  EXPECT_EQ(prompter.Texts(),
            (std::vector<std::string>{InstallQuestion(tree.Folder("reg/Quarvel")), InstallQuestion(tree.Folder("cd")),
                                      InstallQuestion(tree.Folder("progs/Quarvel")), InstallQuestion(tree.Folder("fixed1/games/q")),
                                      InstallQuestion(tree.Folder("fixed2/q")), InstallQuestion(tree.Folder("net/share/q")),
                                      InstallQuestion(tree.Folder("windows/sys/q"))}));
  EXPECT_EQ(prompter.Calls()[0].buttons, platform::Buttons::YesNoCancel);
  EXPECT_EQ(machine.asked, (std::vector<std::string>{"quarvel.exe", "C:\\QVCD\\"}));
  EXPECT_TRUE(view.animationStopped);
  EXPECT_EQ(view.statuses.back(), "Quarvel not found.");
  EXPECT_TRUE(view.bold);
  EXPECT_FALSE(view.ended);
}

TEST_F(Search, RegisteredValueWithoutTheGameProgramAndMissingFoldersAreLeftOut) {
  machine.appPath = tree.Game("reg");  // a folder, not the program
  machine.drives = {{(tree.Root() / "no such drive/").string(), DriveKind::Fixed}};
  Session(Pkg()).Run();
  EXPECT_TRUE(prompter.Calls().empty());
  EXPECT_EQ(view.statuses.back(), "Quarvel not found.");
}

TEST_F(Search, WithoutAProgramFilesFolderNoFolderBesideTheStartingPointIsSearched) {
  tree.Game("Quarvel");
  auto here = fs::current_path();
  fs::current_path(tree.Root());
  Session(Pkg()).Run();
  fs::current_path(here);
  EXPECT_TRUE(prompter.Calls().empty());
}

TEST_F(Search, YesInstallsAndEndsWithoutAnotherQuestion) {
  std::string first = tree.Game("d/a");
  tree.Game("d/b");
  machine.drives = {{tree.Folder("d"), DriveKind::Fixed}};
  std::string pkg = Pkg();
  prompter.Answer(Answer::No).Answer(Answer::Yes);

  Session(pkg).Run();
  ASSERT_EQ(prompter.Calls().size(), 2u);
  std::string installed = prompter.Calls()[0].text == InstallQuestion(first) ? "d/b" : "d/a";
  EXPECT_EQ(tree.Read(installed + "/ZMDescriptor/Vega.zmd"), "descriptor");
  EXPECT_TRUE(view.ended);
  EXPECT_EQ(view.statuses.back(), "Installing add on...");
  EXPECT_FALSE(view.buttonsEnabled);
  EXPECT_FALSE(view.animationStopped);  // ended, not "not found"
}

TEST_F(Search, CancelAnswerEndsWithoutInstalling) {
  tree.Game("d/a");
  tree.Game("d/b");
  machine.drives = {{tree.Folder("d"), DriveKind::Fixed}};
  prompter.Answer(Answer::Cancel);
  Session(Pkg()).Run();
  EXPECT_EQ(prompter.Calls().size(), 1u);
  EXPECT_TRUE(view.ended);
  EXPECT_FALSE(tree.Exists("d/a/ZMDescriptor"));
  EXPECT_FALSE(tree.Exists("d/b/ZMDescriptor"));
}

TEST_F(Search, TheInstallersOwnFolderIsNeverOffered) {
  std::string pkg = Pkg();
  tree.File("pkg/quarvel.exe", "a stray copy");
  machine.drives = {{tree.Folder(""), DriveKind::Fixed}};
  std::string bare = pkg.substr(0, pkg.size() - 1);
  std::string upper = (tree.Root() / "PKG").string();
  for (const std::string& own : {pkg, bare, upper, upper + "/"}) {
    Session(own).Run();
    EXPECT_TRUE(prompter.Calls().empty()) << own;
  }
  // Reached through a link it is still the installer's folder; the link itself is not followed,
  // so it is offered neither way.
  fs::create_directory_symlink(tree.Root() / "pkg", tree.Root() / "pkglink");
  machine.drives = {{(tree.Root() / "pkglink/").string(), DriveKind::Fixed}};
  Session(pkg).Run();
  EXPECT_TRUE(prompter.Calls().empty());
}

TEST_F(Search, SkipsHiddenFoldersAndTheSystemFoldersNameInAnyCase) {
  machine.windowsFolder = (tree.Root() / "sys" / "windows").string();
  tree.Folder("sys/windows");
  tree.Game("d/Windows/q");
  tree.Game("d/x/WINDOWS");
  tree.Game("d/.hidden/q");
  std::string found = tree.Game("d/windows2/q");
  machine.drives = {{tree.Folder("d"), DriveKind::Fixed}};
  prompter.Answer(Answer::No);
  Session(Pkg()).Run();
  EXPECT_EQ(prompter.Texts(), std::vector<std::string>{InstallQuestion(found)});
}

TEST_F(Search, NeverFollowsFolderLinksSoLoopsEnd) {
  tree.Game("elsewhere/q");
  tree.Folder("d/a/b");
  fs::create_directory_symlink(tree.Root() / "d", tree.Root() / "d/a/b/up");
  fs::create_directory_symlink(tree.Root() / "elsewhere", tree.Root() / "d/a/games");
  std::string real = tree.Game("d/a/real");
  machine.drives = {{tree.Folder("d"), DriveKind::Fixed}};
  prompter.Answer(Answer::No);
  Session(Pkg()).Run();
  EXPECT_EQ(prompter.Texts(), std::vector<std::string>{InstallQuestion(real)});
  EXPECT_EQ(view.statuses.back(), "Quarvel not found.");
}

TEST_F(Search, FoldersNotEnteredAreSkippedInsideOtherDrivesOnly) {
  std::string mounted = tree.Game("root/mnt/q");
  tree.Game("root/proc/1/q");
  machine.notEntered = {(tree.Root() / "root/mnt").string(), (tree.Root() / "root/proc/").string()};
  machine.drives = {{tree.Folder("root"), DriveKind::Fixed}, {tree.Folder("root/mnt"), DriveKind::Fixed}};
  prompter.Answer(Answer::No);
  Session(Pkg()).Run();
  EXPECT_EQ(prompter.Texts(), std::vector<std::string>{InstallQuestion(mounted)});
}

TEST_F(Search, BrowsePausesTheSearchForGoodEvenWhenTheChooserIsCancelled) {
  tree.Game("d/later/q");
  machine.drives = {{tree.Folder("d"), DriveKind::Fixed}};
  auto& s = Session(Pkg());
  prompter.Reply(std::nullopt);  // the chooser is cancelled
  view.onProcess = [&] {
    if (!s.Browsing()) s.Browse();
  };
  view.onWait = [&] {
    if (view.waited == 3) s.Cancel();
  };
  s.Run();
  ASSERT_EQ(prompter.Calls().size(), 1u);
  EXPECT_EQ(prompter.Calls()[0].kind, ScriptedPrompter::Kind::Folder);
  EXPECT_EQ(prompter.Calls()[0].title, "Select the folder where Quarvel is installed:");
  EXPECT_EQ(view.waited, 3);
  EXPECT_TRUE(view.ended);
  EXPECT_FALSE(view.animationStopped);
}

TEST_F(Search, CancelWhileListingStopsAtOnce) {
  tree.Game("d/a");
  machine.drives = {{tree.Folder("d"), DriveKind::Fixed}};
  auto& s = Session(Pkg());
  view.onProcess = [&] { s.Cancel(); };
  s.Run();
  EXPECT_GE(view.processed, 1);
  EXPECT_TRUE(prompter.Calls().empty());
  EXPECT_TRUE(view.ended);
}

TEST_F(Search, BrowseDeliversToAChosenGameFolder) {
  std::string game = tree.Game("game");
  prompter.Reply(game.substr(0, game.size() - 1));
  Session(Pkg()).Browse();
  EXPECT_EQ(tree.Read("game/ZMDescriptor/Vega.zmd"), "descriptor");
  EXPECT_TRUE(view.ended);
}

TEST_F(Search, BrowseAsksBeforeDeliveringToAFolderWithoutTheGame) {
  std::string plain = tree.Folder("plain");
  auto& s = Session(Pkg());
  prompter.Reply(plain).Answer(Answer::No);
  s.Browse();
  EXPECT_FALSE(tree.Exists("plain/ZMDescriptor"));
  EXPECT_FALSE(view.ended);
  prompter.Reply(plain).Answer(Answer::Yes);
  s.Browse();
  EXPECT_EQ(prompter.Calls()[1].text,
            "Quarvel was not found in this directory.  Are you sure you want to apply the add on?");
  EXPECT_EQ(prompter.Calls()[1].buttons, platform::Buttons::YesNo);
  EXPECT_EQ(tree.Read("plain/ZMDescriptor/Vega.zmd"), "descriptor");
  EXPECT_TRUE(view.ended);
}

TEST_F(Search, ChoosingThePackageFolderIsRefusedAndTheButtonsWorkAgain) {
  std::string pkg = Pkg();
  tree.File("pkg/quarvel.exe");
  auto& s = Session(pkg);
  prompter.Reply(pkg).Answer(Answer::Ok);
  s.Browse();
  EXPECT_EQ(prompter.Calls()[1].text, "The folder is invalid. Please locate your Quarvel folder and press OK.");
  EXPECT_FALSE(view.ended);
  EXPECT_TRUE(view.buttonsEnabled);
  EXPECT_EQ(view.statuses.back(), "Searching for Quarvel...");
  EXPECT_FALSE(tree.Exists("pkg/ZMDescriptor"));
}

TEST_F(Search, MissingListIsReportedAndEndsTheProgram) {
  std::string game = tree.Game("game");
  prompter.Reply(game).Answer(Answer::Ok);
  Session(tree.Folder("bare")).Browse();
  EXPECT_EQ(prompter.Calls()[1].text,
            "Could not find the distribution files.  Please ensure that all files are together in the same "
            "folder before running this program.");
  EXPECT_TRUE(view.ended);
}

TEST_F(Search, FilesThatCouldNotBeInstalledAreNamedBeforeTheEnd) {
  std::string game = tree.Game("game");
  std::string pkg = tree.Package("pkg", {{"Vega.zmd", "d"}},
                                 "\"Vega.bmp\",\"\\PICTURES\\\"\r\n\"Vega.zmd\",\"\\ZMDescriptor\\\"\r\n"
                                 "\"evil.dll\",\"\\..\\..\\\"\r\n");
  prompter.Reply(game).Answer(Answer::Ok);
  Session(pkg).Browse();
  ASSERT_EQ(prompter.Calls().size(), 2u);
  EXPECT_EQ(prompter.Calls()[1].text,
            "These files of the add on could not be installed:\n"
            "Vega.bmp (not found in the package)\n"
            "evil.dll (its folder is not inside the game folder)");
  EXPECT_EQ(tree.Read("game/ZMDescriptor/Vega.zmd"), "d");
  EXPECT_TRUE(view.ended);
}

TEST_F(Search, WinDirAndTheChoosersVerdict) {
  machine.windowsFolder = "/home/u/.wine/drive_c/Windows";
  auto& s = Session("/pkg");
  EXPECT_EQ(s.WinDir(false), "/home/u/.wine/drive_c/Windows");
  EXPECT_EQ(s.WinDir(true), "Windows");
  machine.windowsFolder = "C:\\WINDOWS";
  EXPECT_EQ(s.WinDir(true), "WINDOWS");

  std::string game = tree.Game("game");
  tree.File("other/QUARVEL.EXE/inside", "a folder named like the game");
  EXPECT_EQ(SearchSession::Verdict(game), "Quarvel Found");
  EXPECT_EQ(SearchSession::Verdict(game.substr(0, game.size() - 1)), "Quarvel Found");
  EXPECT_EQ(SearchSession::Verdict(tree.Folder("other")), "Quarvel Not Found");
  EXPECT_EQ(SearchSession::Verdict(""), "Quarvel Not Found");
}

}  // namespace
}  // namespace zelmora::installer
