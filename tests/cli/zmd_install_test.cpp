#include "tests/cli/zmd_run.h"
#include "tests/support/temp_game_folder.h"

#include <gtest/gtest.h>

namespace zelmora {
namespace {

using testing::TempGameFolder;
using testing::Zmd;

class ZmdInstall : public ::testing::Test {
 protected:
  ZmdInstall() {
    pkg.Write("Vega.bmp", "picture");
    pkg.Write("Vega.zmd", "descriptor");
    pkg.Write("SETUP.LST", "\"Vega.bmp\",\"\\PICTURES\\\"\r\n\"Vega.zmd\",\"\\ZMDescriptor\\\"\r\n");
    game.Write("PICTURES/Vega.bmp", "old picture");
  }
  TempGameFolder game;
  TempGameFolder pkg{false};
};

TEST_F(ZmdInstall, DryRunListsAdditionsAndReplacementsAndChangesNothing) {
  auto r = Zmd({"install", pkg.Path().string(), game.Path().string(), "--dry-run"});
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(r.out, "would replace PICTURES/Vega.bmp\nwould add     ZMDescriptor/Vega.zmd\n");
  EXPECT_EQ(game.Read("PICTURES/Vega.bmp"), "old picture");
  EXPECT_FALSE(game.Exists("ZMDescriptor/Vega.zmd"));
}

TEST_F(ZmdInstall, InstallsAndNamesWhatItCouldNotInstall) {
  pkg.Write("SETUP.LST", "\"Vega.bmp\",\"\\PICTURES\\\"\r\n\"Vega.zmd\",\"\\ZMDescriptor\\\"\r\n"
                         "\"Gone.bmp\",\"\\PICTURES\\\"\r\n\"Vega.zmd\",\"\\..\\\"\r\n");
  auto r = Zmd({"install", pkg.Path().string(), game.Path().string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("replaced  PICTURES/Vega.bmp\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("not installed Gone.bmp (not found in the package)\n"), std::string::npos);
  EXPECT_NE(r.out.find("not installed Vega.zmd (its folder is not inside the game folder)\n"), std::string::npos);
  EXPECT_NE(r.out.find("zmd: 2 listed file(s) not installed"), std::string::npos);
  EXPECT_EQ(game.Read("PICTURES/Vega.bmp"), "picture");
  EXPECT_EQ(game.Read("ZMDescriptor/Vega.zmd"), "descriptor");
}

TEST_F(ZmdInstall, MissingFoldersListOrSameFolderFail) {
  EXPECT_EQ(Zmd({"install", (pkg.Path() / "none").string(), game.Path().string()}).status, 2);
  EXPECT_EQ(Zmd({"install", pkg.Path().string(), (game.Path() / "none").string()}).status, 2);
  EXPECT_EQ(Zmd({"install", pkg.Path().string(), pkg.Path().string()}).status, 1);
  TempGameFolder empty(false);
  auto r = Zmd({"install", empty.Path().string(), game.Path().string()});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.out.find("no Setup.lst"), std::string::npos);
}

TEST_F(ZmdInstall, AListThatIsALinkIsNotReadAndNothingIsInstalled) {
  std::filesystem::remove(pkg.Path() / "SETUP.LST");
  const auto elsewhere = game.Write("elsewhere.lst", "\"Vega.zmd\",\"\\ZMDescriptor\\\"\r\n");
  std::filesystem::create_symlink(elsewhere, pkg.Path() / "SETUP.LST");
  auto r = Zmd({"install", pkg.Path().string(), game.Path().string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "zmd: Setup.lst is a link; nothing was installed\n");
  EXPECT_FALSE(game.Exists("ZMDescriptor/Vega.zmd"));
}

}  // namespace
}  // namespace zelmora
