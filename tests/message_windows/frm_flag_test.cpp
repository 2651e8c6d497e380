#include "messages/frm_flag.h"
#include "messages/flags.h"

#include "tests/editor_dialogs/dialog_test_support.h"
#include "tests/support/scripted_prompter.h"
#include "tests/support/temp_game_folder.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace zelmora::messages {
namespace {

class FlagWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    game.WriteDescriptor("Vega", testing::CrLf({"[General]", "Messages = NN", "", ";SolarSystem",
                                                ";\"Vega                \",2,2", ";400,2,0,0,1,0",
                                                ";430,3,1,0,13,0", "[2]", "7Flag=Gift given", "CFlag=Met"}));
    store.RefreshSystemNames();
    store.LoadSystem("Vega", record);
    prompter.AcceptOkBoxes();
  }
  std::string Pick(std::string_view current) {
    return GetFlagChar(current, 2, chooser, [&](FlagChooser&) { dialog.Run(); });
  }
  std::string Stored(std::string_view key) { return store.GetPlanetMessage(record, 2, key, true); }

  QApplication& app = testing::App();  // before any widget
  testing::TempGameFolder game;
  store::DescriptorStore store{game.Path()};
  store::SolarSystemRecord record;
  FlagChooser chooser{store, record};
  testing::ScriptedPrompter prompter;
  frmFlag dialog{chooser, prompter};
};

TEST_F(FlagWindowTest, OpensOnTheCurrentFlagAndOkChoosesAnotherLine) {
  testing::WhenModal([&] {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Choose a Flag"));
    ASSERT_EQ(dialog.cboFlag->count(), 36);
    EXPECT_EQ(dialog.cboFlag->itemText(0), QStringLiteral("A - Unused"));
    EXPECT_EQ(dialog.cboFlag->itemText(35), QStringLiteral("9 - Unused"));
    EXPECT_EQ(dialog.cboFlag->currentIndex(), 33);
    EXPECT_EQ(dialog.txtDesc->text(), QStringLiteral("Gift given"));
    EXPECT_EQ(dialog.focusWidget(), dialog.cboFlag);  // activation

    dialog.cboFlag->setCurrentIndex(2);
    EXPECT_EQ(dialog.txtDesc->text(), QStringLiteral("Met"));
    EXPECT_EQ(dialog.focusWidget(), dialog.txtDesc);
    EXPECT_EQ(dialog.txtDesc->selectedText(), QStringLiteral("Met"));

    dialog.txtDesc->setText(QStringLiteral("Met the envoy"));
    dialog.cmdOK->click();
  });
  EXPECT_EQ(Pick("7"), "C");
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_TRUE(prompter.Calls().empty());
  EXPECT_EQ(Stored("CFlag"), "Met the envoy");
  EXPECT_EQ(dialog.cboFlag->itemText(2), QStringLiteral("C - Met the envoy"));

  // A digit line answers a digit; an existing description may be kept as it is.
  testing::WhenModal([&] {
    dialog.cboFlag->setCurrentIndex(33);
    dialog.cmdOK->click();
  });
  EXPECT_EQ(Pick("C"), "7");
  EXPECT_EQ(Stored("7Flag"), "Gift given");
}

TEST_F(FlagWindowTest, RefusesUndescribedFlagsAndCharactersTheFilesCannotHold) {
  testing::WhenModal([&] {
    EXPECT_EQ(dialog.cboFlag->currentIndex(), 0);  // an empty value opens on "A"
    dialog.cmdOK->click();                          // "Unused"
    // Back in the box, its whole text selected for retyping.
    testing::WhenModal([&] {
      EXPECT_EQ(dialog.focusWidget(), dialog.txtDesc);
      EXPECT_EQ(dialog.txtDesc->selectedText(), QStringLiteral("Unused"));
      dialog.txtDesc->clear();
      dialog.cmdOK->click();
      dialog.txtDesc->setText(QStringLiteral("Dragon ") + QChar(0x9F8D) + QChar(0x2603));
      dialog.cmdOK->click();
      EXPECT_TRUE(dialog.isVisible());
      dialog.close();  // the close box
    });
  });
  EXPECT_EQ(Pick(""), "A");
  EXPECT_EQ(prompter.Texts(), (std::vector<std::string>{std::string(kDescribeFlagText), std::string(kDescribeFlagText),
                                                        "The game cannot store the characters \"\xE9\xBE\x8D\" (U+9F8D) and "
                                                        "\"\xE2\x98\x83\" (U+2603).  Please type the text without them."}));
  EXPECT_EQ(Stored("AFlag"), store::kNoMessage);
  EXPECT_FALSE(dialog.isVisible());

  // The close box after choosing another line still answers the flag passed in.
  testing::WhenModal([&] {
    dialog.cboFlag->setCurrentIndex(5);
    dialog.close();
  });
  EXPECT_EQ(Pick("7"), "7");
  EXPECT_EQ(chooser.ChosenIndex(), 33);
  // Callers to whom closing means "no flag" (a lock) hear that nothing was chosen; Escape closes too.
  testing::WhenModal([&] {
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&dialog, &escape);
  });
  EXPECT_EQ(ChooseFlagChar("", 2, chooser, [&](FlagChooser&) { dialog.Run(); }), std::nullopt);
  EXPECT_FALSE(dialog.isVisible());
  testing::WhenModal([&] { dialog.cmdOK->click(); });
  EXPECT_EQ(ChooseFlagChar("7", 2, chooser, [&](FlagChooser&) { dialog.Run(); }), "7");

  // Characters the code page holds are written as its bytes.
  testing::WhenModal([&] {
    dialog.txtDesc->setText(QStringLiteral("Caf") + QChar(0xE9) + QStringLiteral(" paid ") + QChar(0x20AC));
    dialog.cmdOK->click();
  });
  EXPECT_EQ(Pick("B"), "B");
  EXPECT_EQ(Stored("BFlag"), "Caf\xE9 paid \x80");
}

TEST_F(FlagWindowTest, TheListOpensTwentyLinesTall) {
  chooser.SetPlanet(2);
  dialog.LoadFlags();
  dialog.show();
  dialog.cboFlag->showPopup();
  QApplication::processEvents();
  QAbstractItemView* list = dialog.cboFlag->view();
  const int row = list->sizeHintForRow(0);
  EXPECT_LE(list->height(), 21 * row + 2 * list->frameWidth() + 8);
  EXPECT_GE(list->height(), 19 * row);
  dialog.cboFlag->hidePopup();
  dialog.hide();
}

TEST_F(FlagWindowTest, Screenshot) {
  chooser.SetPlanet(2);
  chooser.SetChosenIndex(33);
  dialog.LoadFlags();
  testing::SaveScreenshot(dialog, "frmFlag");
}

}  // namespace
}  // namespace zelmora::messages
