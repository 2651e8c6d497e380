#pragma once

#include "history/system_history.h"
#include "store/change_recorder.h"
#include "store/descriptor_store.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace zelmora::history {

// Where one game folder's histories are kept under the application's data folder: a folder per
// game folder (its name and a hash of its whole path), a journal per system in it.
std::filesystem::path GameHistoryFolder(const std::filesystem::path& dataFolder,
                                        const std::filesystem::path& gameFolder);

inline constexpr const char* kRevertStep = "Revert to saved";
// The history's second document: the planet pictures as the store keeps them (PicturesState).
inline constexpr const char* kPicturesDocument = "pictures";

// The history of the open system, fed by the store: every replacement of the working copy is
// recorded before the file is written; undo and redo write the working copy back through the
// store. Closing a working copy without saving is recorded as a revert, so the discarded work
// can be brought back; saving keeps the history; a renamed system takes its history along, a
// deleted one loses it.
class HistoryRecorder : public store::ChangeRecorder {
 public:
  // Attaches itself to the store; `folder` holds this game folder's journals.
  HistoryRecorder(store::DescriptorStore& store, std::filesystem::path folder, Limits limits = {});
  ~HistoryRecorder() override;
  HistoryRecorder(const HistoryRecorder&) = delete;
  HistoryRecorder& operator=(const HistoryRecorder&) = delete;

  // store::ChangeRecorder
  void Replacing(std::string_view system, const std::shared_ptr<const store::DescriptorContent>& before,
                 const std::shared_ptr<const store::DescriptorContent>& after) override;
  void PicturesReplacing(std::string_view system, std::string_view before, std::string_view after) override;
  void ActionBegins(std::string_view name, bool merge) override;
  void ActionEnds() override;
  void WorkingCopyOpened(std::string_view system) override;
  void WorkingCopyClosing(std::string_view system, bool save) override;
  void SystemRenamed(std::string_view from, std::string_view to) override;
  void SystemDeleted(std::string_view system) override;

  // The user's action is over: changes made without a name from now on are a new step.
  void CloseStep();

  bool CanUndo() const { return history_ && history_->CanUndo(); }
  bool CanRedo() const { return history_ && history_->CanRedo(); }
  std::size_t StepCount() const { return history_ ? history_->StepCount() : 0; }
  std::size_t Position() const { return history_ ? history_->Position() : 0; }
  const std::string& StepName(std::size_t step) const { return history_->StepName(step); }
  std::string UndoName() const { return CanUndo() ? StepName(Position() - 1) : std::string(); }
  std::string RedoName() const { return CanRedo() ? StepName(Position()) : std::string(); }
  // A history the files no longer agree with is dropped (Mismatch).
  Move Undo();
  Move Redo();
  // Undoes or redoes until `steps` steps are applied; stops at the first that cannot move.
  Move GoTo(std::size_t steps);

  const std::string& System() const { return system_; }
  std::filesystem::path JournalFile(std::string_view system) const;
  SystemHistory* History() { return history_.get(); }

  // After steps were added, dropped or moved over, or the history was replaced.
  void SetChanged(std::function<void()> changed) { changed_ = std::move(changed); }
  // After an undo or redo rewrote the working copy: whatever shows it reads it again.
  void SetRestored(std::function<void()> restored) { restored_ = std::move(restored); }
  // Unsaved work kept elsewhere (pictures in memory): the system stays modified even when an undo
  // brings the working copy back to the saved bytes.
  void SetOtherChanges(std::function<bool()> pending) { otherChanges_ = std::move(pending); }

 private:
  class StoreDocuments;
  Move Moved(Move result);
  void Changed() const {
    if (changed_) changed_();
  }
  void MarkSavedState();

  store::DescriptorStore& store_;
  std::filesystem::path folder_;
  Limits limits_;
  std::unique_ptr<StoreDocuments> documents_;
  std::unique_ptr<SystemHistory> history_;
  std::string system_;
  bool restoring_ = false;
  std::shared_ptr<const store::DescriptorContent> lastAfter_;
  std::uint64_t lastAfterHash_ = 0;
  std::function<void()> changed_;
  std::function<void()> restored_;
  std::function<bool()> otherChanges_;
};

}  // namespace zelmora::history
