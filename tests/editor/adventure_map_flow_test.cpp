// From the main window: the Mirefall demo's adventure in the room editor, its map showing the
// room findings that zmd check reports, and a click on the map walking the room editor there.
#include "adventure/frm_edit_room.h"
#include "editor/adventure_map_widget.h"
#include "editor/frm_adventure_map.h"
#include "messages/frm_messages.h"
#include "tests/cli/zmd_run.h"
#include "tests/editor/editor_window_support.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <nlohmann/json.hpp>

#include <algorithm>

namespace zelmora::editor::testing {
namespace {

using adventure::frmEditRoom;
using check::frmAdventureMap;
using messages::frmMessages;

// Acts on the modal window of type W once it runs.
template <typename W, typename F>
void WhenModalWindow(F act, int tries = 400) {
  QTimer::singleShot(5, [act, tries]() mutable {
    if (auto* w = qobject_cast<W*>(QApplication::activeModalWidget())) {
      act(w);
    } else if (tries > 0) {
      WhenModalWindow<W>(act, tries - 1);
    } else {
      ADD_FAILURE() << "the window never opened";
    }
  });
}

TEST(AdventureMapFromTheRoomEditor, ShowsTheCheckersRoomFindingsAndOpensTheRoomClicked) {
  EditorOnDemo e;
  auto& w = *e.window;
  e.Pick("Mirefall");
  using Row = std::pair<std::string, std::string>;  // room, message
  std::vector<Row> shown;
  std::string ringed, movedTo, backTo;
  bool ran = false;
  OnNextPopup([&](QMenu* menu) { Choose(menu, w.mnuMessages); });
  WhenModalWindow<frmMessages>([&](frmMessages* m) {
    const int area = m->cboGroup->findText(QStringLiteral("Area12"));
    ASSERT_GE(area, 0);
    m->cboGroup->setCurrentIndex(area);
    emit m->cboGroup->activated(area);
    WhenModalWindow<frmEditRoom>([&](frmEditRoom* room) {
      EXPECT_TRUE(room->cmdMap->isEnabled());
      WhenModalWindow<frmAdventureMap>([&](frmAdventureMap* map) {
        ran = true;
        EXPECT_EQ(Text(map->windowTitle()), "Adventure Map - Ashfall Moon");
        const auto& layout = map->Map().layout;
        if (map->picMap->Current() >= 0) ringed = layout.rooms[std::size_t(map->picMap->Current())].name;
        for (int i = 0; i < map->lvwFindings->topLevelItemCount(); ++i) {
          shown.emplace_back(Text(map->lvwFindings->topLevelItem(i)->text(0)),
                             Text(map->lvwFindings->topLevelItem(i)->text(1)));
        }
        QDir().mkpath(QStringLiteral(ZELMORA_SCREENSHOT_DIR));
        map->grab().save(QStringLiteral(ZELMORA_SCREENSHOT_DIR "/frmAdventureMap_demo.png"));
        const int target = layout.Find("Area22");
        ASSERT_GE(target, 0);
        const check::MapPoint c = layout.rooms[std::size_t(target)].box.Centre();
        QTest::mouseClick(map->picMap, Qt::LeftButton, Qt::NoModifier, QPoint(c.x, c.y));
        if (map->isVisible()) map->reject();
      });
      room->cmdMap->click();
      movedTo = Text(room->lblRoom->text());
      backTo = room->Model().BackTarget();
      room->cmdClose->click();
    });
    m->cmdEditRoom->click();
    EXPECT_EQ(Text(m->cboGroup->currentText()), "Area22");
    m->cmdClose->click();
  });
  PressOnView(w, DiscOf(w, 2), Qt::RightButton);
  ASSERT_TRUE(ran);
  EXPECT_EQ(ringed, "Area12");
  EXPECT_EQ(movedTo, "Area22");
  EXPECT_EQ(backTo, "Area12");

  // The same room findings as the checker's own command, room by room.
  const auto r = zelmora::testing::Zmd({"check", e.game.Path().string(), "Mirefall", "2", "--json"});
  // It reads the editor's working copy, and says so first.
  ASSERT_EQ(r.out.rfind("zmd: reading the unsaved working copy of Mirefall\n", 0), 0u) << r.out;
  const auto report = nlohmann::json::parse(r.out.substr(r.out.find('{')));
  std::vector<Row> reported;
  for (const auto& f : report["findings"]) {
    if (!f["room"].get<std::string>().empty()) reported.emplace_back(f["room"], f["message"]);
  }
  ASSERT_FALSE(reported.empty()) << r.out;
  std::sort(shown.begin(), shown.end());
  std::sort(reported.begin(), reported.end());
  EXPECT_EQ(shown, reported);
}

}  // namespace
}  // namespace zelmora::editor::testing
