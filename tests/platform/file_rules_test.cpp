#include "ui/platform/file_rules.h"

#include "tests/support/temp_game_folder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zelmora::platform {
namespace {

using testing::TempGameFolder;

TEST(AtomicReplace, WritesThroughTheScratchFileAndLeavesNoScratchBehind) {
  TempGameFolder game;
  auto target = game.Path() / "a.zmd";
  auto scratch = game.Path() / "a.tmp";
  ASSERT_TRUE(AtomicReplace(target, "one", scratch));
  ASSERT_TRUE(AtomicReplace(target, "two", scratch));
  EXPECT_EQ(game.Read("a.zmd"), "two");
  EXPECT_FALSE(FileExists(scratch));
  ASSERT_TRUE(AtomicReplace(game.Path() / "b.txt", ""));
  EXPECT_EQ(std::distance(fs::directory_iterator(game.Path()), {}), 5);  // no hidden part file left
}

TEST(AtomicReplace, AFailedWriteLeavesTheTargetAsItWas) {
  TempGameFolder game;
  auto target = game.Write("a.zmd", "kept");
  EXPECT_FALSE(AtomicReplace(target, "new", game.Path() / "missing" / "a.tmp"));
  EXPECT_EQ(game.Read("a.zmd"), "kept");
  fs::create_directory(game.Path() / "dir.zmd");
  EXPECT_FALSE(AtomicReplace(game.Path() / "dir.zmd", "x"));
  EXPECT_TRUE(FolderExists(game.Path() / "dir.zmd"));
}

TEST(CopyKeepingTime, TheCopyHasTheSourcesTime) {
  TempGameFolder game;
  auto source = game.Write("s.zmd", "bytes");
  auto old = fs::file_time_type::clock::now() - std::chrono::hours(50);
  ASSERT_TRUE(SetModificationTime(source, old));
  auto target = game.Write("t.edt", "older content");
  ASSERT_TRUE(CopyKeepingTime(source, target));
  EXPECT_EQ(game.Read("t.edt"), "bytes");
  EXPECT_EQ(ModificationTime(target), ModificationTime(source));
  EXPECT_FALSE(CopyKeepingTime(game.Path() / "none", target));
  EXPECT_EQ(game.Read("t.edt"), "bytes");
}

TEST(MakeTimeDiffer, EqualTimesArePulledApartOthersAreLeftAlone) {
  TempGameFolder game;
  auto a = game.Write("a", "1");
  auto b = game.Write("b", "2");
  auto t = fs::file_time_type::clock::now() - std::chrono::hours(1);
  SetModificationTime(a, t);
  SetModificationTime(b, t);
  ASSERT_TRUE(MakeTimeDiffer(a, b));
  EXPECT_NE(ModificationTime(a), ModificationTime(b));
  EXPECT_EQ(ModificationTime(b), t);
  auto before = ModificationTime(a);
  ASSERT_TRUE(MakeTimeDiffer(a, b));
  EXPECT_EQ(ModificationTime(a), before);
  EXPECT_TRUE(MakeTimeDiffer(a, game.Path() / "missing"));
}

TEST(CaseInsensitiveLookup, ExactSpellingWinsOtherwiseAnyCase) {
  TempGameFolder game;
  game.Write("solarsys.txt", "lower");
  EXPECT_EQ(FindNoCase(game.Path(), "SOLARSYS.TXT"), game.Path() / "solarsys.txt");
  game.Write("SOLARSYS.TXT", "upper");
  EXPECT_EQ(FindNoCase(game.Path(), "SOLARSYS.TXT"), game.Path() / "SOLARSYS.TXT");
  EXPECT_EQ(FindNoCase(game.Path(), "nothing.txt"), std::nullopt);
  EXPECT_EQ(ResolveNoCase(game.Path(), "New.zmd"), game.Path() / "New.zmd");
  EXPECT_EQ(FindNoCase(game.Path() / "no-such-folder", "x"), std::nullopt);
}

TEST(Listing, ByExtensionWithoutRegardToCaseAndFilesOnly) {
  TempGameFolder game;
  game.Write("ZMDescriptor/a.zmd", "");
  game.Write("ZMDescriptor/B.ZMD", "");
  game.Write("ZMDescriptor/c.zmd.bak", "");
  game.Write("ZMDescriptor/d.edt", "");
  fs::create_directory(game.Descriptors() / "folder.zmd");
  auto names = ListByExtension(game.Descriptors(), ".zmd");
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"B.ZMD", "a.zmd"}));
  EXPECT_TRUE(ListByExtension(game.Path() / "missing", ".zmd").empty());
}

TEST(Wildcards, ShellRules) {
  EXPECT_TRUE(WildcardMatch("Sol.*", "Sol.bmp"));
  EXPECT_TRUE(WildcardMatch("Sol.*", "SOL.BMP"));
  EXPECT_TRUE(WildcardMatch("Sol.*", "Sol"));  // ".*" also takes a name without extension
  EXPECT_FALSE(WildcardMatch("Sol.*", "SolSun.bmp"));
  EXPECT_TRUE(WildcardMatch("SolSun.*", "SolSun.gif"));
  EXPECT_TRUE(WildcardMatch("Sol*.*", "Solaris.bmp"));
  EXPECT_TRUE(WildcardMatch("S?l.bmp", "Sal.bmp"));
  EXPECT_FALSE(WildcardMatch("S?l.bmp", "Sl.bmp"));
  EXPECT_TRUE(WildcardMatch("*", "anything"));
  TempGameFolder game;
  game.Write("PICTURES/Sol.bmp", "");
  game.Write("PICTURES/Sol3.avi", "");
  game.Write("PICTURES/Solaris.bmp", "");
  EXPECT_EQ(RemoveMatching(game.Pictures(), "Sol.*"), 1);
  EXPECT_TRUE(game.Exists("PICTURES/Solaris.bmp"));
  EXPECT_TRUE(game.Exists("PICTURES/Sol3.avi"));
}

TEST(FileNames, ProblemsAreNamed) {
  fs::path folder = "/games/q/ZMDescriptor";
  std::vector<std::string> ext{".zmd"};
  EXPECT_EQ(FileNameProblem("Vega", folder, ext), std::nullopt);
  EXPECT_EQ(FileNameProblem("10Sol #2", folder, ext), std::nullopt);
  EXPECT_EQ(FileNameProblem("H\xF8vda", folder, ext), std::nullopt);
  EXPECT_EQ(FileNameProblem("", folder, ext), "The name is empty.");
  EXPECT_EQ(FileNameProblem("  \t", folder, ext), "The name is empty.");
  EXPECT_NE(FileNameProblem("a/b", folder, ext), std::nullopt);
  EXPECT_NE(FileNameProblem("a\\b", folder, ext), std::nullopt);
  EXPECT_NE(FileNameProblem("..", folder, ext), std::nullopt);
  EXPECT_NE(FileNameProblem("x\x01", folder, ext), std::nullopt);
  EXPECT_NE(FileNameProblem("a:b", folder, ext), std::nullopt);
  EXPECT_EQ(FileNameProblem(std::string(251, 'n'), folder, ext), std::nullopt);
  EXPECT_EQ(FileNameProblem(std::string(252, 'n'), folder, ext), "The name is too long for a file name.");
  // Counted in the UTF-8 bytes the name takes on disk.
  EXPECT_EQ(FileNameProblem(std::string(125, '\xE9'), folder, ext), std::nullopt);
  EXPECT_EQ(FileNameProblem(std::string(126, '\xE9'), folder, ext), "The name is too long for a file name.");
}

TEST(FileNames, WindowsDeviceNamesAndTrailingDotsOrBlanksAreRefused) {
  fs::path folder = "/games/q/ZMDescriptor";
  std::vector<std::string> ext{".zmd"};
  for (const std::string name : {"CON", "con", "Nul", "AUX", "prn", "COM1", "com9", "LPT1", "lPt9", "CON.txt",
                                 "nul.tar.gz", "COM3 ", "LPT\xB2", "aux .zmd", "CONIN$", "conout$", "CONOUT$.zmd"}) {
    EXPECT_NE(FileNameProblem(name, folder, ext), std::nullopt) << name;
  }
  EXPECT_EQ(FileNameProblem("CON", folder, ext), "Windows keeps this name for a device.");
  EXPECT_EQ(FileNameProblem("Vega.", folder, ext), "The name may not end with a dot or a space.");
  EXPECT_EQ(FileNameProblem("Vega ", folder, ext), "The name may not end with a dot or a space.");
  for (const std::string name : {"CONSOLE", "Icon", "COM10", "LPT", "COMA", "NULL", "Con Air", "2Aux", "v.con", "CONIN", "CONOUT$x"}) {
    EXPECT_EQ(FileNameProblem(name, folder, ext), std::nullopt) << name;
  }
}

TEST(CodePageFiles, NamesAreUtf8OnDiskAndCodePageInMemory) {
  TempGameFolder game;
  game.Write("PICTURES/\xC3\x86r\xC3\xB8Sun.bmp", "star");
  game.Write("PICTURES/\xC3\xA6R\xC3\x98.BMP", "strip");
  game.Write("PICTURES/\xE6r\xF8.gif", "raw bytes");
  game.Write("PICTURES/\xE6\x97\xA5.bmp", "no code page");
  auto files = ListCodePageFiles(game.Pictures());
  std::vector<std::string> names;
  for (auto& f : files) names.push_back(f.name);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"\xC6r\xF8Sun.bmp", "\xE6R\xD8.BMP"}));
  EXPECT_EQ(CodePageFilePath(game.Pictures(), "\xC6r\xF8.bmp"), game.Pictures() / "\xC3\x86r\xC3\xB8.bmp");
  EXPECT_EQ(ListCodePageMatching(game.Pictures(), "\xC6r\xF8.*"),
            std::vector<fs::path>{game.Pictures() / "\xC3\xA6R\xC3\x98.BMP"});
  EXPECT_EQ(ResolveCodePageNoCase(game.Pictures(), "\xC6R\xF8sun.BMP"), game.Pictures() / "\xC3\x86r\xC3\xB8Sun.bmp");
  EXPECT_EQ(RemoveCodePageMatching(game.Pictures(), "\xC6r\xF8*.*"), 2);
  EXPECT_TRUE(game.Exists("PICTURES/\xE6r\xF8.gif"));  // not this system's: the game could not name it
}

}  // namespace
}  // namespace zelmora::platform
