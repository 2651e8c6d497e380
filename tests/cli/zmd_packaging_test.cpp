#include "tests/cli/zmd_run.h"
#include "tests/support/temp_game_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace zelmora {
namespace {

testing::ZmdRun EncodeStar(const std::string& name) { return testing::Zmd({"encode-star", name}); }

TEST(ZmdEncodeStar, PrintsTheTwentyOneBytesInHex) {
  testing::ZmdRun nine = EncodeStar("9Sol");
  EXPECT_EQ(nine.status, 0);
  std::string spaces;
  for (int i = 0; i < 17; ++i) spaces += " df";
  EXPECT_EQ(nine.out, "f6 ac 90 93" + spaces + "\n");
  // A name given in UTF-8 is encoded in the game's code page: one byte for the e acute.
  EXPECT_EQ(EncodeStar("Caf\xC3\xA9").out.substr(0, 15), "01 bc 9e 99 16 ");
}

TEST(ZmdEncodeStar, NamesTooLongForTheGameFail) {
  testing::ZmdRun r = EncodeStar(std::string(21, 'x'));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("too long"), std::string::npos);
}

class ZmdPackage : public ::testing::Test {
 protected:
  ZmdPackage() {
    game.Write("ZMDInst.dat", "installer");
    game.Write("PICTURES/4Tessaly.bmp", "strip");
  }
  testing::ZmdRun Package(std::vector<std::string> more = {}) {
    std::vector<std::string> args{"package", game.Path().string(), "4Tessaly", out.Path().string()};
    args.insert(args.end(), more.begin(), more.end());
    return testing::Zmd(args);
  }
  testing::DemoGameFolder game;
  testing::TempGameFolder out{false};
};

TEST_F(ZmdPackage, MakesThePackageFolderAsTheEditorDoes) {
  auto r = Package();
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(r.out, "package " + (out.Path() / "4Tessaly").string() +
                       "\n  4Tessaly.bmp  -> \\PICTURES\\\n  4Tessaly.zmd  -> \\ZMDescriptor\\\n  SETUP.EXE\n  SETUP.LST\n");
  EXPECT_EQ(out.Read("4Tessaly/SETUP.LST"),
            "\"4Tessaly.bmp\",\"\\PICTURES\\\"\r\n\"4Tessaly.zmd\",\"\\ZMDescriptor\\\"\r\n");
  EXPECT_EQ(out.Read("4Tessaly/SETUP.EXE"), "installer");
  EXPECT_FALSE(out.Exists("4Tessaly.zip"));
}

TEST_F(ZmdPackage, ZipsBesideTheFolderWhenAsked) {
  if (!std::filesystem::exists("/usr/bin/zip")) GTEST_SKIP() << "/usr/bin/zip is needed";
  auto r = Package({"--zip"});
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("archive " + (out.Path() / "4Tessaly.zip").string()), std::string::npos);
  EXPECT_TRUE(out.Exists("4Tessaly.zip"));
}

TEST_F(ZmdPackage, RefusesWhatCouldNotBeInstalledAndNamesWhy) {
  game.WriteDescriptor("4Tessaly", "[General]\r\n;SolarSystem\r\n");
  auto r = Package();
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("The descriptor '4Tessaly.zmd' is damaged: the star's line is missing."), std::string::npos)
      << r.out;
  EXPECT_FALSE(out.Exists("4Tessaly"));
  EXPECT_EQ(testing::Zmd({"package", game.Path().string(), "Nowhere", out.Path().string()}).status, 2);
  EXPECT_EQ(testing::Zmd({"package", game.Path().string(), "4Tessaly", (out.Path() / "none").string()}).status, 2);
}

// Old files left in the folder would be zipped and shipped with the new ones.
TEST_F(ZmdPackage, AnExistingFolderIsRefusedUnlessReplacedAndALinkInItIsNotFollowed) {
  out.Write("4Tessaly/Stale.bmp", "stale");
  auto refused = Package();
  EXPECT_EQ(refused.status, 2);
  EXPECT_NE(refused.out.find("exists already (--replace empties it first)"), std::string::npos) << refused.out;
  EXPECT_EQ(out.Read("4Tessaly/Stale.bmp"), "stale");

  out.Write("keep/mine.txt", "mine");
  std::filesystem::create_directory_symlink(out.Path() / "keep", out.Path() / "4Tessaly/linked");
  auto replaced = Package({"--replace"});
  ASSERT_EQ(replaced.status, 0) << replaced.out;
  EXPECT_FALSE(out.Exists("4Tessaly/Stale.bmp"));
  EXPECT_FALSE(std::filesystem::is_symlink(out.Path() / "4Tessaly/linked"));
  EXPECT_EQ(out.Read("keep/mine.txt"), "mine");
  EXPECT_EQ(out.Read("4Tessaly/SETUP.EXE"), "installer");
}

// A system whose name reads as an option is reached after "--", as --help says.
TEST(ZmdNames, ANameThatLooksLikeAnOptionFollowsTheSeparator) {
  testing::DemoGameFolder game;
  game.Write("ZMDescriptor/-rf.zmd", game.ReadDescriptor("4Tessaly"));
  auto shown = testing::Zmd({"show", game.Path().string(), "--", "-rf"});
  EXPECT_EQ(shown.status, 0) << shown.out;
  EXPECT_NE(shown.out.find("System:  -rf"), std::string::npos) << shown.out;
  EXPECT_NE(testing::Zmd({"--help"}).out.find("after \"--\""), std::string::npos);
}

}  // namespace
}  // namespace zelmora
