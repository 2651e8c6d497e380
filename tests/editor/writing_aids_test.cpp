#include "check/checker.h"
#include "editor/history_wiring.h"
#include "editor/writing_wiring.h"
#include "messages/frm_messages.h"
#include "messages/special_actions.h"
#include "tests/editor/editor_window_support.h"
#include "tests/editor_dialogs/dialog_test_support.h"
#include "writing/frm_find_replace.h"
#include "writing/frm_statistics.h"
#include "writing/spelling_binding.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include <algorithm>

namespace zelmora::editor::testing {
namespace {

using messages::frmMessages;

// A window grabbed while it runs modally (hiding it would end its run).
void Grab(const QPixmap& shot, const char* form) {
  QDir().mkpath(QStringLiteral(ZELMORA_SCREENSHOT_DIR));
  EXPECT_TRUE(shot.save(QStringLiteral(ZELMORA_SCREENSHOT_DIR "/") + QLatin1String(form) + QStringLiteral(".png")));
}

void OpenMessages(EditorOnDemo& e, int planet) {
  OnNextPopup([&](QMenu* menu) { Choose(menu, e.window->mnuMessages); });
  PressOnView(*e.window, DiscOf(*e.window, planet), Qt::RightButton);
}

TEST(WritingAids, ReplaceAllFromTheMainWindowIsOneStepAndAHitOpensItsItem) {
  EditorOnDemo e;
  auto& w = *e.window;
  e.Pick("Kestrel Verge");
  auto& aids = w.WritingAids();
  EXPECT_EQ(aids.mnuEFind->shortcut(), QKeySequence(QKeySequence::Find));
  EXPECT_EQ(aids.mnuEReplace->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_H));
  aids.mnuEFind->trigger();
  auto& f = aids.FindWindow();
  ASSERT_TRUE(f.isVisible());
  EXPECT_FALSE(f.optScope[0]->isEnabled());  // no planet in view
  EXPECT_TRUE(f.optScope[1]->isChecked());
  f.txtFind->setText(QStringLiteral("storm"));
  f.txtReplace->setText(QStringLiteral("gale"));
  f.cmdFind->click();
  ASSERT_EQ(f.lvwHits->topLevelItemCount(), 5);

  bool ran = false;
  WhenWindow<frmMessages>([&](frmMessages* m) {
    ran = true;
    EXPECT_EQ(Text(m->fraMessages->title()), "Response Level: Hail");
    EXPECT_EQ(m->lstMessages->currentRow(), 0);
    m->cmdClose->click();
  });
  emit f.lvwHits->itemDoubleClicked(f.lvwHits->topLevelItem(1), 0);
  ASSERT_TRUE(ran);

  const std::string before = e.game.ReadDescriptor("Kestrel Verge", ".edt");
  f.cmdReplaceAll->click();
  const std::string after = e.game.ReadDescriptor("Kestrel Verge", ".edt");
  EXPECT_NE(after.find("ResponseHail1=We are here to study the gale.*MResearch"), std::string::npos);
  EXPECT_EQ(after.find("storm"), std::string::npos);
  // One step: one undo brings every value back.
  ASSERT_TRUE(w.EditMenu().mnuEUndo->isEnabled());
  w.EditMenu().mnuEUndo->trigger();
  EXPECT_EQ(e.game.ReadDescriptor("Kestrel Verge", ".edt"), before);
  f.hide();
}

TEST(WritingAids, TheMessageEditorsKeysFocusTheFindOrTheReplacementBox) {
  EditorOnDemo e;
  e.Pick("Kestrel Verge");
  bool ran = false;
  WhenWindow<frmMessages>([&](frmMessages* m) {
    ran = true;
    ASSERT_TRUE(QTest::qWaitForWindowActive(m));
    for (const bool replacing : {true, false}) {
      QTest::keyClick(m->windowHandle(), replacing ? Qt::Key_H : Qt::Key_F, Qt::ControlModifier);
      writing::frmFindReplace* f = nullptr;
      for (QWidget* top : QApplication::topLevelWidgets()) {
        if (auto* shown = qobject_cast<writing::frmFindReplace*>(top); shown && shown->isVisible()) f = shown;
      }
      ASSERT_NE(f, nullptr) << replacing;
      EXPECT_EQ(f->focusWidget(), replacing ? static_cast<QWidget*>(f->txtReplace) : f->txtFind);
      EXPECT_TRUE(f->optScope[0]->isChecked());  // the planet the editor shows
      f->hide();
      m->activateWindow();
      ASSERT_TRUE(QTest::qWaitForWindowActive(m));
    }
    m->cmdClose->click();
  });
  OpenMessages(e, 3);
  ASSERT_TRUE(ran);
}

// What the checker says of a planet, with the group's names as given.
std::vector<std::string> Findings(EditorOnDemo& e, int planet, const std::string& from = {}, const std::string& to = {}) {
  const auto catalogue = messages::LoadSpecialActions(e.game.Path());
  std::vector<std::string> lines;
  auto& w = *e.window;
  for (const check::Finding& f :
       check::CheckPlanet(messages::PlanetScript(w.Store(), w.Record(), planet), catalogue).findings) {
    std::string line = std::string(check::KindName(f.kind)) + " " + f.key + " " + f.message;
    for (auto at = from.empty() ? std::string::npos : line.find(from); at != std::string::npos; at = line.find(from)) {
      line.replace(at, from.size(), to);
    }
    lines.push_back(line);
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

TEST(WritingAids, RenameGroupInTheMessageEditorLeavesTheCheckerAsItWas) {
  EditorOnDemo e;
  e.Pick("Kestrel Verge");
  const std::vector<std::string> before = Findings(e, 3, "Research", "Inquiry");
  e.prompter.AcceptOkBoxes();
  e.prompter.Reply("Stars").Reply("Inquiry");
  bool ran = false;
  WhenWindow<frmMessages>([&](frmMessages* m) {
    ran = true;
    m->cboGroup->setCurrentIndex(m->cboGroup->findText(QStringLiteral("Research")));
    emit m->cboGroup->activated(m->cboGroup->currentIndex());
    ASSERT_TRUE(m->cmdRenameGroup->isEnabled());
    m->cmdRenameGroup->click();  // "Stars" would read as a repair condition: refused
    EXPECT_EQ(Text(m->cboGroup->currentText()), "Research");
    m->cmdRenameGroup->click();
    EXPECT_EQ(Text(m->cboGroup->currentText()), "Inquiry");
    EXPECT_EQ(Text(m->fraMessages->title()), "Message Level: Inquiry");
    EXPECT_EQ(m->lstMessages->count(), 2);
    EXPECT_EQ(m->cboGroup->findText(QStringLiteral("Research")), -1);
    EXPECT_NE(Text(m->lblWords->text()).find(" words in Inquiry, "), std::string::npos) << Text(m->lblWords->text());
    m->cmdClose->click();
  });
  OpenMessages(e, 3);
  ASSERT_TRUE(ran);
  const auto& calls = e.prompter.Calls();
  ASSERT_GE(calls.size(), 3u);
  EXPECT_EQ(calls[0].title, "Rename Group");
  EXPECT_NE(calls[1].text.find("repair condition"), std::string::npos);
  EXPECT_EQ(Findings(e, 3), before);
}

TEST(WritingAids, AMisspeltWordIsUnderlinedAndCorrectedFromItsMenu) {
  EditorOnDemo e;
  e.Pick("Mirefall");
  bool ran = false;
  WhenWindow<frmMessages>([&](frmMessages* m) {
    ran = true;
    m->Model().GoToItem(messages::Direction::Message, "BeamUp", 1);
    m->cmdEdit->click();
    ASSERT_EQ(Text(m->txtMessage->toPlainText()), "Beam up sucessful.");
    auto* binding = m->txtMessage->findChild<writing::SpellingBinding*>();
    ASSERT_NE(binding, nullptr);
    EXPECT_EQ(binding->Marked(), (std::vector<std::pair<int, int>>{{8, 9}}));
    std::unique_ptr<QMenu> menu(binding->MenuAt(10));
    ASSERT_FALSE(menu->actions().isEmpty());
    EXPECT_EQ(Text(menu->actions()[0]->text()), "successful");

    // The editor with the word's menu open over it.
    QApplication::processEvents();
    QPixmap shot = m->grab();
    menu->adjustSize();
    const QRect word = m->txtMessage->cursorRect();
    const QPoint at = m->txtMessage->mapTo(m, word.bottomLeft()) + QPoint(-40, 6);
    QPainter(&shot).drawPixmap(at, menu->grab());
    Grab(shot, "frmMessages_spelling");

    menu->actions()[0]->trigger();
    EXPECT_EQ(Text(m->txtMessage->toPlainText()), "Beam up successful.");
    EXPECT_TRUE(binding->Marked().empty());
    m->cmdSave->click();
    m->cmdClose->click();
  });
  OpenMessages(e, 2);
  ASSERT_TRUE(ran);
  EXPECT_EQ(e.window->Store().GetPlanetMessage(e.window->Record(), 2, "MessageBeamUp1", true),
            "Beam up successful.*RNone");
}

TEST(WritingAids, StatisticsOfTheSystemAndTheGameFolder) {
  EditorOnDemo e;
  e.Pick("Mirefall");
  auto& aids = e.window->WritingAids();
  aids.mnuEStatistics->trigger();
  auto& s = aids.StatisticsWindow();
  ASSERT_TRUE(s.isVisible());
  ASSERT_FALSE(s.Rows().empty());
  EXPECT_EQ(s.Rows()[0].name, "Mirefall");
  EXPECT_EQ(s.lvwStatistics->topLevelItemCount(), 1);
  s.lvwStatistics->topLevelItem(0)->child(0)->setExpanded(true);
  zelmora::testing::SaveScreenshot(s, "frmStatistics");
  s.optScope[1]->click();
  EXPECT_EQ(s.lvwStatistics->topLevelItemCount(), 3);
  EXPECT_NE(Text(s.lblTotal->text()).find("In all: "), std::string::npos);
  s.hide();
}

}  // namespace
}  // namespace zelmora::editor::testing
