// The script map window on the demo's planets and on a 10 x 10 grid: what it draws, the search,
// a flag's links, choosing and opening a group, a redraw that keeps the view, saving the picture.
#include "adventure/grid_wizard.h"
#include "editor/frm_script_map.h"
#include "editor/script_map_widget.h"
#include "messages/special_actions.h"
#include "store/descriptor_store.h"
#include "tests/editor_dialogs/dialog_test_support.h"
#include "tests/support/open_demo_system.h"

#include <QFile>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QToolTip>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTimer>
#include <QWheelEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include <cmath>

namespace zelmora::check {
namespace {

using zelmora::testing::OpenDemoSystem;

std::string Text(const QString& s) { return s.toStdString(); }

// Screenshots are taken on a laptop's 1366 x 768 screen, the smallest the map must fit.
bool OnLaptopScreen() { return QGuiApplication::primaryScreen()->availableGeometry().width() == 1366; }

void Screenshot(QWidget& window, const char* name) {
  if (!OnLaptopScreen()) return;
  QApplication::processEvents();
  QDir().mkpath(QStringLiteral(ZELMORA_SCREENSHOT_DIR));
  const QString file = QStringLiteral(ZELMORA_SCREENSHOT_DIR "/") + QLatin1String(name) + QStringLiteral(".png");
  EXPECT_TRUE(window.grab().save(file)) << file.toStdString();
}

class ScriptMapWindowTest : public ::testing::Test {
 protected:
  ScriptMapWindowTest() { zelmora::testing::App(); }

  // The map of a planet of a demo system, shown and checked.
  std::unique_ptr<frmScriptMap> Open(int planet, const std::string& name) {
    script_.SetPlanet(planet);
    auto map = std::make_unique<frmScriptMap>(script_, catalogue_, demo_.prompter);
    map->SetOpen([this](const OpenTarget& t) { opened_.push_back(t); });
    map->ShowFor(name);
    map->WaitForCheck();
    QApplication::processEvents();
    return map;
  }
  static QPoint At(frmScriptMap& map, const std::string& group) {
    const int box = map.Model().BoxNamed(group);
    EXPECT_GE(box, 0) << group;
    return map.picMap->ViewportPointOf(box);
  }
  static void ExpectInTheMiddle(frmScriptMap& map, const std::string& group) {
    const SheetBox& box = map.Model().Sheet().boxes.at(std::size_t(map.Model().BoxNamed(group)));
    const QPointF centre = map.picMap->Centre();
    EXPECT_NEAR(centre.x(), box.x + box.width / 2, 2) << group;
    EXPECT_NEAR(centre.y(), box.y + box.height / 2, 2) << group;
  }
  static void ExpectOnScreen(const QWidget& window) {
    const QRect available = window.screen()->availableGeometry();
    EXPECT_LE(window.width() + 16, available.width());
    EXPECT_LE(window.height() + 48, available.height());
  }

  OpenDemoSystem demo_{"Mirefall"};
  messages::PlanetScript script_{demo_.store, demo_.record, 1};
  messages::SpecialActionList catalogue_ = messages::ParseSpecialActions(
      zelmora::testing::TempGameFolder::ReadFile(std::string(ZELMORA_SOURCE_DIR) + "/demo/SPECIAL.LST"));
  std::vector<OpenTarget> opened_;
};

TEST_F(ScriptMapWindowTest, DrawsTheDemosAdventureWithItsFindingsReadablyOnTheScreen) {
  auto map = Open(2, "Ashfall Moon");
  EXPECT_EQ(Text(map->windowTitle()), "Script Map - Ashfall Moon");
  EXPECT_FALSE(map->Checking());
  const ScriptGraph& g = map->Model().Graph();
  // The checker's findings arrived from behind: the room no visit reaches is marked.
  EXPECT_TRUE(g.nodes.at(std::size_t(g.Find("Area33"))).unreachable);
  EXPECT_TRUE(g.nodes.at(std::size_t(g.Find("Area32"))).missing);
  EXPECT_NE(Text(map->lblSummary->text()).find("1 missing group"), std::string::npos) << Text(map->lblSummary->text());
  // A small map is seen whole on a laptop's screen, at a size its names can be read.
  EXPECT_GE(map->picMap->Zoom(), 0.8 - 1e-9);
  const QRectF seen = map->picMap->mapToScene(map->picMap->viewport()->rect()).boundingRect();
  if (OnLaptopScreen()) {
    EXPECT_TRUE(seen.adjusted(-1, -1, 1, 1).contains(QRectF(0, 0, map->Model().Sheet().width, map->Model().Sheet().height)))
        << seen.x() << "," << seen.y() << " " << seen.width() << "x" << seen.height();
  }
  ExpectOnScreen(*map);
  // Pointing at a room tells its messages and responses; at a line, the item it comes from.
  const QPoint room = At(*map, "Area12");
  QHelpEvent help(QEvent::ToolTip, room, map->picMap->viewport()->mapToGlobal(room));
  QApplication::sendEvent(map->picMap->viewport(), &help);
  EXPECT_NE(Text(QToolTip::text()).find("Area12 (room)\n1 message, 3 responses\nMessages:"), std::string::npos)
      << Text(QToolTip::text());
  EXPECT_NE(Text(QToolTip::text()).find("Responses:\n  1. "), std::string::npos) << Text(QToolTip::text());
  Screenshot(*map, "frmScriptMap_demo");

  auto talk = Open(1, "Bellwether Relay");
  Screenshot(*talk, "frmScriptMap_conversation");
}

TEST_F(ScriptMapWindowTest, FindBringsTheGroupToTheMiddleAndSaysWhenThereIsNone) {
  auto map = Open(2, "Ashfall Moon");
  map->picMap->SetZoom(2.5);  // so that the group is out of view first
  map->txtSearch->setText(QStringLiteral("area22"));
  map->cmdFind->click();
  const ScriptGraph& g = map->Model().Graph();
  ASSERT_GE(map->Model().Selected(), 0);
  EXPECT_EQ(g.nodes.at(std::size_t(map->Model().Selected())).name, "Area22");
  ExpectInTheMiddle(*map, "Area22");
  EXPECT_TRUE(map->lblFound->text().isEmpty());
  EXPECT_TRUE(map->cmdOpen->isEnabled());

  map->txtSearch->setText(QStringLiteral("cellar"));
  QTest::keyClick(map->txtSearch, Qt::Key_Return);
  EXPECT_EQ(Text(map->lblFound->text()), "No group's name holds that.");
}

TEST_F(ScriptMapWindowTest, AFlagChosenInTheListLightsItsLinks) {
  auto map = Open(1, "Bellwether Relay");
  std::vector<std::string> rows;
  for (int i = 0; i < map->lstFlags->count(); ++i) rows.push_back(Text(map->lstFlags->item(i)->text()));
  ASSERT_GE(rows.size(), 3u);
  EXPECT_EQ(rows[0], "(none)");
  const auto a = std::find_if(rows.begin(), rows.end(), [](const std::string& r) { return r.rfind("A", 0) == 0; });
  ASSERT_NE(a, rows.end());
  map->lstFlags->setCurrentRow(int(a - rows.begin()));
  const MapMarks& marks = map->Model().Marks();
  EXPECT_EQ(marks.flag, "A");
  const ScriptSheet& sheet = map->Model().Sheet();
  int tests = 0, changes = 0;
  for (std::size_t i = 0; i < sheet.lines.size(); ++i) {
    tests += marks.flagLines[i] == FlagUse::Tests;
    changes += marks.flagLines[i] == FlagUse::Changes;
  }
  EXPECT_EQ(tests, 1);    // INIT's second message needs A
  EXPECT_EQ(changes, 1);  // Hail's War answer sets it
  Screenshot(*map, "frmScriptMap_flag");
  map->lstFlags->setCurrentRow(0);
  EXPECT_EQ(map->Model().Marks().flag, "");
}

TEST_F(ScriptMapWindowTest, AClickChoosesAGroupAndADoubleClickOrEnterOpensIt) {
  auto map = Open(1, "Bellwether Relay");
  const ScriptGraph& g = map->Model().Graph();
  QTest::mouseClick(map->picMap->viewport(), Qt::LeftButton, Qt::NoModifier, At(*map, "Peace"));
  ASSERT_GE(map->Model().Selected(), 0);
  EXPECT_EQ(g.nodes.at(std::size_t(map->Model().Selected())).name, "Peace");
  // The paths from where play starts: INIT offers Hail, Hail answers Peace.
  EXPECT_TRUE(map->Model().Marks().pathBoxes.at(std::size_t(map->Model().BoxNamed("Hail"))));
  EXPECT_TRUE(opened_.empty());

  QTest::mouseDClick(map->picMap->viewport(), Qt::LeftButton, Qt::NoModifier, At(*map, "Hail"));
  ASSERT_EQ(opened_.size(), 1u);
  EXPECT_EQ(opened_[0], (OpenTarget{OpenTarget::Kind::Responses, "Hail"}));
  QTest::mouseClick(map->picMap->viewport(), Qt::LeftButton, Qt::NoModifier, At(*map, "War"));
  map->picMap->setFocus();
  QTest::keyClick(map->picMap, Qt::Key_Return);
  ASSERT_EQ(opened_.size(), 2u);
  EXPECT_EQ(opened_[1], (OpenTarget{OpenTarget::Kind::Messages, "War"}));
  // A click on the paper lets the group go.
  QTest::mouseClick(map->picMap->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
  EXPECT_EQ(map->Model().Selected(), -1);
  EXPECT_FALSE(map->cmdOpen->isEnabled());
}

TEST_F(ScriptMapWindowTest, ARightClickOffersEveryWayToOpenAGroupTheUsualOneFirst) {
  auto map = Open(2, "Ashfall Moon");
  std::vector<std::string> offered;
  std::string bold;
  QTimer::singleShot(0, [&] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    for (QAction* a : menu->actions()) {
      if (!a->isVisible()) continue;
      offered.push_back(Text(a->text()));
      if (a->font().bold()) bold = Text(a->text());
    }
    menu->close();
    map->mnuOpenResponses->trigger();
  });
  QTest::mouseClick(map->picMap->viewport(), Qt::RightButton, Qt::NoModifier, At(*map, "Area12"));
  EXPECT_EQ(offered, (std::vector<std::string>{"Open &Messages", "Open &Responses", "Edit R&oom"}));
  EXPECT_EQ(bold, "Edit R&oom");
  ASSERT_EQ(opened_.size(), 1u);
  EXPECT_EQ(opened_[0], (OpenTarget{OpenTarget::Kind::Responses, "Area12"}));
  // A double click on a room opens the room editor; on its search group, that group's messages.
  QTest::mouseDClick(map->picMap->viewport(), Qt::LeftButton, Qt::NoModifier, At(*map, "Area12"));
  EXPECT_EQ(opened_.back(), (OpenTarget{OpenTarget::Kind::Room, "Area12"}));
  const SheetBox& room = map->Model().Sheet().boxes.at(std::size_t(map->Model().BoxNamed("Area11")));
  double x, y, w, h;
  map->Model().Sheet().PartRect(room, 0, x, y, w, h);
  QTest::mouseDClick(map->picMap->viewport(), Qt::LeftButton, Qt::NoModifier,
                     map->picMap->mapFromScene(QPointF(x + w / 2, y + h / 2)));
  EXPECT_EQ(opened_.back(), (OpenTarget{OpenTarget::Kind::Messages, "Area11Search"}));
}

TEST_F(ScriptMapWindowTest, TheWheelZoomsAroundThePointerAndADragPans) {
  auto map = Open(1, "Bellwether Relay");
  QWidget* viewport = map->picMap->viewport();
  const QPoint at = At(*map, "War");
  const QPointF under = map->picMap->mapToScene(at);
  const double zoom = map->picMap->Zoom();
  QWheelEvent wheel(at, viewport->mapToGlobal(at), {}, QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(viewport, &wheel);
  EXPECT_NEAR(map->picMap->Zoom(), zoom * 1.25, 1e-6);
  const QPointF still = map->picMap->mapToScene(at);
  EXPECT_NEAR(still.x(), under.x(), 1.5);
  EXPECT_NEAR(still.y(), under.y(), 1.5);

  // Dragging from a box pans and chooses nothing.
  const int h = map->picMap->horizontalScrollBar()->value(), v = map->picMap->verticalScrollBar()->value();
  QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, at);
  QTest::mouseMove(viewport, at + QPoint(-60, -40));
  QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, at + QPoint(-60, -40));
  EXPECT_EQ(map->picMap->horizontalScrollBar()->value(), h + 60);
  EXPECT_EQ(map->picMap->verticalScrollBar()->value(), v + 40);
  EXPECT_EQ(map->Model().Selected(), -1);
}

TEST_F(ScriptMapWindowTest, AnEditIsDrawnWhereTheViewWasAndTheZoomKeysWork) {
  auto map = Open(1, "Bellwether Relay");
  map->picMap->SetZoom(1.5);
  map->picMap->CentreOnBox(map->Model().BoxNamed("War"));
  map->picMap->centerOn(map->picMap->Centre() + QPointF(20, 10));
  const QPointF before = map->picMap->Centre();
  const SheetBox war = map->Model().Sheet().boxes.at(std::size_t(map->Model().BoxNamed("War")));

  // A new link: Graphviz places everything again, and War stays where the view shows it.
  script_.PutMessage("MessageWar1", script_.GetMessage("MessageWar1") + "*ROrphan");
  map->Refresh();
  EXPECT_TRUE(map->Model().LaidOut());
  EXPECT_DOUBLE_EQ(map->picMap->Zoom(), 1.5);
  const SheetBox& moved = map->Model().Sheet().boxes.at(std::size_t(map->Model().BoxNamed("War")));
  const QPointF after = map->picMap->Centre();
  EXPECT_NEAR(after.x() - (moved.x + moved.width / 2), before.x() - (war.x + war.width / 2), 2);
  EXPECT_NEAR(after.y() - (moved.y + moved.height / 2), before.y() - (war.y + war.height / 2), 2);
  map->WaitForCheck();

  // Through the window system, as a real key press comes.
  ASSERT_TRUE(QTest::qWaitForWindowActive(map.get()));
  QWindow* window = map->windowHandle();
  QTest::keyClick(window, Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_NEAR(map->picMap->Zoom(), 1.2, 0.01);
  QTest::keyClick(window, Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_NEAR(map->picMap->Zoom(), 1.5, 0.01);
  QTest::keyClick(window, Qt::Key_0, Qt::ControlModifier);
  EXPECT_LE(map->picMap->Zoom(), 1.0);
  EXPECT_EQ(Text(map->lblZoom->text()), std::to_string(int(std::lround(map->picMap->Zoom() * 100))) + " %");
}

TEST_F(ScriptMapWindowTest, SavesAPictureOrGraphvizsDrawingByTheNamesEnding) {
  auto map = Open(1, "Bellwether Relay");
  const std::string folder = demo_.game.Path().string();
  demo_.prompter.Reply(folder + "/map.svg").Reply(folder + "/map").Reply(folder + "/map.txt");
  demo_.prompter.Answer(platform::Answer::Ok);
  map->cmdSaveImage->click();
  map->cmdSaveImage->click();
  map->cmdSaveImage->click();
  const std::string svg = zelmora::testing::TempGameFolder::ReadFile(folder + "/map.svg");
  EXPECT_NE(svg.find("<svg"), std::string::npos);
  EXPECT_NE(svg.find("Peace"), std::string::npos);
  // Without an ending it is a PNG picture.
  const std::string png = zelmora::testing::TempGameFolder::ReadFile(folder + "/map.png");
  ASSERT_GT(png.size(), 8u);
  EXPECT_EQ(png.substr(1, 3), "PNG");
  EXPECT_FALSE(QFile::exists(QString::fromStdString(folder + "/map.txt")));
  const auto& calls = demo_.prompter.Calls();
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[0].kind, zelmora::testing::ScriptedPrompter::Kind::SaveFile);
  EXPECT_NE(calls[0].defaultValue.find("Bellwether Relay map.png"), std::string::npos) << calls[0].defaultValue;
  EXPECT_EQ(calls[3].text, "A map is saved as a .png picture or an .svg drawing.");
}

TEST_F(ScriptMapWindowTest, ALargeGridStartsReadableAtWherePlayStarts) {
  {
    script_.SetPlanet(3);
    store::DescriptorBatch batch(demo_.store, demo_.record.Name);
    adventure::GridChoices choices;
    choices.sizeX = choices.sizeY = "10";
    adventure::FinishGrid(choices, script_);
  }
  auto map = Open(3, "Grid");
  const ScriptSheet& sheet = map->Model().Sheet();
  EXPECT_GE(sheet.boxes.size(), 100u);
  ExpectOnScreen(*map);
  EXPECT_GE(map->picMap->Zoom(), 0.8 - 1e-9);
  // The beam-down is in view.
  const SheetBox& beam = sheet.boxes.at(std::size_t(map->Model().BoxNamed("Beam")));
  const QRectF seen = map->picMap->mapToScene(map->picMap->viewport()->rect()).boundingRect();
  EXPECT_TRUE(seen.contains(QRectF(beam.x, beam.y, beam.width, beam.height)));
  Screenshot(*map, "frmScriptMap_grid");
  map->picMap->Fit();
  Screenshot(*map, "frmScriptMap_grid_whole");
}

}  // namespace
}  // namespace zelmora::check
