#include "adventure/frm_advanced_room.h"
#include "adventure/frm_lock.h"
#include "tests/adventure_windows/adventure_windows_fixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace zelmora::adventure {
namespace {

using zelmora::testing::SaveScreenshot;
using zelmora::testing::WhenModal;

class AdventureDialogTest : public AdventureWindowTest {
 protected:
  // The flag chooser: records where it started and answers the next scripted flag.
  FlagChooser Chooser() {
    return [this](const std::string& current) {
      asked_.push_back(current);
      return next_;
    };
  }
  std::vector<std::string> asked_;
  std::string next_ = "D";
};

std::string Text(const QString& s) { return s.toStdString(); }

TEST_F(AdventureDialogTest, AdvancedOptionsShowTheStoredFlagsAndOkWritesThem) {
  script_.SetBeamFlag("%fA");
  script_.SetTriFlag("?Q");  // of no known form
  frmAdvancedRoom dialog(script_, Chooser());
  dialog.Load();
  EXPECT_EQ(Text(dialog.windowTitle()), "Advanced Options");
  EXPECT_TRUE(dialog.optNeed[1]->isChecked());
  EXPECT_EQ(Text(dialog.lblFlag[0]->text()), "Not A");
  EXPECT_TRUE(dialog.optNeed[5]->isChecked());  // search: None
  for (int o = 6; o < 9; ++o) EXPECT_FALSE(dialog.optNeed[o]->isChecked()) << o;
  SaveScreenshot(dialog, "frmAdvancedRoom");

  // Set without a flag code asks for one first; None keeps the code for a later Clear.
  dialog.optNeed[3]->click();
  EXPECT_EQ(asked_, std::vector<std::string>{"A"});
  EXPECT_EQ(Text(dialog.lblFlag[1]->text()), "D");
  dialog.optNeed[5]->click();
  EXPECT_EQ(Text(dialog.lblFlag[1]->text()), "");
  dialog.optNeed[4]->click();
  EXPECT_EQ(Text(dialog.lblFlag[1]->text()), "Not D");
  EXPECT_EQ(asked_.size(), 1u);

  // Choose on a row at None selects Set with the new flag.
  dialog.optNeed[2]->click();
  next_ = "7";
  dialog.cmdChoose[0]->click();
  EXPECT_EQ(asked_.back(), "A");
  EXPECT_TRUE(dialog.optNeed[0]->isChecked());
  EXPECT_EQ(Text(dialog.lblFlag[0]->text()), "7");

  // A declined choice leaves the row unselected as it was.
  next_.clear();
  dialog.optNeed[7]->click();
  for (int o = 6; o < 9; ++o) EXPECT_FALSE(dialog.optNeed[o]->isChecked()) << o;

  // The close box writes nothing; OK writes all three rows, the odd one unchanged.
  dialog.close();
  EXPECT_EQ(script_.BeamFlag(), "%fA");
  dialog.cmdOK->click();
  EXPECT_EQ(script_.BeamFlag(), "%F7");
  EXPECT_EQ(script_.SearchFlag(), "%fD");
  EXPECT_EQ(script_.TriFlag(), "?Q");
}

TEST_F(AdventureDialogTest, LockDialogListsTheActionsAndRefusesAnIncompleteChoice) {
  frmLock dialog(prompter_);
  prompter_.AcceptOkBoxes();

  // No actions: OK only says so.
  WhenModal([&] {
    dialog.cmdOK->click();
    EXPECT_TRUE(dialog.isVisible());
    dialog.cmdCancel->click();
  });
  EXPECT_FALSE(dialog.Run({}).has_value());
  EXPECT_EQ(prompter_.Texts(), std::vector<std::string>{"Please select an action to lock."});

  WhenModal([&] {
    EXPECT_EQ(Text(dialog.windowTitle()), "Lock Action");
    ASSERT_EQ(dialog.cboAction->count(), 2);
    EXPECT_EQ(dialog.cboAction->currentIndex(), -1);
    EXPECT_EQ(Text(dialog.cboAction->itemText(1)), "Dance");
    dialog.cboAction->setCurrentIndex(1);
    dialog.cmdOK->click();  // no message yet
    EXPECT_TRUE(dialog.isVisible());
    dialog.txtDesc->setText(QStringLiteral("The hall is closed."));
    emit dialog.txtDesc->textEdited(dialog.txtDesc->text());
    dialog.cmdOK->click();
  });
  const auto chosen = dialog.Run({{"Go East and report back.", 2}, {"Dance", 1}});
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(chosen->number, 1);
  EXPECT_EQ(chosen->description, "The hall is closed.");
  EXPECT_EQ(prompter_.Texts().back(), "Please enter a message for the locked action.");

  // The close box is a Cancel: a chosen action is not locked.
  WhenModal([&] {
    dialog.cboAction->setCurrentIndex(0);
    dialog.txtDesc->setText(QStringLiteral("x"));
    emit dialog.txtDesc->textEdited(dialog.txtDesc->text());
    dialog.close();
  });
  EXPECT_FALSE(dialog.Run({{"Go East and report back.", 2}}).has_value());
  EXPECT_EQ(dialog.SelectedID(), -1);
  EXPECT_EQ(dialog.cboAction->count(), 0);

  dialog.Clear();
  dialog.AddItem("Go East and report back.", 2);
  dialog.AddItem("Dance", 1);
  dialog.cboAction->setCurrentIndex(0);
  dialog.txtDesc->setText(QStringLiteral("That door is locked"));
  SaveScreenshot(dialog, "frmLock");
}

}  // namespace
}  // namespace zelmora::adventure
