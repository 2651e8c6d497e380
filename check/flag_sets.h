#pragma once

#include "check/play_model.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

namespace zelmora::check {

// One change of a followed flag, by its bit among the followed ones.
struct FlagOp {
  Effect::Kind kind;
  int bit;
};

// Sets of values of up to 16 flags, one bit per combination, so that the search carries every
// combination a configuration can be reached with at once: a lock on each of ten flags costs ten
// word operations a move instead of a thousand states. The flags beyond the followed ones stay in
// the configurations (`High`). A transform is a condition on the flags and the changes made to
// them, kept once and named by a number.
class FlagSets {
 public:
  static constexpr int kMaxFollowed = 16;

  explicit FlagSets(FlagBits relevant);

  std::size_t Words() const { return words_; }
  FlagBits High() const { return high_; }
  bool Followed(int flag) const { return flag >= 0 && flag < 64 && bit_[static_cast<std::size_t>(flag)] >= 0; }
  int Bit(int flag) const { return bit_[static_cast<std::size_t>(flag)]; }
  // The followed flags among `flags`, as bits of a combination.
  std::uint32_t Local(FlagBits flags) const;

  std::uint32_t Transform(std::uint32_t needSet, std::uint32_t needClear, const std::vector<FlagOp>& ops);
  // The same condition without the changes.
  std::uint32_t GuardOf(std::uint32_t transform);

  // out = the values of `in` that meet the condition, changed; whether there are any.
  bool Apply(std::uint32_t transform, const std::uint64_t* in, std::vector<std::uint64_t>& out) const;
  // out = the values that meet the condition and that the changes turn into one of `after`.
  void Before(std::uint32_t transform, const std::uint64_t* after, std::vector<std::uint64_t>& out) const;
  // values loses those that meet the transform's condition.
  void AndNotGuard(std::uint64_t* values, std::uint32_t transform) const;
  // dst |= src; how many values dst gained.
  std::size_t Or(std::uint64_t* dst, const std::uint64_t* src) const;
  bool Any(const std::uint64_t* values) const;
  std::size_t Count(const std::uint64_t* values) const;
  std::size_t CountAndNot(const std::uint64_t* a, const std::uint64_t* b) const;
  std::size_t Bytes() const { return guards_.size() * words_ * sizeof(std::uint64_t); }

 private:
  struct Kept {
    std::uint32_t guard;
    std::vector<FlagOp> ops;
  };
  std::uint32_t Guard(std::uint32_t needSet, std::uint32_t needClear);
  void Op(const FlagOp& op, std::vector<std::uint64_t>& v, bool backwards) const;

  int followed_ = 0;
  std::size_t words_ = 1;
  FlagBits high_ = 0;
  std::vector<int> bit_;
  std::vector<std::vector<std::uint64_t>> guards_;
  std::map<std::pair<std::uint32_t, std::uint32_t>, std::uint32_t> guardIds_;
  std::vector<Kept> transforms_;
  std::map<std::pair<std::uint32_t, std::vector<std::pair<int, int>>>, std::uint32_t> transformIds_;
};

}  // namespace zelmora::check
