// The adventure map window over a generated grid: reached from the room editor, a click on a room
// moves the room editor there; the finding list, scrolling on a large grid, and the screenshot.
#include "adventure/frm_edit_room.h"
#include "adventure/room_model.h"
#include "editor/adventure_map_widget.h"
#include "editor/frm_adventure_map.h"
#include "messages/special_actions.h"
#include "tests/adventure_windows/adventure_windows_fixture.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>

namespace zelmora::check {
namespace {

using adventure::frmEditRoom;
using adventure::RoomEditorWindows;
using zelmora::testing::SaveScreenshot;
using zelmora::testing::WhenModal;

std::string Text(const QString& s) { return s.toStdString(); }

class AdventureMapWindowTest : public adventure::AdventureWindowTest {
 protected:
  messages::SpecialActionList catalogue_ = messages::ParseSpecialActions(
      zelmora::testing::TempGameFolder::ReadFile(std::string(ZELMORA_SOURCE_DIR) + "/demo/SPECIAL.LST"));

  // The wizard's grid written in one rewrite of the file, as the editor writes it.
  void Grid(const char* x, const char* y) {
    store::DescriptorBatch batch(store_, record_.Name);
    AdventureWindowTest::Grid(x, y);
  }
  void Edit(const std::string& room, const std::function<void(adventure::RoomModel&)>& edit) {
    adventure::RoomModel model(script_);
    ASSERT_EQ(model.LoadRoom(room, prompter_), adventure::OpenResult::Opened);
    edit(model);
  }
  void LockEast(const std::string& room, char flag) {
    Edit(room, [&](adventure::RoomModel& model) {
      model.LockAction(model.Slot(adventure::kSlotEast).action.number, flag, "The door is sealed.");
    });
  }
  static QPoint CentreOf(const frmAdventureMap& map, const std::string& room) {
    const int i = map.Map().layout.Find(room);
    EXPECT_GE(i, 0) << room;
    const MapPoint c = map.Map().layout.rooms.at(std::size_t(std::max(i, 0))).box.Centre();
    return QPoint(c.x, c.y);
  }
};

TEST_F(AdventureMapWindowTest, ClickingARoomMovesTheRoomEditorThere) {
  Grid("4", "3");
  frmAdventureMap map(script_, catalogue_);
  RoomEditorWindows windows;
  std::string shownWith;
  windows.map = [&](const std::string& current) {
    shownWith = current;
    return map.Run(current);
  };
  frmEditRoom room(script_, prompter_, std::move(windows));
  ASSERT_TRUE(room.Prepare("Area11"));
  ASSERT_TRUE(room.cmdMap->isEnabled());
  EXPECT_EQ(Text(room.cmdMap->text()), "Adventure &Map");

  bool ringed = false;
  WhenModal([&] {
    ringed = map.picMap->Current() == map.Map().layout.Find("Area11");
    QTest::mouseClick(map.picMap, Qt::LeftButton, Qt::NoModifier, CentreOf(map, "Area32"));
    if (map.isVisible()) map.reject();  // never leave the test waiting on the window
  });
  room.cmdMap->click();
  EXPECT_EQ(shownWith, "Area11");
  EXPECT_TRUE(ringed);
  EXPECT_FALSE(map.isVisible());
  EXPECT_EQ(Text(room.lblRoom->text()), "Area32");
  EXPECT_EQ(Text(room.windowTitle()), "Edit Room - Area32");
  EXPECT_EQ(Text(room.lblDoor[adventure::kWest]->text()), "Area22");
  // Walked to as through a door: Back returns to where the map was opened.
  EXPECT_TRUE(room.cmdBack->isEnabled());
  room.cmdBack->click();
  EXPECT_EQ(Text(room.lblRoom->text()), "Area11");

  // A click on the paper between rooms chooses nothing; closing leaves the room editor as it was.
  WhenModal([&] {
    const QPoint a = CentreOf(map, "Area11");
    const QPoint b = CentreOf(map, "Area22");
    QTest::mouseClick(map.picMap, Qt::LeftButton, Qt::NoModifier, (a + b) / 2);
    EXPECT_TRUE(map.isVisible());
    map.cmdClose->click();
  });
  room.cmdMap->click();
  EXPECT_FALSE(map.Chosen());
  EXPECT_EQ(Text(room.lblRoom->text()), "Area11");
  EXPECT_EQ(room.Model().BackTarget(), "Area32");
  EXPECT_TRUE(prompter_.Calls().empty());
}

TEST_F(AdventureMapWindowTest, WithoutAMapTheButtonIsDisabled) {
  Grid("2", "2");
  frmEditRoom room(script_, prompter_, {});
  room.Prepare("Area11");
  EXPECT_FALSE(room.cmdMap->isEnabled());
}

TEST_F(AdventureMapWindowTest, FindingsAreListedAndLeadToTheirRoom) {
  Grid("2", "2");
  LockEast("Area11", 'B');  // nothing sets B
  frmAdventureMap map(script_, catalogue_);
  map.Prepare("Area21");
  EXPECT_EQ(Text(map.windowTitle()).rfind("Adventure Map - ", 0), 0u);
  EXPECT_EQ(Text(map.lblSummary->text()), "4 rooms, 1 locked door.\nRoom findings: 1 error.");
  EXPECT_EQ(map.picMap->Current(), map.Map().layout.Find("Area21"));
  ASSERT_EQ(map.lvwFindings->topLevelItemCount(), 1);
  QTreeWidgetItem* row = map.lvwFindings->topLevelItem(0);
  EXPECT_EQ(Text(row->text(0)), "Area11");
  EXPECT_NE(Text(row->text(1)).find("flag B"), std::string::npos) << Text(row->text(1));
  EXPECT_EQ(Text(row->toolTip(1)).rfind("error: ", 0), 0u);
  EXPECT_EQ(map.picMap->Selected(), -1);

  // Choosing the row rings its room; activating it chooses the room and closes the window.
  map.lvwFindings->setCurrentItem(row);
  EXPECT_EQ(map.picMap->Selected(), map.Map().layout.Find("Area11"));
  emit map.lvwFindings->itemActivated(row, 0);
  EXPECT_EQ(map.Chosen(), std::optional<std::string>("Area11"));
  EXPECT_EQ(map.result(), QDialog::Accepted);

  // Refilled on the next run: the lock opens once a search sets its flag.
  script_.PutMessage("MessageArea22Search1", "We found the key.*SFB*RArea22");
  map.Prepare("Area11");
  EXPECT_FALSE(map.Chosen());
  EXPECT_EQ(map.lvwFindings->topLevelItemCount(), 0);
  EXPECT_EQ(map.picMap->Selected(), -1);
  EXPECT_EQ(Text(map.lblSummary->text()), "4 rooms, 1 locked door.\nRoom findings: none.");
}

TEST_F(AdventureMapWindowTest, ALargeGridScrollsToTheRoomBeingEdited) {
  Grid("10", "10");
  frmAdventureMap map(script_, catalogue_);
  map.Prepare("Area1010");
  map.show();
  QApplication::processEvents();
  ASSERT_EQ(map.Map().layout.rooms.size(), 100u);
  // Too large for the window: it scrolls rather than shrinks its rooms.
  EXPECT_GT(map.picMap->width(), map.pnlMap->viewport()->width());
  EXPECT_GT(map.picMap->height(), map.pnlMap->viewport()->height());
  const QFontMetrics metrics(map.picMap->font());
  EXPECT_GE(map.Map().layout.rooms[0].box.width, metrics.horizontalAdvance(QStringLiteral("Area1010")));
  const MapRect& box = map.Map().layout.rooms[std::size_t(map.Map().layout.Find("Area1010"))].box;
  const QRect visible = map.picMap->visibleRegion().boundingRect();
  EXPECT_TRUE(visible.contains(QRect(box.x, box.y, box.width, box.height))) << visible.x() << "," << visible.y();
  EXPECT_GT(map.pnlMap->horizontalScrollBar()->value(), 0);
  EXPECT_GT(map.pnlMap->verticalScrollBar()->value(), 0);
  SaveScreenshot(map, "frmAdventureMapLarge");
}

TEST_F(AdventureMapWindowTest, ALargeMapFitsTheScreenWithItsFrame) {
  Grid("10", "10");
  frmAdventureMap map(script_, catalogue_);
  map.Prepare("Area11");
  map.show();
  QApplication::processEvents();
  // Room for a window manager's title bar and borders around it.
  const QRect available = map.screen()->availableGeometry();
  EXPECT_LE(map.width() + 16, available.width()) << available.width() << "x" << available.height();
  EXPECT_LE(map.height() + 48, available.height()) << available.width() << "x" << available.height();
  if (available.width() == 1366) SaveScreenshot(map, "frmAdventureMapLaptop");
}

TEST_F(AdventureMapWindowTest, Screenshot) {
  Grid("4", "3");
  LockEast("Area21", 'B');
  script_.PutMessage("MessageArea43Search1", "Under a stone lies a key.*SFB*RArea43");
  // Area42 gains a way down that was never written.
  Edit("Area42", [](adventure::RoomModel& model) {
    const int custom = model.AddCustomAction();
    model.SetActionText({adventure::ActionRef::Custom, custom}, "Climb down the shaft.");
    model.SetDestination({adventure::ActionRef::Custom, custom}, "Cellar");
  });
  frmAdventureMap map(script_, catalogue_);
  map.Prepare("Area22");
  ASSERT_EQ(map.lvwFindings->topLevelItemCount(), 1);
  EXPECT_EQ(Text(map.lvwFindings->topLevelItem(0)->text(0)), "Area42");
  SaveScreenshot(map, "frmAdventureMap");
}

}  // namespace
}  // namespace zelmora::check
