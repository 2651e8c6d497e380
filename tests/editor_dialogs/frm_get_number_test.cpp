#include "editor/frm_get_number.h"

#include "tests/editor_dialogs/dialog_test_support.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace zelmora::editor {
namespace {

TEST(NumberEntry, BarRunsUpsideDownAndBothDirectionsAgree) {
  NumberBar bar = MakeNumberBar(10, 100, 1);
  EXPECT_EQ(NumberAt(bar, bar.minimum), 100);  // the top of the bar is the maximum
  EXPECT_EQ(NumberAt(bar, bar.maximum), 10);
  for (int n : {10, 30, 77, 100}) EXPECT_EQ(NumberAt(bar, BarValueFor(bar, static_cast<float>(n))), n) << n;

  NumberBar scaled = MakeNumberBar(0, 1000, 10);
  EXPECT_EQ(scaled.maximum, 100);
  EXPECT_EQ(BarValueFor(scaled, 150), 85);
  EXPECT_EQ(NumberAt(scaled, 84), 160);
  EXPECT_EQ(MakeNumberBar(0, 5, 0).scale, 1);
}

TEST(NumberEntry, OpeningClampsAndCancelGivesMinimumLessOne) {
  EXPECT_EQ(OpeningNumber(150, 0, 100), 100);
  EXPECT_EQ(OpeningNumber(-5, 0, 100), 0);
  EXPECT_EQ(KeepInBar(MakeNumberBar(0, 100, 1), 250), 100);
  EXPECT_EQ(NumberResult(false, 40, 5, 100), 4);
  EXPECT_EQ(NumberResult(true, 40, 5, 100), 40);
  // The bar can reach past a maximum that is not a multiple of the scale; that reads as cancel.
  NumberBar rounded = MakeNumberBar(0, 107, 10);
  EXPECT_EQ(rounded.Highest(), 110);
  EXPECT_EQ(NumberResult(true, rounded.Highest(), 0, 107), -1);
  EXPECT_EQ(FormatNumber(2.5f), "2.5");
  EXPECT_EQ(FormatNumber(1000000), "1000000");
  EXPECT_EQ(FormatNumber(-0.0f), "0");
}

class GetNumberTest : public ::testing::Test {
 protected:
  QApplication& app = testing::App();  // before any widget
  frmGetNumber dialog;
};

TEST_F(GetNumberTest, OpensWithTheDefaultClampedAndTheBarAtTheTop) {
  dialog.Load("How much energy?", "Energy", "units", 150, 0, 100, 1);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Energy"));
  EXPECT_EQ(dialog.txtNumber->text(), QStringLiteral("100"));
  EXPECT_EQ(dialog.lblNumber->text(), QStringLiteral("100"));
  EXPECT_EQ(dialog.vsbNumber->value(), 0);
  EXPECT_EQ(dialog.vsbNumber->pageStep(), 100);
  EXPECT_EQ(dialog.lblUnit->text(), QStringLiteral("units"));
}

TEST_F(GetNumberTest, BarAndTextFollowEachOther) {
  dialog.Load("m", "t", "u", 30, 10, 100, 1);
  EXPECT_EQ(dialog.vsbNumber->value(), 80);
  dialog.vsbNumber->setValue(79);  // one step up from the opening place
  EXPECT_EQ(dialog.txtNumber->text(), QStringLiteral("31"));
  EXPECT_EQ(dialog.lblNumber->text(), QStringLiteral("31"));

  dialog.txtNumber->setText(QStringLiteral("55"));
  EXPECT_EQ(dialog.vsbNumber->value(), 55);
  EXPECT_EQ(dialog.lblNumber->text(), QStringLiteral("55"));
  dialog.txtNumber->setText(QStringLiteral("250"));
  EXPECT_EQ(dialog.txtNumber->text(), QStringLiteral("100"));
  EXPECT_EQ(dialog.Result(true), 100);
  // A number below the range is kept as the lowest at once and written back when typing ends.
  dialog.txtNumber->setText(QStringLiteral("5"));
  EXPECT_EQ(dialog.lblNumber->text(), QStringLiteral("10"));
  EXPECT_EQ(dialog.txtNumber->text(), QStringLiteral("5"));
  dialog.txtNumber->editingFinished();
  EXPECT_EQ(dialog.txtNumber->text(), QStringLiteral("10"));
}

TEST_F(GetNumberTest, AsTheSimulatorsNumberAskerItAnswersOkAndCancel) {
  platform::NumberAsker& asker = dialog;
  testing::WhenModal([&] {
    dialog.txtNumber->setText(QStringLiteral("42"));
    dialog.cmdOK->click();
  });
  EXPECT_EQ(asker.AskNumber("How far?", "Distance", "km", 5, 0, 100, 1), 42);
  EXPECT_FALSE(dialog.isVisible());
  for (float scale : {0.5f, 1.0f, 25.0f}) {
    testing::WhenModal([&] { dialog.cmdCancel->click(); });
    EXPECT_EQ(asker.AskNumber("How far?", "Distance", "km", 5, 3, 100, scale), 2) << scale;
  }
}

TEST_F(GetNumberTest, Screenshot) {
  dialog.Load("How many units of energy do you want to transfer to the planet?", "Transfer Energy", "units", 250, 0,
              1000, 10);
  testing::SaveScreenshot(dialog, "frmGetNumber");
}

}  // namespace
}  // namespace zelmora::editor
