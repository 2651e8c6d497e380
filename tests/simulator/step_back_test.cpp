#include "simulator/play_session.h"
#include "tests/support/temp_game_folder.h"

#include <gtest/gtest.h>

#include <sstream>

namespace zelmora::simulator {
namespace {

std::string Play(const testing::TempGameFolder& game, const std::string& input, TestRecording* recording = nullptr) {
  PlaySettings settings;
  settings.gameFolder = game.Path();
  settings.system = "Kestrel Verge";
  settings.planet = 3;
  settings.seed = 9;
  std::istringstream in(input);
  std::ostringstream out;
  RunPlaySession(settings, in, out, recording);
  return out.str();
}

// What a transcript says from the first "> ship" on.
std::string FromShip(const std::string& transcript) {
  const auto at = transcript.find("> ship\n");
  return at == std::string::npos ? std::string() : transcript.substr(at);
}

TEST(StepBack, BackLeavesTheTestAsIfTheLastCommandHadNeverBeenGiven) {
  testing::DemoGameFolder game;
  const std::string after = "ship\nflags\ntick 2\nship\n";
  struct Case {
    const char* before;
    const char* taken;  // the command (and its answers) that back takes back
  };
  for (const Case& c : {Case{"tick\nhail\n3\n", "tick\n"},  // a random system was damaged
                        Case{"tick\n", "hail\n3\n"},        // a command and its answer
                        Case{"tick\nhail\n1\n", "tick 3\n"}, Case{"tick\nhail\n1\ntick 3\n", "respond 2\n"},
                        Case{"tick\n", "leave\n"}}) {
    const std::string stepped = Play(game, std::string(c.before) + c.taken + "back\n" + after);
    const std::string fresh = Play(game, std::string(c.before) + after);
    EXPECT_EQ(FromShip(stepped), FromShip(fresh)) << c.before << "+ " << c.taken << "\n" << stepped;
    EXPECT_NE(stepped.find("> back\nback: the test as it stood before \""), std::string::npos) << stepped;
    EXPECT_EQ(stepped.find("error:"), std::string::npos) << stepped;
  }
}

TEST(StepBack, BackSaysWhatChangedAndReplaysFromARecording) {
  testing::DemoGameFolder game;
  TestRecording recording;
  const std::string t = Play(game, "tick\nhail\n3\ntick\nback\nback\nback\nback\nhail\n1\n", &recording);
  // Only what differs from the screen before is said: the Threat box's stop of the clock, ...
  EXPECT_NE(t.find("> back\nback: the test as it stood before \"tick\"\nstatus: Message Level: Threat\n"
                   "clock: running\n> back\n"),
            std::string::npos)
      << t;
  // ... the flag set by the threat, and the Hail button used by it.
  EXPECT_NE(t.find("back: the test as it stood before \"hail\"\ntitle: Great Red Watch\n"), std::string::npos) << t;
  EXPECT_NE(t.find("command Hail: enabled\n"), std::string::npos) << t;
  EXPECT_NE(t.find("flag cleared: A - Threatened the Watch\n"), std::string::npos) << t;
  EXPECT_NE(t.find("> back\nerror: there is no command to take back\n"), std::string::npos) << t;

  // The recording keeps the back lines, and replays to the same transcript.
  EXPECT_NE(std::find(recording.lines.begin(), recording.lines.end(), "back"), recording.lines.end());
  EXPECT_FALSE(CheckReplay(recording, game.Path()).difference);
}

}  // namespace
}  // namespace zelmora::simulator
