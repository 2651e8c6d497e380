// The history model on its own: documents in memory, the journal in a temporary folder.
#include "history/system_history.h"

#include "tests/support/temp_game_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

namespace zelmora::history {
namespace {

namespace fs = std::filesystem;

struct MemoryDocuments : Documents {
  std::map<std::string, std::string> files;
  bool failWrites = false;
  bool Read(const std::string& d, std::string& bytes) override {
    auto it = files.find(d);
    if (it == files.end()) return false;
    bytes = it->second;
    return true;
  }
  bool Write(const std::string& d, const std::string& bytes) override {
    if (failWrites) return false;
    files[d] = bytes;
    return true;
  }
};

class SystemHistoryTest : public ::testing::Test {
 protected:
  SystemHistoryTest() : folder_(zelmora::testing::UniqueTempFolder("history")) { docs_.files[""] = "[1]\r\nA=1\r\n"; }
  ~SystemHistoryTest() override { fs::remove_all(folder_); }

  std::unique_ptr<SystemHistory> Make(Limits limits = {}) {
    return std::make_unique<SystemHistory>(limits, std::make_unique<Journal>(folder_ / "Vega.history"));
  }
  // Writes as the store does: recorded first, then the file.
  void Write(SystemHistory& h, const std::string& after, const std::string& step = {}) {
    std::string& now = docs_.files[""];
    if (!step.empty()) h.BeginStep(step);
    h.Record("", now, HashBytes(now), after, HashBytes(after));
    if (!step.empty()) h.EndStep();
    h.CloseStep();
    now = after;
  }
  std::string Now() { return docs_.files[""]; }

  fs::path folder_;
  MemoryDocuments docs_;
};

TEST_F(SystemHistoryTest, UndoAndRedoWalkTheStepsAndANewEditDropsWhatWasUndone) {
  auto h = Make();
  const std::string s0 = Now();
  Write(*h, "[1]\r\nA=2\r\n", "Two");
  Write(*h, "[1]\r\nA=2\r\nB=3\r\n", "Three");
  ASSERT_EQ(h->StepCount(), 2u);
  EXPECT_EQ(h->StepName(1), "Three");
  EXPECT_EQ(h->Undo(docs_), Move::Done);
  EXPECT_EQ(h->Undo(docs_), Move::Done);
  EXPECT_EQ(Now(), s0);
  EXPECT_EQ(h->Undo(docs_), Move::Nothing);
  EXPECT_EQ(h->Redo(docs_), Move::Done);
  EXPECT_EQ(Now(), "[1]\r\nA=2\r\n");
  Write(*h, "[1]\r\nA=9\r\n", "Nine");
  EXPECT_EQ(h->StepCount(), 2u);
  EXPECT_FALSE(h->CanRedo());
  EXPECT_EQ(h->StepName(1), "Nine");
}

TEST_F(SystemHistoryTest, ChangesWithoutANameAreOneStepUntilTheActionIsOverAndNamedAfterTheirKey) {
  auto h = Make();
  const std::string s0 = Now();
  std::string& now = docs_.files[""];
  for (const char* after : {"[1]\r\nA=1\r\nMessageINIT2=x\r\n", "[1]\r\nA=1\r\nMessageINIT2=xy\r\n"}) {
    h->Record("", now, HashBytes(now), after, HashBytes(after));
    now = after;
  }
  h->CloseStep();
  ASSERT_EQ(h->StepCount(), 1u);
  EXPECT_EQ(h->StepName(0), "Change MessageINIT2");
  EXPECT_EQ(h->Undo(docs_), Move::Done);
  EXPECT_EQ(Now(), s0);
}

TEST_F(SystemHistoryTest, TypingMergesIntoOneStepUntilSomethingElseHappens) {
  auto h = Make();
  auto type = [&](const std::string& text) {
    std::string& now = docs_.files[""];
    const std::string after = "[1]\r\nA=" + text + "\r\n";
    h->BeginStep("Text of an action", true);
    h->Record("", now, HashBytes(now), after, HashBytes(after));
    h->EndStep();
    h->CloseStep();
    now = after;
  };
  type("N");
  type("No");
  type("Nor");
  EXPECT_EQ(h->StepCount(), 1u);
  EXPECT_EQ(h->Undo(docs_), Move::Done);
  EXPECT_EQ(h->Redo(docs_), Move::Done);
  type("Nort");  // after an undo or redo typing starts a step of its own
  Write(*h, "[1]\r\nA=North\r\nB=1\r\n", "Other");
  type("North!");
  EXPECT_EQ(h->StepCount(), 4u);
}

TEST_F(SystemHistoryTest, BoundsDropTheOldestStepsFirstAndTheJournalAgrees) {
  auto h = Make({.maxSteps = 5, .maxBytes = 1u << 20});
  for (int i = 1; i <= 12; ++i) Write(*h, "[1]\r\nA=" + std::to_string(i) + "\r\n", "Step " + std::to_string(i));
  EXPECT_EQ(h->StepCount(), 5u);
  EXPECT_EQ(h->StepName(0), "Step 8");
  while (h->Undo(docs_) == Move::Done) {
  }
  EXPECT_EQ(Now(), "[1]\r\nA=7\r\n");

  auto reloaded = Make({.maxSteps = 5, .maxBytes = 1u << 20});
  ASSERT_TRUE(reloaded->Load(docs_));
  EXPECT_EQ(reloaded->StepCount(), 5u);
  EXPECT_EQ(reloaded->Position(), 0u);
  EXPECT_EQ(reloaded->StepName(4), "Step 12");

  // The byte bound: each step carries about 1 KB.
  auto small = Make({.maxSteps = 500, .maxBytes = 5000});
  small->Clear();
  for (int i = 0; i < 20; ++i) Write(*small, std::string(500, static_cast<char>('a' + i)));
  EXPECT_LE(small->Bytes(), 5000u);
  EXPECT_GE(small->StepCount(), 3u);
  EXPECT_LT(small->StepCount(), 20u);
}

TEST_F(SystemHistoryTest, ALoadFindsWhereTheFileStandsAfterAKill) {
  const std::string s0 = Now();
  {
    auto h = Make();
    Write(*h, "[1]\r\nA=2\r\n", "Two");
    // Killed after the journal took the change and before the file did.
    h->BeginStep("Three");
    h->Record("", Now(), HashBytes(Now()), "[1]\r\nA=3\r\n", HashBytes("[1]\r\nA=3\r\n"));
  }
  auto h = Make();
  ASSERT_TRUE(h->Load(docs_));
  EXPECT_EQ(h->StepCount(), 2u);
  EXPECT_EQ(h->Position(), 1u);
  EXPECT_EQ(h->Redo(docs_), Move::Done);
  EXPECT_EQ(Now(), "[1]\r\nA=3\r\n");
  // Killed after an undo was journalled and before the file was written: the file still holds
  // step two's result, and the history says so again.
  ASSERT_TRUE(h->GetJournal()->AppendPosition(1));
  auto again = Make();
  ASSERT_TRUE(again->Load(docs_));
  EXPECT_EQ(again->Position(), 2u);
  EXPECT_EQ(again->Undo(docs_), Move::Done);
  EXPECT_EQ(again->Undo(docs_), Move::Done);
  EXPECT_EQ(Now(), s0);
}

TEST_F(SystemHistoryTest, ATornRecordIsIgnoredAndAFileChangedBehindTheHistoryEmptiesIt) {
  {
    auto h = Make();
    Write(*h, "[1]\r\nA=2\r\n", "Two");
    Write(*h, "[1]\r\nA=3\r\n", "Three");
  }
  // The last record cut short, as a kill in the middle of its write leaves it.
  const fs::path file = folder_ / "Vega.history";
  fs::resize_file(file, fs::file_size(file) - 5);
  docs_.files[""] = "[1]\r\nA=2\r\n";
  auto h = Make();
  ASSERT_TRUE(h->Load(docs_));
  EXPECT_EQ(h->StepCount(), 1u);
  Write(*h, "[1]\r\nA=4\r\n", "Four");  // lands after the good records, not behind the torn one
  auto reloaded = Make();
  ASSERT_TRUE(reloaded->Load(docs_));
  EXPECT_EQ(reloaded->StepCount(), 2u);

  docs_.files[""] = "[1]\r\nA=somebody else\r\n";
  auto stale = Make();
  EXPECT_FALSE(stale->Load(docs_));
  EXPECT_EQ(stale->StepCount(), 0u);
  EXPECT_FALSE(fs::exists(file));
}

TEST_F(SystemHistoryTest, AFailedWriteMovesNothingAndAChangedFileIsAMismatch) {
  auto h = Make();
  Write(*h, "[1]\r\nA=2\r\n", "Two");
  docs_.failWrites = true;
  EXPECT_EQ(h->Undo(docs_), Move::Failed);
  EXPECT_EQ(h->Position(), 1u);
  docs_.failWrites = false;
  auto reloaded = Make();
  ASSERT_TRUE(reloaded->Load(docs_));
  EXPECT_EQ(reloaded->Position(), 1u);
  docs_.files[""] = "[1]\r\nA=changed\r\n";
  EXPECT_EQ(h->Undo(docs_), Move::Mismatch);
  EXPECT_EQ(docs_.files[""], "[1]\r\nA=changed\r\n");
}

}  // namespace
}  // namespace zelmora::history
