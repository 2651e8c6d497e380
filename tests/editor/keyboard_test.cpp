// Every window worked without a mouse: Tab reaches every control in the order a reader expects,
// and the value controls move with the keys.
#include "editor/frm_get_number.h"
#include "editor/pictures_wiring.h"
#include "editor/simulator_wiring.h"
#include "editor/system_dialogs_wiring.h"
#include "messages/frm_messages.h"
#include "tests/editor/editor_window_support.h"
#include "tests/support/tab_chain.h"

#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

#include <gmock/gmock.h>

namespace zelmora::editor::testing {
namespace {

using ::testing::IsEmpty;
using zelmora::testing::AgainstReadingOrder;
using zelmora::testing::Names;
using zelmora::testing::TabChain;
using zelmora::testing::Unreachable;

// The Tab chain of one window, as it stands.
void ExpectKeyboardReachesEverything(QWidget& window, const std::string& what) {
  SCOPED_TRACE(what);
  // Once round, as the focus itself may enable controls (a list selects its first entry).
  TabChain(window);
  const auto chain = TabChain(window);
  ASSERT_FALSE(chain.empty()) << "nothing takes the focus";
  EXPECT_THAT(Unreachable(window, chain), IsEmpty()) << "Tab order: " << ::testing::PrintToString(Names(chain));
  EXPECT_THAT(AgainstReadingOrder(chain), IsEmpty()) << "Tab order: " << ::testing::PrintToString(Names(chain));
}

// The keys move a scroll bar that has the focus, as the mouse does.
void ExpectKeysMove(QScrollBar* bar) {
  SCOPED_TRACE(bar->objectName().toStdString());
  bar->setFocus();
  ASSERT_TRUE(bar->hasFocus());
  const int before = bar->value();
  const bool vertical = bar->orientation() == Qt::Vertical;
  QTest::keyClick(bar, vertical ? Qt::Key_Down : Qt::Key_Right);
  if (bar->value() == before) QTest::keyClick(bar, vertical ? Qt::Key_Up : Qt::Key_Left);
  EXPECT_NE(bar->value(), before);
}

TEST(Keyboard, EveryDialogOfTheEditorIsWorkedWithTab) {
  EditorOnDemo e;
  auto& w = *e.window;
  e.Pick("Kestrel Verge");
  ExpectKeyboardReachesEverything(w, "frmSSEdit");
  w.hide();
  // The windows the editor builds when they are first opened.
  w.SystemDialogs().NewSystem();
  w.SystemDialogs().Order();
  w.PictureWindows().Window();
  w.Simulator().Options();
  w.Simulator().SystemChooser();
  frmGetNumber number;
  ExpectKeyboardReachesEverything(number, "frmGetNumber");
  number.hide();
  // Every window the editor has built, as it comes up.
  for (QDialog* d : w.findChildren<QDialog*>()) {
    if (d->isWindow() && !d->objectName().isEmpty() && !d->objectName().startsWith(QLatin1String("qt_"))) {
      ExpectKeyboardReachesEverything(*d, d->objectName().toStdString());
      d->hide();
    }
  }
}

TEST(Keyboard, TheMessageEditorsPaneIsWorkedWithTabAndTheKeys) {
  EditorOnDemo e;
  auto& w = *e.window;
  e.Pick("4Tessaly");
  bool ran = false;
  OnNextPopup([&](QMenu* menu) { Choose(menu, w.mnuMessages); });
  WhenWindow<messages::frmMessages>([&](messages::frmMessages* m) {
    ran = true;
    ExpectKeyboardReachesEverything(*m, "the list");
    m->cmdNew->click();
    ExpectKeyboardReachesEverything(*m, "a new item");
    // Tab leaves the text; it does not go into it.
    m->txtMessage->setFocus();
    QTest::keyClick(m->txtMessage, Qt::Key_Tab);
    EXPECT_FALSE(m->txtMessage->hasFocus());
    EXPECT_EQ(m->txtMessage->toPlainText(), QString());
    ExpectKeysMove(m->vsbWait);
    ExpectKeysMove(m->vsbPercent);
    EXPECT_NE(Text(m->lblWait->text()), "no time");
    m->cmdCancel->click();
    m->cmdClose->click();
  });
  PressOnView(w, DiscOf(w, 2), Qt::RightButton);
  EXPECT_TRUE(ran);
}

}  // namespace
}  // namespace zelmora::editor::testing
