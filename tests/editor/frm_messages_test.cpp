#include "editor/frm_planet.h"
#include "messages/frm_messages.h"
#include "messages/special_actions.h"
#include "tests/editor/editor_window_support.h"
#include "tests/editor_dialogs/dialog_test_support.h"
#include "tests/support/open_demo_system.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QKeyEvent>
#include <QKeySequence>
#include <QScrollBar>

#include <map>

namespace zelmora::editor::testing {
namespace {

using messages::frmMessages;
using platform::Answer;
using zelmora::testing::SaveScreenshot;

TEST(MessageEditorWindow, PopupMessagesEditsThePlanetsScriptAndSaveKeepsIt) {
  EditorOnDemo e;
  auto& w = *e.window;
  e.Pick("4Tessaly");
  bool ran = false;
  OnNextPopup([&](QMenu* menu) { Choose(menu, w.mnuMessages); });
  WhenWindow<frmMessages>([&](frmMessages* m) {
    ran = true;
    EXPECT_EQ(Text(m->windowTitle()), "Planet Messages - Verdance");
    EXPECT_TRUE(m->chkCustom->isChecked());
    EXPECT_EQ(Text(m->fraMessages->title()), "Message Level: INIT");
    ASSERT_EQ(m->lstMessages->count(), 2);
    EXPECT_EQ(Text(m->lstMessages->item(0)->text()), "Welcome to Verdance, %RK %NM.");

    m->cmdNew->click();
    EXPECT_TRUE(m->txtMessage->isVisibleTo(m));
    EXPECT_FALSE(m->lstMessages->isVisibleTo(m));
    m->txtMessage->insertPlainText(QStringLiteral("Trade with us, "));
    m->lblInsert[1]->setVisible(true);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(m->lblInsert[1], &press);  // "Rank"
    EXPECT_EQ(Text(m->txtMessage->toPlainText()), "Trade with us, %RK");
    m->vsbWait->setValue(m->vsbWait->maximum() - 2);  // shown inverted: two seconds
    EXPECT_EQ(Text(m->lblWait->text()), "after 2 seconds");
    EXPECT_EQ(Text(m->lblLength->text()), "Length: 21");
    m->cmdSave->click();
    EXPECT_EQ(m->lstMessages->count(), 3);
    EXPECT_EQ(m->lstMessages->currentRow(), 2);

    // Moving it up writes both items at once.
    m->cmdSwap[0]->click();
    m->cmdClose->click();
  });
  PressOnView(w, DiscOf(w, 2), Qt::RightButton);
  ASSERT_TRUE(ran);
  EXPECT_EQ(w.Store().GetPlanetMessage(w.Record(), 2, "Message2", true), "%W2Trade with us, %RK");
  EXPECT_EQ(w.Store().GetPlanetMessage(w.Record(), 2, "Messages", true), "3");
  w.cmdSave->click();
  const std::string saved = e.game.ReadDescriptor("4Tessaly");
  EXPECT_NE(saved.find("Message2=%W2Trade with us, %RK"), std::string::npos);
  EXPECT_NE(saved.find("Message3=%W3We have little"), std::string::npos);
}

TEST(MessageEditorWindow, PlanetDialogsEditFollowsTheEditorsCustomBox) {
  EditorOnDemo e;
  auto& w = *e.window;
  e.Pick("4Tessaly");
  std::vector<std::string> opened;
  w.GetDialogs().planetMessages = [&](int h, bool ticked, const std::string& name) {
    opened.push_back(std::to_string(h) + (ticked ? "Y " : "N ") + name);
    return !ticked;
  };
  OnNextPopup([&](QMenu* menu) { Choose(menu, w.mnuProperties); });
  WhenWindow<frmPlanet>([&](frmPlanet* p) {
    EXPECT_TRUE(p->cmdMsg->isEnabled());
    EXPECT_TRUE(p->chkMessage->isChecked());
    p->cmdMsg->click();
    EXPECT_FALSE(p->chkMessage->isChecked());  // the editor unticked its box
    EXPECT_TRUE(p->chkMessage->isEnabled());   // the planet has a section
    p->cmdCancel->click();
  });
  PressOnView(w, DiscOf(w, 2), Qt::RightButton);
  EXPECT_EQ(opened, std::vector<std::string>{"2Y Verdance"});
}

// The window on its own over the demo's planet 2.
struct LoneWindow {
  LoneWindow() {
    App();
    demo.prompter.AcceptOkBoxes();
    window = std::make_unique<frmMessages>(script, messages::LoadSpecialActions(demo.game.Path()), demo.prompter,
                                           messages::MessageEditorWindows{});
    window->Prepare(2, true, "Verdance");
  }
  zelmora::testing::OpenDemoSystem demo;
  messages::PlanetScript script{demo.store, demo.record, 2};
  std::unique_ptr<frmMessages> window;
};

TEST(MessageEditorWindow, EveryDirectionAsItLooks) {
  LoneWindow lone;
  auto& m = *lone.window;
  SaveScreenshot(m, "frmMessages_message");

  m.lstMessages->setCurrentRow(1);
  m.cmdEdit->click();
  m.cboSpecial->setCurrentIndex(1);
  emit m.cboSpecial->activated(1);  // "%F - Requires flag set [A]"
  m.cmdSpAdd->click();
  const int damage = m.cboSpecial->findText(QStringLiteral("*D - Damage system (S0)"));
  ASSERT_GE(damage, 0);
  emit m.cboSpecial->activated(damage);
  m.cmdSpAdd->click();
  m.optDisplay[2]->click();
  m.txtDisplay->setText(QStringLiteral("Trade Office"));
  emit m.txtDisplay->textEdited(m.txtDisplay->text());
  ASSERT_EQ(m.lstSpecial->count(), 2);
  EXPECT_TRUE(m.cboSpecial->isVisibleTo(&m));
  SaveScreenshot(m, "frmMessages_editing");
  m.cmdSave->click();
  EXPECT_EQ(lone.script.GetMessage("Message2"), "%W3%FA$Trade Office$We have little to trade, but much to tell.*DS0");

  m.optDir[2]->click();
  EXPECT_EQ(Text(m.fraMessages->title()), "Response Level: INIT");
  m.cboGroup->setCurrentIndex(m.cboGroup->findText(QStringLiteral("Hail")));
  emit m.cboGroup->activated(m.cboGroup->currentIndex());
  EXPECT_EQ(m.lstMessages->count(), 2);
  SaveScreenshot(m, "frmMessages_response");

  m.optDir[1]->click();
  EXPECT_TRUE(m.pnlInfo->isVisibleTo(&m));
  EXPECT_EQ(Text(m.lblM1Text->text()), "A temperate world of shallow seas, home to the %AN.");
  EXPECT_FALSE(m.cboGroup->isEnabled());
  SaveScreenshot(m, "frmMessages_information");
}

TEST(MessageEditorWindow, TextBeyondTheCodePageIsRefusedAndNamed) {
  LoneWindow lone;
  auto& m = *lone.window;
  m.cmdNew->click();
  m.txtMessage->insertPlainText(QStringLiteral("Caf\u00e9 "));
  m.txtMessage->insertPlainText(QStringLiteral("\u65e5\u672c"));
  EXPECT_EQ(m.txtMessage->toPlainText(), QStringLiteral("Caf\u00e9 "));
  ASSERT_FALSE(lone.demo.prompter.Calls().empty());
  EXPECT_EQ(lone.demo.prompter.Calls().back().text,
            "The game cannot store the characters \"\xE6\x97\xA5\" "
            "(U+65E5) and \"\xE6\x9C\xAC\" "
            "(U+672C).  Please type the text without them.");
  m.cmdSave->click();
  EXPECT_EQ(lone.script.GetMessage("Message3"), "Caf\xe9");
}

TEST(MessageEditorWindow, OverWideLinesShowTheirTooltip) {
  LoneWindow lone;
  auto& m = *lone.window;
  const std::string longText(200, 'w');
  lone.script.PutMessage("Message1", longText);
  m.optDir[2]->click();
  m.optDir[0]->click();
  m.show();
  QApplication::processEvents();
  const QRect first = m.lstMessages->visualItemRect(m.lstMessages->item(0));
  QMouseEvent move(QEvent::MouseMove, QPointF(first.center()), m.lstMessages->viewport()->mapToGlobal(first.center()),
                   Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(m.lstMessages->viewport(), &move);
  EXPECT_TRUE(m.picTooltip->isVisible());
  EXPECT_EQ(m.lblTooltip->text().size(), 200);
  QMouseEvent click(QEvent::MouseButtonPress, QPointF(3, 3), QPointF(3, 3), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(m.picTooltip, &click);
  EXPECT_EQ(m.lstMessages->currentRow(), 0);
  EXPECT_TRUE(m.cmdEdit->isEnabled());
  m.hide();
}

}  // namespace
}  // namespace zelmora::editor::testing

namespace zelmora::editor::testing {
namespace {

TEST(MessageEditorWindow, EscapeAndTheCloseBoxAskBeforeDroppingATypedItem) {
  LoneWindow lone;
  auto& m = *lone.window;
  m.show();
  m.cmdNew->click();
  m.txtMessage->insertPlainText(QStringLiteral("kept for now"));
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  lone.demo.prompter.Answer(Answer::Cancel);
  QApplication::sendEvent(&m, &escape);
  EXPECT_TRUE(m.isVisible());
  EXPECT_EQ(lone.demo.prompter.Calls().back().text, "Save the changes to this item?");
  lone.demo.prompter.Answer(Answer::Cancel);
  EXPECT_FALSE(m.close());  // the close box
  EXPECT_TRUE(m.isVisible());
  EXPECT_EQ(m.txtMessage->toPlainText(), QStringLiteral("kept for now"));

  lone.demo.prompter.Answer(Answer::No);
  QApplication::sendEvent(&m, &escape);
  EXPECT_FALSE(m.isVisible());
  EXPECT_FALSE(m.tmrAnim->isActive());
  EXPECT_FALSE(m.Model().EditState().has_value());
  EXPECT_EQ(lone.script.GetMessage("Messages"), "2");
}

TEST(MessageEditorWindow, EveryAccessKeyHasOneButton) {
  LoneWindow lone;
  auto& m = *lone.window;
  m.show();
  m.cmdNew->click();  // "&Save", "&Cancel" and "&Delete" show beside "C&lose"
  std::map<QString, QString> owners;
  for (QAbstractButton* b : m.findChildren<QAbstractButton*>()) {
    if (!b->isVisibleTo(&m)) continue;
    const QString key = QKeySequence::mnemonic(b->text()).toString();
    if (key.isEmpty()) continue;
    EXPECT_TRUE(owners.emplace(key, b->text()).second) << Text(key) << ": " << Text(b->text()) << " and "
                                                       << Text(owners[key]);
  }
  EXPECT_EQ(Text(m.cmdClose->text()), "C&lose");
}

TEST(MessageEditorWindow, DropDownsOpenTwentyEntriesTall) {
  LoneWindow lone;
  auto& m = *lone.window;
  m.show();
  m.cmdNew->click();
  ASSERT_GT(m.cboSpecial->count(), 20);
  m.cboSpecial->showPopup();
  QApplication::processEvents();
  QAbstractItemView* list = m.cboSpecial->view();
  const int row = list->sizeHintForRow(0);
  EXPECT_LE(list->height(), 21 * row + 2 * list->frameWidth() + 8);
  EXPECT_GE(list->height(), 19 * row);
  m.cboSpecial->hidePopup();
}

}  // namespace
}  // namespace zelmora::editor::testing

#include "editor/frm_issues.h"

#include <QHeaderView>
#include <QTreeWidget>

namespace zelmora::editor::testing {
namespace {

TEST(MessageEditorWindow, TheIssuesListFollowsEditsAndLeadsToTheItem) {
  EditorOnDemo e;
  auto& w = *e.window;
  e.Pick("Mirefall");
  bool ran = false;
  OnNextPopup([&](QMenu* menu) { Choose(menu, w.mnuMessages); });
  WhenWindow<frmMessages>([&](frmMessages* m) {
    ran = true;
    ASSERT_TRUE(m->cmdIssues->isEnabled());
    m->cmdIssues->click();
    auto* issues = m->findChild<check::frmIssues*>();
    ASSERT_NE(issues, nullptr);
    EXPECT_TRUE(issues->isVisible());
    EXPECT_EQ(Text(issues->windowTitle()), "Script Issues - Bellwether Relay");
    const auto& rows = issues->List().Rows();
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(issues->lvwIssues->topLevelItemCount(), static_cast<int>(rows.size()));
    SaveScreenshot(*issues, "frmIssues");
    issues->show();
    QApplication::processEvents();
    // A long problem wraps within its column instead of being cut.
    QTreeWidget* list = issues->lvwIssues;
    const int width = list->header()->sectionSize(2);
    const QFontMetrics metrics(list->font());
    int wrapped = 0;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
      QTreeWidgetItem* item = list->topLevelItem(i);
      const QRect needed = metrics.boundingRect(QRect(0, 0, width - 8, 10000), Qt::TextWordWrap, item->text(2));
      if (needed.height() > metrics.height()) ++wrapped;
      EXPECT_GE(list->visualItemRect(item).height(), needed.height()) << Text(item->text(2));
    }
    EXPECT_GT(wrapped, 0);  // the demo has problems longer than a line

    // The item above its count: writing a second message of Peace mends it.
    auto above = std::find_if(rows.begin(), rows.end(),
                              [](const check::IssueRow& r) { return r.finding.kind == check::FindingKind::ItemsBeyondCount; });
    ASSERT_NE(above, rows.end());
    const int row = static_cast<int>(above - rows.begin());
    emit issues->lvwIssues->itemDoubleClicked(issues->lvwIssues->topLevelItem(row), 0);
    EXPECT_EQ(Text(m->fraMessages->title()), "Message Level: Peace");
    const std::size_t before = rows.size();
    m->cmdNew->click();
    m->txtMessage->insertPlainText(QStringLiteral("We remember you."));
    m->cmdSave->click();
    EXPECT_LT(issues->List().Rows().size(), before);  // checked again after the save
    m->cmdClose->click();
  });
  PressOnView(w, DiscOf(w, 1), Qt::RightButton);
  ASSERT_TRUE(ran);
  auto* issues = w.findChild<check::frmIssues*>();
  ASSERT_NE(issues, nullptr);
  EXPECT_FALSE(issues->isVisible());  // it closes with the editor
}

}  // namespace
}  // namespace zelmora::editor::testing

namespace zelmora::editor::testing {
namespace {

// Reverting to the saved version, or opening any system, leaves nothing the message editor read
// from the copy that was left: its lists, its pane, the room editor and the issues list start over.
TEST(MessageEditorWindow, RevertingTheSystemDropsWhatTheEditorRead) {
  EditorOnDemo e;
  auto& w = *e.window;
  e.Pick("4Tessaly");
  const auto openEditor = [&](const std::function<void(frmMessages*)>& act) {
    bool ran = false;
    OnNextPopup([&](QMenu* menu) { Choose(menu, w.mnuMessages); });
    WhenWindow<frmMessages>([&](frmMessages* m) {
      ran = true;
      act(m);
      m->cmdClose->click();
    });
    PressOnView(w, DiscOf(w, 2), Qt::RightButton);
    EXPECT_TRUE(ran);
  };
  std::vector<std::string> saved;
  openEditor([&](frmMessages* m) {
    for (int i = 0; i < m->lstMessages->count(); ++i) saved.push_back(Text(m->lstMessages->item(i)->text()));
    m->cmdIssues->click();
    m->cmdNew->click();
    m->txtMessage->insertPlainText(QStringLiteral("Hello"));
    m->cmdSave->click();
    ASSERT_EQ(m->lstMessages->count(), static_cast<int>(saved.size()) + 1);
    m->lstMessages->setCurrentRow(0);
    m->cmdEdit->click();  // an edit left open is dropped too
  });
  ASSERT_EQ(saved.size(), 2u);
  const std::string added = "Message" + std::to_string(saved.size() + 1);
  ASSERT_EQ(w.Store().GetPlanetMessage(w.Record(), 2, added, true), "Hello");

  e.prompter.Answer(platform::Answer::Ok);
  e.Pick("4Tessaly");
  EXPECT_EQ(e.prompter.Calls().back().text, "This will revert to the last saved version of '4Tessaly'.");
  ASSERT_EQ(w.Store().GetPlanetMessage(w.Record(), 2, added, true), "ERR");

  openEditor([&](frmMessages* m) {
    std::vector<std::string> lines;
    for (int i = 0; i < m->lstMessages->count(); ++i) lines.push_back(Text(m->lstMessages->item(i)->text()));
    EXPECT_EQ(lines, saved);
    EXPECT_FALSE(m->Model().EditState().has_value());
    EXPECT_EQ(Text(m->fraMessages->title()), "Message Level: INIT");
    EXPECT_EQ(m->findChild<check::frmIssues*>(), nullptr);  // built again when asked for
    // Editing the last line and saving keeps the saved text.
    m->lstMessages->setCurrentRow(m->lstMessages->count() - 1);
    m->cmdEdit->click();
    m->cmdSave->click();
  });
  EXPECT_EQ(w.Store().GetPlanetMessage(w.Record(), 2, added, true), "ERR");
  EXPECT_EQ(w.Store().GetPlanetMessage(w.Record(), 2, "Messages", true), "2");
  EXPECT_NE(w.Store().GetPlanetMessage(w.Record(), 2, "Message2", true).find(saved.back()), std::string::npos);
}

}  // namespace
}  // namespace zelmora::editor::testing
