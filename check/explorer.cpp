#include "check/explorer.h"

#include "messages/script_keys.h"
#include "ui/platform/text_rules.h"

#include <unordered_map>

namespace zelmora::check {

namespace {

struct StateHash {
  std::size_t operator()(const PlayState& s) const {
    std::uint64_t h = s.flags * 0x9E3779B97F4A7C15ull;
    h ^= (static_cast<std::uint64_t>(static_cast<std::uint32_t>(s.messageLevel)) << 32 |
          static_cast<std::uint32_t>(s.responseLevel)) + 0x7F4A7C159E3779B9ull + (h << 6) + (h >> 2);
    h ^= s.bits + (h << 6) + (h >> 2);
    return static_cast<std::size_t>(h ^ (h >> 31));
  }
};

class Search {
 public:
  Search(PlayModel& model, const SearchLimits& limits) : model_(model), limits_(limits) {
    empty_ = model_.Level("");
    hail_ = model_.Level(std::string(messages::kHailGroup));
    phaser_ = model_.Level(std::string(messages::kPhaserGroup));
    back_ = model_.Level(std::string(messages::kBackGroup));
    returned_ = model_.Level(std::string(messages::kReturnedGroup));
  }

  Exploration Run() {
    const auto start = std::chrono::steady_clock::now();
    Add({0, empty_, empty_, PlayState::kChoosing | PlayState::kCanHail | PlayState::kCanBeam}, 0, false);
    for (std::size_t next = 0; next < result_.states.size(); ++next) {
      if (result_.states.size() > limits_.maxStates) {
        result_.stoppedBy = "states";
        break;
      }
      if ((next & 255) == 0 && std::chrono::steady_clock::now() - start > limits_.maxTime) {
        result_.stoppedBy = "time";
        break;
      }
      Expand(static_cast<std::uint32_t>(next));
    }
    result_.complete = result_.stoppedBy.empty();
    result_.milliseconds =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    for (const PlayItem* item : sentItems_) {
      if (item->number > 0) result_.sent.insert(platform::ToUpper1252(item->key));
    }
    for (const PlayItem* item : offeredItems_) {
      if (item->number > 0) result_.offered.insert(platform::ToUpper1252(item->key));
    }
    return std::move(result_);
  }

 private:
  void Add(const PlayState& s, std::uint32_t from, bool move) {
    auto [it, added] = index_.emplace(s, static_cast<std::uint32_t>(result_.states.size()));
    if (added) result_.states.push_back(s);
    if (move && it->second != from) result_.moves.emplace_back(from, it->second);
  }

  static void Apply(PlayState& t, const std::vector<Effect>& effects) {
    for (const Effect& e : effects) {
      switch (e.kind) {
        case Effect::ResponseFromMessage: t.responseLevel = t.messageLevel; break;
        case Effect::MessageLevel: t.messageLevel = e.value; break;
        case Effect::ResponseLevel: t.responseLevel = e.value; break;
        case Effect::SetFlag: t.flags |= FlagBit(e.value); break;
        case Effect::ClearFlag: t.flags &= ~FlagBit(e.value); break;
        case Effect::ToggleFlag: t.flags ^= FlagBit(e.value); break;
      }
    }
  }

  // A message shown: a box leaves the panel as it was, any other shows it with its answers.
  PlayState Shown(PlayState t, const PlayItem& item) {
    if (!item.box) t.bits |= PlayState::kShown;
    Apply(t, item.effects);
    sentItems_.insert(&item);
    return t;
  }

  // The message chooser over a list: every message that may be available, and the end of the
  // conversation when none is sure to be. `done` makes the state after each outcome.
  template <typename Done>
  void Choose(const PlayState& s, const PlayList& list, std::uint32_t from, bool move, Done&& done) {
    bool sure = false;
    for (const PlayItem& item : list.items) {
      if (!item.Possible(s.flags)) continue;
      sure = sure || item.Certain(s.flags);
      Add(done(Shown(s, item)), from, move);
    }
    if (!sure) Add(done(s), from, move);  // "*** COMMUNICATION TERMINATED ***"
  }

  // The response chooser on a group, and each answer sent.
  void Respond(const PlayState& s, int level, std::uint32_t from, bool move) {
    const PlayList& list = model_.Responses(level);
    if (list.count <= 0) return;  // "No responses allowed"
    for (const PlayItem& item : list.items) {
      if (!item.offered || !item.Possible(s.flags)) continue;
      offeredItems_.insert(&item);
      PlayState t = s;
      t.messageLevel = level;
      t.responseLevel = level;
      Apply(t, item.effects);
      t.bits = static_cast<std::uint8_t>((t.bits & ~PlayState::kShown) | PlayState::kChoosing);
      Add(t, from, move);
    }
  }

  void Expand(std::uint32_t id) {
    const PlayState s = result_.states[id];
    // The message clock.
    if (s.bits & PlayState::kChoosing) {
      const PlayList& list = model_.Messages(s.messageLevel);
      if (list.count > 0) {
        Choose(s, list, id, true, [](PlayState t) {
          t.bits &= static_cast<std::uint8_t>(~PlayState::kChoosing);
          return t;
        });
      }
    }
    if (s.bits & PlayState::kShown) {
      Respond(s, s.responseLevel, id, true);
      // Ignore.
      PlayState t = s;
      const std::string ignore = "Ignore" + model_.LevelName(s.messageLevel);
      t.messageLevel = model_.Level(ignore);
      t.responseLevel = empty_;
      t.bits = static_cast<std::uint8_t>((t.bits & ~PlayState::kShown) | PlayState::kChoosing);
      Add(t, id, false);
    }
    if (s.bits & PlayState::kCanHail) {
      PlayState t = s;
      t.bits &= static_cast<std::uint8_t>(~PlayState::kCanHail);
      if (model_.Responses(hail_).count > 0) {
        t.responseLevel = hail_;
        Respond(t, hail_, id, false);
      }
      Add(t, id, false);  // refused, or the chooser closed without an answer
    }
    if (s.bits & PlayState::kCanBeam) {
      PlayState t = s;
      t.bits &= static_cast<std::uint8_t>(~PlayState::kCanBeam);
      int level = s.messageLevel;
      const PlayList* list = &model_.Beam(level);
      if (list->count < 1) {
        level = empty_;
        list = &model_.Beam(level);
      }
      if (list->count < 1) {
        Add(t, id, false);  // "You cannot beam down to this planet."
      } else {
        // The clock is left as it was.
        Choose(t, *list, id, false, [](PlayState u) { return u; });
      }
    }
    // Phaser: the group's own Phaser group when it has messages, else "Phaser".
    {
      PlayState t = s;
      const int own = model_.Level(model_.LevelName(s.messageLevel) + "Phaser");
      t.messageLevel = model_.Messages(own).count > 0 ? own : phaser_;
      t.bits = static_cast<std::uint8_t>((t.bits & ~PlayState::kShown) | PlayState::kChoosing);
      Add(t, id, false);
    }
    // Leaving orbit and coming back later: within a day, or after one.
    Add({s.flags, back_, empty_, PlayState::kChoosing}, id, false);
    Add({s.flags, returned_, empty_, PlayState::kChoosing | PlayState::kCanHail | PlayState::kCanBeam}, id, false);
  }

  PlayModel& model_;
  SearchLimits limits_;
  int empty_, hail_, phaser_, back_, returned_;
  Exploration result_;
  std::unordered_map<PlayState, std::uint32_t, StateHash> index_;
  std::unordered_set<const PlayItem*> sentItems_, offeredItems_;
};

}  // namespace

Exploration Explore(PlayModel& model, const SearchLimits& limits) { return Search(model, limits).Run(); }

}  // namespace zelmora::check
