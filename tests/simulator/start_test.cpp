#include "simulator/play_session.h"
#include "simulator/start_point.h"
#include "tests/simulator/sim_fakes.h"
#include "tests/support/temp_game_folder.h"

#include <gtest/gtest.h>

#include <sstream>

namespace zelmora::simulator {
namespace {

using fakes::Simulation;
using Kind = StartPoint::Kind;

const std::map<std::string, std::string> kWarScript = {
    {"Messages", "1"},
    {"Message1", "Hello."},
    {"MessagesWar", "1"},
    {"MessageWar1", "Then it is war."},
    {"ResponsesWar", "2"},
    {"ResponseWar1", "%FAWe yield.*MPeace"},
    {"ResponseWar2", "Never!*MDoom"},
    {"MessagesDoom", "1"},
    {"MessageDoom1", "So be it."},
    {"ResponsesHail", "1"},
    {"ResponseHail1", "Hello there.*MWar"},
    {"BeamMessages", "1"},
    {"Beam1", "You land in a war zone.*RWar"},
};

TEST(StartAt, EachKindOfGroupBeginsWhereTheAuthorChose) {
  struct Case {
    StartPoint from;
    bool flagA;
    std::vector<int> offeredAtOnce;  // response numbers offered before any tick
    std::string textAfterATick;
    bool hailLeft, beamLeft;
  };
  const Case cases[] = {
      {{"War", Kind::Messages}, false, {}, "Then it is war.", true, true},
      {{"INIT", Kind::Messages}, false, {}, "Hello.", true, true},
      // The flag chosen at the start decides what is offered.
      {{"War", Kind::Responses}, true, {1, 2}, "", true, true},
      {{"War", Kind::Responses}, false, {2}, "", true, true},
      // Hail and Beam are their one-shot commands.
      {{"Hail", Kind::Responses}, false, {1}, "", false, true},
      {{"Beam", Kind::Messages}, false, {}, "You land in a war zone.", true, false},
  };
  for (const Case& c : cases) {
    const std::string label = StartCaption(c.from) + (c.flagA ? " with flag A" : "");
    Simulation s;
    s.script.keys = kWarScript;
    if (c.flagA) store::SetFlagBit(s.planet(), FlagNumberOfLetter('A'), true);
    s.Enter(150);
    s.panel.StartAt(c.from);
    if (c.offeredAtOnce.empty()) {
      EXPECT_TRUE(s.view.offered.empty()) << label;
    } else {
      ASSERT_EQ(s.view.offered.size(), 1u) << label;
      std::vector<int> numbers;
      for (const auto& o : s.view.offered[0]) numbers.push_back(o.index);
      EXPECT_EQ(numbers, c.offeredAtOnce) << label;
    }
    s.Ticks(1);
    EXPECT_EQ(s.panel.Display().Text(), c.textAfterATick) << label;
    EXPECT_EQ(s.panel.Display().Enabled(PanelCommand::Hail), c.hailLeft) << label;
    EXPECT_EQ(s.panel.Display().Enabled(PanelCommand::Beam), c.beamLeft) << label;
  }
}

TEST(StartAt, AResponseGroupStaysOfferedUntilAnswered) {
  Simulation s;
  s.script.keys = kWarScript;
  s.Enter(150);
  s.view.choices = {std::nullopt, 2};
  s.panel.StartAt({"War", Kind::Responses});
  // Closed without an answer: nothing plays, and Respond offers the group again.
  EXPECT_TRUE(s.panel.Display().Visible());
  EXPECT_FALSE(s.panel.Display().Clock());
  s.Ticks(3);
  EXPECT_EQ(s.panel.State().CurrentMessage, -1);
  s.panel.StatusTick();
  EXPECT_EQ(s.panel.Display().Status(), "Response Level: War");
  s.panel.Respond();
  ASSERT_EQ(s.view.offered.size(), 2u);
  EXPECT_EQ(s.panel.State().MessageLevel, "Doom");
  s.Ticks(1);
  EXPECT_EQ(s.panel.Display().Text(), "So be it.");
  // Ignoring instead follows the group as a shown message of it would.
  Simulation ignored;
  ignored.script.keys = kWarScript;
  ignored.Enter(150);
  ignored.panel.StartAt({"War", Kind::Responses});
  ignored.panel.Ignore();
  EXPECT_EQ(ignored.panel.State().MessageLevel, "IgnoreWar");
}

// The demo's Great Red from its Research responses, flag B chosen at the start.
PlaySettings ResearchStart(const testing::TempGameFolder& game) {
  PlaySettings settings;
  settings.gameFolder = game.Path();
  settings.system = "Kestrel Verge";
  settings.planet = 3;
  settings.seed = 11;
  settings.flags = {*FlagOfCaption("B")};
  settings.from = StartPoint{"Research", Kind::Responses};
  return settings;
}

TEST(StartAt, ASessionStartedAtAGroupIsRecordedAndReplaysExactly) {
  testing::DemoGameFolder game;
  TestRecording recording;
  std::istringstream in("2\ntick\nrespond 1\ntick\n");
  std::ostringstream out;
  ASSERT_EQ(RunPlaySession(ResearchStart(game), in, out, &recording), 0) << out.str();
  const std::string t = out.str();
  EXPECT_NE(t.find("test: Kestrel Verge, planet 3 (Great Red), seed 11\nstart: the responses of Research\n"),
            std::string::npos)
      << t;
  // Offered during orbit entry, before any command: flag B lets the second response through.
  EXPECT_NE(t.find("responses: 1. Thank you.  We will send a team down.\n"
                   "           2. Could you spare some energy?\nstatus: Response Level: Research\n> 2\n"),
            std::string::npos)
      << t;
  EXPECT_NE(t.find("text: Our cells are yours.We will fill your dylithium crystals"), std::string::npos) << t;

  const std::string text = RecordingText(recording);
  EXPECT_NE(text.find("\nstart: responses Research\n"), std::string::npos);
  std::string error;
  const auto read = ParseRecording(text, error);
  ASSERT_TRUE(read) << error;
  EXPECT_EQ(read->start.from, (StartPoint{"Research", Kind::Responses}));
  const ReplayCheck check = CheckReplay(*read, game.Path());
  EXPECT_FALSE(check.difference) << check.difference->line;

  // A recording made before tests could start at a group names none, and replays from the visit.
  TestRecording old = *read;
  old.start.from.reset();
  EXPECT_EQ(RecordingText(old).find("\nstart: "), std::string::npos);
  EXPECT_FALSE(ParseRecording(RecordingText(old), error)->start.from);
  for (const char* bad : {"start: sideways Research", "start: messages", "start: responses  "}) {
    EXPECT_FALSE(ParseRecording(std::string("zmd play recording\nsystem: A\nplanet: 1\n") + bad + "\n", error))
        << bad;
  }
}

}  // namespace
}  // namespace zelmora::simulator
