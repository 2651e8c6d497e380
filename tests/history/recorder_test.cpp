// The history fed by the store: every kind of edit, one step each, undone and redone byte for
// byte; the saved state; the working copy's comings and goings.
#include "history/history_recorder.h"

#include "adventure/room_editor.h"
#include "adventure/wizard_model.h"
#include "editor/editor_commands.h"
#include "editor/planet_order.h"
#include "editor/planet_properties.h"
#include "store/system_flows.h"
#include "ui/platform/file_rules.h"
#include "tests/messages/message_editor_fixture.h"
#include "tests/support/open_demo_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace zelmora::history {
namespace {

namespace fs = std::filesystem;
using platform::Answer;

struct QuietRoomView : adventure::RoomEditorView {
  void ShowHeader(const adventure::RoomHeader&) override {}
  void ShowDoors(const std::array<adventure::DoorState, 4>&) override {}
  void ShowDescription(const adventure::DescriptionState&) override {}
  void ShowChecks(const std::array<adventure::CheckState, adventure::kSlotCount>&) override {}
  void ShowHighlight(std::optional<int>) override {}
  void ShowRows(const std::vector<adventure::ActionRow>&) override {}
  void ShowSelectedRow(std::optional<int>) override {}
  void ShowPanel(const adventure::ActionPanelState&) override {}
  void FocusDescription() override {}
  void FocusResponse() override {}
  void HideWindow() override {}
};

class RecorderTest : public ::testing::Test {
 protected:
  RecorderTest() : data_(zelmora::testing::UniqueTempFolder("history-data")) { Attach(); }
  ~RecorderTest() override { fs::remove_all(data_); }

  // The editor attaches its history before it opens anything; the demo system is open already.
  void Attach() {
    recorder_ = std::make_unique<HistoryRecorder>(demo_.store, data_);
    recorder_->WorkingCopyOpened(demo_.record.Name);
  }
  std::string Working() { return demo_.game.ReadDescriptor(demo_.record.Name, ".edt"); }
  // The end of the user's action, as the window's event loop marks it.
  void Done() { recorder_->CloseStep(); }
  void Undo() {
    ASSERT_EQ(recorder_->Undo(), Move::Done);
    demo_.store.LoadSystem(demo_.record.Name, demo_.record);
  }
  void Redo() {
    ASSERT_EQ(recorder_->Redo(), Move::Done);
    demo_.store.LoadSystem(demo_.record.Name, demo_.record);
  }

  fs::path data_;
  zelmora::testing::OpenDemoSystem demo_;
  std::unique_ptr<HistoryRecorder> recorder_;
};

struct EditCase {
  std::string step;
  std::function<void(zelmora::testing::OpenDemoSystem&)> edit;
};

TEST_F(RecorderTest, EachKindOfEditIsOneStepThatUndoesAndRedoesByteForByte) {
  messages::testing::RecordingView messageView;
  messages::PlanetScript script(demo_.store, demo_.record, 2);
  messages::MessageEditor editor(script, {}, demo_.prompter, messageView);
  QuietRoomView roomView;
  adventure::RoomEditorWindows roomWindows;
  roomWindows.lock = [](const std::vector<adventure::LockChoice>& choices) {
    return std::optional<adventure::LockRequest>({choices.front().number, "The door is shut."});
  };
  roomWindows.chooseFlag = [](const std::string&) { return std::string("C"); };
  adventure::RoomEditor rooms(script, demo_.prompter, roomView, roomWindows);
  demo_.prompter.AcceptOkBoxes();
  auto group = [&](const std::string& name) {
    const auto& items = editor.GroupBox().items;
    editor.ChooseGroup(static_cast<int>(std::find(items.begin(), items.end(), name) - items.begin()));
  };

  const std::vector<EditCase> cases = {
      {"Save message INIT 2",
       [&](auto&) {
         editor.Open(2, true);
         editor.SelectLine(1);
         editor.Edit();
         editor.TypeText("We trade in stories now.");
         editor.Save();
       }},
      {"Remove response Hail 1",
       [&](auto& d) {
         editor.SelectDirection(messages::Direction::Response);
         group("Hail");
         editor.SelectLine(0);
         d.prompter.Answer(Answer::Yes);
         editor.Remove();
       }},
      {"Clear All messages INIT",
       [&](auto& d) {
         editor.SelectDirection(messages::Direction::Message);
         group("INIT");
         d.prompter.Answer(Answer::Yes);
         editor.ClearAll();
       }},
      {"Wizard 3 x 3",
       [&](auto&) {
         adventure::GridChoices choices;
         choices.sizeX = "3";
         choices.sizeY = "3";
         adventure::ScriptWizardCaller(script).Finish(choices);
       }},
      {"Lock North of Area22",
       [&](auto&) {
         ASSERT_TRUE(rooms.Begin("Area22"));
         rooms.Lock();
       }},
      {"Delete planet 1", [](auto& d) { store::flows::DeletePlanet(d.ctx, 1); }},
      {"Insert planet 2", [](auto& d) { store::flows::InsertPlanet(d.ctx, 1); }},
      {"Set Order", [](auto& d) { editor::ApplyPlanetExchanges(d.ctx, {{1, 2}, {2, 3}, {3, 4}}); }},
      {"Name planet 3",
       [](auto& d) {
         d.prompter.Reply("Cinder");
         editor::RenamePlanet(d.ctx, 3);
       }},
      {"Class of planet 2", [](auto& d) { editor::ChangePlanetClass(d.ctx, 2, d.record.Planet(2).Class == 7 ? 8 : 7); }},
      {"Properties of planet 3",
       [](auto& d) {
         editor::PlanetProperties p = editor::ReadPlanetProperties(d.store, d.record, 3, false);
         p.Moons = 4;
         editor::ApplyPlanetProperties(d.store, d.record, 3, p);
       }},
      {"Clear Planets",
       [](auto& d) {
         d.prompter.Answer(Answer::Yes);
         store::flows::ClearPlanets(d.ctx);
       }},
  };
  std::vector<std::string> states = {Working()};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.step);
    const std::size_t steps = recorder_->StepCount();
    c.edit(demo_);
    Done();
    ASSERT_EQ(recorder_->StepCount(), steps + 1) << "one user action, one step";
    EXPECT_EQ(recorder_->UndoName(), c.step);
    const std::string after = Working();
    ASSERT_NE(after, states.back());
    Undo();
    EXPECT_EQ(Working(), states.back());
    Redo();
    EXPECT_EQ(Working(), after);
    states.push_back(after);
  }
  // All the way back and forth again.
  for (std::size_t i = states.size() - 1; i > 0; --i) {
    Undo();
    EXPECT_EQ(Working(), states[i - 1]) << cases[i - 1].step;
  }
  while (recorder_->CanRedo()) Redo();
  EXPECT_EQ(Working(), states.back());
}

TEST_F(RecorderTest, BackAtTheSavedBytesTheSystemIsUnmodifiedAndAnywhereElseModified) {
  auto& d = demo_;
  EXPECT_FALSE(d.store.IsModified(d.record));
  editor::ChangeStarType(d.ctx, 3);
  Done();
  EXPECT_TRUE(d.store.IsModified(d.record));
  Undo();
  EXPECT_FALSE(d.store.IsModified(d.record));
  Redo();
  EXPECT_TRUE(d.store.IsModified(d.record));

  store::flows::SaveSystem(d.ctx);  // the history survives a save
  EXPECT_FALSE(d.store.IsModified(d.record));
  ASSERT_TRUE(recorder_->CanUndo());
  editor::ChangeStarType(d.ctx, 5);
  Done();
  Undo();
  EXPECT_FALSE(d.store.IsModified(d.record)) << "the bytes of the last save";
  Undo();
  EXPECT_TRUE(d.store.IsModified(d.record)) << "before the save";
  EXPECT_EQ(d.record.StarType, 0);

  // Unsaved pictures keep it modified whatever the bytes.
  Redo();
  recorder_->SetOtherChanges([] { return true; });
  editor::ChangeStarType(d.ctx, 6);
  Done();
  Undo();
  EXPECT_TRUE(d.store.IsModified(d.record));
}

TEST_F(RecorderTest, LeavingWithoutSavingIsAStepAndTheHistoryOutlivesTheProgram) {
  auto& d = demo_;
  const std::string saved = Working();
  editor::ChangeStarType(d.ctx, 4);
  Done();
  const std::string edited = Working();
  // Exit without saving, then the next run opens the system again.
  ASSERT_TRUE(d.store.IsModified(d.record));
  d.prompter.Answer(Answer::No);
  ASSERT_TRUE(store::flows::ExitProgram(d.ctx));
  recorder_.reset();
  EXPECT_FALSE(d.game.Exists("ZMDescriptor/4Tessaly.edt"));

  recorder_ = std::make_unique<HistoryRecorder>(d.store, data_);
  d.store.OpenWorkingCopy("4Tessaly", d.prompter);
  d.store.LoadSystem("4Tessaly", d.record);
  EXPECT_EQ(recorder_->UndoName(), kRevertStep);
  Undo();
  EXPECT_EQ(Working(), edited) << "the discarded work comes back";
  EXPECT_EQ(d.record.StarType, 4);
  Undo();
  EXPECT_EQ(Working(), saved);

  // A kill: the working copy stays behind and Yes to the backup keeps it, and the history.
  Redo();
  recorder_.reset();
  recorder_ = std::make_unique<HistoryRecorder>(d.store, data_);
  d.prompter.Answer(Answer::Yes);
  d.store.OpenWorkingCopy("4Tessaly", d.prompter);
  EXPECT_EQ(d.prompter.Texts().back(), "There is a backup for this solar system, would you like to edit it?");
  EXPECT_EQ(recorder_->Position(), 1u);
  Undo();
  EXPECT_EQ(Working(), saved);
}

TEST_F(RecorderTest, SaveAsTakesTheHistoryAlongAndDeleteAndOtherSystemsHaveTheirOwn) {
  auto& d = demo_;
  editor::ChangeStarType(d.ctx, 2);
  Done();
  d.prompter.Reply("Tessaly Two");
  ASSERT_EQ(store::flows::SaveSystemAs(d.ctx, d.store.ListSystems(".zmd")), "Tessaly Two");
  EXPECT_EQ(recorder_->System(), "Tessaly Two");
  EXPECT_TRUE(fs::exists(recorder_->JournalFile("Tessaly Two")));
  EXPECT_FALSE(fs::exists(recorder_->JournalFile("4Tessaly")));
  Undo();
  EXPECT_EQ(d.record.StarType, 0);

  // Another system: a history of its own, and the first one's waits on disk.
  d.prompter.Answer(Answer::Yes);
  ASSERT_TRUE(editor::LeaveForSelection(d.ctx, false, "Mirefall"));
  d.store.OpenWorkingCopy("Mirefall", d.prompter);
  d.store.LoadSystem("Mirefall", d.record);
  EXPECT_EQ(recorder_->System(), "Mirefall");
  EXPECT_FALSE(recorder_->CanUndo());
  editor::ChangeStarType(d.ctx, 1);
  Done();
  EXPECT_TRUE(recorder_->CanUndo());

  d.prompter.Answer(Answer::Yes);
  ASSERT_TRUE(store::flows::DeleteSystem(d.ctx, "Mirefall"));
  EXPECT_FALSE(recorder_->CanUndo());
  EXPECT_FALSE(fs::exists(recorder_->JournalFile("Mirefall")));
  EXPECT_TRUE(fs::exists(recorder_->JournalFile("Tessaly Two")));
}

TEST_F(RecorderTest, RecordingChangesNothingTheStoreWritesAndRestoringRecordsNothing) {
  auto& d = demo_;
  const std::string before = Working();
  d.store.WriteKey("4Tessaly", "2", "MessageINIT2", "Hello");
  d.store.WriteKey("4Tessaly", "2", "MessageINIT2", "Hello");  // the same bytes: no step
  Done();
  EXPECT_EQ(recorder_->StepCount(), 1u);
  EXPECT_EQ(recorder_->UndoName(), "Change MessageINIT2");
  Undo();
  EXPECT_EQ(recorder_->StepCount(), 1u);
  EXPECT_EQ(Working(), before);
  // Something else wrote the working copy: the history cannot replay on it and says so once.
  Redo();
  demo_.game.WriteDescriptor("4Tessaly", "[General]\r\nPlanetPics=\r\n", ".edt");
  EXPECT_EQ(recorder_->Undo(), Move::Mismatch);
  EXPECT_FALSE(recorder_->CanUndo());
}

TEST_F(RecorderTest, PictureEditsAreStepsThatOutliveASaveARevertAndAKill) {
  auto& d = demo_;
  const std::string name = d.record.Name;
  const fs::path strip = d.store.PicturePath(name + ".bmp");
  ASSERT_TRUE(platform::AtomicReplace(strip, "saved strip"));
  const fs::path unsaved = d.store.WorkingPicturesPath(name);
  const std::string descriptor = Working();
  {
    store::EditAction action(d.store, store::kPicturesStep);
    d.store.KeepWorkingPictures(name, "one");
    d.store.SetPlanetFlag(d.record, "PlanetPics", 1, d.record.PlanetCount, true);
  }
  Done();
  d.store.KeepWorkingPictures(name, "two");  // no action open: still named for what it is
  Done();
  d.store.KeepWorkingPictures(name, "");  // every picture removed
  Done();
  ASSERT_EQ(recorder_->StepCount(), 3u);
  EXPECT_EQ(recorder_->StepName(1), store::kPicturesStep);
  EXPECT_TRUE(fs::exists(unsaved)) << "no pictures is kept as an empty strip, the saved one still lies there";
  Undo();
  EXPECT_EQ(d.store.PicturesState(name), "two");
  Undo();
  Undo();
  EXPECT_EQ(d.store.PicturesState(name), "saved strip");
  EXPECT_FALSE(fs::exists(unsaved)) << "back at the saved pictures nothing waits to be saved";
  EXPECT_EQ(Working(), descriptor);
  Redo();
  Redo();
  EXPECT_EQ(d.store.PicturesState(name), "two");

  // A save writes the strip the unsaved one held; the history walks on over it.
  ASSERT_TRUE(platform::AtomicReplace(strip, "two"));
  store::flows::SaveSystem(d.ctx);
  EXPECT_FALSE(fs::exists(unsaved));
  Undo();
  EXPECT_EQ(d.store.PicturesState(name), "one");
  Redo();
  EXPECT_FALSE(fs::exists(unsaved));

  // Leaving without a save takes the unsaved pictures along; undoing that brings them back.
  d.store.KeepWorkingPictures(name, "three");
  Done();
  d.store.CloseWorkingCopy(d.record, false);
  EXPECT_FALSE(fs::exists(unsaved));
  d.store.OpenWorkingCopy(name, d.prompter);
  EXPECT_EQ(recorder_->UndoName(), kRevertStep);
  Undo();
  EXPECT_EQ(d.store.PicturesState(name), "three");

  // Killed now: Yes to the backup keeps the pictures and where the history stands.
  const std::size_t position = recorder_->Position();
  recorder_.reset();
  recorder_ = std::make_unique<HistoryRecorder>(d.store, data_);
  d.prompter.Answer(Answer::Yes);
  d.store.OpenWorkingCopy(name, d.prompter);
  EXPECT_EQ(recorder_->Position(), position);
  Undo();
  EXPECT_EQ(d.store.PicturesState(name), "two");
}

}  // namespace
}  // namespace zelmora::history
