#include "tests/editor_dialogs/dialog_test_support.h"
#include "tests/support/open_demo_system.h"
#include "writing/frm_find_replace.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace zelmora::writing {
namespace {

std::string Text(const QString& s) { return s.toStdString(); }

struct FindWindow {
  FindWindow() {
    testing::App();
    open.prompter.AcceptOkBoxes();
    window = std::make_unique<frmFindReplace>(
        FindReplaceContext{open.store, open.record, messages::LoadSpecialActions(open.game.Path()),
                           [this](const TextValue& v) { opened.push_back(v.key); }, [this] { ++written; }},
        open.prompter);
  }
  void Find(const QString& what, const QString& with) {
    window->txtFind->setText(what);
    window->txtReplace->setText(with);
    window->cmdFind->click();
  }
  testing::OpenDemoSystem open{"Kestrel Verge"};
  std::vector<std::string> opened;
  int written = 0;
  std::unique_ptr<frmFindReplace> window;
};

TEST(FindReplaceWindow, FindPreviewReplaceAllAndOpen) {
  FindWindow f;
  auto& w = *f.window;
  w.ShowFor(3);
  EXPECT_TRUE(w.optScope[0]->isChecked());
  w.optScope[1]->click();
  f.Find(QStringLiteral("storm"), QStringLiteral("gale"));
  ASSERT_EQ(w.lvwHits->topLevelItemCount(), 5);
  EXPECT_EQ(Text(w.lblStatus->text()), "5 hits in 5 values.");
  w.lvwHits->setCurrentItem(w.lvwHits->topLevelItem(1));
  EXPECT_TRUE(w.cmdReplace->isEnabled());
  EXPECT_NE(Text(w.txtAfter->text()).find("gale"), std::string::npos);
  EXPECT_EQ(Text(w.txtBefore->text()).find("gale"), std::string::npos);
  testing::SaveScreenshot(w, "frmFindReplace");
  w.show();

  emit w.lvwHits->itemDoubleClicked(w.lvwHits->topLevelItem(2), 0);
  ASSERT_EQ(f.opened.size(), 1u);

  // A replacement holding what the code page cannot store is refused before anything is written.
  const std::string before = f.open.game.ReadDescriptor("Kestrel Verge", ".edt");
  w.txtReplace->setText(QString::fromUtf8("gale \xE2\x9C\x93"));
  w.cmdReplaceAll->click();
  EXPECT_EQ(f.open.game.ReadDescriptor("Kestrel Verge", ".edt"), before);
  ASSERT_FALSE(f.open.prompter.Calls().empty());
  EXPECT_NE(f.open.prompter.Calls().back().text.find("U+2713"), std::string::npos);

  w.txtReplace->setText(QStringLiteral("gale"));
  w.cmdReplaceAll->click();
  EXPECT_EQ(f.written, 1);
  EXPECT_EQ(w.lvwHits->topLevelItemCount(), 0);
  EXPECT_EQ(Text(w.lblStatus->text()), "Replaced 5 values. Nothing found.");
  EXPECT_EQ(messages::PlanetScript(f.open.store, f.open.record, 3).GetMessage("MessageThanks1"),
            "$BOX$The Watch clears a landing zone near the eye of the gale.*SFC");
  w.hide();
}

TEST(FindReplaceWindow, ARefusedHitSaysWhy) {
  FindWindow f;
  auto& w = *f.window;
  w.ShowFor(0);
  w.chkRegex->setChecked(true);
  f.Find(QStringLiteral("fuel\\.$"), QStringLiteral("fuel.*SFA"));
  ASSERT_EQ(w.lvwHits->topLevelItemCount(), 1);
  w.lvwHits->setCurrentItem(w.lvwHits->topLevelItem(0));
  EXPECT_FALSE(w.cmdReplace->isEnabled());
  EXPECT_EQ(Text(w.lblProblem->text()).substr(0, 9), "Refused: ");
  EXPECT_TRUE(w.txtAfter->text().isEmpty());
  w.hide();
}

}  // namespace
}  // namespace zelmora::writing
