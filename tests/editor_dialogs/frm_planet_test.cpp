#include "editor/frm_planet.h"

#include "tests/editor_dialogs/dialog_test_support.h"
#include "tests/support/open_demo_system.h"
#include "ui/qt/spin_button.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>

#include <gtest/gtest.h>

namespace zelmora::editor {
namespace {

template <typename W>
W* Find(QWidget& dialog, const char* name) {
  W* w = dialog.findChild<W*>(QLatin1String(name));
  EXPECT_NE(w, nullptr) << name;
  return w;
}

void Click(qt::SpinButton* spin, const char* arrow, int times) {
  auto* button = spin->findChild<QToolButton*>(QLatin1String(arrow));
  for (int i = 0; i < times; ++i) button->click();
}

class PlanetDialogTest : public ::testing::Test, protected testing::OpenDemoSystem {
 protected:
  QApplication& app = testing::App();  // before any widget
  void Open(int h, bool picturesHeld = false) {
    dialog.Load(h, store.GetPlanetName(record, h, record.StarName), ReadPlanetProperties(store, record, h, picturesHeld));
  }
  bool Checked(const char* name) { return Find<QAbstractButton>(dialog, name)->isChecked(); }

  frmPlanet dialog{store.GetTables()};
};

TEST_F(PlanetDialogTest, ControlsCarryTheirNamesAndCaptions) {
  Open(2);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Planet Properties - Verdance"));
  EXPECT_EQ(Find<QGroupBox>(dialog, "fraAdv")->title(), QStringLiteral("Advanced"));
  EXPECT_EQ(Find<QRadioButton>(dialog, "gpEnr_3")->text(), QStringLiteral("Dylithium"));
  EXPECT_EQ(Find<QRadioButton>(dialog, "gpAtt_0")->text(), QStringLiteral("En Aggressive"));
  EXPECT_EQ(Find<QCheckBox>(dialog, "chkMessage")->text(), QStringLiteral("Use Custom Messages"));
  // The alien list holds all 256 entries, the empty ones named by number.
  auto* aliens = Find<QComboBox>(dialog, "cboAlienName");
  ASSERT_EQ(aliens->count(), 256);
  EXPECT_EQ(aliens->itemText(0), QString());
  EXPECT_EQ(aliens->itemText(3), QStringLiteral("Thalnori"));
  EXPECT_EQ(aliens->itemText(200), QStringLiteral("Alien # 200"));
  EXPECT_EQ(aliens->currentIndex(), 3);
  EXPECT_TRUE(Checked("gpInh_2") && Checked("gpAtt_2") && Checked("gpAdv_2") && Checked("gpEnr_2"));
  // Twip geometry: 15 twips to the pixel.
  EXPECT_EQ(Find<QGroupBox>(dialog, "fraAtt")->geometry(), QRect(136, 4, 121, 89));
  EXPECT_EQ(dialog.size(), QSize(390, 255));
}

// 256 names would otherwise fill the whole screen height.
TEST_F(PlanetDialogTest, TheAlienListDropsDownAScreenfulWithAScrollBar) {
  Open(2);
  dialog.show();
  auto* aliens = dialog.cboAlienName;
  aliens->showPopup();
  QApplication::processEvents();
  QAbstractItemView* view = aliens->view();
  ASSERT_TRUE(view->isVisible());
  const int rows = view->viewport()->height() / view->sizeHintForRow(0);
  EXPECT_GE(rows, 18);
  EXPECT_LE(rows, 21);
  EXPECT_TRUE(view->verticalScrollBar()->isVisible());
  aliens->hidePopup();
  dialog.hide();
}

TEST_F(PlanetDialogTest, PlantResetsAttitudeAndAdvancementAndDropsTheAlien) {
  Open(2);
  dialog.gpInh[1]->click();
  EXPECT_TRUE(Checked("gpAtt_0"));
  EXPECT_TRUE(Checked("gpAdv_0"));
  EXPECT_TRUE(Checked("gpEnr_2"));
  EXPECT_FALSE(dialog.cboAlienName->isEnabled());
  dialog.gpAtt[3]->click();  // not for plants
  EXPECT_TRUE(Checked("gpAtt_0"));

  dialog.cmdOK->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  ApplyPlanetProperties(store, record, 2, dialog.Shown());
  EXPECT_EQ(record.Planet(2).Attributes, 1 * 16384 + 2 * 256);
}

TEST_F(PlanetDialogTest, ExtinctKeepsTheAdvancementButNotTheAttitude) {
  Open(2);
  dialog.gpAdv[3]->click();
  dialog.gpInh[3]->click();
  EXPECT_TRUE(Checked("gpAtt_0"));
  EXPECT_TRUE(Checked("gpAdv_3"));
  EXPECT_TRUE(dialog.cboAlienName->isEnabled());
  EXPECT_EQ(dialog.Shown().Attributes.AlienIndex, 3);
}

TEST_F(PlanetDialogTest, SizeAndMoonsStopAtTheirLimits) {
  Open(2);
  Click(dialog.spnSize, "up", 9);
  Click(dialog.spnMoons, "up", 40);
  EXPECT_EQ(dialog.lblSize->text(), QStringLiteral("5"));
  EXPECT_EQ(dialog.lblMoons->text(), QStringLiteral("25"));
  Click(dialog.spnSize, "down", 9);
  Click(dialog.spnMoons, "down", 40);
  EXPECT_EQ(dialog.lblSize->text(), QStringLiteral("1"));
  EXPECT_EQ(dialog.lblMoons->text(), QStringLiteral("0"));
  EXPECT_EQ(dialog.Shown().Size, 1);
}

TEST_F(PlanetDialogTest, BeltsAndPlanetsWithoutSectionsHaveTheirControlsDisabled) {
  Open(3);  // an asteroid belt without a message section
  EXPECT_FALSE(dialog.spnSize->isEnabled());
  EXPECT_FALSE(dialog.spnMoons->isEnabled());
  EXPECT_EQ(dialog.lblSize->text(), QStringLiteral("0"));
  EXPECT_FALSE(dialog.chkMessage->isEnabled());
  EXPECT_FALSE(dialog.chkMessage->isChecked());
  EXPECT_FALSE(dialog.chkPicture->isEnabled());
  EXPECT_FALSE(dialog.cmdPic->isEnabled());
  EXPECT_FALSE(dialog.cmdMsg->isEnabled());

  Open(2, true);  // the next use is filled afresh
  EXPECT_TRUE(dialog.spnSize->isEnabled());
  EXPECT_TRUE(dialog.chkMessage->isEnabled());
  EXPECT_TRUE(dialog.chkMessage->isChecked());
  EXPECT_TRUE(dialog.chkPicture->isEnabled());
  EXPECT_FALSE(dialog.chkPicture->isChecked());
}

TEST_F(PlanetDialogTest, EditButtonsWorkOnceTheirWindowsAreHandedIn) {
  int openedFor = 0;
  dialog.SetMessageEditor([&](int h, bool ticked) {
    openedFor = h;
    EXPECT_TRUE(ticked);
    return frmPlanet::SwitchState{true, false};  // the section went: disabled and cleared
  });
  Open(2);
  EXPECT_TRUE(dialog.cmdMsg->isEnabled());
  EXPECT_FALSE(dialog.cmdPic->isEnabled());
  dialog.cmdMsg->click();
  EXPECT_EQ(openedFor, 2);
  EXPECT_FALSE(dialog.chkMessage->isEnabled());
  EXPECT_FALSE(dialog.chkMessage->isChecked());
}

TEST_F(PlanetDialogTest, RunGivesTheValuesAfterOkAndNothingAfterCancel) {
  auto shown = ReadPlanetProperties(store, record, 4, false);
  testing::WhenModal([&] {
    dialog.gpEnr[0]->click();
    dialog.cmdOK->click();
  });
  auto chosen = dialog.Run(4, "Cinder's Rest", shown);
  ASSERT_TRUE(chosen);
  EXPECT_EQ(chosen->Attributes.Energy, 0);
  EXPECT_FALSE(dialog.isVisible());

  testing::WhenModal([&] {
    dialog.gpInh[0]->click();
    dialog.cmdCancel->click();
  });
  EXPECT_FALSE(dialog.Run(4, "Cinder's Rest", shown));
  EXPECT_EQ(record.Planet(4).Attributes, 50432);  // Cancel changed nothing
}

TEST_F(PlanetDialogTest, Screenshot) {
  Open(2, true);
  testing::SaveScreenshot(dialog, "frmPlanet");
}

}  // namespace
}  // namespace zelmora::editor
