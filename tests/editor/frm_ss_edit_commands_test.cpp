#include "editor/frm_new_ss.h"
#include "editor/star_picture_widget.h"
#include "editor/stock_star_pictures.h"
#include "tests/editor/editor_window_support.h"
#include "ui/platform/text_rules.h"

#include <QImage>
#include <QLineEdit>
#include <QLabel>
#include <QPushButton>

#include "zelmora_version.h"

#include <algorithm>
#include <cstdio>

namespace zelmora::editor::testing {
namespace {

using platform::Answer;
using platform::Buttons;

// A descriptor with `count` class-A planets 100 twips apart.
std::string SystemWithPlanets(const std::string& name, int count) {
  store::SolarSystemRecord r;
  store::InitCustomSystem(r, name, name);
  r.PlanetCount = static_cast<std::int16_t>(count);
  for (int i = 1; i <= count; ++i) {
    r.Planet(i) = {static_cast<std::int16_t>(300 + 100 * i), 2, 1, 0, 1, 0, 0};
  }
  return store::NewDescriptorText(r);
}

TEST(EditorPlanetPopup, NameNoneGoesBackToTheDefaultName) {
  EditorOnDemo e;
  auto& w = *e.window;
  e.Pick("4Tessaly");
  OnNextPopup([&](QMenu* menu) { Choose(menu, w.mnuDescription); });
  e.prompter.Reply("None");
  PressOnView(w, DiscOf(w, 2), Qt::RightButton);
  ASSERT_EQ(e.prompter.Calls().size(), 1u);
  const auto& ask = e.prompter.Calls()[0];
  EXPECT_EQ(ask.text, "Please enter the name for Tessaly II.  Enter \"default\" or \"none\" to use the default name.");
  EXPECT_EQ(ask.title, "Zelmora");
  EXPECT_EQ(ask.defaultValue, "Verdance");
  EXPECT_EQ(e.game.ReadDescriptor("4Tessaly", ".edt").find("2=Verdance"), std::string::npos);
  MoveOverView(w, DiscOf(w, 2));
  EXPECT_EQ(w.lblPName->text().toStdString(), "Planet 2");

  // A real name is stored; an empty answer changes nothing.
  OnNextPopup([&](QMenu* menu) { Choose(menu, w.mnuDescription); });
  e.prompter.Reply("New Verdance");
  PressOnView(w, DiscOf(w, 2), Qt::RightButton);
  OnNextPopup([&](QMenu* menu) { Choose(menu, w.mnuDescription); });
  e.prompter.Reply("");
  PressOnView(w, DiscOf(w, 2), Qt::RightButton);
  EXPECT_EQ(e.prompter.Calls().back().defaultValue, "New Verdance");
  EXPECT_EQ(w.Store().GetPlanetName(w.Record(), 2, "XXX"), "New Verdance");
}

TEST(EditorPlanetPopup, ClassToAsteroidBeltAndBack) {
  EditorOnDemo e;
  auto& w = *e.window;
  e.Pick("4Tessaly");
  ASSERT_EQ(w.Record().Planet(2).Moons, 2);
  OnNextPopup([&](QMenu* menu) {
    EXPECT_TRUE(w.mnuPClass[13]->isChecked());
    EXPECT_FALSE(w.mnuPClass[0]->isChecked());
    Choose(menu, w.mnuPClass[0]);
  });
  PressOnView(w, DiscOf(w, 2), Qt::RightButton);
  EXPECT_EQ(w.Record().Planet(2).Class, 0);
  EXPECT_EQ(w.Record().Planet(2).Size, 0);
  EXPECT_EQ(w.Record().Planet(2).Moons, 0);
  EXPECT_NE(e.game.ReadDescriptor("4Tessaly", ".edt").find(";674,0,0,43523,0,465"), std::string::npos);

  OnNextPopup([&](QMenu* menu) {
    EXPECT_TRUE(w.mnuPClass[0]->isChecked());
    Choose(menu, w.mnuPClass[7]);
  });
  PressOnView(w, {w.Centre().x - 674, w.Centre().y}, Qt::RightButton);
  EXPECT_EQ(w.Record().Planet(2).Class, 7);
  EXPECT_EQ(w.Record().Planet(2).Size, 2);
  EXPECT_EQ(w.Record().Planet(2).Moons, 0);
}

TEST(EditorPlanetPopup, InsertIsDisabledAtTenPlanetsAndTheHoverFreezesWhileOpen) {
  EditorOnDemo e;
  auto& w = *e.window;
  e.game.WriteDescriptor("Full", SystemWithPlanets("Full", 10));
  w.cboSystems->addItem(QStringLiteral("Full"));
  e.Pick("Full");
  ASSERT_EQ(w.Record().PlanetCount, 10);
  bool insertEnabled = true;
  int colourWhileOpen = 0;
  OnNextPopup([&](QMenu*) {
    insertEnabled = w.mnuInsert->isEnabled();
    MoveOverView(w, DiscOf(w, 9));  // ignored while the popup is open
    for (const auto& s : w.picSolarSystem->Shapes()) {
      if (s.kind == Shape::Kind::Orbit && s.planet == 3) colourWhileOpen = s.colour;
    }
  });
  PressOnView(w, DiscOf(w, 3), Qt::RightButton);
  EXPECT_FALSE(insertEnabled);
  EXPECT_EQ(colourWhileOpen, 13);
  EXPECT_EQ(w.HoverPlanet(), 3);

  e.Pick("4Tessaly");
  OnNextPopup([&](QMenu*) { insertEnabled = w.mnuInsert->isEnabled(); });
  PressOnView(w, DiscOf(w, 1), Qt::RightButton);
  EXPECT_TRUE(insertEnabled);
}

TEST(EditorPlanetPopup, InsertAndDeleteMovePlanetsAndKeepTheOrbits) {
  EditorOnDemo e;
  auto& w = *e.window;
  e.Pick("4Tessaly");
  OnNextPopup([&](QMenu* menu) { Choose(menu, w.mnuInsert); });
  PressOnView(w, DiscOf(w, 1), Qt::RightButton);
  ASSERT_EQ(w.Record().PlanetCount, 5);
  EXPECT_EQ(w.Store().GetPlanetName(w.Record(), 3, "XXX"), "Verdance");
  EXPECT_EQ(w.Record().Planet(2).Class, 1);

  OnNextPopup([&](QMenu* menu) { Choose(menu, w.mnuDelete); });
  PressOnView(w, DiscOf(w, 2), Qt::RightButton);
  ASSERT_EQ(w.Record().PlanetCount, 4);
  EXPECT_EQ(w.Store().GetPlanetName(w.Record(), 2, "XXX"), "Verdance");
  EXPECT_EQ(w.Record().Planet(2).Orbit, 674);
  EXPECT_NE(e.game.ReadDescriptor("4Tessaly", ".edt").find(";\"Tessaly             \",0,4"), std::string::npos);
}

TEST(EditorPlanetMenu, AddSpreadsFullOrbitsFirstAndSetOrderNeedsTwoPlanets) {
  EditorOnDemo e;
  auto& w = *e.window;
  store::SolarSystemRecord r;
  store::InitCustomSystem(r, "Rim", "Rim");
  r.PlanetCount = 2;
  r.Planet(1) = {1990, 2, 0, 0, 1, 0, 0};
  r.Planet(2) = {2000, 2, 0, 0, 1, 0, 0};
  e.game.WriteDescriptor("Rim", store::NewDescriptorText(r));
  w.cboSystems->addItem(QStringLiteral("Rim"));
  e.Pick("Rim");
  w.mnuPAdd->trigger();
  EXPECT_EQ(w.Record().PlanetCount, 2);
  EXPECT_EQ(w.Record().Planet(1).Orbit, 1940);
  EXPECT_NE(e.game.ReadDescriptor("Rim", ".edt").find(";1940,2,0,0,1,0\r\n;1970,"), std::string::npos);
  w.mnuPAdd->trigger();
  EXPECT_EQ(w.Record().PlanetCount, 3);
  EXPECT_EQ(w.Record().Planet(3).Orbit, 2000);
  EXPECT_TRUE(w.mnuPOrder->isEnabled());
  EXPECT_TRUE(w.mnuPPics->isEnabled());
  for (int k = 0; k < 2; ++k) {
    OnNextPopup([&](QMenu* menu) { Choose(menu, w.mnuDelete); });
    PressOnView(w, DiscOf(w, 1), Qt::RightButton);
  }
  EXPECT_EQ(w.Record().PlanetCount, 1);
  EXPECT_FALSE(w.mnuPOrder->isEnabled());
  EXPECT_TRUE(w.mnuPPics->isEnabled());
  OnNextPopup([&](QMenu* menu) { Choose(menu, w.mnuDelete); });
  PressOnView(w, DiscOf(w, 1), Qt::RightButton);
  EXPECT_EQ(w.Record().PlanetCount, 0);
  EXPECT_FALSE(w.mnuPPics->isEnabled());
}

TEST(EditorDialogs, CommandsOfAnOpenSystemAreOnAndTheDialogsAreApplied) {
  EditorOnDemo e;
  auto& w = *e.window;
  for (QAction* a : {w.mnuPicture, w.mnuPPics, w.mnuFPackage}) {
    EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
  }
  e.Pick("4Tessaly");
  for (QAction* a : {w.mnuFNew, w.mnuFTest, w.mnuPOrder, w.mnuProperties, w.mnuStarPic, w.mnuMessages, w.mnuPicture,
                     w.mnuPPics, w.mnuFPackage}) {
    EXPECT_TRUE(a->isEnabled()) << a->objectName().toStdString();
  }

  std::vector<std::string> listed;
  w.GetDialogs().reorderPlanets = [&](const std::vector<std::string>& names) {
    listed = names;
    return std::vector<PlanetExchange>{{1, 2}};
  };
  w.mnuPOrder->trigger();
  EXPECT_EQ(listed, (std::vector<std::string>{"Planet 1", "Verdance", "Planet 3", "Cinder's Rest"}));
  // Planet 1 now has planet 2's fields on its own orbit, and the block is written.
  EXPECT_NE(e.game.ReadDescriptor("4Tessaly", ".edt").find(";520,3,2,43523,13,465"), std::string::npos);
  EXPECT_EQ(w.Store().GetPlanetName(w.Record(), 1, "XXX"), "Verdance");
}

TEST(EditorDialogs, PropertiesOfThePopupsPlanetAreAppliedAfterOk) {
  EditorOnDemo e;
  auto& w = *e.window;
  e.Pick("4Tessaly");
  int asked = 0;
  std::string caption;
  std::optional<PlanetProperties> answer;
  w.GetDialogs().planetProperties = [&](int h, const std::string& name, const PlanetProperties& shown) {
    asked = h;
    caption = name;
    EXPECT_FALSE(w.picInfo->isVisibleTo(&w));
    answer = shown;
    answer->Moons = 7;
    return answer;
  };
  OnNextPopup([&](QMenu* menu) { Choose(menu, w.mnuProperties); });
  PressOnView(w, DiscOf(w, 4), Qt::RightButton);
  EXPECT_EQ(asked, 4);
  EXPECT_EQ(caption, "Cinder's Rest");
  EXPECT_EQ(w.Record().Planet(4).Moons, 7);
  EXPECT_EQ(w.HoverPlanet(), 0);
  EXPECT_NE(e.game.ReadDescriptor("4Tessaly", ".edt").find(";950,2,7,50432,12,30"), std::string::npos);

  // Cancel changes nothing.
  w.GetDialogs().planetProperties = [&](int, const std::string&, const PlanetProperties&) {
    return std::optional<PlanetProperties>();
  };
  OnNextPopup([&](QMenu* menu) { Choose(menu, w.mnuProperties); });
  PressOnView(w, DiscOf(w, 4), Qt::RightButton);
  EXPECT_EQ(w.Record().Planet(4).Moons, 7);
}

TEST(EditorSystemMenu, NewSystemFromTheChooserIsCreatedAndOpened) {
  EditorOnDemo e;
  auto& w = *e.window;
  e.Pick("Kestrel Verge");
  std::vector<std::string> offered;
  std::optional<NewSystemChoice> choice = NewSystemChoice{"Aurel", true};
  w.GetDialogs().chooseNewSystem = [&](const std::vector<std::string>& keys) {
    offered = keys;
    return choice;
  };
  w.cmdAdd->click();
  // 4Tessaly has its descriptor already, though only Kestrel Verge's working copy is open.
  EXPECT_EQ(std::count(offered.begin(), offered.end(), "4Tessaly"), 0);
  EXPECT_EQ(std::count(offered.begin(), offered.end(), "3Corvane"), 1);
  EXPECT_EQ(e.Loaded(), "Aurel");
  EXPECT_EQ(w.cboSystems->currentText().toStdString(), "Aurel");
  EXPECT_EQ(w.cboSystems->itemText(0).toStdString(), "4Tessaly");
  EXPECT_EQ(w.cboSystems->itemText(1).toStdString(), "Aurel");
  EXPECT_TRUE(e.game.Exists("ZMDescriptor/Aurel.edt"));
  EXPECT_FALSE(e.game.Exists("ZMDescriptor/Kestrel Verge.edt"));
  EXPECT_EQ(w.lblName->text().toStdString(), "Aurel");

  // Cancelled in the chooser: nothing happens.
  choice.reset();
  w.mnuFNew->trigger();
  EXPECT_EQ(e.Loaded(), "Aurel");
  EXPECT_TRUE(e.prompter.Calls().empty());
}

TEST(EditorSystemMenu, TheAddDialogReplacesACatalogueSystem) {
  EditorOnDemo e;
  auto& w = *e.window;
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<frmNewSS*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->cboSystems->setCurrentIndex(dialog->cboSystems->findText(QStringLiteral("3Corvane")));
    dialog->cmdOK->click();
  });
  w.cmdAdd->click();
  EXPECT_EQ(e.Loaded(), "3Corvane");
  EXPECT_EQ(w.Record().PlanetCount, 3);
  EXPECT_EQ(w.lblName->text().toStdString(), "Corvane");
  EXPECT_TRUE(e.game.Exists("ZMDescriptor/3Corvane.zmd"));
}

TEST(EditorSystemMenu, TestInQuarvelSavesStartsTheGameAndReopens) {
  EditorOnDemo e;
  auto& w = *e.window;
  e.Pick("4Tessaly");
  w.Record().StarType = 3;
  w.Store().WriteSystemRecord(w.Record());
  e.prompter.Answer(Answer::Cancel);
  w.mnuFTest->trigger();
  EXPECT_TRUE(e.runner.started.empty());
  EXPECT_TRUE(w.Store().IsModified(w.Record()));

  e.prompter.Answer(Answer::Ok);
  e.runner.onStart = [&] { EXPECT_FALSE(e.game.Exists("ZMDescriptor/4Tessaly.edt")); };
  w.mnuFTest->trigger();
  ASSERT_EQ(e.runner.started.size(), 1u);
  EXPECT_NE(e.runner.started[0].commandLine.find("quarvel.exe"), std::string::npos);
  EXPECT_NE(e.runner.started[0].commandLine.find("/star:"), std::string::npos);
  EXPECT_FALSE(e.runner.started[0].waited);
  EXPECT_NE(e.game.ReadDescriptor("4Tessaly").find(",3,4\r\n"), std::string::npos);
  EXPECT_TRUE(e.game.Exists("ZMDescriptor/4Tessaly.edt"));
  EXPECT_FALSE(w.Store().IsModified(w.Record()));
}

TEST(EditorSystemMenu, SaveAsOpensTheCopyAndDeleteRemovesIt) {
  EditorOnDemo e;
  auto& w = *e.window;
  e.Pick("4Tessaly");
  const std::string saved = e.game.ReadDescriptor("4Tessaly");
  e.prompter.Reply("Tessaly Copy");
  w.mnuFSaveAs->trigger();
  EXPECT_EQ(e.Loaded(), "Tessaly Copy");
  EXPECT_EQ(w.cboSystems->currentText().toStdString(), "Tessaly Copy");
  EXPECT_EQ(e.game.ReadDescriptor("4Tessaly"), saved);
  EXPECT_TRUE(e.game.Exists("ZMDescriptor/Tessaly Copy.zmd"));

  e.prompter.Answer(Answer::No);
  w.cmdDelete->click();
  EXPECT_TRUE(e.game.Exists("ZMDescriptor/Tessaly Copy.zmd"));
  e.prompter.Answer(Answer::Yes);
  w.mnuFDelete->trigger();
  EXPECT_EQ(e.prompter.Calls().back().text, "Are you sure you want to delete Tessaly Copy?");
  EXPECT_EQ(e.prompter.Calls().back().defaultButton, 2);
  EXPECT_FALSE(e.game.Exists("ZMDescriptor/Tessaly Copy.zmd"));
  EXPECT_FALSE(e.game.Exists("ZMDescriptor/Tessaly Copy.edt"));
  EXPECT_EQ(w.cboSystems->findText(QStringLiteral("Tessaly Copy")), -1);
  EXPECT_EQ(w.cboSystems->currentIndex(), -1);
  EXPECT_FALSE(w.cmdSave->isEnabled());
  EXPECT_TRUE(w.lblName->text().isEmpty());
  EXPECT_TRUE(w.picSolarSystem->Shapes().empty());
  // Nothing open: the view ignores the mouse.
  MoveOverView(w, {1260 - 674, 1260});
  EXPECT_EQ(w.HoverPlanet(), 0);
}

TEST(EditorSystemMenu, ClearPlanetsWritesClassesWithTheRemovedNames) {
  EditorOnDemo e;
  auto& w = *e.window;
  e.Pick("4Tessaly");
  e.prompter.Answer(Answer::No);
  w.mnuFClear->trigger();
  EXPECT_EQ(w.Record().Planet(3).Class, 0);
  e.prompter.Answer(Answer::Yes);
  w.mnuFClear->trigger();
  const std::string edt = e.game.ReadDescriptor("4Tessaly", ".edt");
  EXPECT_NE(edt.find(";826,3,0,0,1,214"), std::string::npos);
  EXPECT_EQ(edt.find("Verdance"), std::string::npos);
  EXPECT_EQ(edt.find("[2]"), std::string::npos);
}

TEST(EditorStarPopup, TypeFollowsTheStockPictureAndDescriptionFollowsTheType) {
  EditorOnDemo e;
  auto& w = *e.window;
  e.Pick("4Tessaly");
  bool typeEnabled = false, pictureChecked = true, yellowChecked = false;
  OnNextPopup([&](QMenu* menu) {
    typeEnabled = w.mnuType->menuAction()->isEnabled();
    pictureChecked = w.mnuStarPic->isChecked();
    yellowChecked = w.mnuStarType[0]->isChecked();
    Choose(menu, w.mnuStarType[7]);
  });
  SendMouse(w.picStar, QEvent::MouseButtonPress, {30, 30}, Qt::RightButton);
  EXPECT_TRUE(typeEnabled);
  EXPECT_FALSE(pictureChecked);
  EXPECT_TRUE(yellowChecked);
  EXPECT_EQ(w.Record().StarType, 7);
  EXPECT_EQ(w.picStar->Picture(), w.picStar->StockPicture(7));
  EXPECT_NE(e.game.ReadDescriptor("4Tessaly", ".edt").find(",7,4\r\n"), std::string::npos);

  // The type's own name as the description stores nothing; the tooltip shows the type's name.
  OnNextPopup([&](QMenu* menu) { Choose(menu, w.mnuStarDesc); });
  e.prompter.Reply("Blue Giant");
  SendMouse(w.picStar, QEvent::MouseButtonPress, {30, 30}, Qt::RightButton);
  EXPECT_EQ(e.prompter.Calls().back().defaultValue, "Tessaly Prime");
  EXPECT_EQ(w.Store().GetPlanetName(w.Record(), 0, ""), store::kNotUsed);
  EXPECT_EQ(w.picStar->toolTip().toStdString(), "Blue Giant");
}

TEST(EditorStarPopup, ACustomPictureDisablesTheTypeAndIsSavedBesideTheSystem) {
  EditorOnDemo e;
  auto& w = *e.window;
  QImage custom(16, 16, QImage::Format_RGB32);
  custom.fill(Qt::magenta);
  ASSERT_TRUE(custom.save(QString::fromStdString((e.game.Pictures() / "4TessalySun.bmp").string()), "BMP"));
  e.Pick("4Tessaly");
  EXPECT_TRUE(w.picStar->HasCustomPicture());
  bool typeEnabled = true, pictureChecked = false;
  OnNextPopup([&](QMenu*) {
    typeEnabled = w.mnuType->menuAction()->isEnabled();
    pictureChecked = w.mnuStarPic->isChecked();
  });
  SendMouse(w.picStar, QEvent::MouseButtonPress, {30, 30}, Qt::RightButton);
  EXPECT_FALSE(typeEnabled);
  EXPECT_TRUE(pictureChecked);

  std::filesystem::remove(e.game.Pictures() / "4TessalySun.bmp");
  w.cmdSave->click();
  QImage back(QString::fromStdString((e.game.Pictures() / "4TessalySun.bmp").string()));
  ASSERT_FALSE(back.isNull());
  EXPECT_EQ(back.pixel(5, 5), QColor(Qt::magenta).rgb());
  EXPECT_TRUE(e.game.Exists("ZMDescriptor/4Tessaly.edt"));
}

TEST(EditorStarPopup, BrowsingToASixteenBySixteenPictureMakesItTheStarsOwn) {
  EditorOnDemo e;
  auto& w = *e.window;
  e.Pick("Kestrel Verge");
  const QString file = QString::fromStdString((e.game.Path() / "sun.png").string());
  QImage picture(16, 16, QImage::Format_RGB32);
  picture.fill(Qt::cyan);
  ASSERT_TRUE(picture.save(file));
  QImage large(20, 16, QImage::Format_RGB32);
  large.fill(Qt::red);
  const QString largeFile = QString::fromStdString((e.game.Path() / "large.png").string());
  ASSERT_TRUE(large.save(largeFile));

  e.prompter.Answer(Answer::No).Reply(largeFile.toStdString()).AcceptOkBoxes();
  OnNextPopup([&](QMenu* menu) { Choose(menu, w.mnuStarPic); });
  SendMouse(w.picStar, QEvent::MouseButtonPress, {30, 30}, Qt::RightButton);
  EXPECT_FALSE(w.picStar->HasCustomPicture());
  EXPECT_EQ(w.picStar->Picture(), w.picStar->StockPicture(7));

  e.prompter.Answer(Answer::No).Reply(file.toStdString());
  OnNextPopup([&](QMenu* menu) { Choose(menu, w.mnuStarPic); });
  SendMouse(w.picStar, QEvent::MouseButtonPress, {30, 30}, Qt::RightButton);
  EXPECT_TRUE(w.picStar->HasCustomPicture());
  EXPECT_EQ(w.picStar->Picture().pixelColor(3, 3), QColor(Qt::cyan));
  EXPECT_EQ(w.Centre(), (Point{1260, 1260}));
}

// Pictures reach the disk only with a save, so choosing one must count as a change.
TEST(EditorStarPopup, AChosenPictureIsAChangeThatLeavingAsksToSave) {
  EditorOnDemo e;
  auto& w = *e.window;
  e.Pick("Kestrel Verge");
  const QString file = QString::fromStdString((e.game.Path() / "sun.png").string());
  QImage picture(16, 16, QImage::Format_RGB32);
  picture.fill(Qt::cyan);
  ASSERT_TRUE(picture.save(file));
  e.prompter.Answer(Answer::No).Reply(file.toStdString());
  OnNextPopup([&](QMenu* menu) { Choose(menu, w.mnuStarPic); });
  SendMouse(w.picStar, QEvent::MouseButtonPress, {30, 30}, Qt::RightButton);
  ASSERT_TRUE(w.picStar->HasCustomPicture());
  EXPECT_TRUE(w.Store().IsModified(w.Record()));

  w.show();
  e.prompter.Answer(Answer::Yes);
  EXPECT_TRUE(w.close());
  EXPECT_EQ(e.prompter.Calls().back().text, "Do you want to save before exiting?");
  QImage saved(QString::fromStdString((e.game.Pictures() / "Kestrel VergeSun.bmp").string()));
  ASSERT_FALSE(saved.isNull());
  EXPECT_EQ(saved.pixelColor(3, 3), QColor(Qt::cyan));
}

TEST(EditorStarPopup, GoingBackToTheStockPictureIsAChangeTooAndYesRemovesTheOldFile) {
  EditorOnDemo e;
  auto& w = *e.window;
  QImage custom(16, 16, QImage::Format_RGB32);
  custom.fill(Qt::magenta);
  ASSERT_TRUE(custom.save(QString::fromStdString((e.game.Pictures() / "4TessalySun.bmp").string()), "BMP"));
  e.Pick("4Tessaly");
  e.prompter.Answer(Answer::No);  // No: delete the current star picture
  OnNextPopup([&](QMenu* menu) { Choose(menu, w.mnuStarPic); });
  SendMouse(w.picStar, QEvent::MouseButtonPress, {30, 30}, Qt::RightButton);
  ASSERT_FALSE(w.picStar->HasCustomPicture());

  e.prompter.Answer(Answer::Yes);
  e.Pick("Kestrel Verge");
  EXPECT_EQ(e.prompter.Calls().back().text, "Do you want to save the current system before loading 'Kestrel Verge'?");
  EXPECT_FALSE(e.game.Exists("PICTURES/4TessalySun.bmp"));
  EXPECT_EQ(e.Loaded(), "Kestrel Verge");
}

TEST(EditorHelp, AboutNamesTheProgramAndItsVersion) {
  EditorOnDemo e;
  e.prompter.AcceptOkBoxes();
  e.window->mnuHAbout->trigger();
  ASSERT_EQ(e.prompter.Calls().size(), 1u);
  EXPECT_EQ(e.prompter.Calls()[0].title, "About Zelmora");
  const std::string text = e.prompter.Calls()[0].text;
  EXPECT_EQ(text.rfind("Zelmora " ZELMORA_VERSION "\r\n", 0), 0u) << text;
  // Built from a git checkout, the version names the commit it was built from.
  std::string commit;
  if (std::FILE* git = popen("git -C \"" ZELMORA_SOURCE_DIR "\" rev-parse --short=7 HEAD 2>/dev/null", "r")) {
    char line[64] = {};
    if (std::fgets(line, sizeof line, git)) commit = line;
    if (pclose(git) != 0) commit.clear();
  }
  while (!commit.empty() && (commit.back() == '\n' || commit.back() == '\r')) commit.pop_back();
  if (!commit.empty() && std::string_view(ZELMORA_VERSION).find("-g") != std::string_view::npos) {
    EXPECT_NE(text.find(commit), std::string::npos) << text << " does not name " << commit;
  }
}

}  // namespace
}  // namespace zelmora::editor::testing
