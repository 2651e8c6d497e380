#include "tests/simulator_windows/test_windows_fixture.h"
#include "simulator/frm_respond.h"
#include "simulator/frm_ss_control.h"
#include "simulator/frm_ss_options.h"
#include "simulator/play_session.h"
#include "simulator/recorded_test.h"
#include "simulator/seeded_random.h"
#include "tests/editor_dialogs/dialog_test_support.h"
#include "tests/simulator/sim_fakes.h"
#include "tests/support/open_demo_system.h"
#include "tests/support/tab_chain.h"
#include "ui/qt/palette.h"

#include <QCheckBox>
#include <QDir>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QWindow>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>

namespace zelmora::simulator {
namespace {

using platform::Answer;

TEST_F(SimulatorWindowsTest, LastVisitDecidesTheGroupAndWhetherHailAndBeamAreOpen) {
  options.Open(3);
  EXPECT_EQ(Text(options.lblLast->text()), "Never");
  options.hsbLast->setValue(5);
  EXPECT_EQ(Text(options.lblLast->text()), "0.5 days ago");
  w.Play([&] {
    EXPECT_EQ(w.demo.record.Planet(3).StateValue, 50);
    EXPECT_FALSE(panel.cmdHail->isEnabled());
    EXPECT_FALSE(panel.cmdBeam->isEnabled());
    EXPECT_TRUE(panel.cmdEnergy->isEnabled());
    EXPECT_FALSE(panel.cmdEnterOrbit->isEnabled());
    EXPECT_TRUE(panel.pnlOrbiting->isVisibleTo(&panel));
    EXPECT_EQ(Text(panel.pnlOrbiting->text()), "Orbiting Great Red");
    EXPECT_EQ(Text(panel.cmdNotes->text()), "Message Level: Back");
    EXPECT_TRUE(panel.MessageClockRunning());
    EXPECT_TRUE(panel.StatusRefreshRunning());
  });
  EXPECT_FALSE(panel.StatusRefreshRunning());
  EXPECT_FALSE(panel.MessageClockRunning());

  options.hsbLast->setValue(15);
  EXPECT_EQ(Text(options.lblLast->text()), "1.5 days ago");
  w.Play([&] {
    EXPECT_EQ(w.demo.record.Planet(3).StateValue, 150);
    EXPECT_TRUE(panel.cmdHail->isEnabled());
    EXPECT_TRUE(panel.cmdBeam->isEnabled());
    EXPECT_EQ(Text(panel.cmdNotes->text()), "Message Level: Returned");
  });
}

TEST_F(SimulatorWindowsTest, HailWithoutHailResponsesIsRefusedAndStaysDisabled) {
  w.demo.store.DeleteKey(w.demo.record.Name, "3", "ResponsesHail");
  options.Open(3);
  w.Play([&] {
    panel.cmdHail->click();
    EXPECT_EQ(w.demo.prompter.Texts().back(), "You cannot hail this planet.");
    EXPECT_FALSE(panel.cmdHail->isEnabled());
  });
}

TEST_F(SimulatorWindowsTest, IgnoringTwiceUsesIgnoreThenIgnoreIgnore) {
  w.Key("MessagesIgnore", "1");
  w.Key("MessageIgnore1", "We said: state your business.");
  w.Key("MessagesIgnoreIgnore", "1");
  w.Key("MessageIgnoreIgnore1", "Then begone.");
  options.Open(3);
  w.Play([&] {
    EXPECT_EQ(w.Shown(), "");
    w.Ticks(1);
    EXPECT_EQ(w.Shown(), "Unknown vessel, you orbit a storm older than your species, Captain.");
    EXPECT_EQ(Text(panel.lblMessage->text()), "Great Red Watch");
    EXPECT_TRUE(panel.cmdRespond->isVisibleTo(&panel));
    panel.cmdIgnore->click();
    EXPECT_FALSE(panel.pnlMessage->isVisibleTo(&panel));
    EXPECT_EQ(panel.focusWidget(), panel.cmdGoat);
    EXPECT_EQ(Text(panel.cmdNotes->text()), "Response Level: INIT");  // still the response side
    w.Ticks(1);
    EXPECT_EQ(w.Shown(), "We said: state your business.");
    EXPECT_EQ(Text(panel.lblMessage->text()), "Message from Planet:");
    panel.cmdIgnore->click();
    w.Ticks(1);
    EXPECT_EQ(w.Shown(), "Then begone.");
  });
}

TEST_F(SimulatorWindowsTest, PhasersUseTheGroupsOwnMessagesElseTheCommonOnes) {
  options.Open(3);
  options.hsbLast->setValue(5);
  w.Play([&] {
    w.demo.prompter.Answer(Answer::Yes);
    panel.cmdPhaser->click();
    EXPECT_EQ(w.demo.prompter.Calls().back().text, "Are you sure you wish to fire phasers this planet?");
    w.Ticks(1);  // chosen; its wait is one tick
    EXPECT_EQ(w.Shown(), "");
    w.Ticks(1);
    EXPECT_EQ(w.Shown(), "You will regret that.");
    EXPECT_EQ(w.demo.prompter.Texts().back(), "Your shields have been hit with 120 units.");
  });
  w.Key("MessagesBackPhaser", "1");
  w.Key("MessageBackPhaser1", "You fire on old friends?");
  w.Play([&] {
    w.demo.prompter.Answer(Answer::Yes);
    panel.cmdPhaser->click();
    w.Ticks(1);
    EXPECT_EQ(w.Shown(), "You fire on old friends?");
  });
  EXPECT_EQ(w.ship.ShieldEnergy, -120);  // the ship carries over from test to test
}

TEST_F(SimulatorWindowsTest, AWaitedMessageShowsThreeTicksAfterItWasChosen) {
  w.Key("Message1", "%W3Late words, %NM.");
  options.Open(3);
  w.Play([&] {
    w.Ticks(1);
    EXPECT_EQ(panel.Test()->Session().Panel().State().CurrentMessage, 1);
    EXPECT_EQ(w.Shown(), "");
    w.Ticks(2);
    EXPECT_EQ(w.Shown(), "");
    EXPECT_TRUE(panel.MessageClockRunning());
    w.Ticks(1);
    EXPECT_EQ(w.Shown(), "Late words, <Player>.");  // plain text, not markup
    EXPECT_FALSE(panel.MessageClockRunning());
  });
}

TEST_F(SimulatorWindowsTest, StatusButtonShowsAndSwitchesTheLevels) {
  options.Open(3);
  w.Play([&] {
    EXPECT_NE(panel.focusWidget(), panel.cmdGoat);
    EXPECT_EQ(Text(panel.cmdNotes->text()), "Message Level: INIT");
    w.Ticks(1);
    EXPECT_EQ(Text(panel.cmdNotes->text()), "Response Level: Hail");
    panel.cmdNotes->click();
    EXPECT_EQ(Text(panel.cmdNotes->text()), "Message Level: INIT");
    EXPECT_EQ(panel.focusWidget(), panel.cmdGoat);
    panel.cmdNotes->click();
    EXPECT_EQ(Text(panel.cmdNotes->text()), "Response Level: Hail");
  });
}

TEST_F(SimulatorWindowsTest, HailOffersTheResponsesWhoseConditionsHoldAndFlagsLightUp) {
  options.Open(3);
  options.show();
  w.Play([&] {
    w.Ticks(1);
    bool chose = false;
    When([&] { return panel.Respond()->isVisible(); },
         [&] {
           chose = true;
           frmRespond& r = *panel.Respond();
           // Response 2 needs flag C: 1 and 3 are offered, one below the other.
           ASSERT_TRUE(r.Option(1) && r.Option(3));
           EXPECT_EQ(r.Option(2), nullptr);
           EXPECT_EQ(r.Option(3)->y(), r.Option(1)->y() + r.Option(1)->height());
           QKeyEvent two(QEvent::KeyPress, Qt::Key_2, Qt::NoModifier, QStringLiteral("2"));
           QApplication::sendEvent(r.cmdSend, &two);
           EXPECT_FALSE(r.Option(1)->isChecked() || r.Option(3)->isChecked());
           r.Option(1)->click();
           r.cmdSend->click();
         });
    panel.cmdHail->click();
    EXPECT_TRUE(chose);
    EXPECT_EQ(Text(panel.cmdNotes->text()), "Message Level: Research");
    EXPECT_FALSE(Lit(options.lblFlag[1]));
    w.Ticks(3);
    EXPECT_EQ(w.Shown(), "Our engineers will tune your shields for the storm.");
    EXPECT_TRUE(Lit(options.lblFlag[1]));  // *SF B, shown at once
    ASSERT_EQ(options.lstFlags->count(), 1);
    EXPECT_EQ(Text(options.lstFlags->item(0)->text()), "B - Received the Watch's gift");
    EXPECT_EQ(options.Marker(2), (MarkerColours{0, 14}));  // ^SH: shields at level 2

    SaveTogether("frmSSControl");
  });
  // Exit: the options show the final flags.
  EXPECT_TRUE(Lit(options.lblFlag[1]));
  EXPECT_EQ(options.lstFlags->count(), 1);
  options.hide();
}

TEST_F(SimulatorWindowsTest, FlagLabelsNamesAndClearing) {
  w.Key("HFlag", "Saw the eye of the storm");
  options.Open(3);
  EXPECT_EQ(Text(options.windowTitle()), "Test Options");
  EXPECT_EQ(Text(options.lblFlag[0]->text()), "A");
  EXPECT_EQ(Text(options.lblFlag[6]->text()), "G");
  EXPECT_EQ(Text(options.lblFlag[7]->text()), "Treaty");
  EXPECT_EQ(Text(options.lblFlag[8]->text()), "H");
  EXPECT_EQ(Text(options.lblFlag[36]->text()), "9");
  EXPECT_TRUE(options.chkUpgrades->isChecked());
  EXPECT_FALSE(options.chkBadGuy->isChecked());
  EXPECT_FALSE(options.chkList->isChecked());
  EXPECT_TRUE(options.fraFlags[0]->isVisibleTo(&options));
  EXPECT_FALSE(options.fraFlags[1]->isVisibleTo(&options));

  Click(options.lblFlag[7]);
  Click(options.lblFlag[8]);
  Click(options.lblFlag[0]);
  EXPECT_TRUE(Lit(options.lblFlag[7]));
  ASSERT_EQ(options.lstFlags->count(), 3);
  EXPECT_EQ(Text(options.lstFlags->item(0)->text()), "Have Treaty");
  EXPECT_EQ(Text(options.lstFlags->item(1)->text()), "H - Saw the eye of the storm");
  EXPECT_EQ(Text(options.lstFlags->item(2)->text()), "A - Threatened the Watch");
  Click(options.lblFlag[7]);
  EXPECT_FALSE(Lit(options.lblFlag[7]));
  EXPECT_EQ(options.lstFlags->count(), 2);

  options.chkList->click();
  EXPECT_FALSE(options.fraFlags[0]->isVisibleTo(&options));
  EXPECT_TRUE(options.fraFlags[1]->isVisibleTo(&options));
  zelmora::testing::SaveScreenshot(options, "frmSSOptions_list");
  emit options.lstFlags->itemDoubleClicked(options.lstFlags->item(0));
  EXPECT_EQ(options.lstFlags->count(), 1);
  EXPECT_FALSE(Lit(options.lblFlag[8]));  // not set again by the next Begin
  options.chkList->click();
  options.cmdClear->click();
  EXPECT_FALSE(Lit(options.lblFlag[0]));
  EXPECT_EQ(options.lstFlags->count(), 0);
}

TEST_F(SimulatorWindowsTest, UpgradeMarkersCycleWhileUpgradesIsTickedAndUntickingResetsThem) {
  options.Open(3);
  for (int k = 1; k <= kUpgradeKinds; ++k) EXPECT_EQ(options.Marker(k), (MarkerColours{0, kButtonFace}));
  Click(options.lblUpgrade[0]);
  Click(options.lblUpgrade[0]);
  EXPECT_EQ(options.Marker(1), (MarkerColours{0, 10}));  // level 3
  EXPECT_TRUE(options.UpEn->styleSheet().contains(QStringLiteral("#00ff00")));
  Click(options.lblUpgrade[0]);
  Click(options.lblUpgrade[0]);
  EXPECT_EQ(options.Marker(1), (MarkerColours{8, 12}));  // level 5
  Click(options.lblUpgrade[4]);
  zelmora::testing::SaveScreenshot(options, "frmSSOptions");
  Click(options.lblUpgrade[0]);
  EXPECT_EQ(options.Marker(1), (MarkerColours{0, kButtonFace}));  // round to 1
  Click(options.lblUpgrade[2]);
  options.chkUpgrades->click();
  EXPECT_FALSE(options.chkUpgrades->isChecked());
  for (int k = 1; k <= kUpgradeKinds; ++k) {
    EXPECT_EQ(options.Marker(k), (MarkerColours{0, kButtonFace})) << k;
    EXPECT_EQ(w.ship.UpgradeLevels[static_cast<std::size_t>(k)], 1);
  }
  Click(options.lblUpgrade[1]);
  EXPECT_EQ(options.Marker(2), (MarkerColours{0, kButtonFace}));
}

// The flag and upgrade labels are buttons to the keyboard too: Tab reaches each, Space presses it.
TEST_F(SimulatorWindowsTest, TheOptionsLabelsAreWorkedFromTheKeyboard) {
  options.Open(3);
  const auto chain = zelmora::testing::TabChain(options);
  const auto reached = [&](QWidget* w) { return std::find(chain.begin(), chain.end(), w) != chain.end(); };
  for (QLabel* label : options.lblFlag) EXPECT_TRUE(reached(label)) << Text(label->objectName());
  for (QLabel* label : options.lblUpgrade) EXPECT_TRUE(reached(label)) << Text(label->objectName());
  EXPECT_TRUE(reached(options.hsbLast));
  EXPECT_THAT(zelmora::testing::Unreachable(options, chain), ::testing::IsEmpty());
  EXPECT_THAT(zelmora::testing::AgainstReadingOrder(chain), ::testing::IsEmpty())
      << ::testing::PrintToString(zelmora::testing::Names(chain));

  options.lblFlag[7]->setFocus();
  QTest::keyClick(options.lblFlag[7], Qt::Key_Space);
  EXPECT_TRUE(Lit(options.lblFlag[7]));
  EXPECT_EQ(options.lstFlags->count(), 1);
  QTest::keyClick(options.lblFlag[7], Qt::Key_Return);
  EXPECT_FALSE(Lit(options.lblFlag[7]));
  options.lblUpgrade[1]->setFocus();
  QTest::keyClick(options.lblUpgrade[1], Qt::Key_Space);
  EXPECT_EQ(w.ship.UpgradeLevels[2], 2);
  options.hide();
}

// The panel and the response chooser: every button on Tab, the focus's resting place never.
TEST_F(SimulatorWindowsTest, ThePanelAndTheChooserAreWorkedWithTab) {
  panel.SetMessageVisible(true);
  auto chain = zelmora::testing::TabChain(panel);
  EXPECT_THAT(zelmora::testing::Unreachable(panel, chain), ::testing::IsEmpty());
  EXPECT_EQ(std::count(chain.begin(), chain.end(), panel.cmdGoat), 0);
  EXPECT_THAT(zelmora::testing::AgainstReadingOrder(chain), ::testing::IsEmpty())
      << ::testing::PrintToString(zelmora::testing::Names(chain));
  panel.hide();
  frmRespond& r = *panel.Respond();
  When([&] { return r.isVisible(); },
       [&] {
         const auto offered = zelmora::testing::TabChain(r);
         EXPECT_THAT(zelmora::testing::Unreachable(r, offered), ::testing::IsEmpty())
             << ::testing::PrintToString(zelmora::testing::Names(offered));
         r.cmdClose->click();
       });
  r.Choose({{1, "We are here to study the storm."}, {3, "Stand aside or be fired upon."}});
}

TEST_F(SimulatorWindowsTest, OptionsSitBelowThePanel) {
  options.Open(3);
  options.show();
  panel.show();
  QApplication::processEvents();
  EXPECT_EQ(options.frameGeometry().top(), panel.frameGeometry().bottom() + 1);
  EXPECT_EQ(options.frameGeometry().center().x(), panel.frameGeometry().center().x());
  panel.hide();
  options.hide();
}

// A window manager on a loaded machine may take a while to frame a window; a failure still ends.
constexpr int kFrameWait = 20000;

// Under a window manager the frames are drawn only once the windows are up: the panel's title
// bar must not cover the options below it. Run on an X screen by under_openbox.sh.
TEST_F(SimulatorWindowsTest, FramesUnderAWindowManagerDoNotOverlap) {
  if (!std::getenv("ZELMORA_WINDOW_MANAGER")) GTEST_SKIP() << "needs a window manager (under_openbox.sh)";
  const auto framed = [](QWidget& w) { return w.windowHandle() && !w.windowHandle()->frameMargins().isNull(); };
  options.Open(3);
  options.show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return framed(options); }, kFrameWait)) << "the options were never framed";
  QRect panelFrame, optionsFrame;
  w.Play([&] {
    EXPECT_TRUE(QTest::qWaitFor([&] { return framed(panel); }, kFrameWait)) << "the panel was never framed";
    QTest::qWait(300);  // the moves made once the frames are known
    panelFrame = panel.frameGeometry();
    optionsFrame = options.frameGeometry();
    QDir().mkpath(QStringLiteral(ZELMORA_SCREENSHOT_DIR));
    panel.screen()->grabWindow(0).save(QStringLiteral(ZELMORA_SCREENSHOT_DIR "/frmSSControl_openbox.png"));
    // The trace shown in the middle of the test widens the panel: both are placed again, apart
    // and on the screen.
    panel.chkTrace->click();
    QTest::qWait(300);
    const QRect wide = panel.frameGeometry();
    const QRect below = options.frameGeometry();
    EXPECT_GT(wide.width(), panelFrame.width());
    EXPECT_LT(wide.bottom(), below.top()) << "the widened panel covers the options";
    EXPECT_TRUE(panel.screen()->availableGeometry().contains(wide)) << "the widened panel leaves the screen";
    panel.screen()->grabWindow(0).save(QStringLiteral(ZELMORA_SCREENSHOT_DIR "/frmSSControl_openbox_trace.png"));
    panel.chkTrace->click();
  });
  options.hide();
  EXPECT_GT(panelFrame.height(), panel.height()) << "no title bar drawn";
  EXPECT_LT(panelFrame.bottom(), optionsFrame.top()) << "the panel covers the options by "
                                                     << panelFrame.bottom() - optionsFrame.top() + 1 << " px";
  EXPECT_LE(optionsFrame.top() - panelFrame.bottom(), 2);
  const QRect area = options.screen()->availableGeometry();
  EXPECT_NEAR(panelFrame.center().x(), area.center().x(), 2);
  EXPECT_NEAR(optionsFrame.center().x(), area.center().x(), 2);
  // Centred together: the space above the panel is the space below the options.
  EXPECT_NEAR(panelFrame.top() - area.top(), area.bottom() - optionsFrame.bottom(), 2);
}

// A test played with the real generator: its recording replays to the same transcript.
TEST(SimulatorWindowsRecording, EveryTestIsKeptAndReplaysExactly) {
  SeededRandom random;
  TestWindows w(random);
  auto& options = *w.options;
  auto& panel = *w.panel;
  const auto folder = zelmora::testing::UniqueTempFolder("recordings");
  options.SetRecordingFolder(folder / "tests");
  options.Open(3);
  Click(options.lblFlag[2]);  // C: all three responses are offered
  w.Play([&] {
    w.Ticks(1);
    When([&] { return panel.Respond()->isVisible(); },
         [&] {
           frmRespond& r = *panel.Respond();
           EXPECT_TRUE(r.Option(1) && r.Option(2) && r.Option(3));
           r.Option(2)->setChecked(true);
           QDir().mkpath(QStringLiteral(ZELMORA_SCREENSHOT_DIR));
           EXPECT_TRUE(r.grab().save(QStringLiteral(ZELMORA_SCREENSHOT_DIR "/frmRespond_conversation.png")));
           r.cmdSend->click();
         });
    panel.cmdHail->click();
    w.Ticks(4);
    panel.cmdPhoton->click();  // refused: no torpedoes
    panel.cmdBeam->click();
    panel.close();  // the close box leaves orbit as Exit does
  });
  ASSERT_TRUE(options.LastRecording());
  const TestRecording& r = *options.LastRecording();
  EXPECT_EQ(r.lines.front(), "tick");
  EXPECT_EQ(r.lines[1], "hail");
  EXPECT_EQ(r.lines[2], "2");
  EXPECT_EQ(r.lines.back(), "exit");
  ASSERT_FALSE(options.LastRecordingFile().empty());
  EXPECT_EQ(options.LastRecordingFile().parent_path(), folder / "tests");
  std::string error;
  const auto kept = LoadRecording(options.LastRecordingFile(), error);
  ASSERT_TRUE(kept) << error;
  EXPECT_EQ(kept->gameFolder, w.demo.game.Path());
  const Replay replay = ReplayRecording(*kept, kept->gameFolder);
  EXPECT_TRUE(replay.workingCopy);
  EXPECT_TRUE(replay.understood);
  EXPECT_EQ(replay.transcript, r.transcript);
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace zelmora::simulator
