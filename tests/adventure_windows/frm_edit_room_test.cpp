#include "adventure/frm_edit_room.h"
#include "tests/adventure_windows/adventure_windows_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace zelmora::adventure {
namespace {

using platform::Answer;
using zelmora::testing::SaveScreenshot;

using EditRoomWindowTest = AdventureWindowTest;

std::string Text(const QString& s) { return s.toStdString(); }

TEST_F(EditRoomWindowTest, DoorsWalkTheGeneratedGridAndBackAlternates) {
  Grid("3", "3");
  frmEditRoom w(script_, prompter_, {});
  ASSERT_TRUE(w.Prepare("Area22"));
  EXPECT_EQ(Text(w.windowTitle()), "Edit Room - Area22");
  EXPECT_EQ(Text(w.lblRoom->text()), "Area22");
  EXPECT_EQ(Text(w.txtMessage->toPlainText()), "This is Area 2, 2");
  const char* doors[4] = {"Area21", "Area32", "Area23", "Area12"};
  for (int d = 0; d < 4; ++d) {
    EXPECT_TRUE(w.lblDoor[d]->isVisibleTo(&w)) << d;
    EXPECT_EQ(Text(w.lblDoor[d]->text()), doors[d]);
  }
  for (QCheckBox* box : w.chkAct) EXPECT_EQ(box->checkState(), Qt::Checked);
  EXPECT_FALSE(w.cmdBack->isEnabled());
  EXPECT_FALSE(w.txtResponse->isVisibleTo(&w));

  Click(w.lblDoor[kEast]);
  EXPECT_EQ(Text(w.windowTitle()), "Edit Room - Area32");
  EXPECT_FALSE(w.lblDoor[kEast]->isVisibleTo(&w));  // the grid ends here
  EXPECT_EQ(w.chkAct[kSlotEast]->checkState(), Qt::Unchecked);
  Click(w.lblDoor[kSouth]);
  w.cmdBack->click();
  EXPECT_EQ(Text(w.lblRoom->text()), "Area32");
  w.cmdBack->click();
  EXPECT_EQ(Text(w.lblRoom->text()), "Area33");
  w.cmdBack->click();
  EXPECT_EQ(Text(w.lblRoom->text()), "Area32");
  EXPECT_TRUE(prompter_.Calls().empty());
}

TEST_F(EditRoomWindowTest, CustomActionIsTypedShownAndWalkedTo) {
  Grid("3", "3");
  frmEditRoom w(script_, prompter_, {});
  w.Prepare("Area11");
  w.show();
  w.cmdAdd->click();
  ASSERT_EQ(w.lvwActions->topLevelItemCount(), 1);
  EXPECT_EQ(Text(w.lvwActions->topLevelItem(0)->text(1)), "New Action");
  EXPECT_EQ(Text(w.lvwActions->topLevelItem(0)->data(0, Qt::UserRole).toString()), "R6");
  EXPECT_EQ(w.lvwActions->currentItem(), w.lvwActions->topLevelItem(0));
  EXPECT_EQ(w.txtResponse->selectedText(), QStringLiteral("New Action"));
  QTest::keyClicks(w.txtResponse, QStringLiteral("Open the hatch"));
  QTest::keyClicks(w.txtDest, QStringLiteral("Hatch"));
  EXPECT_EQ(Get("ResponseArea116"), "Open the hatch*MHatch");
  EXPECT_EQ(Text(w.lvwActions->topLevelItem(0)->text(0)), "Hatch");
  EXPECT_EQ(Text(w.lvwActions->topLevelItem(0)->text(1)), "Open the hatch");

  // Hovering a standard action shows it in the panel and paints its box.
  Enter(w.chkAct[kSlotBeam]);
  EXPECT_EQ(Text(w.txtResponse->text()), "Beam back up to the ship.");
  EXPECT_EQ(Text(w.txtDest->text()), "BeamUp");
  EXPECT_EQ(w.chkAct[kSlotBeam]->palette().color(QPalette::Window), w.palette().color(QPalette::Highlight));
  EXPECT_EQ(w.lvwActions->currentItem(), nullptr);

  // Back to the custom action: "Other" from its direction menu.
  w.lvwActions->setCurrentItem(w.lvwActions->topLevelItem(0));
  EXPECT_EQ(Text(w.txtResponse->text()), "Open the hatch");
  EXPECT_NE(w.chkAct[kSlotBeam]->palette().color(QPalette::Window), w.palette().color(QPalette::Highlight));
  w.mnuPDir[5]->trigger();
  EXPECT_EQ(Text(w.chkDir->text()), "Other");
  EXPECT_TRUE(w.mnuPDir[5]->isChecked());
  EXPECT_EQ(Get("ResponseArea116"), "%G-Open the hatch*MHatch");
  SaveScreenshot(w, "frmEditRoom");

  // A double click with the left button walks to the row's destination.
  w.show();
  QApplication::processEvents();
  const QRect row = w.lvwActions->visualItemRect(w.lvwActions->topLevelItem(0));
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                            QEvent::MouseButtonRelease}) {
    QMouseEvent event(type, row.center(), w.lvwActions->viewport()->mapToGlobal(row.center()), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.lvwActions->viewport(), &event);
  }
  EXPECT_EQ(Text(w.windowTitle()), "Edit Room - Hatch");
  EXPECT_TRUE(w.cmdBack->isEnabled());
  QTest::keyClicks(w.txtMessage, QStringLiteral("A cramped hatch."));
  EXPECT_EQ(Get("MessageHatch1"), "A cramped hatch.");
  w.txtMessage->setPlainText(QString(300, QLatin1Char('h')));
  EXPECT_EQ(w.txtMessage->toPlainText().size(), 254);
  EXPECT_EQ(Get("MessageHatch1").size(), 254u);
  w.cmdClose->click();
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(Text(w.lblRoom->text()), "Hatch");
}

TEST_F(EditRoomWindowTest, CheckBoxesAskAndShowTheModelsState) {
  frmEditRoom w(script_, prompter_, {});
  w.Prepare("Cave");
  prompter_.Reply("Tunnel");
  w.chkAct[kSlotNorth]->click();
  EXPECT_EQ(prompter_.Calls().back().title, "Enter Room that is North of Cave");
  EXPECT_EQ(w.chkAct[kSlotNorth]->checkState(), Qt::PartiallyChecked);
  EXPECT_EQ(Text(w.lblDoor[kNorth]->text()), "Tunnel");
  EXPECT_TRUE(w.lblDoor[kNorth]->isVisibleTo(&w));

  prompter_.Answer(Answer::No);
  w.chkAct[kSlotNorth]->click();
  EXPECT_EQ(w.chkAct[kSlotNorth]->checkState(), Qt::PartiallyChecked);
  EXPECT_EQ(Get("ResponseCave1"), "%GNGo North and report back.*MTunnel");

  prompter_.Reply(std::nullopt);
  w.chkAct[kSlotEast]->click();
  EXPECT_EQ(w.chkAct[kSlotEast]->checkState(), Qt::Unchecked);
  w.chkAct[kSlotBeam]->click();
  EXPECT_EQ(w.chkAct[kSlotBeam]->checkState(), Qt::Checked);
  w.chkAct[kSlotBeam]->click();
  EXPECT_EQ(w.chkAct[kSlotBeam]->checkState(), Qt::Unchecked);
  EXPECT_EQ(Get("ResponsesCave"), "1");
  EXPECT_TRUE(prompter_.Exhausted());

  // Text the files cannot hold is refused and named; the box keeps what is stored.
  prompter_.AcceptOkBoxes();
  Enter(w.chkAct[kSlotNorth]);
  SaveScreenshot(w, "frmEditRoom_standard");
  w.txtResponse->setText(QStringLiteral("Go \u2192 north"));
  emit w.txtResponse->textEdited(w.txtResponse->text());
  EXPECT_EQ(Text(w.txtResponse->text()), "Go North and report back.");
  EXPECT_EQ(prompter_.Calls().back().text,
            "The game cannot store the character \"\xE2\x86\x92\" "
            "(U+2192).  Please type the text without it.");
}

}  // namespace
}  // namespace zelmora::adventure
