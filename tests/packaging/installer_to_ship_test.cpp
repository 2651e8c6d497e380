// Which installer a package ships when the editor does not sit in the game folder.
#include "packaging/package_builder.h"
#include "packaging/package_check.h"

#include "tests/support/temp_game_folder.h"

#include <gtest/gtest.h>

namespace zelmora::packaging {
namespace {

namespace fs = std::filesystem;
using testing::TempGameFolder;

TEST(InstallerToShip, TheGameFoldersFirstThenBesideTheProgramThenTheSystemInstallsShare) {
  TempGameFolder game;
  TempGameFolder usr(false);  // stands for /usr: bin/ and share/zelmora/
  const fs::path bin = usr.Path() / "bin";
  const fs::path shared = usr.Write("share/zelmora/ZMDInst.dat", "installer in share");
  fs::create_directories(bin);

  EXPECT_EQ(InstallerToShip(game.Path(), bin), shared);
  // The system package links share's installer to the installer program: the program ships, so
  // the package check, which refuses links, takes it.
  const fs::path program = usr.Write("bin/Fendrel", "the installer program");
  fs::remove(shared);
  fs::create_symlink("../../bin/Fendrel", shared);
  EXPECT_EQ(InstallerToShip(game.Path(), bin), fs::canonical(program));
  EXPECT_TRUE(PackageProblems({{InstallerToShip(game.Path(), bin), "SETUP.EXE", ""}}).empty());
  const fs::path beside = usr.Write("bin/ZMDInst.dat", "installer beside the program");
  EXPECT_EQ(InstallerToShip(game.Path(), bin), beside);
  const fs::path inGame = game.Write("zmdinst.DAT", "the game folder's");
  EXPECT_EQ(InstallerToShip(game.Path(), bin), inGame);

  // None anywhere: the game folder's name, so the problem says where it was expected.
  TempGameFolder bare;
  EXPECT_EQ(InstallerToShip(bare.Path(), bare.Path() / "nowhere"), bare.Path() / "ZMDInst.dat");
  auto files = PackageContents(store::DescriptorStore(bare.Path()), "Vega", bin);
  EXPECT_EQ(files.back().source, beside);
  EXPECT_EQ(files.back().name, "SETUP.EXE");
}

}  // namespace
}  // namespace zelmora::packaging
