#include "installer/delivery.h"

#include "tests/installer/installer_fakes.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace zelmora::installer {
namespace {

namespace fs = std::filesystem;
using testing::TempTree;

TEST(SetupList, ReadsQuotedPairsAsThePackageBuilderWritesThem) {
  auto list = ParseSetupList(
      "\"Vega.bmp\",\"\\PICTURES\\\"\r\n"
      "\"Vega Sun, old.bmp\" , \"\\PICTURES\\\"\r\n"  // a comma inside quotes, blanks around fields
      "\r\n"
      "Plain.txt,\\ZMDescriptor\\\n"                   // bare fields and a lone LF
      "\"Vega.zmd\",\"\\ZMDescriptor\\\"");            // no line end at all
  ASSERT_EQ(list.entries.size(), 4u);
  EXPECT_EQ(list.entries[0].name, "Vega.bmp");
  EXPECT_EQ(list.entries[0].folder, "\\PICTURES\\");
  EXPECT_EQ(list.entries[1].name, "Vega Sun, old.bmp");
  EXPECT_EQ(list.entries[2].name, "Plain.txt");
  EXPECT_EQ(list.entries[2].folder, "\\ZMDescriptor\\");
  EXPECT_EQ(list.entries[2].line, 4);
  EXPECT_EQ(list.entries[3].name, "Vega.zmd");
  EXPECT_TRUE(list.unreadableLines.empty());
}

TEST(SetupList, LineWithOneFieldIsUnreadableNotJoinedToTheNext) {
  auto list = ParseSetupList("\"Lonely.bmp\"\r\n\"Vega.zmd\",\"\\ZMDescriptor\\\"\r\n");
  ASSERT_EQ(list.entries.size(), 1u);
  EXPECT_EQ(list.entries[0].name, "Vega.zmd");
  EXPECT_EQ(list.unreadableLines, std::vector<int>{1});
}

TEST(SetupList, RefusesEntriesThatCouldLeaveTheGameFolder) {
  auto problem = [](std::string name, std::string folder) {
    return EntryProblem({std::move(name), std::move(folder), 1}).has_value();
  };
  // What the package builder writes is fine, also with "/" or without the outer backslashes.
  EXPECT_FALSE(problem("Vega.bmp", "\\PICTURES\\"));
  EXPECT_FALSE(problem("Vega.zmd", "ZMDescriptor"));
  EXPECT_FALSE(problem("Vega.zmd", "\\"));
  EXPECT_FALSE(problem("Vega.zmd", ""));
  EXPECT_FALSE(problem("..Vega.zmd", "\\Add ons\\Vega\\"));  // dots inside a name are plain
  // File names that are not plain names.
  for (const char* name : {"", ".", "..", "..\\evil.dll", "../evil", "sub/evil", "C:evil", "/etc/passwd",
                           "evil\x01.bmp", "evil\n.bmp"}) {
    EXPECT_TRUE(problem(name, "\\PICTURES\\")) << name;
  }
  // Folders that go elsewhere.
  for (const char* folder : {"\\..\\", "\\PICTURES\\..\\..\\", "..", "\\a\\..\\b\\", "C:\\Windows\\",
                             "\\\\server\\share\\", "/etc/", "\\PICTURES:stream\\", "\\PIC\tTURES\\"}) {
    EXPECT_TRUE(problem("Vega.bmp", folder)) << folder;
  }
}

TEST(SetupList, RefusesNamesWindowsReadsAsDevicesOrOtherNames) {
  auto problem = [](std::string name, std::string folder) {
    return EntryProblem({std::move(name), std::move(folder), 1}).has_value();
  };
  // On Windows these are devices, or ("..." and "x. ") other names than they look like.
  for (const char* name : {"CON", "con.zmd", "Aux .bmp", "nul", "COM1.txt", "lpt9", "Vega.zmd.", "Vega.zmd ", "..."}) {
    EXPECT_TRUE(problem(name, "\\PICTURES\\")) << name;
  }
  for (const char* folder : {"\\CON\\", "\\PICTURES\\prn\\", "\\...\\", "\\.. \\", "\\PICTURES.\\"}) {
    EXPECT_TRUE(problem("Vega.bmp", folder)) << folder;
  }
  // Names that only start like one are plain.
  for (const char* name : {"CONSOLE.zmd", "Comet.bmp", "COM10.txt", "nul1.zmd", ".Vega.bmp"}) {
    EXPECT_FALSE(problem(name, "\\PICTURES\\")) << name;
  }
  EXPECT_FALSE(problem("Vega.bmp", "\\.\\PICTURES\\"));
}

class Delivery : public ::testing::Test {
 protected:
  TempTree tree;
  std::string game = tree.Game("game");
};

TEST_F(Delivery, CopiesEachListedFileIntoItsFolderMatchingFolderNamesWithoutCase) {
  tree.Folder("game/pictures");  // the game's own spelling
  std::string pkg = tree.Package("pkg", {{"Vega.bmp", "picture"}, {"Vega.zmd", "descriptor"}},
                                 "\"Vega.bmp\",\"\\PICTURES\\\"\r\n\"Vega.zmd\",\"\\ZMDescriptor\\\"\r\n");
  tree.File("game/ZMDescriptor/VEGA.ZMD", "old descriptor");

  auto result = Deliver(pkg, game);
  ASSERT_EQ(result.outcome, DeliveryOutcome::Delivered);
  EXPECT_TRUE(result.notInstalled.empty());
  EXPECT_EQ(tree.Read("game/pictures/Vega.bmp"), "picture");
  EXPECT_FALSE(tree.Exists("game/PICTURES"));
  // The existing file of another case is the one replaced, not joined by a second one.
  EXPECT_EQ(tree.Read("game/ZMDescriptor/VEGA.ZMD"), "descriptor");
  EXPECT_FALSE(tree.Exists("game/ZMDescriptor/Vega.zmd"));
  ASSERT_EQ(result.copied.size(), 2u);
  EXPECT_EQ(result.copied[0].kind, CopyKind::Add);
  EXPECT_EQ(result.copied[0].shown, "pictures/Vega.bmp");
  EXPECT_EQ(result.copied[1].kind, CopyKind::Replace);
}

// The list names files in the game's code page; on disk they carry UTF-8 names. A list written by
// hand in UTF-8 still finds its files.
TEST_F(Delivery, CodePageNamesOfTheListFindAndMakeTheirUtf8Files) {
  tree.File("game/PICTURES/\xC3\x86R\xC3\x98.BMP", "old picture");  // another case of the same name
  std::string pkg = tree.Package("pkg", {{"\xC3\x86r\xC3\xB8.bmp", "picture"}, {"\xC3\x86r\xC3\xB8.zmd", "descriptor"},
                                         {"N\xC3\xA9" "a.zmd", "typed in UTF-8"}},
                                 "\"\xC6r\xF8.bmp\",\"\\PICTURES\\\"\r\n\"\xC6r\xF8.zmd\",\"\\ZMDescriptor\\\"\r\n"
                                 "\"N\xC3\xA9" "a.zmd\",\"\\ZMDescriptor\\\"\r\n");
  auto result = Deliver(pkg, game);
  EXPECT_TRUE(result.notInstalled.empty());
  EXPECT_EQ(tree.Read("game/PICTURES/\xC3\x86R\xC3\x98.BMP"), "picture");
  EXPECT_EQ(tree.Read("game/ZMDescriptor/\xC3\x86r\xC3\xB8.zmd"), "descriptor");
  EXPECT_EQ(tree.Read("game/ZMDescriptor/N\xC3\xA9" "a.zmd"), "typed in UTF-8");
  ASSERT_EQ(result.copied.size(), 3u);
  EXPECT_EQ(result.copied[0].shown, "PICTURES/\xC6R\xD8.BMP");  // shown as the list's text
}

TEST_F(Delivery, CreatesAMissingTargetFolder) {
  std::string pkg = tree.Package("pkg", {{"Vega.avi", "film"}}, "\"Vega.avi\",\"\\PICTURES\\Films\\\"\r\n");
  auto result = Deliver(pkg, game);
  EXPECT_TRUE(result.notInstalled.empty());
  EXPECT_EQ(tree.Read("game/PICTURES/Films/Vega.avi"), "film");
}

TEST_F(Delivery, MissingPackageFileIsNamedAndTheOthersStillCopied) {
  std::string pkg = tree.Package("pkg", {{"Vega.zmd", "descriptor"}},
                                 "\"Vega.bmp\",\"\\PICTURES\\\"\r\n\"Vega.zmd\",\"\\ZMDescriptor\\\"\r\n");
  auto result = Deliver(pkg, game);
  EXPECT_EQ(tree.Read("game/ZMDescriptor/Vega.zmd"), "descriptor");
  ASSERT_EQ(result.notInstalled.size(), 1u);
  EXPECT_EQ(result.notInstalled[0].name, "Vega.bmp");
  EXPECT_EQ(NotInstalledMessage(result.notInstalled),
            "These files of the add on could not be installed:\nVega.bmp (not found in the package)");
}

TEST_F(Delivery, MissingListAndSameFolderAreTheirOwnOutcomes) {
  std::string empty = tree.Folder("empty");
  EXPECT_EQ(Deliver(empty, game).outcome, DeliveryOutcome::ListMissing);
  std::string pkg = tree.Package("pkg", {}, "");
  EXPECT_EQ(Deliver(pkg, pkg).outcome, DeliveryOutcome::InvalidFolder);
  std::string noSeparator = pkg.substr(0, pkg.size() - 1);
  EXPECT_EQ(Deliver(noSeparator, pkg).outcome, DeliveryOutcome::InvalidFolder);
  // The same folder under another name is the same folder.
  fs::create_directory_symlink(tree.Root() / "pkg", tree.Root() / "link");
  EXPECT_EQ(Deliver(pkg, (tree.Root() / "link").string()).outcome, DeliveryOutcome::InvalidFolder);
}

TEST_F(Delivery, TraversalEntriesWriteNothingOutsideTheGameFolder) {
  tree.File("game2/keep.txt", "neighbour");  // "game2" starts with "game" but is not inside it
  std::string pkg = tree.Package(
      "pkg/inner", {{"evil.txt", "evil"}, {"good.txt", "good"}},
      "\"evil.txt\",\"\\..\\\"\r\n"
      "\"evil.txt\",\"\\..\\game2\\\"\r\n"
      "\"..\\evil.txt\",\"\\\"\r\n"
      "\"evil.txt\",\"" + (tree.Root() / "outside").string() + "\"\r\n"
      "\"evil.txt\",\"\\\\server\\share\\\"\r\n"
      "\"good.txt\",\"\\\"\r\n");
  auto before = tree.Listing();

  auto result = Deliver(pkg, game);
  EXPECT_EQ(result.notInstalled.size(), 5u);
  EXPECT_EQ(tree.Read("game/good.txt"), "good");
  auto after = tree.Listing();
  std::erase(after, "game/good.txt");
  EXPECT_EQ(after, before);
}

TEST_F(Delivery, NeverWritesThroughALinkInsideTheGameFolder) {
  tree.File("outside/victim.bmp", "not the game's");
  fs::create_directory_symlink(tree.Root() / "outside", tree.Root() / "game/Linked");
  fs::create_directories(tree.Root() / "game/PICTURES");
  fs::create_symlink(tree.Root() / "outside/victim.bmp", tree.Root() / "game/PICTURES/Vega.bmp");
  // A link planted at the name of the copy's temporary file is not written through either.
  fs::create_symlink(tree.Root() / "outside/planted.txt", tree.Root() / "game/.good.txt.copy");
  std::string pkg = tree.Package("pkg", {{"Vega.bmp", "picture"}, {"Vega.zmd", "d"}, {"good.txt", "good"}},
                                 "\"Vega.bmp\",\"\\PICTURES\\\"\r\n"
                                 "\"Vega.zmd\",\"\\Linked\\\"\r\n"
                                 "\"Vega.zmd\",\"\\linked\\deeper\\\"\r\n"
                                 "\"good.txt\",\"\\\"\r\n");
  auto result = Deliver(pkg, game);
  ASSERT_EQ(result.notInstalled.size(), 3u);
  for (const auto& n : result.notInstalled) EXPECT_EQ(n.reason, "a link inside the game folder is on its way") << n.name;
  EXPECT_EQ(tree.Read("outside/victim.bmp"), "not the game's");
  EXPECT_FALSE(tree.Exists("outside/Vega.zmd"));
  EXPECT_FALSE(tree.Exists("outside/deeper"));
  EXPECT_FALSE(tree.Exists("outside/planted.txt"));
  EXPECT_EQ(tree.Read("game/good.txt"), "good");
  EXPECT_TRUE(fs::is_symlink(tree.Root() / "game/PICTURES/Vega.bmp"));

  // A link that appears after the plan was made is refused when the copy comes.
  std::string pkg2 = tree.Package("pkg2", {{"late.txt", "late"}}, "\"late.txt\",\"\\Late\\\"\r\n");
  DeliveryPlan plan = PlanDelivery(pkg2, game, *ReadSetupList(pkg2));
  ASSERT_EQ(plan.copies.size(), 1u);
  fs::create_directory_symlink(tree.Root() / "outside", tree.Root() / "game/Late");
  auto late = CarryOut(plan);
  ASSERT_EQ(late.notInstalled.size(), 1u);
  EXPECT_FALSE(tree.Exists("outside/late.txt"));
}

TEST_F(Delivery, FailedCopyLeavesTheOldTargetAndNoTemporaryFile) {
  tree.File("game/PICTURES/Vega.bmp/inside.txt", "a folder where the file should go");
  std::string pkg = tree.Package("pkg", {{"Vega.bmp", "picture"}, {"Vega.zmd", "d"}},
                                 "\"Vega.bmp\",\"\\PICTURES\\\"\r\n\"Vega.zmd\",\"\\\"\r\n");
  auto result = Deliver(pkg, game);
  ASSERT_EQ(result.notInstalled.size(), 1u);
  EXPECT_EQ(result.notInstalled[0].reason, "could not be copied");
  EXPECT_EQ(tree.Read("game/PICTURES/Vega.bmp/inside.txt"), "a folder where the file should go");
  for (const auto& path : tree.Listing()) EXPECT_EQ(path.find(".copy"), std::string::npos) << path;
  EXPECT_EQ(tree.Read("game/Vega.zmd"), "d");
}

TEST_F(Delivery, TargetFolderThatIsAFileIsReported) {
  tree.File("game/PICTURES", "not a folder");
  std::string pkg = tree.Package("pkg", {{"Vega.bmp", "picture"}}, "\"Vega.bmp\",\"\\PICTURES\\\"\r\n");
  auto result = Deliver(pkg, game);
  ASSERT_EQ(result.notInstalled.size(), 1u);
  EXPECT_EQ(result.notInstalled[0].reason, "its folder could not be created");
  EXPECT_EQ(tree.Read("game/PICTURES"), "not a folder");
}

TEST_F(Delivery, DryRunTellsAdditionsFromReplacementsAndWritesNothing) {
  tree.File("game/PICTURES/Vega.bmp", "old");
  std::string pkg = tree.Package("pkg", {{"Vega.bmp", "new"}, {"Vega.zmd", "d"}},
                                 "\"Vega.bmp\",\"\\PICTURES\\\"\r\n\"Vega.zmd\",\"\\ZMDescriptor\\\"\r\n"
                                 "\"Gone.bmp\",\"\\PICTURES\\\"\r\n");
  auto before = tree.Listing();
  auto result = Deliver(pkg, game, true);
  ASSERT_EQ(result.copied.size(), 2u);
  EXPECT_EQ(result.copied[0].kind, CopyKind::Replace);
  EXPECT_EQ(result.copied[1].kind, CopyKind::Add);
  EXPECT_EQ(result.notInstalled.size(), 1u);
  EXPECT_EQ(tree.Listing(), before);
  EXPECT_EQ(tree.Read("game/PICTURES/Vega.bmp"), "old");
}

TEST_F(Delivery, MissingGameFolderIsNotCreated) {
  std::string pkg = tree.Package("pkg", {{"Vega.zmd", "d"}}, "\"Vega.zmd\",\"\\ZMDescriptor\\\"\r\n");
  auto result = Deliver(pkg, (tree.Root() / "nowhere").string());
  EXPECT_EQ(result.notInstalled.size(), 1u);
  EXPECT_FALSE(tree.Exists("nowhere"));
}

}  // namespace
}  // namespace zelmora::installer
