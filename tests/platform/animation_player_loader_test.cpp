// The animation player module: found where the build and the installs put it, playing through the
// interface, and no player, but a reason, wherever it is missing or broken.
#include "ui/qt/animation_player_loader.h"

#include "tests/support/avi_file.h"
#include "tests/support/temp_game_folder.h"
#include "tests/support/test_application.h"

#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace zelmora::qt {
namespace {

namespace fs = std::filesystem;

constexpr int kWait = 10000;  // ms for the backend to read a file

QString Q(const fs::path& p) { return QString::fromStdString(p.string()); }

class AnimationPlayerModule : public ::testing::Test {
 protected:
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(folder, ec);
  }
  QApplication& app = testing::App();
  fs::path folder = testing::UniqueTempFolder("animation-module");
  QWidget area;
};

TEST_F(AnimationPlayerModule, IsLookedForBesideTheProgramFirst) {
  EXPECT_EQ(AnimationModuleName(), QStringLiteral("libzelmora_media_player.so"));
  const QStringList folders = AnimationModuleFolders(QStringLiteral("/usr/bin"));
  ASSERT_EQ(folders.size(), 2);
  EXPECT_EQ(folders[0], QStringLiteral("/usr/bin"));
  EXPECT_EQ(AnimationModuleFolders().value(0), QCoreApplication::applicationDirPath());
}

#ifdef ZELMORA_ANIMATION_MODULE_BUILT
TEST_F(AnimationPlayerModule, BesideTheEditorInTheBuildTreePlaysAFilmAndSaysWhatItCannotPlay) {
  area.resize(120, 120);
  auto loaded = LoadAnimationPlayer(&area, AnimationModuleFolders(QStringLiteral(ZELMORA_GAME_DIR)));
  ASSERT_TRUE(loaded.player) << loaded.error.toStdString();
  EXPECT_TRUE(loaded.error.isEmpty());
  AnimationPlayer& player = *loaded.player;
  // Its video fills the area.
  auto* video = area.findChild<QWidget*>(QStringLiteral("AVIVideo"));
  ASSERT_NE(video, nullptr);
  EXPECT_EQ(video->geometry(), area.rect());

  const fs::path film = folder / "4Tessaly4.avi";
  testing::WriteAvi(film, 3);  // 0.3 seconds
  player.Play(Q(film));
  ASSERT_TRUE(QTest::qWaitFor([&] { return player.IsPlaying() || !player.Error().isEmpty(); }, kWait));
  EXPECT_TRUE(player.IsPlaying());
  EXPECT_EQ(player.Error(), QString());
  // Past its last frame it starts again.
  QTest::qWait(800);
  EXPECT_TRUE(QTest::qWaitFor([&] { return player.IsPlaying(); }, 2000)) << player.Error().toStdString();
  player.Stop();
  EXPECT_FALSE(player.IsPlaying());

  std::ofstream(folder / "garbage.avi") << "not a film any player could read";
  player.Play(Q(folder / "garbage.avi"));
  EXPECT_TRUE(QTest::qWaitFor([&] { return !player.Error().isEmpty(); }, kWait));
  EXPECT_FALSE(player.IsPlaying());
  // The next film plays again.
  player.Play(Q(film));
  EXPECT_TRUE(QTest::qWaitFor([&] { return player.IsPlaying(); }, kWait)) << player.Error().toStdString();
}

TEST_F(AnimationPlayerModule, IsFoundWhereThePackageInstallsIt) {
  // The package's layout: the programs in bin/, the module where its install rule puts it.
  fs::create_directories(folder / "bin");
  fs::create_directories(folder / ZELMORA_PACKAGE_MODULE_DIR);
  fs::create_symlink(fs::path(ZELMORA_GAME_DIR) / AnimationModuleName().toStdString(),
                     folder / ZELMORA_PACKAGE_MODULE_DIR / AnimationModuleName().toStdString());
  auto loaded = LoadAnimationPlayer(&area, AnimationModuleFolders(Q(folder / "bin")));
  EXPECT_TRUE(loaded.player) << loaded.error.toStdString();
}
#endif

TEST_F(AnimationPlayerModule, MissingOrBrokenGivesNoPlayerAndTheReason) {
  const QString name = AnimationModuleName();
  const QString prefix = QString::fromLatin1(kNoAnimationPlayer);

  // In none of the folders: they are all named.
  fs::create_directories(folder / "empty");
  auto missing = LoadAnimationPlayer(&area, {Q(folder / "empty"), Q(folder / "gone")});
  EXPECT_FALSE(missing.player);
  EXPECT_EQ(missing.error, prefix + name + QStringLiteral(" is in none of ") + Q(folder / "empty") +
                               QStringLiteral(", ") + Q(folder / "gone"));
  EXPECT_TRUE(LoadAnimationPlayer(&area, {}).error.startsWith(prefix));

  // A file of that name that is no library, or a folder of that name.
  fs::create_directories(folder / "broken");
  std::ofstream(folder / "broken" / name.toStdString()) << "not a shared library";
  auto broken = LoadAnimationPlayer(&area, {Q(folder / "broken")});
  EXPECT_FALSE(broken.player);
  EXPECT_TRUE(broken.error.startsWith(prefix)) << broken.error.toStdString();
  fs::create_directories(folder / "shadowed" / name.toStdString());
  EXPECT_TRUE(LoadAnimationPlayer(&area, {Q(folder / "shadowed")}).error.contains(QStringLiteral(" is in none of ")));

  // A library without the player's entry: a stale or foreign module.
  fs::create_directories(folder / "foreign");
  fs::create_symlink(ZELMORA_OTHER_MODULE, folder / "foreign" / name.toStdString());
  auto foreign = LoadAnimationPlayer(&area, {Q(folder / "foreign")});
  EXPECT_FALSE(foreign.player);
  EXPECT_TRUE(foreign.error.endsWith(QStringLiteral(" is not a player of this version"))) << foreign.error.toStdString();
  EXPECT_EQ(area.findChild<QWidget*>(), nullptr);
}

}  // namespace
}  // namespace zelmora::qt
