#include "simulator/frm_respond.h"

#include "tests/editor_dialogs/dialog_test_support.h"
#include "ui/qt/twip_layout.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace zelmora::simulator {
namespace {

void PressKey(QWidget* target, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(QChar(key)));
  QApplication::sendEvent(target, &press);
}

class RespondWindowTest : public ::testing::Test {
 protected:
  std::optional<int> Checked() {
    std::optional<int> checked;
    for (int i = 1; i <= 9; ++i) {
      if (dialog.Option(i) && dialog.Option(i)->isChecked()) checked = i;
    }
    return checked;
  }
  QApplication& app = zelmora::testing::App();
  frmRespond dialog;
};

TEST_F(RespondWindowTest, OptionsStackWithoutGapsAndDigitsSelectByResponseNumber) {
  const int empty = dialog.height();
  const int sendTop = dialog.cmdSend->y();
  zelmora::testing::WhenModal([&] {
    QRadioButton* first = dialog.Option(1);
    QRadioButton* third = dialog.Option(3);
    ASSERT_TRUE(first && third);
    EXPECT_EQ(dialog.Option(2), nullptr);
    EXPECT_EQ(first->objectName(), QStringLiteral("Response_1"));
    EXPECT_EQ(third->objectName(), QStringLiteral("Response_3"));
    EXPECT_EQ(third->y(), first->y() + first->height());  // no gap where response 2 would be
    EXPECT_EQ(first->y(), dialog.Response_0->y() + dialog.Response_0->height());
    EXPECT_FALSE(dialog.Response_0->isVisible());
    EXPECT_EQ(dialog.height(), empty + 2 * first->height());
    EXPECT_EQ(dialog.cmdSend->y(), sendTop + 2 * first->height());
    EXPECT_EQ(third->text(), QStringLiteral("Stand && deliver"));  // "&" is text
    EXPECT_EQ(dialog.focusWidget(), dialog.cmdSend);
    EXPECT_FALSE(Checked());
    PressKey(dialog.cmdSend, Qt::Key_2);
    EXPECT_FALSE(Checked());
    PressKey(dialog.cmdSend, Qt::Key_3);
    EXPECT_EQ(Checked(), 3);
    EXPECT_EQ(dialog.focusWidget(), dialog.cmdSend);
    PressKey(dialog.cmdSend, Qt::Key_1);
    EXPECT_EQ(Checked(), 1);
    dialog.cmdSend->click();
  });
  EXPECT_EQ(dialog.Choose({{1, "We come in peace."}, {3, "Stand & deliver"}}), 1);
  EXPECT_EQ(dialog.Tag(), 1);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.Option(1), nullptr);
  EXPECT_EQ(dialog.height(), empty);
  EXPECT_EQ(dialog.cmdSend->y(), sendTop);

  // A second use starts with nothing selected, whatever was chosen before.
  zelmora::testing::WhenModal([&] {
    EXPECT_FALSE(Checked());
    dialog.cmdSend->click();
  });
  EXPECT_EQ(dialog.Choose({{2, "Hello"}}), std::nullopt);
  zelmora::testing::WhenModal([&] {
    dialog.Option(2)->click();
    dialog.cmdClose->click();
  });
  EXPECT_EQ(dialog.Choose({{2, "Hello"}}), std::nullopt);
  EXPECT_EQ(dialog.height(), empty);
}

TEST_F(RespondWindowTest, ThreeOptionsAsTheyLook) {
  dialog.Offer({{1, "We are here to study the storm."},
                {2, "We have come back for our landing party."},
                {3, "Stand aside or be fired upon."}});
  dialog.show();
  QApplication::processEvents();
  dialog.Option(2)->setChecked(true);  // after the activation, which clears the choice
  zelmora::testing::SaveScreenshot(dialog, "frmRespond");
  EXPECT_EQ(dialog.Option(3)->y() + dialog.Option(3)->height() + qt::TwipsToPixels(120), dialog.cmdSend->y());
  EXPECT_LE(dialog.cmdSend->geometry().bottom(), dialog.height());
}

}  // namespace
}  // namespace zelmora::simulator
