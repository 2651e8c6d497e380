#include "simulator/play_session.h"
#include "tests/support/temp_game_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace zelmora::simulator {
namespace {

std::string ReadSource(const std::string& relative) {
  std::ifstream f(std::string(ZELMORA_SOURCE_DIR) + "/" + relative, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

std::string Play(const testing::TempGameFolder& game, const std::string& input, std::optional<std::uint64_t> seed,
                 int* status = nullptr) {
  PlaySettings settings;
  settings.gameFolder = game.Path();
  settings.system = "Kestrel Verge";
  settings.planet = 3;
  settings.seed = seed;
  std::istringstream in(input);
  std::ostringstream out;
  int rc = RunPlaySession(settings, in, out);
  if (status) *status = rc;
  return out.str();
}

TEST(Replay, DemoSessionMatchesItsStoredTranscript) {
  testing::DemoGameFolder game;
  const std::string before = game.ReadDescriptor("Kestrel Verge");
  const std::string input = ReadSource("tests/simulator/great_red_session.txt");
  ASSERT_FALSE(input.empty());
  int status = -1;
  const std::string transcript = Play(game, input, 7, &status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(transcript, ReadSource("tests/simulator/great_red_transcript.txt"));
  EXPECT_EQ(Play(game, input, 7), transcript);
  // Playing changes the ship and the record in memory only.
  EXPECT_EQ(game.ReadDescriptor("Kestrel Verge"), before);
  EXPECT_FALSE(game.Exists("ZMDescriptor/Kestrel Verge.edt"));
}

TEST(Replay, QuestionsTakeTheNextLineAndBadInputIsReported) {
  testing::DemoGameFolder game;
  int status = 0;
  const std::string transcript = Play(game,
                                      "tick\nhail\nmaybe\n7\n3\n"  // the chooser: 7 was not offered, 3 was
                                      "tick\nhail\nrespond 1\nphaser\nperhaps\nyes\nfly\ntick 0\nleave\nbeam\nship\n",
                                      1, &status);
  EXPECT_EQ(status, 1);
  EXPECT_NE(transcript.find("> maybe\nerror: answer one of the offered response numbers, or close\n> 7\n"
                            "error: answer one of the offered response numbers, or close\n> 3\n"), std::string::npos)
      << transcript;
  EXPECT_NE(transcript.find("box: The Watch locks its guns on your ship."), std::string::npos);
  EXPECT_NE(transcript.find("box: Your shields have been hit with 40 units."), std::string::npos);
  EXPECT_NE(transcript.find("> perhaps\nerror: answer the question first\n> yes\n"), std::string::npos);
  EXPECT_NE(transcript.find("> hail\nerror: the Hail button is disabled\n"), std::string::npos);
  EXPECT_NE(transcript.find("error: no message is shown to respond to"), std::string::npos);
  EXPECT_NE(transcript.find("error: unknown command: fly"), std::string::npos);
  EXPECT_NE(transcript.find("error: tick takes a whole number"), std::string::npos);
  EXPECT_NE(transcript.find("> beam\nerror: the test has ended\n> ship\nship: "), std::string::npos);
}

TEST(Replay, StartingOptionsReachThePlanet) {
  testing::DemoGameFolder game;
  PlaySettings settings;
  settings.gameFolder = game.Path();
  settings.system = "Kestrel Verge";
  settings.planet = 3;
  settings.seed = 3;
  settings.flags = {*FlagOfCaption("A"), *FlagOfCaption("Treaty")};
  settings.lastVisitTenths = 15;
  std::istringstream in("tick\nflags\nhail\n");
  std::ostringstream out;
  RunPlaySession(settings, in, out);
  const std::string t = out.str();
  EXPECT_NE(t.find("flag set: A - Threatened the Watch\nflag set: Have Treaty\n"), std::string::npos) << t;
  // A visit 1.5 days ago starts in Returned, where flag A silences the Watch.
  EXPECT_NE(t.find("box: The Watch remembers your threats.  No one answers."), std::string::npos) << t;
  EXPECT_NE(t.find("flags: A - Threatened the Watch\n       Have Treaty\n"), std::string::npos) << t;
  EXPECT_EQ(FlagOfCaption("7"), 34);
  EXPECT_EQ(FlagOfCaption("treaty"), 7);
  EXPECT_FALSE(FlagOfCaption("AB"));
}

}  // namespace
}  // namespace zelmora::simulator
