#include "history/system_history.h"

#include "ui/platform/file_rules.h"

#include <algorithm>
#include <map>

namespace zelmora::history {

SystemHistory::SystemHistory(Limits limits, std::unique_ptr<Journal> journal)
    : limits_(limits), journal_(std::move(journal)) {}

// ---- recording

void SystemHistory::BeginStep(std::string name, bool merge) {
  open_ = Open{std::move(name), true, 0, merge};
  if (merge && mergeable_ != 0 && position_ == StepCount() && !chain_.changes.empty() &&
      chain_.changes.back().step == mergeable_ && chain_.changes.back().name == open_->name) {
    open_->id = mergeable_;
  }
}

void SystemHistory::EndStep() { open_.reset(); }

// A named step lasts until its action ends, even across the modal questions asked inside it.
void SystemHistory::CloseStep() {
  if (open_ && !open_->named) open_.reset();
}

void SystemHistory::Record(const std::string& document, std::string_view before, std::uint64_t beforeHash,
                           std::string_view after, std::uint64_t afterHash) {
  if (beforeHash == afterHash && before == after) return;
  if (!open_) open_ = Open{};
  // A new edit drops the steps that were undone.
  if (chain_.position < chain_.changes.size()) {
    chain_.changes.resize(chain_.position);
    while (!starts_.empty() && starts_.back() >= chain_.position) starts_.pop_back();
    bytes_ = ChainWeight(chain_);
  }
  Change c = Diff(before, beforeHash, after, afterHash);
  // An open step whose changes were all undone meanwhile starts again as a new one.
  const bool newStep = open_->id == 0 || chain_.changes.empty() || chain_.changes.back().step != open_->id;
  if (newStep) {
    open_->id = nextId_++;
    if (!open_->named) open_->name = DescribeChange(before, c);
  }
  c.step = open_->id;
  mergeable_ = open_->merge ? open_->id : 0;
  c.name = open_->name;
  c.document = document;
  Persist(c);
  bytes_ += c.Weight();
  if (newStep) starts_.push_back(chain_.changes.size());
  chain_.changes.push_back(std::move(c));
  chain_.position = chain_.changes.size();
  position_ = starts_.size();
  Bound();
}

void SystemHistory::Persist(const Change& change) {
  if (journal_) journal_->AppendChange(change);
}

// Oldest steps first, never the one just made.
void SystemHistory::Bound() {
  std::size_t dropped = 0;
  while (starts_.size() > 1 && position_ > 1 && (starts_.size() > limits_.maxSteps || bytes_ > limits_.maxBytes)) {
    const std::size_t n = StepEnd(0);
    for (std::size_t i = 0; i < n; ++i) bytes_ -= chain_.changes[i].Weight();
    chain_.changes.erase(chain_.changes.begin(), chain_.changes.begin() + static_cast<std::ptrdiff_t>(n));
    chain_.position -= n;
    starts_.erase(starts_.begin());
    for (auto& s : starts_) s -= n;
    --position_;
    dropped += n;
  }
  if (dropped > 0 && journal_) {
    journal_->AppendDrop(dropped);
    journal_->Compact(chain_);
  }
}

// ---- steps

std::size_t SystemHistory::StepEnd(std::size_t step) const {
  return step + 1 < starts_.size() ? starts_[step + 1] : chain_.changes.size();
}

const std::string& SystemHistory::StepName(std::size_t step) const { return chain_.changes[starts_[step]].name; }

Move SystemHistory::Undo(Documents& documents) {
  open_.reset();
  if (!CanUndo()) return Move::Nothing;
  return Apply(position_ - 1, false, documents);
}

Move SystemHistory::Redo(Documents& documents) {
  open_.reset();
  if (!CanRedo()) return Move::Nothing;
  return Apply(position_, true, documents);
}

Move SystemHistory::Apply(std::size_t step, bool forward, Documents& documents) {
  mergeable_ = 0;
  const std::size_t first = starts_[step];
  const std::size_t end = StepEnd(step);
  // Each document is rebuilt in memory and written once, so a kill leaves it in one of the two
  // states.
  std::vector<std::string> order;
  std::map<std::string, std::string> now;
  std::map<std::string, std::string> then;
  for (std::size_t i = first; i < end; ++i) {
    const std::string& doc = chain_.changes[i].document;
    if (now.count(doc)) continue;
    std::string bytes;
    if (!documents.Read(doc, bytes)) return Move::Mismatch;
    order.push_back(doc);
    now[doc] = bytes;
    then[doc] = std::move(bytes);
  }
  for (std::size_t k = 0; k < end - first; ++k) {
    const Change& c = chain_.changes[forward ? first + k : end - 1 - k];
    std::string& bytes = then[c.document];
    const std::uint64_t expected = forward ? c.beforeHash : c.afterHash;
    if (HashBytes(bytes) != expected || !(forward ? Forward(c, bytes) : Backward(c, bytes))) return Move::Mismatch;
  }
  const std::size_t target = forward ? end : first;
  if (journal_ && !journal_->AppendPosition(target)) return Move::Failed;
  for (std::size_t d = 0; d < order.size(); ++d) {
    if (documents.Write(order[d], then[order[d]])) continue;
    // Put back what was written, so the files and the history still agree.
    for (std::size_t back = 0; back < d; ++back) documents.Write(order[back], now[order[back]]);
    if (journal_) journal_->AppendPosition(chain_.position);
    return Move::Failed;
  }
  chain_.position = target;
  position_ = forward ? step + 1 : step;
  return Move::Done;
}

// ---- lifecycle

void SystemHistory::Rebuild() {
  starts_.clear();
  bytes_ = 0;
  nextId_ = 1;
  for (std::size_t i = 0; i < chain_.changes.size(); ++i) {
    const Change& c = chain_.changes[i];
    if (i == 0 || c.step != chain_.changes[i - 1].step) starts_.push_back(i);
    bytes_ += c.Weight();
    nextId_ = std::max(nextId_, c.step + 1);
  }
  position_ = static_cast<std::size_t>(std::lower_bound(starts_.begin(), starts_.end(), chain_.position) - starts_.begin());
}

bool SystemHistory::Load(Documents& documents) {
  chain_ = journal_ ? journal_->Load() : Chain{};
  Rebuild();
  return Settle(documents);
}

bool SystemHistory::Settle(Documents& documents) {
  open_.reset();
  mergeable_ = 0;
  const std::size_t recorded = chain_.position;
  if (chain_.changes.empty()) return true;
  // Where each document stands now, and which positions of the chain agree with all of them.
  std::map<std::string, std::uint64_t> actual;
  std::map<std::string, std::uint64_t> state;
  for (const auto& c : chain_.changes) {
    if (actual.count(c.document)) continue;
    std::string bytes;
    if (!documents.Read(c.document, bytes)) {
      Clear();
      return false;
    }
    actual[c.document] = HashBytes(bytes);
    state[c.document] = c.beforeHash;
  }
  const std::size_t n = chain_.changes.size();
  std::vector<bool> agrees(n + 1);
  for (std::size_t k = 0; k <= n; ++k) {
    if (k > 0) state[chain_.changes[k - 1].document] = chain_.changes[k - 1].afterHash;
    agrees[k] = state == actual;
  }
  std::optional<std::size_t> found;
  for (std::size_t d = 0; d <= n && !found; ++d) {
    if (recorded >= d && agrees[recorded - d]) found = recorded - d;
    else if (recorded + d <= n && agrees[recorded + d]) found = recorded + d;
  }
  if (!found) {
    Clear();
    return false;
  }
  const bool boundary = *found == n || std::binary_search(starts_.begin(), starts_.end(), *found);
  chain_.position = *found;
  if (!boundary) {
    // The rest of a step that never reached the file.
    chain_.changes.resize(*found);
    Rebuild();
    if (journal_) journal_->Rewrite(chain_);
  } else {
    Rebuild();
    if (journal_ && *found != recorded) journal_->AppendPosition(*found);
  }
  return true;
}

void SystemHistory::Clear() {
  mergeable_ = 0;
  chain_ = {};
  starts_.clear();
  position_ = 0;
  bytes_ = 0;
  open_.reset();
  if (journal_) journal_->Remove();
}

void SystemHistory::MoveJournal(const std::filesystem::path& file) {
  if (!journal_) return;
  if (journal_->File() == file) return;
  auto moved = std::make_unique<Journal>(file);
  moved->Rewrite(chain_);
  journal_->Remove();
  journal_ = std::move(moved);
}

}  // namespace zelmora::history
