// What the recorded tests never played and what the dictionary does not know, shown from the main
// window: marked in the message editor's list and listed as notes in Script Issues.
#include "check/finding.h"
#include "editor/frm_issues.h"
#include "messages/frm_messages.h"
#include "tests/editor/editor_window_support.h"
#include "tests/editor_dialogs/dialog_test_support.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <algorithm>

namespace zelmora::editor::testing {
namespace {

using messages::frmMessages;

void OpenMessages(EditorOnDemo& e, int planet) {
  OnNextPopup([&](QMenu* menu) { Choose(menu, e.window->mnuMessages); });
  PressOnView(*e.window, DiscOf(*e.window, planet), Qt::RightButton);
}

int CountOf(const check::frmIssues& list, check::FindingKind kind) {
  return static_cast<int>(std::count_if(list.List().Rows().begin(), list.List().Rows().end(),
                                        [kind](const check::IssueRow& r) { return r.finding.kind == kind; }));
}

bool Marked(const QListWidget& list, int row) { return list.item(row)->background().style() != Qt::NoBrush; }

// The demo keeps four recordings of Kestrel Verge with the game; three test Great Red (planet 3).
TEST(UntestedMarks, TheMessageEditorMarksWhatTheDemosRecordingsNeverPlayed) {
  EditorOnDemo e;
  e.Pick("Kestrel Verge");
  bool ran = false;
  WhenWindow<frmMessages>([&](frmMessages* m) {
    ran = true;
    ASSERT_TRUE(m->chkUntested->isVisible());
    EXPECT_FALSE(m->chkUntested->isChecked());
    m->chkUntested->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !m->Model().Untested().summary.starts_with("Replaying"); }, 20000));
    const auto& marks = m->Model().Untested();
    ASSERT_EQ(marks.rows.size(), static_cast<std::size_t>(m->lstMessages->count()));
    EXPECT_NE(marks.summary.find("recorded tests."), std::string::npos) << marks.summary;
    // INIT's greeting opens every recorded visit; none of them provokes the threat.
    EXPECT_FALSE(Marked(*m->lstMessages, 0));
    m->cboGroup->setCurrentIndex(m->cboGroup->findText(QStringLiteral("Threat")));
    emit m->cboGroup->activated(m->cboGroup->currentIndex());
    ASSERT_EQ(Text(m->fraMessages->title()), "Message Level: Threat");
    ASSERT_GE(m->lstMessages->count(), 1);
    EXPECT_TRUE(Marked(*m->lstMessages, 0));
    EXPECT_EQ(m->Model().Untested().summary, "1 of 1 items here never played by the 3 recorded tests.");
    QDir().mkpath(QStringLiteral(ZELMORA_SCREENSHOT_DIR));
    m->grab().save(QStringLiteral(ZELMORA_SCREENSHOT_DIR "/frmMessages_untested.png"));
    m->chkUntested->click();
    EXPECT_FALSE(Marked(*m->lstMessages, 0));
    m->cmdClose->click();
  });
  OpenMessages(e, 3);
  ASSERT_TRUE(ran);
}

TEST(IssuesNotes, SpellingAndUntestedNotesAreListedWhenTickedAndTheChoiceIsKept) {
  EditorOnDemo e;
  e.Pick("Kestrel Verge");
  bool ran = false;
  WhenWindow<frmMessages>([&](frmMessages* m) {
    ran = true;
    m->cmdIssues->click();
    check::frmIssues* list = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (auto* shown = qobject_cast<check::frmIssues*>(top); shown && shown->isVisible()) list = shown;
    }
    ASSERT_NE(list, nullptr);
    list->WaitForCheck();
    ASSERT_TRUE(list->chkSpelling->isVisible());
    ASSERT_TRUE(list->chkUntested->isVisible());
    const std::size_t plain = list->List().Rows().size();
    EXPECT_EQ(CountOf(*list, check::FindingKind::Untested), 0);

    list->chkUntested->click();
    list->WaitForCheck();
    const int untested = CountOf(*list, check::FindingKind::Untested);
    EXPECT_GT(untested, 0);
    EXPECT_EQ(list->List().Rows().size(), plain + static_cast<std::size_t>(untested));

    // A misspelt word written into the script is a note once spelling is shown.
    m->Model().Script().PutMessage("MessageThreat1", "Leeve orbit at once.");
    list->chkSpelling->click();
    list->WaitForCheck();
    const auto& rows = list->List().Rows();
    EXPECT_TRUE(std::any_of(rows.begin(), rows.end(), [](const check::IssueRow& r) {
      return r.finding.kind == check::FindingKind::Spelling && r.where == "Message Level: Threat, item 1" &&
             r.message.starts_with("\"Leeve\" is not in the dictionary");
    }));
    QDir().mkpath(QStringLiteral(ZELMORA_SCREENSHOT_DIR));
    list->grab().save(QStringLiteral(ZELMORA_SCREENSHOT_DIR "/frmIssues_notes.png"));

    list->chkUntested->click();
    list->WaitForCheck();
    EXPECT_EQ(CountOf(*list, check::FindingKind::Untested), 0);
    list->hide();
    m->cmdClose->click();
  });
  OpenMessages(e, 3);
  ASSERT_TRUE(ran);
  EXPECT_EQ(e.settings.Get(platform::kApplication, "Script Issues", "Spelling", ""), "-1");
  EXPECT_EQ(e.settings.Get(platform::kApplication, "Script Issues", "Untested", ""), "0");
}

}  // namespace
}  // namespace zelmora::editor::testing
