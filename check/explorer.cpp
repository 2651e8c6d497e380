#include "check/explorer.h"

#include "check/flag_sets.h"
#include "messages/script_keys.h"
#include "ui/platform/text_rules.h"

#include <unordered_map>

namespace zelmora::check {

namespace {

struct ConfigHash {
  std::size_t operator()(const PlayConfig& c) const {
    std::uint64_t h = c.flags * 0x9E3779B97F4A7C15ull;
    h ^= (static_cast<std::uint64_t>(static_cast<std::uint32_t>(c.messageLevel)) << 32 |
          static_cast<std::uint32_t>(c.responseLevel)) + 0x7F4A7C159E3779B9ull + (h << 6) + (h >> 2);
    h ^= (static_cast<std::uint64_t>(static_cast<std::uint32_t>(c.pending)) << 8 | c.bits) + (h << 6) + (h >> 2);
    return static_cast<std::size_t>(h ^ (h >> 31));
  }
};

// What an item does to the flags and the configuration, split as the search follows them.
struct ItemSteps {
  FlagBits highSet = 0, highClear = 0;  // its conditions on the flags kept in the configuration
  std::uint32_t transform = 0;          // its conditions and effects on the flags followed as sets
  std::uint32_t effects = 0;            // its effects alone, for a message shown untested
};

class Search {
 public:
  Search(PlayModel& model, const SearchLimits& limits, int goal)
      : model_(model), limits_(limits), goal_(goal), sets_(model.Relevant()) {
    empty_ = model_.Level("");
    hail_ = model_.Level(std::string(messages::kHailGroup));
    phaser_ = model_.Level(std::string(messages::kPhaserGroup));
    back_ = model_.Level(std::string(messages::kBackGroup));
    returned_ = model_.Level(std::string(messages::kReturnedGroup));
    // Hail and Beam without anything to offer change nothing: the search need not tell them apart.
    if (model_.Responses(hail_).count > 0) usable_ |= PlayConfig::kCanHail;
    if (model_.AnyBeam()) usable_ |= PlayConfig::kCanBeam;
    identity_ = sets_.Transform(0, 0, {});
  }

  Exploration Run() {
    const auto start = std::chrono::steady_clock::now();
    const auto deadline = std::min(limits_.deadline, start + limits_.maxTime);
    std::vector<std::uint64_t> first(sets_.Words(), 0);
    first[0] = 1;  // every flag clear
    Merge({empty_, empty_, 0, Usable(PlayConfig::kChoosing | PlayConfig::kCanHail | PlayConfig::kCanBeam), 0},
          first.data(), kNoMove, 0);
    std::size_t expanded = 0;
    while (!queue_.empty()) {
      if (configs_.size() * sets_.Words() > limits_.maxStates) {
        result_.stoppedBy = "states";
        break;
      }
      if ((++expanded & 63) == 0 && std::chrono::steady_clock::now() > deadline) {
        result_.stoppedBy = "time";
        break;
      }
      const std::uint32_t id = queue_.front();
      queue_.pop_front();
      queued_[id] = false;
      Expand(id);
    }
    if (result_.stoppedBy.empty() && std::chrono::steady_clock::now() > deadline) result_.stoppedBy = "time";
    result_.complete = result_.stoppedBy.empty();
    // An absent item ("ERR") is kept under its list's prefix.
    for (const PlayItem* item : sentItems_) result_.sent.insert(platform::ToUpper1252(item->key));
    for (const PlayItem* item : offeredItems_) result_.offered.insert(platform::ToUpper1252(item->key));
    result_.configs = configs_.size();
    result_.bytes = configs_.size() * (sizeof(PlayConfig) + 2 * sets_.Words() * sizeof(std::uint64_t) + 48) +
                    moves_.size() * sizeof(Move) + sets_.Bytes();
    if (result_.complete && goal_ >= 0) Stuck();
    result_.milliseconds =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    return std::move(result_);
  }

 private:
  static constexpr std::uint32_t kNoMove = 0xFFFFFFFF;
  struct Move {
    std::uint32_t from, to, transform;
  };

  std::uint8_t Usable(int bits) const {
    return static_cast<std::uint8_t>(bits & (PlayConfig::kChoosing | PlayConfig::kShown | usable_));
  }
  std::uint64_t* Reach(std::uint32_t id) { return &reach_[static_cast<std::size_t>(id) * sets_.Words()]; }
  std::uint64_t* Done(std::uint32_t id) { return &done_[static_cast<std::size_t>(id) * sets_.Words()]; }

  // Adds flag values to a configuration, queueing it when it gained some; a move of the
  // conversation's own is kept for the way back.
  void Merge(const PlayConfig& c, const std::uint64_t* values, std::uint32_t from, std::uint32_t transform) {
    auto [it, added] = index_.emplace(c, static_cast<std::uint32_t>(configs_.size()));
    const std::uint32_t id = it->second;
    if (added) {
      configs_.push_back(c);
      reach_.resize(reach_.size() + sets_.Words(), 0);
      done_.resize(done_.size() + sets_.Words(), 0);
      queued_.push_back(false);
    }
    if (from != kNoMove && from != id) moves_.push_back({from, id, transform});
    const std::size_t gained = sets_.Or(Reach(id), values);
    result_.states += gained;
    if (gained > 0 && !queued_[id]) {
      queued_[id] = true;
      queue_.push_back(id);
    }
  }

  const ItemSteps& Steps(const PlayItem& item) {
    auto found = steps_.find(&item);
    if (found != steps_.end()) return found->second;
    ItemSteps s;
    const FlagBits high = sets_.High();
    s.highSet = item.needSet & high;
    s.highClear = item.needClear & high;
    std::vector<FlagOp> ops;
    for (const Effect& e : item.effects) {
      if (e.kind == Effect::SetFlag || e.kind == Effect::ClearFlag || e.kind == Effect::ToggleFlag) {
        if (sets_.Followed(e.value)) ops.push_back({e.kind, sets_.Bit(e.value)});
      }
    }
    s.transform = sets_.Transform(sets_.Local(item.needSet), sets_.Local(item.needClear), ops);
    s.effects = sets_.Transform(0, 0, ops);
    return steps_.emplace(&item, s).first->second;
  }

  bool HighHolds(const ItemSteps& s, FlagBits flags) const {
    return (flags & s.highSet) == s.highSet && (flags & s.highClear) == 0;
  }

  // The configuration after an item's effects; flags followed as sets are left to its transform.
  void Apply(PlayConfig& t, const PlayItem& item) const {
    for (const Effect& e : item.effects) {
      switch (e.kind) {
        case Effect::ResponseFromMessage: t.responseLevel = t.messageLevel; break;
        case Effect::MessageLevel: t.messageLevel = e.value; break;
        case Effect::ResponseLevel: t.responseLevel = e.value; break;
        case Effect::SetFlag:
          if (!sets_.Followed(e.value)) t.flags |= FlagBit(e.value);
          break;
        case Effect::ClearFlag:
          if (!sets_.Followed(e.value)) t.flags &= ~FlagBit(e.value);
          break;
        case Effect::ToggleFlag:
          if (!sets_.Followed(e.value)) t.flags ^= FlagBit(e.value);
          break;
      }
    }
  }

  // `values` through an item's transform into `c` (its effects alone when `untested`); whether
  // any got through.
  bool Through(const PlayConfig& c, const PlayItem& item, const std::uint64_t* values, std::uint32_t from,
               bool move, bool untested = false) {
    const ItemSteps& s = Steps(item);
    const std::uint32_t transform = untested ? s.effects : s.transform;
    if (!sets_.Apply(transform, values, scratch_)) return false;
    Merge(c, scratch_.data(), move ? from : kNoMove, transform);
    return true;
  }

  // A message shown: a box leaves the panel as it was, any other shows it with its answers.
  PlayConfig Shown(PlayConfig t, const PlayItem& item) const {
    if (!item.box) t.bits |= PlayConfig::kShown;
    Apply(t, item);
    return t;
  }

  // The message chooser over a list, for the values in `d`: every message that may be available,
  // and the end of the conversation where none is sure to be. The clock (not Beam) holds back a
  // message with a wait instead of showing it.
  void Choose(const PlayConfig& c, const PlayList& list, const std::uint64_t* d, std::uint32_t from, bool clock) {
    unsure_.assign(d, d + sets_.Words());
    PlayConfig after = c;
    if (clock) after.bits &= static_cast<std::uint8_t>(~PlayConfig::kChoosing);
    for (const PlayItem& item : list.items) {
      if (item.never) continue;
      const ItemSteps& s = Steps(item);
      if (!HighHolds(s, c.flags)) continue;
      if (clock && item.wait) {
        PlayConfig t = after;
        t.pending = item.number;
        if (!sets_.Apply(sets_.GuardOf(s.transform), d, scratch_)) continue;
        Merge(t, scratch_.data(), from, sets_.GuardOf(s.transform));
      } else if (Through(Shown(after, item), item, d, from, clock)) {
        sentItems_.insert(&item);
      } else {
        continue;
      }
      if (item.certain) sets_.AndNotGuard(unsure_.data(), s.transform);
    }
    if (sets_.Any(unsure_.data())) Merge(after, unsure_.data(), clock ? from : kNoMove, identity_);
  }

  // The response chooser on a group, and each answer sent.
  void Respond(const PlayConfig& c, int level, const std::uint64_t* d, std::uint32_t from, bool move) {
    const PlayList& list = model_.Responses(level);
    if (list.count <= 0) return;  // "No responses allowed"
    for (const PlayItem& item : list.items) {
      if (!item.offered || item.never) continue;
      const ItemSteps& s = Steps(item);
      if (!HighHolds(s, c.flags)) continue;
      PlayConfig t = c;
      t.messageLevel = level;
      t.responseLevel = level;
      t.pending = 0;
      Apply(t, item);
      t.bits = static_cast<std::uint8_t>((t.bits & ~PlayConfig::kShown) | PlayConfig::kChoosing);
      if (Through(t, item, d, from, move)) offeredItems_.insert(&item);
    }
  }

  void Expand(std::uint32_t id) {
    // Only the values not expanded before: the others' successors are known already.
    std::vector<std::uint64_t> d(sets_.Words());
    {
      std::uint64_t* reach = Reach(id);
      std::uint64_t* done = Done(id);
      for (std::size_t w = 0; w < d.size(); ++w) {
        d[w] = reach[w] & ~done[w];
        done[w] = reach[w];
      }
    }
    const PlayConfig c = configs_[id];
    const std::uint64_t* v = d.data();

    // The message clock: choosing, or showing the message it waits with.
    if (c.bits & PlayConfig::kChoosing) {
      const PlayList& list = model_.Messages(c.messageLevel);
      if (list.count > 0) Choose(c, list, v, id, true);
    } else if (c.pending > 0) {
      const PlayItem& item = model_.MessageAt(c.messageLevel, c.pending);
      PlayConfig t = c;
      t.pending = 0;
      // Shown without a test of its conditions, whatever they say.
      if (Through(Shown(t, item), item, v, id, true, true)) sentItems_.insert(&item);
    }
    if (c.bits & PlayConfig::kShown) {
      Respond(c, c.responseLevel, v, id, true);
      // Ignore.
      PlayConfig t = c;
      t.messageLevel = model_.Level("Ignore" + model_.LevelName(c.messageLevel));
      t.responseLevel = empty_;
      t.pending = 0;
      t.bits = static_cast<std::uint8_t>((t.bits & ~PlayConfig::kShown) | PlayConfig::kChoosing);
      Merge(t, v, kNoMove, identity_);
    }
    if (c.bits & PlayConfig::kCanHail) {
      PlayConfig t = c;
      t.bits &= static_cast<std::uint8_t>(~PlayConfig::kCanHail);
      t.responseLevel = hail_;
      Respond(t, hail_, v, id, false);
      Merge(t, v, kNoMove, identity_);  // the chooser closed without an answer
    }
    if (c.bits & PlayConfig::kCanBeam) {
      PlayConfig t = c;
      t.bits &= static_cast<std::uint8_t>(~PlayConfig::kCanBeam);
      int level = c.messageLevel;
      const PlayList* list = &model_.Beam(level);
      if (list->count < 1) list = &model_.Beam(empty_);
      if (list->count < 1) {
        Merge(t, v, kNoMove, identity_);  // "You cannot beam down to this planet."
      } else {
        // The clock, and a message it waits with, are left as they were.
        Choose(t, *list, v, kNoMove, false);
      }
    }
    // Phaser: the group's own Phaser group when it has messages, else "Phaser".
    {
      PlayConfig t = c;
      const int own = model_.Level(model_.LevelName(c.messageLevel) + "Phaser");
      t.messageLevel = model_.Messages(own).count > 0 ? own : phaser_;
      t.pending = 0;
      t.bits = static_cast<std::uint8_t>((t.bits & ~PlayConfig::kShown) | PlayConfig::kChoosing);
      Merge(t, v, kNoMove, identity_);
    }
    // Leaving orbit and coming back later: within a day, or after one.
    Merge({back_, empty_, 0, PlayConfig::kChoosing, c.flags}, v, kNoMove, identity_);
    Merge({returned_, empty_, 0, Usable(PlayConfig::kChoosing | PlayConfig::kCanHail | PlayConfig::kCanBeam), c.flags},
          v, kNoMove, identity_);
  }

  // Backwards from the goal along the conversation's own moves: the values from which some run of
  // them gets there, then the counts per response level of the states with a message shown.
  void Stuck() {
    const std::size_t n = configs_.size(), words = sets_.Words();
    std::vector<std::uint64_t> up(n * words, 0);
    std::vector<std::vector<std::uint32_t>> into(n);
    for (std::uint32_t m = 0; m < moves_.size(); ++m) into[moves_[m].to].push_back(m);
    std::deque<std::uint32_t> queue;
    std::vector<bool> queued(n, false);
    for (std::uint32_t i = 0; i < n; ++i) {
      if (configs_[i].messageLevel != goal_) continue;
      std::copy(Reach(i), Reach(i) + words, &up[i * words]);
      queue.push_back(i);
      queued[i] = true;
    }
    std::vector<std::uint64_t> pre(words);
    while (!queue.empty()) {
      const std::uint32_t to = queue.front();
      queue.pop_front();
      queued[to] = false;
      for (std::uint32_t m : into[to]) {
        const Move& move = moves_[m];
        sets_.Before(move.transform, &up[to * words], pre);
        std::uint64_t* target = &up[move.from * words];
        const std::uint64_t* reach = Reach(move.from);
        bool grew = false;
        for (std::size_t w = 0; w < words; ++w) {
          const std::uint64_t add = pre[w] & reach[w] & ~target[w];
          if (add) {
            target[w] |= add;
            grew = true;
          }
        }
        if (grew && !queued[move.from]) {
          queued[move.from] = true;
          queue.push_back(move.from);
        }
      }
    }
    for (std::uint32_t i = 0; i < n; ++i) {
      const PlayConfig& c = configs_[i];
      if (!(c.bits & PlayConfig::kShown)) continue;
      auto& [here, stuck] = result_.shownAndStuck[c.responseLevel];
      here += sets_.Count(Reach(i));
      stuck += sets_.CountAndNot(Reach(i), &up[i * words]);
    }
  }

  PlayModel& model_;
  SearchLimits limits_;
  int goal_;
  FlagSets sets_;
  int empty_, hail_, phaser_, back_, returned_;
  std::uint8_t usable_ = 0;
  std::uint32_t identity_ = 0;
  Exploration result_;
  std::vector<PlayConfig> configs_;
  std::unordered_map<PlayConfig, std::uint32_t, ConfigHash> index_;
  std::vector<std::uint64_t> reach_, done_;
  std::vector<bool> queued_;
  std::deque<std::uint32_t> queue_;
  std::vector<Move> moves_;
  std::unordered_map<const PlayItem*, ItemSteps> steps_;
  std::unordered_set<const PlayItem*> sentItems_, offeredItems_;
  std::vector<std::uint64_t> scratch_, unsure_;
};

}  // namespace

Exploration Explore(PlayModel& model, const SearchLimits& limits, int goalLevel) {
  return Search(model, limits, goalLevel).Run();
}

}  // namespace zelmora::check
