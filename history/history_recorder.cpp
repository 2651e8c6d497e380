#include "history/history_recorder.h"

#include "ui/platform/file_rules.h"

#include <cstdio>

namespace zelmora::history {

namespace fs = std::filesystem;

fs::path GameHistoryFolder(const fs::path& dataFolder, const fs::path& gameFolder) {
  std::error_code ec;
  fs::path whole = fs::weakly_canonical(fs::absolute(gameFolder, ec), ec);
  if (whole.empty()) whole = gameFolder;
  std::string base = whole.filename().string();
  if (base.empty()) base = "game";
  char hash[17];
  std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(HashBytes(whole.string())));
  return dataFolder / (base + "-" + hash);
}

// The open system's working copy, read and written through the store (its cache, its scratch
// file, its modification-time rule), and its unsaved planet pictures.
class HistoryRecorder::StoreDocuments : public Documents {
 public:
  StoreDocuments(store::DescriptorStore& store, const std::string& system) : store_(store), system_(system) {}
  bool Read(const std::string& document, std::string& bytes) override {
    if (!store_.IsWorkingCopyOpen()) return false;
    if (document == kPicturesDocument) {
      bytes = store_.PicturesState(system_);
      return true;
    }
    return document.empty() && store_.LoadDescriptor(system_, bytes);
  }
  bool Write(const std::string& document, const std::string& bytes) override {
    if (!store_.IsWorkingCopyOpen()) return false;
    if (document == kPicturesDocument) return store_.RestorePicturesState(system_, bytes);
    return document.empty() && static_cast<bool>(store_.SaveDescriptor(system_, bytes));
  }

 private:
  store::DescriptorStore& store_;
  const std::string& system_;
};

HistoryRecorder::HistoryRecorder(store::DescriptorStore& store, fs::path folder, Limits limits)
    : store_(store), folder_(std::move(folder)), limits_(limits),
      documents_(std::make_unique<StoreDocuments>(store, system_)) {
  store_.SetRecorder(this);
}

HistoryRecorder::~HistoryRecorder() {
  if (store_.Recorder() == this) store_.SetRecorder(nullptr);
}

fs::path HistoryRecorder::JournalFile(std::string_view system) const {
  return platform::CodePageFilePath(folder_, std::string(system) + ".history");
}

void HistoryRecorder::Replacing(std::string_view system, const std::shared_ptr<const store::DescriptorContent>& before,
                                const std::shared_ptr<const store::DescriptorContent>& after) {
  if (restoring_ || !history_ || system != system_ || !after) return;
  if (!before) {
    // A working copy that cannot be read cannot be given back.
    history_->Clear();
    Changed();
    return;
  }
  // The bytes before are usually the ones recorded last, whose hash is known.
  const std::uint64_t beforeHash = before == lastAfter_ ? lastAfterHash_ : HashBytes(before->Bytes());
  const std::uint64_t afterHash = HashBytes(after->Bytes());
  const std::size_t steps = history_->StepCount();
  const std::size_t position = history_->Position();
  history_->Record("", before->Bytes(), beforeHash, after->Bytes(), afterHash);
  lastAfter_ = after;
  lastAfterHash_ = afterHash;
  if (history_->StepCount() != steps || history_->Position() != position) Changed();
}

void HistoryRecorder::PicturesReplacing(std::string_view system, std::string_view before, std::string_view after) {
  if (restoring_ || !history_ || system != system_) return;
  // Pictures changed outside a named action are a step of their own, never named after bytes.
  const bool open = history_->StepOpen();
  if (!open) history_->BeginStep(store::kPicturesStep);
  history_->Record(kPicturesDocument, before, HashBytes(before), after, HashBytes(after));
  if (!open) history_->EndStep();
  Changed();
}

void HistoryRecorder::ActionBegins(std::string_view name, bool merge) {
  if (history_ && !restoring_) history_->BeginStep(std::string(name), merge);
}

void HistoryRecorder::ActionEnds() {
  if (history_ && !restoring_) history_->EndStep();
}

void HistoryRecorder::CloseStep() {
  if (history_) history_->CloseStep();
}

void HistoryRecorder::WorkingCopyOpened(std::string_view system) {
  lastAfter_.reset();
  if (!history_ || system != system_) {
    system_ = std::string(system);
    history_ = std::make_unique<SystemHistory>(limits_, std::make_unique<Journal>(JournalFile(system_)));
    history_->Load(*documents_);
  } else {
    history_->Settle(*documents_);
  }
  Changed();
}

void HistoryRecorder::WorkingCopyClosing(std::string_view system, bool save) {
  if (!history_ || system != system_ || save) return;
  // Leaving without a save drops the working copy: a step of its own, so Undo can bring the work back.
  std::string working;
  std::string saved;
  if (!platform::ReadWholeFile(store_.DescriptorPath(system_, store::kWorkingExtension), working) ||
      !platform::ReadWholeFile(store_.DescriptorPath(system_, store::kSavedExtension), saved)) {
    return;
  }
  history_->BeginStep(kRevertStep);
  history_->Record("", working, HashBytes(working), saved, HashBytes(saved));
  // The unsaved pictures go with the working copy.
  const std::string pictures = store_.PicturesState(system_);
  std::string savedPictures;
  const fs::path strip = store_.SavedPictureStrip(system_);
  if (!strip.empty() && !platform::ReadWholeFile(strip, savedPictures)) savedPictures.clear();
  history_->Record(kPicturesDocument, pictures, HashBytes(pictures), savedPictures, HashBytes(savedPictures));
  history_->EndStep();
  lastAfter_.reset();
  Changed();
}

void HistoryRecorder::SystemRenamed(std::string_view from, std::string_view to) {
  if (!history_ || from != system_) return;
  system_ = std::string(to);
  history_->MoveJournal(JournalFile(system_));
}

void HistoryRecorder::SystemDeleted(std::string_view system) {
  if (history_ && system == system_) {
    history_->Clear();
    history_.reset();
    system_.clear();
    Changed();
    return;
  }
  platform::RemoveFile(JournalFile(system));
}

Move HistoryRecorder::Undo() {
  if (!history_) return Move::Nothing;
  restoring_ = true;
  const Move m = history_->Undo(*documents_);
  restoring_ = false;
  return Moved(m);
}

Move HistoryRecorder::Redo() {
  if (!history_) return Move::Nothing;
  restoring_ = true;
  const Move m = history_->Redo(*documents_);
  restoring_ = false;
  return Moved(m);
}

Move HistoryRecorder::GoTo(std::size_t steps) {
  Move m = Move::Nothing;
  while (history_ && history_->Position() != steps) {
    m = history_->Position() > steps ? Undo() : Redo();
    if (m != Move::Done) break;
  }
  return m;
}

Move HistoryRecorder::Moved(Move result) {
  lastAfter_.reset();
  if (result == Move::Done) {
    MarkSavedState();
    if (restored_) restored_();
  } else if (result == Move::Mismatch) {
    // Changed behind the history: its steps can no longer be replayed on these bytes.
    history_->Clear();
  }
  if (result != Move::Nothing) Changed();
  return result;
}

// Back at the saved bytes the system counts as unmodified again; every other state was written
// with a time of its own, which counts as modified.
void HistoryRecorder::MarkSavedState() {
  if (otherChanges_ && otherChanges_()) return;
  const fs::path working = store_.DescriptorPath(system_, store::kWorkingExtension);
  const fs::path saved = store_.DescriptorPath(system_, store::kSavedExtension);
  std::string now;
  std::string kept;
  if (!store_.LoadDescriptor(system_, now) || !platform::ReadWholeFile(saved, kept) || now != kept) return;
  if (auto time = platform::ModificationTime(saved)) platform::SetModificationTime(working, *time);
}

}  // namespace zelmora::history
