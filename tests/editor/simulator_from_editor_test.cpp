#include "editor/simulator_wiring.h"
#include "messages/frm_messages.h"
#include "simulator/frm_respond.h"
#include "simulator/frm_ss_control.h"
#include "simulator/frm_ss_options.h"
#include "simulator/recorded_test.h"
#include "tests/cli/zmd_run.h"
#include "tests/editor/editor_window_support.h"
#include "ui/qt/palette.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <filesystem>
#include <sstream>

namespace zelmora::editor::testing {
namespace {

using messages::frmMessages;
using simulator::frmSSControl;
using simulator::frmSSOptions;

bool Lit(QLabel* label) { return label->palette().color(QPalette::Window) == qt::PaletteColour(12); }

// Acts once `ready` holds, checking every few milliseconds (modal windows come up in turn).
void When(std::function<bool()> ready, std::function<void()> act, int tries = 400) {
  QTimer::singleShot(5, [ready, act, tries] {
    if (ready()) act();
    else if (tries > 0) When(ready, act, tries - 1);
    else ADD_FAILURE() << "the window never came up";
  });
}

template <typename W>
void WhenModal(std::function<void(W*)> act) {
  When([] { return qobject_cast<W*>(QApplication::activeModalWidget()) != nullptr; },
       [act] { act(qobject_cast<W*>(QApplication::activeModalWidget())); });
}

// Plays one test from the open Test Options: `play` runs once the panel is in orbit.
void PlayTest(frmSSOptions& options, const std::function<void(frmSSControl&)>& play) {
  frmSSControl& panel = *options.Panel();
  bool played = false;
  When([&] { return panel.isVisible() && panel.Test() && panel.Test()->Entered() && !panel.Test()->Busy(); },
       [&] {
         played = true;
         play(panel);
       });
  options.cmdBegin->click();
  EXPECT_TRUE(played);
}

// Answers the response chooser with `choice` when it comes up.
void ChooseResponse(frmSSControl& panel, int choice) {
  When([&panel] { return panel.Respond()->isVisible(); },
       [&panel, choice] {
         simulator::frmRespond& r = *panel.Respond();
         ASSERT_TRUE(r.Option(choice));
         r.Option(choice)->click();
         r.cmdSend->click();
       });
}

std::size_t LineOf(const std::string& transcript, const std::string& line) {
  std::istringstream s(transcript);
  std::size_t n = 0;
  for (std::string l; std::getline(s, l);) {
    ++n;
    if (l == line) return n;
  }
  return 0;
}

TEST(SimulatorFromTheEditor, MessagesTestBeginHailRespondAndExitBackToTheOptions) {
  EditorOnDemo e;
  auto& w = *e.window;
  e.prompter.AcceptOkBoxes();
  e.Pick("Kestrel Verge");
  auto* options = &w.Simulator().Options();
  const auto folder = zelmora::testing::UniqueTempFolder("editor-tests");
  options->SetRecordingFolder(folder);
  options->Panel()->SetTimersEnabled(false);  // the test ticks the clock itself

  int tests = 0;
  bool editorDone = false;
  // First test: the Watch is threatened and fires on the ship.
  const auto threaten = [&](frmSSOptions* o) {
    ++tests;
    for (int k = 1; k <= 5; ++k) EXPECT_EQ(o->Marker(k), (simulator::MarkerColours{0, simulator::kButtonFace}));
    PlayTest(*o, [&](frmSSControl& panel) {
      panel.MessageTick();
      ChooseResponse(panel, 3);
      panel.cmdHail->click();
      EXPECT_TRUE(Lit(o->lblFlag[0]));  // the response set A
      panel.MessageTick();
      EXPECT_NE(e.prompter.Texts().end(), std::find(e.prompter.Texts().begin(), e.prompter.Texts().end(),
                                                    "Your shields have been hit with 40 units."));
      panel.cmdExit->click();
    });
    o->cmdClose->click();
  };
  // Second test, the ship as the first left it: greeted, answered, and given a gift.
  const auto research = [&](frmSSOptions* o) {
    ++tests;
    EXPECT_TRUE(Lit(o->lblFlag[0]));  // the options kept the last test's flags
    o->cmdClear->click();
    PlayTest(*o, [&](frmSSControl& panel) {
      EXPECT_EQ(Text(panel.pnlOrbiting->text()), "Orbiting Great Red");
      panel.MessageTick();
      EXPECT_EQ(Text(panel.Message->text()),
                "Unknown vessel, you orbit a storm older than your species, Captain.");
      ChooseResponse(panel, 1);
      panel.cmdHail->click();
      EXPECT_EQ(Text(panel.cmdNotes->text()), "Message Level: Research");
      EXPECT_FALSE(Lit(o->lblFlag[1]));
      for (int i = 0; i < 3; ++i) panel.MessageTick();
      EXPECT_TRUE(panel.pnlMessage->isVisible());
      EXPECT_TRUE(Lit(o->lblFlag[1]));  // the gift's message set B
      panel.cmdExit->click();
    });
    // Back in the options, which show the final flags.
    EXPECT_TRUE(o->isVisible());
    EXPECT_FALSE(o->Panel()->isVisible());
    EXPECT_TRUE(Lit(o->lblFlag[1]));
    ASSERT_EQ(o->lstFlags->count(), 1);
    EXPECT_EQ(Text(o->lstFlags->item(0)->text()), "B - Received the Watch's gift");
    o->cmdClose->click();
  };
  OnNextPopup([&](QMenu* menu) { Choose(menu, w.mnuMessages); });
  When([] { return qobject_cast<frmMessages*>(QApplication::activeModalWidget()) != nullptr; }, [&] {
    auto* m = qobject_cast<frmMessages*>(QApplication::activeModalWidget());
    ASSERT_TRUE(m->cmdTest->isEnabled());
    WhenModal<frmSSOptions>(threaten);
    m->cmdTest->click();
    WhenModal<frmSSOptions>(research);
    m->cmdTest->click();
    m->cmdClose->click();
    editorDone = true;
  });
  PressOnView(w, DiscOf(w, 3), Qt::RightButton);
  ASSERT_TRUE(editorDone);
  EXPECT_EQ(tests, 2);

  // Both tests were kept; the second started from the ship the first left.
  ASSERT_TRUE(options->LastRecording());
  const auto& second = *options->LastRecording();
  ASSERT_TRUE(second.start.ship);
  EXPECT_EQ(second.start.ship->ShieldEnergy, -40);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator{}), 2);

  // zmd replays the kept test to the same transcript, until the script is edited.
  const std::string file = options->LastRecordingFile().string();
  zelmora::testing::ZmdRun check = zelmora::testing::Zmd({"play", "--check", file});
  EXPECT_EQ(check.status, 0) << check.out;
  EXPECT_NE(check.out.find("replayed against the working copy"), std::string::npos) << check.out;
  w.Store().WriteKey(w.Record().Name, "3", "Message1", "$Great Red Watch$Who goes there?*RHail");
  check = zelmora::testing::Zmd({"play", "--check", file});
  EXPECT_EQ(check.status, 1);
  const auto line = LineOf(second.transcript,
                           "text: Unknown vessel, you orbit a storm older than your species, Captain.");
  EXPECT_NE(check.out.find("differs from line " + std::to_string(line) + " on"), std::string::npos) << check.out;
  EXPECT_NE(check.out.find("  text: Who goes there?"), std::string::npos);
  std::filesystem::remove_all(folder);
}

TEST(SimulatorFromTheEditor, TestFromHereOpensThePanelAtTheGroupShown) {
  EditorOnDemo e;
  auto& w = *e.window;
  e.prompter.AcceptOkBoxes();
  e.Pick("Kestrel Verge");
  auto* options = &w.Simulator().Options();
  options->SetRecordingFolder({});
  options->Panel()->SetTimersEnabled(false);

  bool played = false;
  bool editorDone = false;
  // Research's responses, deep in the first conversation: offered as soon as the panel is in orbit.
  const auto fromResearch = [&](frmSSOptions* o) {
    EXPECT_EQ(Text(o->lblStart->text()), "The test starts at the responses of Research.");
    o->Options().ToggleFlagLabel(1);  // B: the gift was given
    frmSSControl& panel = *o->Panel();
    ChooseResponse(panel, 2);
    PlayTest(*o, [&](frmSSControl& p) {
      played = true;
      EXPECT_EQ(Text(p.windowTitle()), "Solar System Control Panel - started at the responses of Research");
      EXPECT_EQ(Text(p.cmdNotes->text()), "Message Level: Energy");
      p.MessageTick();
      EXPECT_EQ(Text(p.Message->text()).rfind("Our cells are yours.", 0), 0u);
      p.cmdExit->click();
    });
    o->cmdClose->click();
  };
  OnNextPopup([&](QMenu* menu) { Choose(menu, w.mnuMessages); });
  When([] { return qobject_cast<frmMessages*>(QApplication::activeModalWidget()) != nullptr; }, [&] {
    auto* m = qobject_cast<frmMessages*>(QApplication::activeModalWidget());
    m->Model().GoToItem(messages::Direction::Response, "Research", 0);
    ASSERT_TRUE(m->cmdTestHere->isEnabled());
    WhenModal<frmSSOptions>(fromResearch);
    m->cmdTestHere->click();
    m->cmdClose->click();
    editorDone = true;
  });
  PressOnView(w, DiscOf(w, 3), Qt::RightButton);
  ASSERT_TRUE(editorDone);
  EXPECT_TRUE(played);
  ASSERT_TRUE(options->LastRecording());
  EXPECT_EQ(options->LastRecording()->start.from,
            (simulator::StartPoint{"Research", simulator::StartPoint::Kind::Responses}));
}

}  // namespace
}  // namespace zelmora::editor::testing
