// The history under kill -9: killed while an edit is recorded or while an undo or redo restores,
// the working copy is whole, a new run keeps the history, and the history walks back to the
// saved bytes and forth to the working copy as found.
#include "history/history_recorder.h"
#include "tests/store/crash_writer/killer.h"
#include "tests/support/scripted_prompter.h"
#include "tests/support/temp_game_folder.h"

#include <gtest/gtest.h>

namespace zelmora::history {
namespace {

namespace fs = std::filesystem;

std::string Descriptor() {
  std::string out = zelmora::testing::CrLf({"[General]", "PlanetPics=NNN", "Messages=YYY", "", ";SolarSystem",
                                            ";\"Crash               \",0,3", ";350,2,0,0,1,1", ";500,2,0,0,1,2",
                                            ";650,2,0,0,1,3", "[Names]", "1=P1", "2=P2", "3=P3"});
  for (int k = 1; k <= 3; ++k) out += zelmora::testing::CrLf({"[" + std::to_string(k) + "]", "Message1=Hello."});
  return out;
}

TEST(HistoryKill, TheWorkingCopyIsOneOfTheTwoStatesAndTheHistoryAgreesWithIt) {
  zelmora::testing::TempGameFolder game;
  game.WriteDescriptor("Crash", Descriptor());
  const fs::path journals = zelmora::testing::UniqueTempFolder("history-kill");
  crash::Killer killer("history", {journals.string()});
  for (int round = 0; round < 30 && !HasFatalFailure(); ++round) {
    killer.Round(game.Path());
    SCOPED_TRACE("kill " + std::to_string(round));
    const std::string found = game.ReadDescriptor("Crash", ".edt");
    ASSERT_TRUE(found.starts_with("[General]\r\n") && found.ends_with("\r\n")) << "torn working copy";
    ASSERT_NE(found.find(";SolarSystem\r\n"), std::string::npos);

    // The next run: Yes to the backup.
    store::DescriptorStore store(game.Path());
    HistoryRecorder recorder(store, journals);
    zelmora::testing::ScriptedPrompter prompter;
    prompter.Answer(platform::Answer::Yes);
    store.OpenWorkingCopy("Crash", prompter);
    if (found == Descriptor()) continue;  // killed before the first edit, or undone to the start
    ASSERT_GT(recorder.StepCount(), 0u) << "the history was lost";
    const std::size_t position = recorder.Position();
    ASSERT_EQ(recorder.GoTo(0), Move::Done);
    EXPECT_EQ(game.ReadDescriptor("Crash", ".edt"), Descriptor());
    ASSERT_EQ(recorder.GoTo(position), Move::Done);
    EXPECT_EQ(game.ReadDescriptor("Crash", ".edt"), found);
    EXPECT_EQ(game.ReadDescriptor("Crash"), Descriptor());  // never saved
  }
  killer.Report();
  std::error_code ec;
  fs::remove_all(journals, ec);
}

}  // namespace
}  // namespace zelmora::history
