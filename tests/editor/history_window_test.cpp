// Undo from the main window and its windows: Ctrl+Z in the message editor, the Edit menu, and a
// click in the History window.
#include "editor/history_wiring.h"
#include "editor/frm_history.h"
#include "messages/frm_messages.h"
#include "tests/editor/editor_window_support.h"
#include "tests/editor_dialogs/dialog_test_support.h"

#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QUndoStack>
#include <QUndoView>

namespace zelmora::editor::testing {
namespace {

using messages::frmMessages;
using zelmora::testing::SaveScreenshot;

constexpr const char* kOldText = "We have little to trade, but much to tell.";

void PressIn(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
  // Keys reach a window's shortcuts only while it is the active one.
  target->window()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(target->window()));
  target->setFocus();
  // Through the window system, as a real key press comes.
  QTest::keyClick(target->window()->windowHandle(), key, modifiers);
}

TEST(HistoryWindows, CtrlZInTheMessageEditorUndoesTheSavedMessageAndInATextBoxTheTyping) {
  EditorOnDemo e;
  auto& w = *e.window;
  e.Pick("4Tessaly");
  bool ran = false;
  OnNextPopup([&](QMenu* menu) { Choose(menu, w.mnuMessages); });
  WhenWindow<frmMessages>([&](frmMessages* m) {
    ran = true;
    ASSERT_TRUE(QTest::qWaitForWindowActive(m));
    m->lstMessages->setCurrentRow(1);
    ASSERT_EQ(Text(m->lstMessages->item(1)->text()), kOldText);
    m->cmdEdit->click();
    m->txtMessage->selectAll();
    m->txtMessage->insertPlainText(QStringLiteral("We trade in stories."));
    // In the text box the keys belong to the typing.
    PressIn(m->txtMessage, Qt::Key_Z);
    EXPECT_EQ(Text(m->txtMessage->toPlainText()), kOldText);
    EXPECT_EQ(w.Store().GetPlanetMessage(w.Record(), 2, "Message2", true), std::string("%W3") + kOldText);
    m->txtMessage->selectAll();
    m->txtMessage->insertPlainText(QStringLiteral("We trade in stories."));
    m->cmdSave->click();
    ASSERT_EQ(Text(m->lstMessages->item(1)->text()), "We trade in stories.");

    PressIn(m->lstMessages, Qt::Key_Z);
    EXPECT_EQ(Text(m->lstMessages->item(1)->text()), kOldText) << "the list shows the old text";
    EXPECT_EQ(w.Store().GetPlanetMessage(w.Record(), 2, "Message2", true), std::string("%W3") + kOldText);
    PressIn(m->lstMessages, Qt::Key_Y);
    EXPECT_EQ(Text(m->lstMessages->item(1)->text()), "We trade in stories.");
    PressIn(m->lstMessages, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);  // nothing more to redo
    EXPECT_EQ(Text(m->lstMessages->item(1)->text()), "We trade in stories.");
    m->cmdClose->click();
  });
  PressOnView(w, DiscOf(w, 2), Qt::RightButton);
  ASSERT_TRUE(ran);
  EXPECT_EQ(Text(w.EditMenu().mnuEUndo->text()), "&Undo Save message INIT 2");
}

TEST(HistoryWindows, TheHistoryWindowGoesBackToAStepWithAClickAndTheMainWindowFollows) {
  EditorOnDemo e;
  auto& w = *e.window;
  e.Pick("4Tessaly");
  auto& edit = w.EditMenu();
  const std::string opened = e.game.ReadDescriptor("4Tessaly", ".edt");
  w.mnuPAdd->trigger();
  const std::string oneAdded = e.game.ReadDescriptor("4Tessaly", ".edt");
  w.mnuPAdd->trigger();
  e.prompter.Answer(platform::Answer::Yes);
  w.mnuFClear->trigger();
  QApplication::processEvents();
  ASSERT_EQ(w.Record().PlanetCount, 6);
  EXPECT_EQ(Text(edit.mnuEUndo->text()), "&Undo Clear Planets");
  EXPECT_FALSE(edit.mnuERedo->isEnabled());

  // The Edit menu as it looks, between System and Planet.
  const auto menus = w.menuBar()->actions();
  ASSERT_GE(menus.size(), 3);
  EXPECT_EQ(menus[1]->menu(), edit.mnuEdit);
  edit.mnuEdit->popup(w.mapToGlobal(QPoint(40, 20)));
  QApplication::processEvents();
  QDir().mkpath(QStringLiteral(ZELMORA_SCREENSHOT_DIR));
  EXPECT_TRUE(edit.mnuEdit->grab().save(QStringLiteral(ZELMORA_SCREENSHOT_DIR "/mnuEdit.png")));
  edit.mnuEdit->close();

  edit.mnuEHistory->trigger();
  frmHistory* history = edit.HistoryWindow();
  ASSERT_NE(history, nullptr);
  ASSERT_TRUE(history->isVisible());
  ASSERT_EQ(history->lvwHistory->model()->rowCount(), 4);  // the opened state and three steps
  EXPECT_EQ(Text(history->lvwHistory->model()->index(3, 0).data().toString()), "Clear Planets");
  QApplication::processEvents();
  SaveScreenshot(*history, "frmHistory");
  history->show();

  auto click = [&](int row) {
    const QRect r = history->lvwHistory->visualRect(history->lvwHistory->model()->index(row, 0));
    QTest::mouseClick(history->lvwHistory->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
  };
  click(1);
  EXPECT_EQ(e.game.ReadDescriptor("4Tessaly", ".edt"), oneAdded);
  EXPECT_EQ(w.Record().PlanetCount, 5) << "the main window shows the restored system";
  EXPECT_TRUE(w.Store().IsModified(w.Record()));
  click(0);
  EXPECT_EQ(e.game.ReadDescriptor("4Tessaly", ".edt"), opened);
  EXPECT_FALSE(w.Store().IsModified(w.Record())) << "back at the saved bytes";
  click(3);
  EXPECT_EQ(w.Record().PlanetCount, 6);
  EXPECT_EQ(Text(edit.mnuEUndo->text()), "&Undo Clear Planets");
  history->close();
}

}  // namespace
}  // namespace zelmora::editor::testing
