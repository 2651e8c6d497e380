#include "adventure/frm_wizard.h"
#include "adventure/wizard_picture_widget.h"
#include "tests/adventure_windows/adventure_windows_fixture.h"
#include "ui/qt/spin_button.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace zelmora::adventure {
namespace {

using platform::Answer;
using zelmora::testing::SaveScreenshot;
using zelmora::testing::WhenModal;

using WizardWindowTest = AdventureWindowTest;

std::string Text(const QString& s) { return s.toStdString(); }

void Type(QLineEdit* box, const char* text) {
  box->setText(QLatin1String(text));
  emit box->textEdited(box->text());
}

TEST_F(WizardWindowTest, StepsLookAsTheyShouldAndNextValidatesTheSize) {
  ScriptWizardCaller caller(script_);
  frmWizard w(prompter_);
  w.Model().SetCaller(caller);
  EXPECT_EQ(Text(w.windowTitle()), "Adventure Grid Wizard - Select a Grid Size");
  EXPECT_TRUE(w.fraStep[0]->isVisibleTo(&w));
  EXPECT_FALSE(w.fraStep[1]->isVisibleTo(&w));
  EXPECT_FALSE(w.fraStep[1]->isEnabled());
  EXPECT_FALSE(w.cmdBack->isEnabled());
  EXPECT_EQ(Text(w.SizeX->text()), "3");
  EXPECT_EQ(Text(w.lblStep[0]->text()), "Choose the size of your adventure grid:");
  EXPECT_FALSE(w.cmdAdvanced->isVisibleTo(&w));
  SaveScreenshot(w, "frmWizard_step0");

  Type(w.SizeX, "1");
  w.cmdNext->click();
  EXPECT_EQ(Text(w.SizeX->text()), "2");
  EXPECT_TRUE(w.fraStep[0]->isVisibleTo(&w));
  w.udY->findChild<QToolButton*>(QStringLiteral("up"))->click();
  EXPECT_EQ(Text(w.SizeY->text()), "4");
  w.cmdNext->click();
  EXPECT_EQ(Text(w.windowTitle()), "Adventure Grid Wizard - Choose Actions");
  EXPECT_TRUE(w.cmdBack->isEnabled());
  for (QCheckBox* box : w.chkAct) EXPECT_TRUE(box->isChecked());
  EXPECT_EQ(Text(w.chkAct[6]->text()), "What are your current tricorder readings?");
  int advanced = 0;
  w.SetAdvanced([&] { ++advanced; });
  EXPECT_TRUE(w.cmdAdvanced->isVisibleTo(&w));
  w.cmdAdvanced->click();
  EXPECT_EQ(advanced, 1);
  SaveScreenshot(w, "frmWizard_step1");

  w.cmdNext->click();
  EXPECT_EQ(Text(w.cmdNext->text()), "&Finish");
  EXPECT_EQ(Text(w.windowTitle()), "Adventure Grid Wizard - Finish!");
  SaveScreenshot(w, "frmWizard_step2");
  w.cmdBack->click();
  EXPECT_EQ(Text(w.cmdNext->text()), "&Next >");
  EXPECT_EQ(w.Model().Choices().sizeX, "2");
  EXPECT_EQ(w.Model().Choices().sizeY, "4");
}

TEST_F(WizardWindowTest, FinishWritesTheGridAndCancelAsksFirst) {
  int ticked = 0;
  ScriptWizardCaller caller(script_, [&] { ++ticked; });
  {
    frmWizard w(prompter_);
    WhenModal([&] {
      prompter_.Answer(Answer::No);
      w.cmdCancel->click();
      EXPECT_TRUE(w.isVisible());
      prompter_.Answer(Answer::Yes);
      w.cmdCancel->click();
    });
    w.Go(caller);
    EXPECT_EQ(prompter_.Calls().back().title, "Exit Wizard");
    EXPECT_EQ(Get("MessagesArea11"), "ERR");
  }
  frmWizard w(prompter_);
  WhenModal([&] {
    Type(w.SizeX, "2");
    Type(w.SizeY, "2");
    w.cmdNext->click();
    w.chkAct[kSlotSearch]->click();
    w.cmdNext->click();
    w.cmdNext->click();
  });
  w.Go(caller);
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(ticked, 1);
  EXPECT_EQ(Responses("Area22"),
            (std::vector<std::string>{"Go North and report back.*MArea21", "Go West and report back.*MArea12",
                                      "Beam back up to the ship.*MBeamUp",
                                      "What are your current tricorder readings?*MArea22Tri"}));
  EXPECT_EQ(Get("MessagesArea22Search"), "ERR");
  EXPECT_EQ(Get("Beam1"), "We beamed down to Area 1, 1*RArea11");
}

}  // namespace
}  // namespace zelmora::adventure
