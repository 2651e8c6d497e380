#include "tests/cli/zmd_run.h"
#include "tests/support/temp_game_folder.h"

#include <gtest/gtest.h>

namespace zelmora {
namespace {

using testing::Zmd;
using testing::ZmdRun;

std::string Source(const std::string& relative) {
  return testing::TempGameFolder::ReadFile(std::string(ZELMORA_SOURCE_DIR) + "/" + relative);
}

// Great Red's script with its first message reworded.
void Reword(const testing::TempGameFolder& game, const std::string& extension) {
  std::string bytes = game.ReadDescriptor("Kestrel Verge");
  const auto at = bytes.find("Unknown vessel");
  ASSERT_NE(at, std::string::npos);
  bytes.replace(at, 14, "Strange vessel");
  game.WriteDescriptor("Kestrel Verge", bytes, extension);
}

TEST(ZmdPlay, ARecordedSessionChecksCleanUntilTheScriptChanges) {
  testing::DemoGameFolder game;
  const auto input = game.Write("session.txt", Source("tests/simulator/great_red_session.txt"));
  const std::string recording = (game.Path() / "kept" / "great red.txt").string();
  ZmdRun played = Zmd({"play", game.Path().string(), "Kestrel Verge", "3", "--record", recording}, input.string());
  ASSERT_EQ(played.status, 0) << played.out;
  const std::string kept = testing::TempGameFolder::ReadFile(recording);
  ASSERT_EQ(kept.rfind("zmd play recording\n", 0), 0u) << kept;
  EXPECT_NE(kept.find("\nseed: "), std::string::npos);
  EXPECT_EQ(kept.find("seed: clock"), std::string::npos);  // a clock seed is fixed for the replay
  EXPECT_NE(kept.find("commands:\n  # Great Red, first visit"), std::string::npos);
  EXPECT_NE(kept.find("transcript:\n  test: Kestrel Verge, planet 3 (Great Red), seed "), std::string::npos);

  ZmdRun check = Zmd({"play", "--check", recording});
  EXPECT_EQ(check.status, 0) << check.out;
  EXPECT_EQ(check.out.rfind("same transcript (", 0), 0u) << check.out;
  EXPECT_NE(check.out.find("replayed against the saved descriptor"), std::string::npos);

  // The same recording checked in another copy of the game.
  testing::DemoGameFolder other;
  EXPECT_EQ(Zmd({"play", "--check", recording, other.Path().string()}).status, 0);

  Reword(game, ".zmd");
  check = Zmd({"play", "--check", recording});
  EXPECT_EQ(check.status, 1);
  EXPECT_EQ(check.out,
            "the transcript differs from line 10 on (replayed against the saved descriptor):\nrecorded:\n"
            "  text: Unknown vessel, you orbit a storm older than your species, Captain.\nreplayed:\n"
            "  text: Strange vessel, you orbit a storm older than your species, Captain.\n");

  // An open working copy is the script as it is being edited.
  Reword(other, ".edt");
  check = Zmd({"play", "--check", recording, other.Path().string()});
  EXPECT_EQ(check.status, 1);
  EXPECT_NE(check.out.find("(replayed against the working copy)"), std::string::npos) << check.out;
}

TEST(ZmdPlay, ACheckSaysWhenTheRecordingIsTruncated) {
  testing::DemoGameFolder game;
  const auto input = game.Write("session.txt", Source("tests/simulator/great_red_session.txt"));
  const std::string recording = (game.Path() / "great red.txt").string();
  ASSERT_EQ(Zmd({"play", game.Path().string(), "Kestrel Verge", "3", "--record", recording}, input.string()).status, 0);
  const std::string kept = testing::TempGameFolder::ReadFile(recording);
  // Cut within a line of the transcript, as a full disk or a kill would leave it.
  const auto cut = game.Write("cut.txt", kept.substr(0, kept.size() * 2 / 3));
  ZmdRun check = Zmd({"play", "--check", cut.string()});
  EXPECT_EQ(check.status, 1);
  EXPECT_NE(check.out.find(cut.string() + " is truncated: its transcript ends after line "), std::string::npos)
      << check.out;
  EXPECT_NE(check.out.find("the replay agrees with it up to there"), std::string::npos) << check.out;
}

TEST(ZmdPlay, CheckAndRecordRefuseWhatTheyCannotUse) {
  testing::DemoGameFolder game;
  EXPECT_EQ(Zmd({"play", "--check", (game.Path() / "none.txt").string()}).status, 2);
  const auto notRecording = game.Write("notes.txt", "tick\nhail\n");
  ZmdRun r = Zmd({"play", "--check", notRecording.string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("not a recording"), std::string::npos) << r.out;
  const auto elsewhere = game.Write("elsewhere.txt", "zmd play recording\nsystem: Nowhere\nplanet: 1\n");
  EXPECT_EQ(Zmd({"play", "--check", elsewhere.string(), game.Path().string()}).status, 2);
  r = Zmd({"play", game.Path().string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("play needs GAME_FOLDER SYSTEM PLANET"), std::string::npos) << r.out;
  EXPECT_NE(Zmd({"play", "--check", notRecording.string(), "--seed", "3"}).status, 0);
  const auto input = game.Write("empty.txt", "");
  r = Zmd({"play", game.Path().string(), "Kestrel Verge", "3", "--record", "/proc/no/such/place.txt"},
          input.string());
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("cannot write /proc/no/such/place.txt"), std::string::npos) << r.out;
}

TEST(ZmdPlay, TraceExplainsTheChoicesOnStandardError) {
  testing::DemoGameFolder game;
  const auto input = game.Write("session.txt", "tick\nhail\n3\n");
  ZmdRun traced = Zmd({"play", game.Path().string(), "Kestrel Verge", "3", "--seed", "5", "--trace"}, input.string());
  ASSERT_EQ(traced.status, 0) << traced.out;
  EXPECT_NE(traced.out.find("    ResponseHail2: %FCWe have come back for our landing party.*MResearch\n"
                            "      %FC flag C set: failed\n      not offered\n"),
            std::string::npos)
      << traced.out;
  EXPECT_NE(traced.out.find("    *SFA: flag A set\n"), std::string::npos) << traced.out;
  // The transcript itself is what an untraced run prints.
  const std::string plain =
      Zmd({"play", game.Path().string(), "Kestrel Verge", "3", "--seed", "5"}, input.string()).out;
  std::string transcriptLines;
  for (std::size_t at = 0, end; at < traced.out.size(); at = end + 1) {
    end = traced.out.find('\n', at);
    const std::string line = traced.out.substr(at, end - at);
    if (plain.find(line + "\n") != std::string::npos) transcriptLines += line + "\n";
  }
  EXPECT_EQ(transcriptLines, plain);
}

TEST(ZmdPlay, StartsAtAGroupAndChecksTheRecordingFromThere) {
  testing::DemoGameFolder game;
  const auto input = game.Write("from research.txt", "1\ntick\n");
  const std::string recording = (game.Path() / "research.txt").string();
  ZmdRun played = Zmd({"play", game.Path().string(), "Kestrel Verge", "3", "--start", "Research", "--direction",
                       "response", "--record", recording},
                      input.string());
  ASSERT_EQ(played.status, 0) << played.out;
  EXPECT_NE(played.out.find("message: shown\nresponses: 1. Thank you.  We will send a team down.\nstatus"),
            std::string::npos)
      << played.out;
  EXPECT_NE(played.out.find("box: The Watch clears a landing zone"), std::string::npos) << played.out;
  ZmdRun check = Zmd({"play", "--check", recording});
  EXPECT_EQ(check.status, 0) << check.out;

  // A group without items of that direction is refused, not played silently.
  struct Refusal {
    std::vector<std::string> args;
    std::string says;
  };
  for (const Refusal& r : {Refusal{{"--start", "Reserch"}, "planet 3 has no messages in group Reserch"},
                           Refusal{{"--start", "Thanks", "--direction", "response"},
                                   "planet 3 has no responses in group Thanks (ResponsesThanks is not above 0)"},
                           Refusal{{"--start", "Research", "--direction", "sideways"}, "--direction must be"},
                           Refusal{{"--direction", "response"}, "requires --start"}}) {
    std::vector<std::string> args = {"play", game.Path().string(), "Kestrel Verge", "3"};
    args.insert(args.end(), r.args.begin(), r.args.end());
    ZmdRun refused = Zmd(args, input.string());
    EXPECT_NE(refused.status, 0) << refused.out;
    EXPECT_NE(refused.out.find(r.says), std::string::npos) << refused.out;
  }
}

}  // namespace
}  // namespace zelmora
