#include "check/flag_sets.h"

#include <bit>

namespace zelmora::check {

namespace {

// Within a word, the combinations that have flag bit i (i < 6) set.
constexpr std::uint64_t kHas[6] = {0xAAAAAAAAAAAAAAAAull, 0xCCCCCCCCCCCCCCCCull, 0xF0F0F0F0F0F0F0F0ull,
                                   0xFF00FF00FF00FF00ull, 0xFFFF0000FFFF0000ull, 0xFFFFFFFF00000000ull};

}  // namespace

FlagSets::FlagSets(FlagBits relevant) : bit_(64, -1) {
  for (int flag = 0; flag < 64; ++flag) {
    if (!(relevant & FlagBit(flag))) continue;
    if (followed_ < kMaxFollowed) {
      bit_[static_cast<std::size_t>(flag)] = followed_++;
    } else {
      high_ |= FlagBit(flag);
    }
  }
  words_ = followed_ <= 6 ? 1 : std::size_t{1} << (followed_ - 6);
}

std::uint32_t FlagSets::Local(FlagBits flags) const {
  std::uint32_t local = 0;
  for (int flag = 0; flag < 64; ++flag) {
    if ((flags & FlagBit(flag)) && Followed(flag)) local |= 1u << Bit(flag);
  }
  return local;
}

std::uint32_t FlagSets::Guard(std::uint32_t needSet, std::uint32_t needClear) {
  auto [it, added] = guardIds_.emplace(std::make_pair(needSet, needClear), static_cast<std::uint32_t>(guards_.size()));
  if (added) {
    std::vector<std::uint64_t> mask(words_, 0);
    const std::size_t combinations = std::size_t{1} << followed_;
    for (std::size_t v = 0; v < combinations; ++v) {
      if ((v & needSet) == needSet && (v & needClear) == 0) mask[v >> 6] |= std::uint64_t{1} << (v & 63);
    }
    guards_.push_back(std::move(mask));
  }
  return it->second;
}

std::uint32_t FlagSets::Transform(std::uint32_t needSet, std::uint32_t needClear, const std::vector<FlagOp>& ops) {
  const std::uint32_t guard = Guard(needSet, needClear);
  std::vector<std::pair<int, int>> key;
  for (const FlagOp& op : ops) key.emplace_back(op.kind, op.bit);
  auto [it, added] = transformIds_.emplace(std::make_pair(guard, std::move(key)),
                                           static_cast<std::uint32_t>(transforms_.size()));
  if (added) transforms_.push_back({guard, ops});
  return it->second;
}

std::uint32_t FlagSets::GuardOf(std::uint32_t transform) {
  const std::uint32_t guard = transforms_[transform].guard;
  auto [it, added] = transformIds_.emplace(std::make_pair(guard, std::vector<std::pair<int, int>>{}),
                                           static_cast<std::uint32_t>(transforms_.size()));
  if (added) transforms_.push_back({guard, {}});
  return it->second;
}

void FlagSets::Op(const FlagOp& op, std::vector<std::uint64_t>& v, bool backwards) const {
  Effect::Kind kind = op.kind;
  if (op.bit < 6) {
    const std::uint64_t has = kHas[op.bit];
    const int shift = 1 << op.bit;
    for (std::uint64_t& x : v) {
      switch (kind) {
        case Effect::SetFlag:
          x = backwards ? (x & has) | ((x & has) >> shift) : (x & has) | ((x & ~has) << shift);
          break;
        case Effect::ClearFlag:
          x = backwards ? (x & ~has) | ((x & ~has) << shift) : (x & ~has) | ((x & has) >> shift);
          break;
        default: x = ((x & ~has) << shift) | ((x & has) >> shift); break;
      }
    }
    return;
  }
  const std::size_t d = std::size_t{1} << (op.bit - 6);
  for (std::size_t w = 0; w < words_; ++w) {
    if (w & d) continue;
    std::uint64_t& lo = v[w];
    std::uint64_t& hi = v[w | d];
    switch (kind) {
      case Effect::SetFlag:
        if (backwards) lo = hi;
        else hi |= std::exchange(lo, 0);
        break;
      case Effect::ClearFlag:
        if (backwards) hi = lo;
        else lo |= std::exchange(hi, 0);
        break;
      default: std::swap(lo, hi); break;
    }
  }
}

bool FlagSets::Apply(std::uint32_t transform, const std::uint64_t* in, std::vector<std::uint64_t>& out) const {
  const Kept& t = transforms_[transform];
  const std::vector<std::uint64_t>& guard = guards_[t.guard];
  out.resize(words_);
  std::uint64_t any = 0;
  for (std::size_t w = 0; w < words_; ++w) any |= out[w] = in[w] & guard[w];
  if (!any) return false;
  for (const FlagOp& op : t.ops) Op(op, out, false);
  return true;
}

void FlagSets::Before(std::uint32_t transform, const std::uint64_t* after, std::vector<std::uint64_t>& out) const {
  const Kept& t = transforms_[transform];
  out.assign(after, after + words_);
  for (auto op = t.ops.rbegin(); op != t.ops.rend(); ++op) Op(*op, out, true);
  const std::vector<std::uint64_t>& guard = guards_[t.guard];
  for (std::size_t w = 0; w < words_; ++w) out[w] &= guard[w];
}

void FlagSets::AndNotGuard(std::uint64_t* values, std::uint32_t transform) const {
  const std::vector<std::uint64_t>& guard = guards_[transforms_[transform].guard];
  for (std::size_t w = 0; w < words_; ++w) values[w] &= ~guard[w];
}

std::size_t FlagSets::Or(std::uint64_t* dst, const std::uint64_t* src) const {
  std::size_t gained = 0;
  for (std::size_t w = 0; w < words_; ++w) {
    const std::uint64_t add = src[w] & ~dst[w];
    if (add) {
      gained += static_cast<std::size_t>(std::popcount(add));
      dst[w] |= add;
    }
  }
  return gained;
}

bool FlagSets::Any(const std::uint64_t* values) const {
  for (std::size_t w = 0; w < words_; ++w) {
    if (values[w]) return true;
  }
  return false;
}

std::size_t FlagSets::Count(const std::uint64_t* values) const {
  std::size_t n = 0;
  for (std::size_t w = 0; w < words_; ++w) n += static_cast<std::size_t>(std::popcount(values[w]));
  return n;
}

std::size_t FlagSets::CountAndNot(const std::uint64_t* a, const std::uint64_t* b) const {
  std::size_t n = 0;
  for (std::size_t w = 0; w < words_; ++w) n += static_cast<std::size_t>(std::popcount(a[w] & ~b[w]));
  return n;
}

}  // namespace zelmora::check
