#include "simulator/play_session.h"
#include "simulator/trace.h"
#include "tests/simulator/sim_fakes.h"
#include "tests/support/temp_game_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace zelmora::simulator {
namespace {

using fakes::Simulation;

struct Lines : TraceSink {
  void TraceLine(const std::string& line) override { lines.push_back(line); }
  std::vector<std::string> lines;
};

// A panel over a hand-written script, traced from orbit entry on.
struct Traced {
  explicit Traced(std::deque<double> draws) {
    sim.random = fakes::QueuedRandom(std::move(draws));
    trace.SetSink(&sink);
  }
  Simulation sim;
  Trace trace;
  Lines sink;
  ControlPanel panel{Services(), sim.view, &sim.options};
  SimulatorServices Services() {
    SimulatorServices s = sim.Services();
    s.trace = &trace;
    return s;
  }
  std::vector<std::string> Tick() {
    sink.lines.clear();
    panel.MessageTick();
    return sink.lines;
  }
};

TEST(Trace, ExplainsWhichMessageTheClockChoseAndWhy) {
  const std::map<std::string, std::string> script = {{"Messages", "3"},
                                                     {"Message1", "%05%FAGreetings.*SFB"},
                                                     {"Message2", "%fAGo away.*H10*RLeave"},
                                                     {"Message3", "Have a gift.*-PT5"}};
  // The chance passes, flag A does not: the first message cannot be sent; the third needs torpedoes.
  Traced t({0.3, 0.9, 0.5});
  t.sim.script.keys = script;
  t.sim.ship.PhotonTorpedoes = 3;
  t.panel.Activate(1);
  EXPECT_EQ(t.Tick(), (std::vector<std::string>{
                          "tick: the clock chooses at level INIT",
                          "  choose one of Message1..3",
                          "    Message1: %05%FAGreetings.*SFB",
                          "      %05 chance 50%: passed (drew 0.300; up to 0.5 passes)",
                          "      %FA flag A set: failed",
                          "      not available",
                          "    Message2: %fAGo away.*H10*RLeave",
                          "      %fA flag A clear: passed",
                          "      available",
                          "    Message3: Have a gift.*-PT5",
                          "      *-PT5 takes 5 PT, the ship holds 3: failed",
                          "      not available",
                          "  chose Message2: 1 of 3 available, drew 0.500 after 1 draw of unavailable ones",
                          "  show Message2",
                          "    *H10: ShieldEnergy 0 -> -10",
                          "    *RLeave: response level INIT -> Leave",
                          "  levels: messages INIT, responses Leave",
                      }));

  // A failed chance is the first and only condition tested.
  Traced failed({0.7, 0.9});
  failed.sim.script.keys = script;
  store::SetFlagBit(failed.sim.planet(), FlagNumberOfLetter('A'), true);
  failed.panel.Activate(1);
  const auto lines = failed.Tick();
  ASSERT_GE(lines.size(), 5u);
  EXPECT_EQ(lines[3], "      %05 chance 50%: failed (drew 0.700; up to 0.5 passes)");
  EXPECT_EQ(lines[4], "      not available");
}

TEST(Trace, WaitsAndAnIdleClockAreToldOnce) {
  Traced t({0.1});
  t.sim.script.keys = {{"Messages", "1"}, {"Message1", "%W2Hello.*MNext"}};
  t.panel.Activate(1);
  EXPECT_EQ(t.Tick().back(), "  Message1 waits 2 seconds");
  EXPECT_EQ(t.Tick(), std::vector<std::string>{"tick: Message1 has waited 1 of 2 seconds"});
  const auto shown = t.Tick();
  EXPECT_EQ(shown.front(), "tick: Message1 has waited its 2 seconds");
  EXPECT_EQ(shown.back(), "  levels: messages Next, responses INIT");
  // Group Next has no messages: the clock asks each second, and the trace says so once.
  t.panel.ClearMessage();
  t.panel.State().CurrentMessage = 0;
  EXPECT_EQ(t.Tick(), std::vector<std::string>{"tick: MessagesNext reads \"ERR\": no message at level Next; the "
                                               "clock asks again each second"});
  EXPECT_TRUE(t.Tick().empty());
  EXPECT_TRUE(t.Tick().empty());
}

TEST(Trace, ChangesNameEveryValueAnActionMoved) {
  TracedState a;
  TracedState b = a;
  EXPECT_EQ(ChangeText(a, b), "no change");
  b.messageLevel = "Research";
  b.flags = 1u << 7 | 1u << 1;
  b.ship.Energy = 1000;
  b.ship.SystemDamage[3] = 0.1f;
  b.ship.UpgradeLevels[4] = 2;
  b.allowance = 3;
  EXPECT_EQ(Changes(a, b), (std::vector<std::string>{"message level INIT -> Research", "flag B set",
                                                     "the treaty flag set", "Energy 0 -> 1000",
                                                     "SN upgrade level 0 -> 2", "damage of system 3 0 -> 0.1",
                                                     "energy allowance 0 -> 3"}));
}

// The trace only watches: a traced test draws the same numbers and shows the same transcript.
TEST(Trace, LeavesTheTestAsItWouldBeUntraced) {
  testing::DemoGameFolder game;
  std::ifstream f(std::string(ZELMORA_SOURCE_DIR) + "/tests/simulator/great_red_session.txt");
  std::stringstream input;
  input << f.rdbuf();
  const auto play = [&](TraceSink* sink) {
    PlaySettings settings;
    settings.gameFolder = game.Path();
    settings.system = "Kestrel Verge";
    settings.planet = 3;
    settings.seed = 7;
    settings.trace = sink;
    std::istringstream in(input.str());
    std::ostringstream out;
    RunPlaySession(settings, in, out);
    return out.str();
  };
  Lines sink;
  EXPECT_EQ(play(&sink), play(nullptr));
  // Every command is headed by its line, and the shown messages are named.
  const auto has = [&](const std::string& line) {
    return std::find(sink.lines.begin(), sink.lines.end(), line) != sink.lines.end();
  };
  EXPECT_TRUE(has("command: hail"));
  EXPECT_TRUE(has("  show MessageResearch2") || has("  show MessageResearch1"));
  EXPECT_TRUE(has("      %FC flag C set: failed"));
}

}  // namespace
}  // namespace zelmora::simulator
