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

}  // namespace
}  // namespace zelmora
