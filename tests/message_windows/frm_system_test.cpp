#include "simulator/frm_system.h"

#include "tests/editor_dialogs/dialog_test_support.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace zelmora::simulator {
namespace {

class SystemWindowTest : public ::testing::Test {
 protected:
  std::optional<int> Checked() {
    std::optional<int> checked;
    for (int i = 0; i < kSystemCount; ++i) {
      if (dialog.optSys[static_cast<std::size_t>(i)]->isChecked()) checked = i;
    }
    return checked;
  }

  QApplication& app = testing::App();  // before any widget
  frmSystem dialog;
};

TEST_F(SystemWindowTest, ListsTheShipSystemsInNumberOrder) {
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Choose a System"));
  EXPECT_EQ(dialog.fraSystems->title(), QStringLiteral("Available Systems"));
  auto* first = dialog.findChild<QRadioButton*>(QStringLiteral("optSys_0"));
  ASSERT_TRUE(first);
  EXPECT_EQ(first->text(), QStringLiteral("Random System"));
  EXPECT_EQ(dialog.findChild<QRadioButton*>(QStringLiteral("optSys_1"))->text(), QStringLiteral("Warp Engines"));
  EXPECT_EQ(dialog.findChild<QRadioButton*>(QStringLiteral("optSys_8"))->text(), QStringLiteral("Library Computer"));
  EXPECT_GT(dialog.optSys[8]->y(), dialog.optSys[0]->y());
  // The title has room beside a window frame's icon and three buttons, in a title bar's bold font.
  QFont titleFont = QApplication::font();
  titleFont.setBold(true);
  EXPECT_GE(dialog.width(), QFontMetrics(titleFont).horizontalAdvance(dialog.windowTitle()) + 130);
}

TEST_F(SystemWindowTest, OkAnswersTheChosenSystemAndTheCloseBoxTheCurrentOne) {
  testing::WhenModal([&] {
    EXPECT_EQ(Checked(), 3);
    EXPECT_EQ(dialog.focusWidget(), dialog.optSys[0]);  // activation
    EXPECT_EQ(Checked(), 3);                            // focus alone chooses nothing
    dialog.optSys[5]->click();
    dialog.cmdOK->click();
  });
  EXPECT_EQ(dialog.Choose(3), 5);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.Chooser().Tag(), 5);

  // The close box keeps the tag of the last OK but answers the system the action had.
  testing::WhenModal([&] {
    dialog.optSys[7]->click();
    dialog.close();
  });
  EXPECT_EQ(dialog.Choose(2), 2);
  EXPECT_EQ(dialog.Chooser().Tag(), 5);

  // OK without a selection answers the number after the last system.
  testing::WhenModal([&] {
    EXPECT_EQ(Checked(), std::nullopt);
    dialog.cmdOK->click();
  });
  EXPECT_EQ(dialog.Choose(12), kNoSystemChosen);
  testing::WhenModal([&] { dialog.cmdOK->click(); });
  EXPECT_EQ(dialog.Choose(0), 0);
}

TEST(SystemChooser, TagRules) {
  SystemChooser chooser;
  EXPECT_EQ(chooser.Tag(), std::nullopt);
  chooser.Open(4);
  EXPECT_EQ(chooser.Result(false), 4);  // closed before any OK
  chooser.Select(6);
  chooser.Accept();
  EXPECT_EQ(chooser.Result(true), 6);
  chooser.Open(-1);
  EXPECT_EQ(chooser.Selected(), std::nullopt);
  chooser.Accept();
  EXPECT_EQ(chooser.Tag(), kNoSystemChosen);
}

TEST_F(SystemWindowTest, Screenshot) {
  dialog.Load(6);
  testing::SaveScreenshot(dialog, "frmSystem");
}

}  // namespace
}  // namespace zelmora::simulator
