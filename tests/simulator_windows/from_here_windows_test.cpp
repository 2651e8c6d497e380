#include "simulator/play_session.h"
#include "tests/simulator_windows/test_windows_fixture.h"

#include <QCheckBox>
#include <QDir>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace zelmora::simulator {
namespace {

using platform::Answer;

TEST_F(SimulatorWindowsTest, TheTracePanelStandsBesideThePanelAndExplainsEachTick) {
  options.Open(3);
  options.show();
  const int narrow = panel.width();
  options.chkTrace->setChecked(true);
  w.Play([&] {
    EXPECT_TRUE(panel.txtTrace->isVisibleTo(&panel));
    EXPECT_GT(panel.width(), narrow + 300);
    w.Ticks(1);
    const std::string trace = Text(panel.txtTrace->toPlainText());
    EXPECT_NE(trace.find("orbit entry: last visit 0 hundredths of a day, level INIT\n"
                         "tick: the clock chooses at level INIT\n  choose one of Message1..1\n"),
              std::string::npos)
        << trace;
    EXPECT_NE(trace.find("  show Message1\n    *RHail: response level INIT -> Hail"), std::string::npos) << trace;

    bool chose = false;
    When([&] { return panel.Respond()->isVisible(); },
         [&] {
           chose = true;
           // While the author chooses, the trace already says why response 2 is missing.
           EXPECT_NE(Text(panel.txtTrace->toPlainText()).find("      %FC flag C set: failed\n      not offered"),
                     std::string::npos);
           panel.Respond()->Option(1)->click();
           panel.Respond()->cmdSend->click();
         });
    panel.cmdHail->click();
    EXPECT_TRUE(chose);
    w.Ticks(1);

    SaveTogether("frmSSControl_trace");
  });
  // Without the box the next test starts in the panel's own width; the panel's box shows the
  // trace of everything so far in the middle of the test, and hides it again.
  options.chkTrace->setChecked(false);
  w.Play([&] {
    EXPECT_FALSE(panel.txtTrace->isVisibleTo(&panel));
    EXPECT_FALSE(panel.chkTrace->isChecked());
    EXPECT_EQ(panel.width(), narrow);
    w.Ticks(1);
    panel.chkTrace->click();
    EXPECT_TRUE(panel.txtTrace->isVisibleTo(&panel));
    EXPECT_GT(panel.width(), narrow + 300);
    EXPECT_TRUE(options.chkTrace->isChecked());  // the next test starts as this one is left
    EXPECT_NE(Text(panel.txtTrace->toPlainText()).find("tick: the clock chooses at level INIT"), std::string::npos);
    panel.chkTrace->click();
    EXPECT_FALSE(panel.txtTrace->isVisibleTo(&panel));
    EXPECT_EQ(panel.width(), narrow);
    EXPECT_FALSE(options.chkTrace->isChecked());
  });
  options.hide();
}

TEST_F(SimulatorWindowsTest, ATestFromAResponseGroupOffersItsResponsesFirst) {
  options.Open(3, StartPoint{"Research", StartPoint::Kind::Responses});
  EXPECT_EQ(Text(options.lblStart->text()), "The test starts at the responses of Research.");
  options.Options().ToggleFlagLabel(1);
  bool offered = false;
  When([&] { return panel.Respond()->isVisible(); },
       [&] {
         offered = true;
         EXPECT_EQ(Text(panel.windowTitle()), "Solar System Control Panel - started at the responses of Research");
         // Flag B, chosen in the options, lets the second response through.
         frmRespond& r = *panel.Respond();
         ASSERT_TRUE(r.Option(1) && r.Option(2));
         r.Option(2)->click();
         r.cmdSend->click();
       });
  w.Play([&] {
    EXPECT_EQ(Text(panel.cmdNotes->text()), "Message Level: Energy");
    w.Ticks(1);
    EXPECT_EQ(w.Shown().rfind("Our cells are yours.", 0), 0u) << w.Shown();
  });
  EXPECT_TRUE(offered);
  // The recording keeps the start, and replays to the same transcript.
  ASSERT_TRUE(options.LastRecording());
  EXPECT_EQ(options.LastRecording()->start.from, (StartPoint{"Research", StartPoint::Kind::Responses}));
  EXPECT_FALSE(CheckReplay(*options.LastRecording(), w.demo.game.Path()).difference);

  // The plain Test starts where the visit puts it, under the panel's own title.
  options.Open(3);
  EXPECT_EQ(Text(options.lblStart->text()), "The test starts where the last visit puts it.");
  w.Play([&] { EXPECT_EQ(Text(panel.windowTitle()), "Solar System Control Panel"); });
}

TEST_F(SimulatorWindowsTest, StepBackRestoresThePreviousScreen) {
  options.Open(3);
  options.chkTrace->setChecked(true);
  w.Play([&] {
    EXPECT_FALSE(panel.cmdBack->isEnabled());
    w.Ticks(1);
    const std::string greeting = w.Shown();
    When([&] { return panel.Respond()->isVisible(); },
         [&] {
           panel.Respond()->Option(3)->click();
           panel.Respond()->cmdSend->click();
         });
    panel.cmdHail->click();
    w.Ticks(1);
    EXPECT_TRUE(Lit(options.lblFlag[0]));  // Stand aside: flag A
    EXPECT_FALSE(panel.cmdHail->isEnabled());
    EXPECT_LT(w.ship.ShieldEnergy, 0);
    ASSERT_TRUE(panel.cmdBack->isEnabled());

    panel.cmdBack->click();
    EXPECT_EQ(w.Shown(), greeting);
    EXPECT_TRUE(panel.cmdHail->isEnabled());
    EXPECT_FALSE(Lit(options.lblFlag[0]));
    EXPECT_EQ(options.lstFlags->count(), 0);
    EXPECT_EQ(w.ship.ShieldEnergy, 0);
    EXPECT_EQ(Text(panel.cmdNotes->text()), "Response Level: Hail");
    EXPECT_FALSE(panel.MessageClockRunning());
    // The trace is that of the test as it now stands.
    const std::string trace = Text(panel.txtTrace->toPlainText());
    EXPECT_EQ(trace.find("command: hail"), std::string::npos) << trace;
    EXPECT_NE(trace.find("show Message1"), std::string::npos) << trace;
    EXPECT_FALSE(panel.cmdBack->isEnabled());
  });
  options.chkTrace->setChecked(false);
  // What is kept is the test as it ended: without the command taken back.
  ASSERT_TRUE(options.LastRecording());
  EXPECT_EQ(options.LastRecording()->lines, (std::vector<std::string>{"tick", "exit"}));
}

}  // namespace
}  // namespace zelmora::simulator
