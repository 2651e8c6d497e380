#include "editor/messages_wiring.h"
#include "editor/pictures_wiring.h"
#include "editor/star_picture_widget.h"
#include "messages/frm_messages.h"
#include "tests/editor/editor_window_support.h"
#include "ui/platform/text_rules.h"

#include <QDialog>
#include <QFrame>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

namespace zelmora::editor::testing {
namespace {

using platform::Answer;
using platform::Buttons;
using platform::Icon;

TEST(EditorStartUp, RefusesToRunAwayFromTheGame) {
  App();
  TempGameFolder elsewhere(false);
  ScriptedPrompter prompter;
  prompter.AcceptOkBoxes();
  MemorySettingsStore settings;
  FakeProcessRunner runner;
  frmSSEdit window(elsewhere.Path(), prompter, settings, runner);
  EXPECT_FALSE(window.Load());
  ASSERT_EQ(prompter.Calls().size(), 1u);
  EXPECT_EQ(prompter.Calls()[0].text, "This software must be installed in the same folder as Quarvel.");
  EXPECT_EQ(prompter.Calls()[0].buttons, Buttons::Ok);
}

TEST(EditorStartUp, ListsTheSystemsWithNoneOpenAndTheSystemCommandsOff) {
  EditorOnDemo e;
  auto& w = *e.window;
  ASSERT_EQ(w.cboSystems->count(), 3);
  EXPECT_EQ(w.cboSystems->itemText(0).toStdString(), "4Tessaly");
  EXPECT_EQ(w.cboSystems->itemText(1).toStdString(), "Kestrel Verge");
  EXPECT_EQ(w.cboSystems->itemText(2).toStdString(), "Mirefall");
  EXPECT_EQ(w.cboSystems->currentIndex(), -1);
  EXPECT_FALSE(w.cmdSave->isEnabled());
  EXPECT_FALSE(w.cmdDelete->isEnabled());
  EXPECT_FALSE(w.mnuPlanet->menuAction()->isEnabled());
  for (QAction* a : {w.mnuFSave, w.mnuFSaveAs, w.mnuFTest, w.mnuFClear, w.mnuFDelete, w.mnuFPackage}) {
    EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
  }
  EXPECT_FALSE(w.mnuHTutorial->isVisible());
  EXPECT_FALSE(w.mnuHSep->isVisible());
  EXPECT_TRUE(w.mnuHAbout->isVisible());
  EXPECT_TRUE(w.mnuPDetail->isChecked());
  EXPECT_EQ(w.windowTitle().toStdString(), "Zelmora");
  EXPECT_TRUE(e.prompter.Calls().empty());
}

// Start-up builds none of the windows a session may never open; opening a system builds none
// either, and a window opened once is there the next time.
TEST(EditorStartUp, BuildsEachSubsystemsWindowsOnlyWhenFirstOpened) {
  EditorOnDemo e;
  auto& w = *e.window;
  EXPECT_TRUE(w.findChildren<QDialog*>().isEmpty());
  e.Pick("4Tessaly");
  EXPECT_TRUE(w.findChildren<QDialog*>().isEmpty());
  EXPECT_EQ(w.PictureWindows().WindowIfBuilt(), nullptr);
  EXPECT_EQ(w.Messages().Editor(), nullptr);

  WhenWindow<messages::frmMessages>([](messages::frmMessages* m) { m->cmdClose->click(); });
  OnNextPopup([&](QMenu* menu) { Choose(menu, w.mnuMessages); });
  PressOnView(w, DiscOf(w, 2), Qt::RightButton);
  messages::frmMessages* editor = w.Messages().Editor();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(w.findChildren<QDialog*>(), QList<QDialog*>{editor});  // the windows behind it wait too
  EXPECT_EQ(w.PictureWindows().WindowIfBuilt(), nullptr);
}

// File names are UTF-8 on disk; the list shows them in the code page and skips names the game
// could not open.
TEST(EditorStartUp, TheListDecodesUtf8FileNamesAndOpensThem) {
  App();
  DemoGameFolder game;
  const std::string tessaly = game.ReadDescriptor("4Tessaly");
  game.Write("ZMDescriptor/\xC3\x86r\xC3\xB8.zmd", tessaly);
  game.Write("ZMDescriptor/\xE6r\xF8.zmd", tessaly);
  game.Write("ZMDescriptor/\xE6\x97\xA5.zmd", tessaly);
  ScriptedPrompter prompter;
  MemorySettingsStore settings;
  FakeProcessRunner runner;
  frmSSEdit w(game.Path(), prompter, settings, runner);
  ASSERT_TRUE(w.Load());
  ASSERT_EQ(w.cboSystems->count(), 4);
  const int index = w.cboSystems->findText(QString::fromUtf8("\xC3\x86r\xC3\xB8"), Qt::MatchExactly);
  ASSERT_GE(index, 0);
  w.SelectSystem(index);
  EXPECT_EQ(w.Record().Name, "\xC6r\xF8");
  EXPECT_EQ(w.Record().PlanetCount, 4);
  EXPECT_TRUE(game.Exists("ZMDescriptor/\xC3\x86r\xC3\xB8.edt"));
  w.Store().CloseWorkingCopy(w.Record(), false);
}

TEST(EditorStartUp, DisplayAsteroidsOptionOffIsReadBack) {
  App();
  DemoGameFolder game;
  ScriptedPrompter prompter;
  MemorySettingsStore settings;
  settings.Set("Zelmora", "Options", "Display Asteroids", "0");
  FakeProcessRunner runner;
  frmSSEdit window(game.Path(), prompter, settings, runner);
  ASSERT_TRUE(window.Load());
  EXPECT_FALSE(window.DisplayAsteroids());
  EXPECT_FALSE(window.mnuPDetail->isChecked());
}

TEST(EditorWindow, HeightFitsTheViewWithSixtyTwipsBelowIt) {
  EditorOnDemo e;
  e.window->show();
  QApplication::processEvents();
  EXPECT_EQ(e.window->central->height(), (1020 + 2895 + 60) / 15);
  EXPECT_EQ(e.window->picSolarSystem->geometry(), QRect(4, 68, 172, 193));
  EXPECT_EQ(e.window->cmdDelete->geometry(), QRect(120, 44, 56, 21));
  EXPECT_EQ(e.window->height(), e.window->menuBar()->height() + 265);
}

TEST(EditorSelection, OpeningASystemShowsItAndEnablesItsCommands) {
  EditorOnDemo e;
  auto& w = *e.window;
  e.Pick("4Tessaly");
  EXPECT_EQ(e.Loaded(), "4Tessaly");
  EXPECT_TRUE(e.game.Exists("ZMDescriptor/4Tessaly.edt"));
  EXPECT_FALSE(w.Store().IsModified(w.Record()));
  EXPECT_EQ(w.Record().PlanetCount, 4);
  EXPECT_EQ(w.lblName->text().toStdString(), "Tessaly");
  EXPECT_EQ(w.picStar->toolTip().toStdString(), "Tessaly Prime");
  EXPECT_EQ(w.picStar->size(), QSize(16, 16));
  EXPECT_FALSE(w.picStar->HasCustomPicture());
  EXPECT_TRUE(w.cmdSave->isEnabled());
  EXPECT_TRUE(w.mnuPlanet->menuAction()->isEnabled());
  EXPECT_FALSE(w.picInfo->isVisible());
  // Four orbit or belt groups and four discs, planet 3 a belt of arcs.
  int discs = 0, arcs = 0;
  for (const auto& s : w.picSolarSystem->Shapes()) {
    discs += s.kind == Shape::Kind::Disc;
    arcs += s.kind == Shape::Kind::BeltArc;
  }
  EXPECT_EQ(discs, 4);
  EXPECT_GT(arcs, 50);

  // Painted in twips: planet 1 (class A, yellow) sits 520 twips below the star's centre.
  QImage view = w.picSolarSystem->grab().toImage();
  EXPECT_EQ(view.pixelColor((1260) / 15, (1260 + 520) / 15), QColor(255, 255, 0));
  EXPECT_EQ(view.pixelColor((1260 + 520) / 15, (1260 + 520) / 15), QColor(Qt::black));
  EXPECT_EQ(view.pixelColor(84, 84).rgb(), w.picStar->StockPicture(0).pixelColor(8, 8).rgb());
}

TEST(EditorSelection, SwitchingAwayFromAChangedSystemAsksAndHonoursEachAnswer) {
  EditorOnDemo e;
  auto& w = *e.window;
  const std::string saved = e.game.ReadDescriptor("4Tessaly");
  e.Pick("4Tessaly");
  w.Record().StarType = 5;
  w.Store().WriteSystemRecord(w.Record());
  ASSERT_TRUE(w.Store().IsModified(w.Record()));

  // Cancel: the list goes back and the changed system stays open.
  e.prompter.Answer(Answer::Cancel);
  e.Pick("Kestrel Verge");
  EXPECT_EQ(e.prompter.Calls().back().text,
            "Do you want to save the current system before loading 'Kestrel Verge'?");
  EXPECT_EQ(e.prompter.Calls().back().buttons, Buttons::YesNoCancel);
  EXPECT_EQ(w.cboSystems->currentText().toStdString(), "4Tessaly");
  EXPECT_EQ(e.Loaded(), "4Tessaly");
  EXPECT_TRUE(w.Store().IsModified(w.Record()));

  // No: the change is dropped with the working copy.
  e.prompter.Answer(Answer::No);
  e.Pick("Kestrel Verge");
  EXPECT_EQ(e.Loaded(), "Kestrel Verge");
  EXPECT_FALSE(e.game.Exists("ZMDescriptor/4Tessaly.edt"));
  EXPECT_EQ(e.game.ReadDescriptor("4Tessaly"), saved);

  // Yes: the change is committed before the switch.
  w.Record().StarType = 2;
  w.Store().WriteSystemRecord(w.Record());
  e.prompter.Answer(Answer::Yes);
  e.Pick("4Tessaly");
  EXPECT_EQ(e.Loaded(), "4Tessaly");
  EXPECT_NE(e.game.ReadDescriptor("Kestrel Verge").find(";\"Kestrel Verge       \",2,3"), std::string::npos);
  EXPECT_TRUE(e.prompter.Exhausted());
}

TEST(EditorSelection, PickingTheChangedSystemAgainOffersToRevert) {
  EditorOnDemo e;
  auto& w = *e.window;
  e.Pick("4Tessaly");
  w.Record().Planet(1).Size = 5;
  w.Store().WriteSystemRecord(w.Record());

  e.prompter.Answer(Answer::Cancel);
  e.Pick("4Tessaly");
  EXPECT_EQ(e.prompter.Calls().back().text, "This will revert to the last saved version of '4Tessaly'.");
  EXPECT_EQ(e.prompter.Calls().back().buttons, Buttons::OkCancel);
  EXPECT_EQ(w.Record().Planet(1).Size, 5);

  e.prompter.Answer(Answer::Ok);
  e.Pick("4Tessaly");
  EXPECT_EQ(w.Record().Planet(1).Size, 4);
  EXPECT_FALSE(w.Store().IsModified(w.Record()));

  // Unchanged: picked again without a question.
  e.Pick("4Tessaly");
  EXPECT_EQ(e.prompter.Calls().size(), 2u);
}

TEST(EditorSelection, ABackupLeftBehindIsOffered) {
  EditorOnDemo e;
  e.game.WriteDescriptor("Kestrel Verge", e.game.ReadDescriptor("Kestrel Verge") + "[9]\r\nX=1\r\n", ".edt");
  e.prompter.Answer(Answer::Yes);
  e.Pick("Kestrel Verge");
  EXPECT_EQ(e.prompter.Calls().back().text, "There is a backup for this solar system, would you like to edit it?");
  EXPECT_NE(e.game.ReadDescriptor("Kestrel Verge", ".edt").find("[9]"), std::string::npos);
}

TEST(EditorView, HoveringAPlanetShowsItsPanelAndColoursItsOrbit) {
  EditorOnDemo e;
  auto& w = *e.window;
  e.Pick("4Tessaly");
  MoveOverView(w, DiscOf(w, 2));
  EXPECT_EQ(w.HoverPlanet(), 2);
  ASSERT_TRUE(w.picInfo->isVisibleTo(&w));
  EXPECT_EQ(w.lblPName->text().toStdString(), "Verdance");
  EXPECT_EQ(w.lblInh->text().toStdString(), "Animal");
  EXPECT_EQ(w.lblAtt->text().toStdString(), "Fr Bus");
  EXPECT_EQ(w.lblAdv->text().toStdString(), "Warp");
  EXPECT_EQ(w.lblEnr->text().toStdString(), "Nuclear");
  for (const auto& s : w.picSolarSystem->Shapes()) {
    if (s.kind == Shape::Kind::Orbit) {
      EXPECT_EQ(s.colour, s.planet == 2 ? 12 : 3);
    }
  }

  // Planet 1 has no stored name and no life.
  MoveOverView(w, DiscOf(w, 1));
  EXPECT_EQ(w.lblPName->text().toStdString(), "Planet 1");
  EXPECT_EQ(w.lblInh->text().toStdString(), "No Life");
  EXPECT_EQ(w.lblAtt->text().toStdString(), "---");
  EXPECT_EQ(w.lblAdv->text().toStdString(), "---");

  w.show();
  QApplication::processEvents();
  MoveOverView(w, DiscOf(w, 2));
  QApplication::processEvents();
  const QString dir = QString::fromLatin1(ZELMORA_SCREENSHOT_DIR);
  EXPECT_TRUE(w.grab().save(dir + QStringLiteral("/frmSSEdit.png")));

  // Moving over another control lets go of the planet.
  SendMouse(w.cmdSave, QEvent::MouseMove, {30, 30});
  EXPECT_EQ(w.HoverPlanet(), 0);
  EXPECT_FALSE(w.picInfo->isVisibleTo(&w));
}

TEST(EditorView, BeltsAreDottedCirclesWhenAsteroidsAreNotDisplayed) {
  EditorOnDemo e;
  auto& w = *e.window;
  e.Pick("4Tessaly");
  auto before = w.picSolarSystem->Shapes();
  MoveOverView(w, DiscOf(w, 4));
  // The belt keeps its pattern when another planet is hovered.
  std::vector<Shape> beltBefore, beltAfter;
  for (const auto& s : before) if (s.kind == Shape::Kind::BeltArc) beltBefore.push_back(s);
  for (const auto& s : w.picSolarSystem->Shapes()) if (s.kind == Shape::Kind::BeltArc) beltAfter.push_back(s);
  ASSERT_EQ(beltBefore.size(), beltAfter.size());
  for (std::size_t i = 0; i < beltBefore.size(); ++i) EXPECT_EQ(beltBefore[i].start, beltAfter[i].start);

  w.mnuPDetail->trigger();
  EXPECT_FALSE(w.DisplayAsteroids());
  EXPECT_EQ(e.settings.Get("Zelmora", "Options", "Display Asteroids", ""), "0");
  int dotted = 0, arcs = 0;
  for (const auto& s : w.picSolarSystem->Shapes()) {
    dotted += s.kind == Shape::Kind::DottedOrbit;
    arcs += s.kind == Shape::Kind::BeltArc;
  }
  EXPECT_EQ(dotted, 1);
  EXPECT_EQ(arcs, 0);
  w.mnuPDetail->trigger();
  EXPECT_EQ(e.settings.Get("Zelmora", "Options", "Display Asteroids", ""), "-1");
}

TEST(EditorView, DraggingAnOrbitStopsShortOfItsNeighbourAndIsKeptOnExit) {
  EditorOnDemo e;
  auto& w = *e.window;
  e.Pick("4Tessaly");
  const Point c = w.Centre();
  PressOnView(w, DiscOf(w, 2), Qt::LeftButton);
  EXPECT_EQ(w.DragPlanet(), 2);
  EXPECT_TRUE(w.Store().IsModified(w.Record()));
  MoveOverView(w, {c.x, c.y + 2400});
  EXPECT_EQ(w.Record().Planet(2).Orbit, 826 - 15);
  EXPECT_FALSE(w.picInfo->isVisibleTo(&w));
  // The mouse moves in whole pixels of 15 twips.
  MoveOverView(w, {c.x + 705, c.y});
  EXPECT_EQ(w.Record().Planet(2).Orbit, 705);
  ReleaseOnView(w, {c.x + 705, c.y}, Qt::LeftButton);
  EXPECT_EQ(w.DragPlanet(), 0);

  e.prompter.Answer(Answer::Yes);
  EXPECT_TRUE(w.close());
  EXPECT_EQ(e.prompter.Calls().back().text, "Do you want to save before exiting?");
  EXPECT_NE(e.game.ReadDescriptor("4Tessaly").find("\r\n;705,3,2,43523,13,465\r\n"), std::string::npos);
  EXPECT_FALSE(e.game.Exists("ZMDescriptor/4Tessaly.edt"));
}

TEST(EditorView, StarNameIsEditedInPlaceAndStoredCutToTwenty) {
  EditorOnDemo e;
  auto& w = *e.window;
  e.Pick("4Tessaly");
  w.show();
  SendMouse(w.lblName, QEvent::MouseButtonPress, {30, 30}, Qt::LeftButton);
  ASSERT_TRUE(w.txtName->isVisible());
  EXPECT_EQ(w.txtName->selectedText().toStdString(), "Tessaly");

  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(w.txtName, &escape);
  EXPECT_FALSE(w.txtName->isVisible());
  EXPECT_EQ(platform::TrimSpaces(w.Record().StarName), "Tessaly");

  SendMouse(w.lblName, QEvent::MouseButtonPress, {30, 30}, Qt::LeftButton);
  w.txtName->setText(QStringLiteral("Tessaly Major Cluster 9"));
  emit w.txtName->returnPressed();
  EXPECT_FALSE(w.txtName->isVisible());
  EXPECT_EQ(w.lblName->text().toStdString(), "Tessaly Major Cluster 9");
  EXPECT_EQ(w.Record().StarName, "Tessaly Major Cluste");
  EXPECT_NE(e.game.ReadDescriptor("4Tessaly", ".edt").find(";\"Tessaly Major Cluste\",0,4"), std::string::npos);
  w.DrawSystem(true);
  EXPECT_EQ(w.lblName->text().toStdString(), "Tessaly Major Cluste");
}

TEST(EditorView, AStarNameTheBlockCannotHoldIsRefusedAndNothingIsWritten) {
  EditorOnDemo e;
  auto& w = *e.window;
  e.Pick("4Tessaly");
  w.show();
  const std::string working = e.game.ReadDescriptor("4Tessaly", ".edt");
  e.prompter.AcceptOkBoxes();
  for (const QString& typed : {QString::fromUtf8("\xE6\x97\xA5\xE6\x9C\xAC Star"), QStringLiteral("The \"Eye\"")}) {
    SendMouse(w.lblName, QEvent::MouseButtonPress, {30, 30}, Qt::LeftButton);
    w.txtName->setText(typed);
    emit w.txtName->returnPressed();
    EXPECT_FALSE(w.txtName->isVisible());
    EXPECT_EQ(platform::TrimSpaces(w.Record().StarName), "Tessaly");
    EXPECT_EQ(w.lblName->text(), QStringLiteral("Tessaly"));
  }
  ASSERT_EQ(e.prompter.Calls().size(), 2u);
  EXPECT_EQ(e.prompter.Calls()[0].text,
            "The game cannot store the characters \"\xE6\x97\xA5\" "
            "(U+65E5) and \"\xE6\x9C\xAC\" "
            "(U+672C).  Please type the text without them.");
  EXPECT_EQ(e.prompter.Calls()[1].text, "A star name may not contain a double quote (\").");
  EXPECT_EQ(e.game.ReadDescriptor("4Tessaly", ".edt"), working);
  EXPECT_FALSE(w.Store().IsModified(w.Record()));
}

// Alt+S is the System menu's: the Save button keeps its caption but not the key.
TEST(EditorWindow, AltSOpensTheSystemMenuEveryTime) {
  EditorOnDemo e;
  auto& w = *e.window;
  e.Pick("4Tessaly");
  w.show();
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  EXPECT_EQ(w.cmdSave->text(), QStringLiteral("&Save"));
  for (int press = 0; press < 3; ++press) {
    QTest::keyClick(w.windowHandle(), Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(w.mnuFile->isVisible()) << "press " << press;
    w.mnuFile->close();
    QApplication::processEvents();
  }
  EXPECT_TRUE(e.prompter.Calls().empty());
}

TEST(EditorExit, CancelKeepsTheProgramRunningAndNoDiscardsTheChanges) {
  EditorOnDemo e;
  auto& w = *e.window;
  const std::string saved = e.game.ReadDescriptor("4Tessaly");
  e.Pick("4Tessaly");
  w.Record().StarType = 7;
  w.Store().WriteSystemRecord(w.Record());
  w.show();
  e.prompter.Answer(Answer::Cancel);
  EXPECT_FALSE(w.close());
  EXPECT_TRUE(w.isVisible());
  EXPECT_TRUE(w.Store().IsWorkingCopyOpen());
  e.prompter.Answer(Answer::No);
  w.mnuFExit->trigger();
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(e.game.ReadDescriptor("4Tessaly"), saved);
  EXPECT_FALSE(e.game.Exists("ZMDescriptor/4Tessaly.edt"));
}

}  // namespace
}  // namespace zelmora::editor::testing
