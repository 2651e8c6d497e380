#include "editor/frm_planet.h"
#include "editor/planet_pictures.h"
#include "editor/system_dialogs_wiring.h"
#include "tests/editor/editor_window_support.h"
#include "tests/support/picture_files.h"

#include "ui/qt/qt_process_runner.h"

#include <QCheckBox>
#include <QPushButton>

#include <filesystem>

namespace zelmora::editor {
namespace {

using platform::Answer;
using testing::Choose;
using testing::EditorOnDemo;
using testing::OnNextPopup;
using testing::PressOnView;
using testing::DiscOf;

// The picture form as the window opens it, its user pressing New with a picture file.
struct PictureForm {
  explicit PictureForm(EditorOnDemo& e) : e(e) {
    e.window->GetDialogs().planetPictures = [this](int h) {
      opened.push_back(h);
      auto& model = this->e.window->PicturesModel();
      model.Open(h);
      if (give) {
        this->e.prompter.Reply(zelmora::testing::WritePlanetPicture(files.Path() / "planet.png").string());
        model.New();
      }
    };
  }
  EditorOnDemo& e;
  zelmora::testing::TempGameFolder files{false};
  std::vector<int> opened;
  bool give = true;
};

TEST(EditorPictures, APictureGivenFromThePopupIsBackAfterSavingAndReopening) {
  EditorOnDemo e;
  PictureForm form(e);
  auto& w = *e.window;
  e.Pick("4Tessaly");
  OnNextPopup([&](QMenu* menu) { Choose(menu, w.mnuPicture); });
  PressOnView(w, DiscOf(w, 3), Qt::RightButton);
  EXPECT_EQ(form.opened, std::vector<int>{3});
  EXPECT_TRUE(w.Store().IsModified(w.Record()));
  w.cmdSave->click();
  EXPECT_TRUE(e.game.Exists("PICTURES/4Tessaly.bmp"));
  EXPECT_EQ(w.Store().GetPlanetFlag(w.Record(), "PlanetPics", 3), 1);

  e.Pick("Kestrel Verge");
  EXPECT_EQ(w.PicturesModel().PictureCount(), 0);
  e.Pick("4Tessaly");
  ASSERT_EQ(w.PicturesModel().Images().Count(), 4);
  EXPECT_TRUE(w.PicturesModel().Images().HasPicture(2));
  EXPECT_EQ(w.PicturesModel().PictureCount(), 1);
  EXPECT_TRUE(e.prompter.Exhausted());
}

TEST(EditorPictures, LeavingASystemWithANewPictureAsksAndYesKeepsIt) {
  EditorOnDemo e;
  PictureForm form(e);
  auto& w = *e.window;
  e.Pick("4Tessaly");
  w.mnuPPics->trigger();
  EXPECT_EQ(form.opened, std::vector<int>{1});
  e.prompter.Answer(Answer::Cancel);
  e.Pick("Kestrel Verge");
  EXPECT_EQ(e.Loaded(), "4Tessaly");
  EXPECT_FALSE(e.game.Exists("PICTURES/4Tessaly.bmp"));
  e.prompter.Answer(Answer::Yes);
  e.Pick("Kestrel Verge");
  EXPECT_EQ(e.prompter.Calls().back().text, "Do you want to save the current system before loading 'Kestrel Verge'?");
  EXPECT_TRUE(e.game.Exists("PICTURES/4Tessaly.bmp"));
}

TEST(EditorPictures, ThePlanetDialogsEditOpensTheFormAndFollowsItsSwitch) {
  EditorOnDemo e;
  PictureForm form(e);
  auto& w = *e.window;
  e.Pick("4Tessaly");
  auto* planet = &w.SystemDialogs().Planet();
  // No picture file and none in memory: the box cannot be used yet.
  planet->Load(2, "Verdance", ReadPlanetProperties(w.Store(), w.Record(), 2, false));
  EXPECT_FALSE(planet->chkPicture->isEnabled());
  ASSERT_TRUE(planet->cmdPic->isEnabled());
  planet->cmdPic->click();
  EXPECT_EQ(form.opened, std::vector<int>{2});
  EXPECT_TRUE(planet->chkPicture->isEnabled());
  EXPECT_TRUE(planet->chkPicture->isChecked());
}

TEST(EditorPictures, MakePackageSavesThePicturesAndListsThem) {
  EditorOnDemo e;
  PictureForm form(e);
  auto& w = *e.window;
  e.game.Write("ZMDInst.dat", "installer");
  platform::options::ZipProgram.Write(e.settings, "/nonexistent/zip");
  zelmora::testing::TempGameFolder out(false);
  e.Pick("4Tessaly");
  w.mnuPPics->trigger();
  e.prompter.Answer(Answer::Ok).Reply(out.Path().string()).AcceptOkBoxes();  // and the word about the archive
  w.mnuFPackage->trigger();
  EXPECT_EQ(out.Read("4Tessaly/SETUP.LST"),
            "\"4Tessaly.bmp\",\"\\PICTURES\\\"\r\n\"4Tessaly.zmd\",\"\\ZMDescriptor\\\"\r\n");
  EXPECT_EQ(out.Read("4Tessaly/4Tessaly.bmp"), e.game.Read("PICTURES/4Tessaly.bmp"));
  EXPECT_FALSE(w.Store().IsModified(w.Record()));
  EXPECT_TRUE(w.Store().IsWorkingCopyOpen());
  EXPECT_FALSE(w.PicturesModel().HasPicturesToStore());
}

// The editor as the program runs it, with no settings stored: the platform's zip makes the archive.
TEST(EditorPictures, MakePackageMakesAFolderAndAZipBesideIt) {
  if (!std::filesystem::exists("/usr/bin/zip")) GTEST_SKIP() << "/usr/bin/zip is needed";
  zelmora::testing::App();
  zelmora::testing::DemoGameFolder game;
  game.Write("ZMDInst.dat", "installer");
  zelmora::testing::ScriptedPrompter prompter;
  zelmora::testing::MemorySettingsStore settings;
  qt::QtProcessRunner runner;
  zelmora::testing::TempGameFolder out(false);
  {
    frmSSEdit w(game.Path(), prompter, settings, runner);
    ASSERT_TRUE(w.Load());
    w.SelectSystem(w.cboSystems->findText(QStringLiteral("Kestrel Verge")));
    prompter.Reply(out.Path().string());
    w.mnuFPackage->trigger();
    w.Store().CloseWorkingCopy(w.Record(), false);
  }
  EXPECT_TRUE(out.Exists("Kestrel Verge/SETUP.LST"));
  EXPECT_TRUE(out.Exists("Kestrel Verge.zip"));
}

}  // namespace
}  // namespace zelmora::editor
