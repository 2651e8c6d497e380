#include "editor/frm_pictures.h"
#include "editor/frm_pictures_images.h"

#include "tests/editor_dialogs/dialog_test_support.h"
#include "tests/support/fake_process_runner.h"
#include "tests/support/memory_settings_store.h"
#include "tests/support/open_demo_system.h"
#include "tests/support/picture_files.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace zelmora::editor {
namespace {

using platform::Answer;

class FrmPicturesTest : public ::testing::Test, protected testing::OpenDemoSystem {
 protected:
  QApplication& app = testing::App();  // before any widget
  ~FrmPicturesTest() override { store.CloseWorkingCopy(record, false); }

  testing::TempGameFolder files{false};
  testing::MemorySettingsStore settings;
  testing::FakeProcessRunner runner;
  QtPlanetImages images;
  PlanetPictures model{store, record, images, {prompter, settings, runner, files.Path(), ""}};
  // The player module as the build puts it beside the editor.
  QStringList playerFolders{QStringLiteral(ZELMORA_GAME_DIR)};
  int playerLoads = 0;
  frmPictures window{model, images, nullptr, [this](QWidget* area) {
                       ++playerLoads;
                       return qt::LoadAnimationPlayer(area, playerFolders);
                     }};
};

TEST_F(FrmPicturesTest, ShowsThePlanetsPictureOrThatItHasNone) {
  model.LoadSystemPictures();
  prompter.Reply(testing::WritePlanetPicture(files.Path() / "planet.png").string());
  window.Prepare(2);
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Planet Pictures"));
  EXPECT_EQ(window.lblName->text(), QStringLiteral("Verdance"));
  EXPECT_TRUE(window.lblNoPic->isVisibleTo(&window));
  EXPECT_EQ(window.lblNoPic->text(), QStringLiteral("No Picture Assigned"));
  EXPECT_TRUE(window.cmdNew->isEnabled());
  EXPECT_FALSE(window.cmdEdit->isEnabled());
  EXPECT_FALSE(window.cmdRemove->isEnabled());
  EXPECT_FALSE(window.cmdRemAll->isEnabled());
  EXPECT_EQ(window.hsbPlanet->maximum(), 4);
  EXPECT_EQ(window.hsbPlanet->value(), 2);
  testing::SaveScreenshot(window, "frmPictures_NoPicture");

  window.cmdNew->click();
  EXPECT_FALSE(window.lblNoPic->isVisibleTo(&window));
  ASSERT_FALSE(window.picPlanet->pixmap().isNull());
  EXPECT_EQ(window.picPlanet->pixmap().size(), QSize(120, 120));
  EXPECT_TRUE(window.chkCustom->isChecked());
  EXPECT_TRUE(window.cmdEdit->isEnabled());
  EXPECT_TRUE(window.cmdRemove->isEnabled());
  EXPECT_TRUE(window.cmdRemAll->isEnabled());
  testing::SaveScreenshot(window, "frmPictures");

  // The scroll bar shows the other planets.
  window.hsbPlanet->setValue(1);
  EXPECT_EQ(window.lblName->text(), QStringLiteral("Planet 1"));
  EXPECT_TRUE(window.lblNoPic->isVisibleTo(&window));
  EXPECT_FALSE(window.chkCustom->isChecked());
}

TEST_F(FrmPicturesTest, TickingTheBoxWithoutAPictureDoesNotStick) {
  model.LoadSystemPictures();
  window.Prepare(1);
  window.chkCustom->click();
  EXPECT_FALSE(window.chkCustom->isChecked());
  EXPECT_EQ(store.GetPlanetFlag(record, "PlanetPics", 1), 0);
}

TEST_F(FrmPicturesTest, AnAnimationTakesThePicturesPlace) {
  game.Write("PICTURES/4Tessaly4.avi", "not a film any player could read");
  model.LoadSystemPictures();
  window.Prepare(1);
  // The video widget, which loads the media backend, waits for the first animation.
  EXPECT_EQ(window.findChild<QWidget*>(QStringLiteral("AVIVideo")), nullptr);
  EXPECT_EQ(playerLoads, 0);
  window.hsbPlanet->setValue(4);
  EXPECT_TRUE(window.AVI->isVisibleTo(&window));
  EXPECT_TRUE(window.Playing());
  EXPECT_FALSE(window.lblNoPic->isVisibleTo(&window));
  EXPECT_FALSE(window.cmdEdit->isEnabled());
  EXPECT_TRUE(window.cmdRemove->isEnabled());
#ifdef ZELMORA_ANIMATION_MODULE_BUILT
  EXPECT_NE(window.findChild<QWidget*>(QStringLiteral("AVIVideo")), nullptr);
  // The player leaves the frame empty and says why.
  EXPECT_TRUE(QTest::qWaitFor([&] { return !window.AnimationError().isEmpty(); }, 10000));
  EXPECT_TRUE(window.AVI->toolTip().isEmpty());
#endif
  window.hsbPlanet->setValue(3);
  EXPECT_FALSE(window.AVI->isVisibleTo(&window));
  EXPECT_FALSE(window.Playing());
  EXPECT_EQ(window.AnimationError(), QString());
  EXPECT_EQ(playerLoads, 1);
}

TEST_F(FrmPicturesTest, WithoutThePlayerModuleAnAnimationLeavesTheFrameEmptyAndSaysWhy) {
  game.Write("PICTURES/4Tessaly4.avi", "not a film any player could read");
  playerFolders = {QString::fromStdString(files.Path().string())};
  model.LoadSystemPictures();
  window.Prepare(4);
  EXPECT_TRUE(window.AVI->isVisibleTo(&window));
  EXPECT_TRUE(window.Playing());
  EXPECT_EQ(window.findChild<QWidget*>(QStringLiteral("AVIVideo")), nullptr);
  const QString error = window.AnimationError();
  EXPECT_TRUE(error.startsWith(QString::fromLatin1(qt::kNoAnimationPlayer))) << error.toStdString();
  EXPECT_EQ(window.AVI->toolTip(), error);
  // The other planets show as ever, and the module is not looked for again.
  window.hsbPlanet->setValue(1);
  EXPECT_FALSE(window.AVI->isVisibleTo(&window));
  EXPECT_EQ(window.lblName->text(), QStringLiteral("Planet 1"));
  EXPECT_TRUE(window.lblNoPic->isVisibleTo(&window));
  window.hsbPlanet->setValue(4);
  EXPECT_TRUE(window.AVI->isVisibleTo(&window));
  EXPECT_EQ(window.AnimationError(), error);
  EXPECT_EQ(playerLoads, 1);
  window.cmdClose->click();
  EXPECT_FALSE(window.Playing());
}

TEST_F(FrmPicturesTest, CloseGoesBackToTheFirstPlanetAndEndsTheRun) {
  model.LoadSystemPictures();
  testing::WhenModal([&] {
    EXPECT_EQ(window.hsbPlanet->value(), 3);
    window.cmdClose->click();
  });
  window.Run(3);
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(model.Screen().planet, 1);
  // The close box and Escape end it the same way.
  testing::WhenModal([&] { window.reject(); });
  window.Run(2);
  EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace zelmora::editor
