#include "check/coverage.h"
#include "simulator/play_session.h"
#include "tests/check/check_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>

namespace zelmora::check {
namespace {

struct CoverageTest : testing::CheckFixture {
  void SetUp() override {
    Write({"Messages=2", "Message1=%FAWelcome back.*RHail", "Message2=%fAWho are you?*RHail", "ResponsesHail=2",
           // Levels are found without regard to case, as the game's reader finds keys.
           "ResponseHail1=Friends.*Mpeace", "ResponseHail2=Enemies.*MWar", "MessagesPeace=1", "MessagePeace1=Good.",
           "MessagesWar=1", "MessageWar1=Then leave.", "BeamMessages=1", "Beam1=You land."});
  }
  simulator::TestRecording Record(const std::string& input, std::vector<int> flags = {}) {
    simulator::PlaySettings settings;
    settings.gameFolder = game.Path();
    settings.system = "Probe";
    settings.planet = 1;
    settings.seed = 1;
    settings.flags = std::move(flags);
    std::istringstream in(input);
    std::ostringstream out;
    simulator::TestRecording recording;
    EXPECT_EQ(simulator::RunPlaySession(settings, in, out, &recording), 0) << out.str();
    return recording;
  }
  static PlanetCoverage Of(const std::vector<simulator::TestRecording>& recordings,
                           const std::filesystem::path& folder) {
    CoverageCounter counter;
    for (const auto& r : recordings) counter.Add(r, folder);
    const auto report = counter.Report();
    EXPECT_EQ(report.size(), 1u);
    return report.empty() ? PlanetCoverage{} : report[0];
  }
  // The keys of a part that were played.
  static std::set<std::string> Played(const std::vector<std::string>& all, const CoveragePart& part) {
    std::set<std::string> played(all.begin(), all.end());
    for (const auto& key : part.neverPlayed) played.erase(key);
    return played;
  }
};

TEST_F(CoverageTest, TwoRecordingsCoverTheUnionOfWhatEachPlayed) {
  const auto friendly = Record("tick\nhail\n1\ntick\n");
  const auto hostile = Record("tick\nrespond 2\ntick\nbeam\n", {0});
  const std::vector<std::string> messages = {"Message1", "Message2", "MessagePeace1", "MessageWar1", "Beam1"};
  const std::vector<std::string> responses = {"ResponseHail1", "ResponseHail2"};

  const PlanetCoverage a = Of({friendly}, game.Path());
  const PlanetCoverage b = Of({hostile}, game.Path());
  const PlanetCoverage both = Of({friendly, hostile}, game.Path());
  EXPECT_EQ(Played(messages, a.messages), (std::set<std::string>{"Message2", "MessagePeace1"}));
  EXPECT_EQ(Played(responses, a.responses), (std::set<std::string>{"ResponseHail1"}));
  EXPECT_EQ(Played(messages, b.messages), (std::set<std::string>{"Message1", "MessageWar1", "Beam1"}));
  EXPECT_EQ(a.messages.present, 5);
  EXPECT_EQ(a.responses.present, 2);
  EXPECT_EQ(a.messages.neverPlayed, (std::vector<std::string>{"Message1", "MessageWar1", "Beam1"}));

  std::set<std::string> union_ = Played(messages, a.messages);
  for (const auto& key : Played(messages, b.messages)) union_.insert(key);
  EXPECT_EQ(Played(messages, both.messages), union_);
  EXPECT_EQ(both.messages.played, 5);
  EXPECT_EQ(both.responses.played, 2);
  EXPECT_TRUE(both.messages.neverPlayed.empty());
  EXPECT_EQ(both.recordings, 2);
  EXPECT_EQ(both.name, "Probe I");
}

TEST_F(CoverageTest, ACommandTakenBackPlayedNothing) {
  // The hostile answer is taken back before the friendly one is sent.
  const auto recorded = Record("tick\nhail\n2\nback\nhail\n1\ntick\n");
  const auto c = Of({recorded}, game.Path());
  const auto friendly = Of({Record("tick\nhail\n1\ntick\n")}, game.Path());
  EXPECT_EQ(c.responses.neverPlayed, (std::vector<std::string>{"ResponseHail2"}));
  EXPECT_EQ(c.messages.neverPlayed, friendly.messages.neverPlayed);
}

TEST_F(CoverageTest, ARecordingOfAnEarlierScriptCountsWhatItPlaysNow) {
  const auto friendly = Record("tick\nhail\n1\ntick\n");
  // The friendly answer now leads to war.
  Write({"Messages=2", "Message1=%FAWelcome back.*RHail", "Message2=%fAWho are you?*RHail", "ResponsesHail=2",
         "ResponseHail1=Friends.*MWar", "ResponseHail2=Enemies.*MWar", "MessagesPeace=1", "MessagePeace1=Good.",
         "MessagesWar=1", "MessageWar1=Then leave."});
  CoverageCounter counter;
  const auto outcome = counter.Add(friendly, game.Path());
  EXPECT_TRUE(outcome.understood);
  ASSERT_TRUE(outcome.departsAt);
  const auto report = counter.Report();
  ASSERT_EQ(report.size(), 1u);
  EXPECT_EQ(report[0].messages.neverPlayed, (std::vector<std::string>{"Message1", "MessagePeace1"}));
}

TEST_F(CoverageTest, RoomsAreEnteredByTheirMessagesOrTheirDoors) {
  Write({"BeamMessages=1", "Beam1=We beamed down into a cave*RCave", "MessagesCave=1", "MessageCave1=A dark cave.",
         "ResponsesCave=2", "ResponseCave1=Go east.*MHall", "ResponseCave2=Beam back up.*MBeamUp", "MessagesHall=1",
         "MessageHall1=A long hall.", "ResponsesHall=1", "ResponseHall1=Beam back up.*MBeamUp", "MessagesBeamUp=1",
         "MessageBeamUp1=Beam up.*RNone"});
  // The beam message offers the cave's doors without showing the cave's own description.
  const auto c = Of({Record("beam\nrespond 1\ntick\n")}, game.Path());
  EXPECT_EQ(c.rooms.present, 2);
  EXPECT_EQ(c.rooms.played, 2) << ::testing::PrintToString(c.rooms.neverPlayed);
  EXPECT_EQ(c.messages.neverPlayed, (std::vector<std::string>{"MessageCave1", "MessageBeamUp1"}));

  const auto none = Of({Record("leave\n")}, game.Path());
  EXPECT_EQ(none.rooms.neverPlayed, (std::vector<std::string>{"Cave", "Hall"}));
}

TEST_F(CoverageTest, RecordingsKeptInFoldersNoteWhatNoneOfThemPlayed) {
  const auto friendly = Record("tick\nhail\n1\ntick\n");
  auto elsewhere = friendly;
  elsewhere.start.planet = 2;
  auto otherGame = friendly;
  otherGame.gameFolder = game.Path() / "PICTURES";
  const auto kept = game.Path() / "Recordings";
  std::filesystem::create_directories(kept);
  ASSERT_TRUE(simulator::SaveRecording(friendly, kept / "friendly.txt"));
  ASSERT_TRUE(simulator::SaveRecording(elsewhere, kept / "other planet.txt"));
  ASSERT_TRUE(simulator::SaveRecording(otherGame, kept / "other game.txt"));
  game.WriteFile(kept / "notes.txt", "not a recording");
  game.WriteFile(kept / "friendly.bak", "");

  const auto files = RecordingFiles({kept, game.Path() / "no such folder"});
  ASSERT_EQ(files.size(), 4u);  // every .txt; what is not a recording is dropped when read
  // The folder is the same however its path is spelt, and the system however it is cased.
  const PlanetPlayed played = PlayedByRecordings(files, game.Path() / "Recordings" / "..", "PROBE", 1);
  EXPECT_EQ(played.recordings, 1);
  EXPECT_TRUE(played.WasPlayed("responsehail1"));

  const auto notes = UntestedFindings(Script(), played);
  std::vector<std::string> where;
  for (const Finding& f : notes) {
    EXPECT_EQ(f.severity, Severity::Note);
    EXPECT_EQ(f.kind, FindingKind::Untested);
    where.push_back(f.key + " " + f.group + " " + ListName(f.list) + " " + std::to_string(f.item) + ": " + f.message);
  }
  std::sort(where.begin(), where.end());
  EXPECT_EQ(where, (std::vector<std::string>{
                       "Beam1 Beam messages 1: Never shown by the recorded test.",
                       "Message1 INIT messages 1: Never shown by the recorded test.",
                       "MessageWar1 War messages 1: Never shown by the recorded test.",
                       "ResponseHail2 Hail responses 2: Never sent by the recorded test.",
                   }));
  // Without a recording nothing can be said of what was played.
  EXPECT_TRUE(UntestedFindings(Script(), PlayedByRecordings({}, game.Path(), "Probe", 1)).empty());
}

}  // namespace
}  // namespace zelmora::check
