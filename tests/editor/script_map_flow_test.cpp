// From the main window: the script map beside the message editor, a group opened from it in the
// editor in its direction, an edit's new link drawn at once and gone again on Undo, a room editor's
// edit drawn while it is still open; and the map from the planet's popup, opening the editor on the
// group double-clicked.
#include "adventure/frm_edit_room.h"
#include "editor/frm_issues.h"
#include "editor/frm_script_map.h"
#include "editor/history_wiring.h"
#include "editor/script_map_widget.h"
#include "messages/frm_messages.h"
#include "tests/editor/editor_window_support.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace zelmora::editor::testing {
namespace {

using check::frmScriptMap;
using messages::frmMessages;

void DoubleClick(frmScriptMap& map, const std::string& group) {
  const int box = map.Model().BoxNamed(group);
  ASSERT_GE(box, 0) << group;
  map.picMap->CentreOnBox(box);
  QTest::mouseDClick(map.picMap->viewport(), Qt::LeftButton, Qt::NoModifier, map.picMap->ViewportPointOf(box));
}

// Whether a window is blocked by a modal one, as the window system tells it.
struct Blocked : QObject {
  bool blocked = false;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::WindowBlocked) blocked = true;
    if (event->type() == QEvent::WindowUnblocked) blocked = false;
    return false;
  }
};

bool HasLine(const frmScriptMap& map, const std::string& from, const std::string& to) {
  auto& model = const_cast<frmScriptMap&>(map).Model();
  for (const check::SheetLine& line : model.Sheet().lines) {
    if (line.from == model.BoxNamed(from) && line.to == model.BoxNamed(to)) return true;
  }
  return false;
}

TEST(ScriptMapFromTheEditor, OpensGroupsInTheirDirectionAndDrawsAnEditAtOnce) {
  EditorOnDemo e;
  auto& w = *e.window;
  e.Pick("Mirefall");
  bool ran = false;
  OnNextPopup([&](QMenu* menu) { Choose(menu, w.mnuMessages); });
  WhenWindow<frmMessages>([&](frmMessages* m) {
    ran = true;
    ASSERT_TRUE(m->cmdScriptMap->isEnabled());
    EXPECT_EQ(Text(m->cmdScriptMap->text()), "Scr&ipt Map");
    m->cmdScriptMap->click();
    auto* map = m->findChild<frmScriptMap*>();
    ASSERT_NE(map, nullptr);
    EXPECT_TRUE(map->isVisible());
    EXPECT_EQ(Text(map->windowTitle()), "Script Map - Bellwether Relay");

    // A response group opens in the Response direction, a message group in the Message one.
    DoubleClick(*map, "Hail");
    EXPECT_TRUE(m->optDir[2]->isChecked());
    EXPECT_EQ(Text(m->cboGroup->currentText()), "Hail");
    EXPECT_EQ(Text(m->fraMessages->title()), "Response Level: Hail");
    DoubleClick(*map, "War");
    EXPECT_TRUE(m->optDir[0]->isChecked());
    EXPECT_EQ(Text(m->fraMessages->title()), "Message Level: War");

    // War's message is given an answer code: its arrow is on the map before any check is done.
    ASSERT_FALSE(HasLine(*map, "War", "Orphan"));
    m->lstMessages->setCurrentRow(0);
    m->cmdEdit->click();
    m->cboAnswerGroup->lineEdit()->setText(QStringLiteral("Orphan"));
    emit m->cboAnswerGroup->lineEdit()->textEdited(QStringLiteral("Orphan"));
    m->cmdSave->click();
    EXPECT_TRUE(HasLine(*map, "War", "Orphan"));
    EXPECT_TRUE(map->Checking());
    map->WaitForCheck();
    EXPECT_TRUE(HasLine(*map, "War", "Orphan"));
    // Orphan offers no responses: the check behind marks the new link.
    auto& model = map->Model();
    bool marked = false;
    for (const check::SheetLine& line : model.Sheet().lines) {
      if (line.from == model.BoxNamed("War") && line.to == model.BoxNamed("Orphan")) marked = line.findings;
    }
    EXPECT_TRUE(marked);

    // Undo writes the script back, and the map follows.
    w.EditMenu().mnuEUndo->trigger();
    EXPECT_FALSE(HasLine(*map, "War", "Orphan"));
    map->WaitForCheck();
    m->cmdClose->click();
  });
  PressOnView(w, DiscOf(w, 1), Qt::RightButton);
  ASSERT_TRUE(ran);
  auto* map = w.findChild<frmScriptMap*>();
  ASSERT_NE(map, nullptr);
  EXPECT_FALSE(map->isVisible());  // it closes with the editor
}

TEST(ScriptMapFromThePlanetPopup, ADoubleClickRunsTheEditorOnTheGroup) {
  EditorOnDemo e;
  auto& w = *e.window;
  e.Pick("Mirefall");
  bool mapRan = false, editorRan = false;
  Blocked blocked;
  std::string shown;
  OnNextPopup([&](QMenu* menu) {
    // Of our own, after every entry the popup had.
    ASSERT_EQ(menu->actions().back(), w.mnuScriptMap);
    EXPECT_EQ(Text(w.mnuScriptMap->text()), "Script M&ap");
    Choose(menu, w.mnuScriptMap);
  });
  WhenWindow<frmScriptMap>([&](frmScriptMap* map) {
    mapRan = true;
    EXPECT_EQ(Text(map->windowTitle()), "Script Map - Bellwether Relay");
    map->WaitForCheck();
    map->installEventFilter(&blocked);
    WhenWindow<frmMessages>([&](frmMessages* m) {
      editorRan = true;
      EXPECT_EQ(Text(m->windowTitle()), "Planet Messages - Bellwether Relay");
      shown = Text(m->fraMessages->title());
      // The map stays beside the editor, usable while the editor runs, and follows it.
      EXPECT_TRUE(map->isVisible());
      EXPECT_FALSE(blocked.blocked);
      DoubleClick(*map, "Peace");
      EXPECT_EQ(Text(m->fraMessages->title()), "Message Level: Peace");
      m->cmdClose->click();
    });
    DoubleClick(*map, "Hail");
    // Back on the map once the editor has closed.
    EXPECT_TRUE(map->isVisible());
    map->cmdClose->click();
  });
  PressOnView(w, DiscOf(w, 1), Qt::RightButton);
  ASSERT_TRUE(mapRan);
  ASSERT_TRUE(editorRan);
  EXPECT_EQ(shown, "Response Level: Hail");
}

TEST(ScriptMapFromTheEditor, DrawsARoomEditorsEditBeforeItCloses) {
  EditorOnDemo e;
  auto& w = *e.window;
  e.Pick("Mirefall");
  bool ran = false;
  bool drawnWhileOpen = false, listCheckingWhileOpen = false;
  OnNextPopup([&](QMenu* menu) { Choose(menu, w.mnuMessages); });
  WhenWindow<frmMessages>([&](frmMessages* m) {
    m->cmdScriptMap->click();
    m->cmdIssues->click();
    auto* map = m->findChild<frmScriptMap*>();
    auto* issues = m->findChild<check::frmIssues*>();
    ASSERT_NE(map, nullptr);
    ASSERT_NE(issues, nullptr);
    map->WaitForCheck();
    issues->WaitForCheck();
    // Area 2, 1 has a door south only; its west neighbour is Area 1, 1.
    ASSERT_FALSE(HasLine(*map, "Area21", "Area11"));
    const int area = m->cboGroup->findText(QStringLiteral("Area21"));
    ASSERT_GE(area, 0);
    m->cboGroup->setCurrentIndex(area);
    emit m->cboGroup->activated(area);
    WhenWindow<adventure::frmEditRoom>([&](adventure::frmEditRoom* room) {
      ran = true;
      EXPECT_EQ(Text(room->lblRoom->text()), "Area21");
      room->chkAct[adventure::kSlotWest]->click();
      EXPECT_EQ(room->chkAct[adventure::kSlotWest]->checkState(), Qt::Checked);
      drawnWhileOpen = HasLine(*map, "Area21", "Area11");
      listCheckingWhileOpen = issues->Checking();
      map->WaitForCheck();
      issues->WaitForCheck();
      room->cmdClose->click();
    });
    m->cmdEditRoom->click();
    EXPECT_TRUE(HasLine(*map, "Area21", "Area11"));
    map->WaitForCheck();
    issues->WaitForCheck();
    m->cmdClose->click();
  });
  PressOnView(w, DiscOf(w, 2), Qt::RightButton);
  ASSERT_TRUE(ran);
  EXPECT_TRUE(drawnWhileOpen);
  EXPECT_TRUE(listCheckingWhileOpen);
}

}  // namespace
}  // namespace zelmora::editor::testing
