#pragma once

#include "history/change.h"
#include "history/journal.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zelmora::history {

// Where the documents of a step are read and written back ("" is the working copy).
class Documents {
 public:
  virtual ~Documents() = default;
  virtual bool Read(const std::string& document, std::string& bytes) = 0;
  virtual bool Write(const std::string& document, const std::string& bytes) = 0;
};

struct Limits {
  std::size_t maxSteps = 500;
  std::size_t maxBytes = 50u << 20;
};

enum class Move {
  Done,
  Nothing,   // no step to undo or redo
  Mismatch,  // a document is not in the state the step left it in (changed behind the history)
  Failed,    // a document could not be written; nothing moved
};

// The undo history of one system: a chain of changes grouped into named steps, how many steps are
// applied, and (when given a journal) every change and move written to disk before the documents
// are, so that after a kill the history is never behind the files.
class SystemHistory {
 public:
  explicit SystemHistory(Limits limits = {}, std::unique_ptr<Journal> journal = nullptr);

  // ---- recording
  // A named step: every change until EndStep belongs to it. A merging step (typing in a box)
  // continues the last step when that is the newest, has the same name and merged too.
  void BeginStep(std::string name, bool merge = false);
  void EndStep();
  // Ends the step that changes opened without a name (the user's action is over).
  void CloseStep();
  bool StepOpen() const { return open_.has_value(); }
  // A document is about to change from `before` to `after`. A change outside a step opens one,
  // named after what changed. Nothing is recorded when the bytes are equal.
  void Record(const std::string& document, std::string_view before, std::uint64_t beforeHash,
              std::string_view after, std::uint64_t afterHash);

  // ---- steps
  std::size_t StepCount() const { return starts_.size(); }
  std::size_t Position() const { return position_; }  // steps applied
  const std::string& StepName(std::size_t step) const;
  bool CanUndo() const { return position_ > 0; }
  bool CanRedo() const { return position_ < StepCount(); }
  Move Undo(Documents& documents);
  Move Redo(Documents& documents);

  // ---- lifecycle
  // Replays the journal and finds where the documents stand: the applied steps are those whose
  // result the documents hold, nearest to where the journal left off. A document that matches no
  // state (changed behind the history) empties the history. A step cut in two by a kill keeps
  // what reached the file. True when the history was kept.
  bool Load(Documents& documents);
  // The same against the history in memory (the system opened again after a save).
  bool Settle(Documents& documents);
  // Forgets every step (and the journal's file).
  void Clear();
  // The journal's file follows a renamed system.
  void MoveJournal(const std::filesystem::path& file);
  Journal* GetJournal() { return journal_.get(); }

  std::size_t ChangeCount() const { return chain_.changes.size(); }
  std::size_t Bytes() const { return bytes_; }

 private:
  void Rebuild();
  void Bound();
  void Persist(const Change& change);
  std::size_t StepEnd(std::size_t step) const;
  Move Apply(std::size_t step, bool forward, Documents& documents);

  Limits limits_;
  std::unique_ptr<Journal> journal_;
  Chain chain_;                      // position counts changes
  std::vector<std::size_t> starts_;  // index of each step's first change
  std::size_t position_ = 0;         // steps
  std::size_t bytes_ = 0;
  struct Open {
    std::string name;  // empty: named after its first change
    bool named = false;
    std::uint64_t id = 0;
    bool merge = false;
  };
  std::optional<Open> open_;
  std::uint64_t nextId_ = 1;
  std::uint64_t mergeable_ = 0;  // the newest step's id while typing may go on in it
};

}  // namespace zelmora::history
