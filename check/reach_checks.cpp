// What play can reach: groups no answer code leads to, and, from the search over the states play
// allows, messages never sent, responses never offered, rooms never entered and rooms that trap.
#include "check/planet_checker.h"
#include "adventure/room_text.h"
#include "check/play_model.h"
#include "messages/script_keys.h"
#include "simulator/ship_state.h"
#include "ui/platform/text_rules.h"

#include <map>

namespace zelmora::check {

namespace {

using platform::ToUpper1252;

// What the search's "never" rests on: play from the first visit, every flag clear, flags kept
// between visits.
constexpr const char* kFromTheStart =
    " (in play as the game starts it, every flag clear; flags ticked in Test Options can reach more)";

std::string FlagList(FlagBits bits, const char* state) {
  std::string out;
  for (int flag = 0; flag < kFlagNumbers; ++flag) {
    if (!(bits & FlagBit(flag))) continue;
    if (!out.empty()) out += ", ";
    out += (flag == simulator::kTreatyFlag ? std::string("the treaty flag") : "flag " + FlagName(flag)) + " " + state;
  }
  return out;
}

}  // namespace

std::string PlanetChecker::AlienName() const {
  const auto& record = script_.Record();
  const auto& aliens = script_.Store().GetTables().AlienNames;
  const int alien = store::PlanetAttributes::Decode(record.Planet(script_.Planet()).Attributes).AlienIndex;
  std::string name =
      alien >= 0 && alien < static_cast<int>(aliens.size()) ? aliens[static_cast<std::size_t>(alien)] : "";
  return name.empty() ? "Aliens" : name;
}

void PlanetChecker::SearchPlay() {
  const store::PlanetRecord& planet = script_.Record().Planet(script_.Planet());
  model_ = std::make_unique<PlayModel>(index_, planet, AlienName(), flags_.tested);
  const int beamUp = rooms_.rooms.empty() ? -1 : model_->Level(std::string(kBeamUpRoom));
  play_ = Explore(*model_, options_.limits, beamUp);
}

void PlanetChecker::CheckReach() {
  // Groups in the order the lists first name them, each with its items.
  struct Group {
    std::string name;
    const ItemListInfo* list = nullptr;
    std::vector<const Item*> items;
  };
  std::vector<Group> groups;
  std::map<std::string, std::size_t> byName;
  for (const Item& item : items_) {
    if (item.list->group.empty()) continue;
    auto [it, added] = byName.emplace(ToUpper1252(item.list->group), groups.size());
    if (added) groups.push_back({item.list->group, item.list, {}});
    groups[it->second].items.push_back(&item);
  }
  auto playedIn = [](const Exploration& play, const Group& g) {
    for (const Item* item : g.items) {
      const auto& keys = item->list->list == ItemList::Messages ? play.sent : play.offered;
      if (keys.count(ToUpper1252(item->key)) || keys.count(ToUpper1252(item->list->prefix))) return true;
    }
    return false;
  };

  PlayModel& model = *model_;
  const Exploration& play = play_;
  report_.searches.push_back({script_.Record().Name, script_.Planet(), play.complete, play.states,
                              play.configs, play.milliseconds, play.bytes, play.stoppedBy});
  if (!play.complete) {
    Add(Severity::Note, FindingKind::SearchIncomplete, "",
        "the search of play stopped after " + std::to_string(play.states) + " states (" +
            (play.stoppedBy == "time" ? "time limit" : "state limit") +
            "): messages never sent and rooms never entered are not reported",
        play.stoppedBy == "time" ? "allow the search more time" : "allow the search more states");
    // What no visit reaches whatever the flags: the same rules with every condition on a flag open,
    // a search without the flags that is far smaller.
    SearchLimits limits = options_.limits;
    limits.maxTime /= 4;
    PlayModel loose(index_, script_.Record().Planet(script_.Planet()), AlienName(), 0, true);
    const Exploration free = Explore(loose, limits);
    if (!free.complete) return;
    for (const Group& g : groups) {
      if (playedIn(free, g)) continue;
      const bool room = rooms_.Find(messages::KeyName(g.name)) >= 0;
      Finding& f = AddForList(
          Severity::Warning, FindingKind::UnreachedGroup, *g.list,
          room ? "room " + g.name + " has items, but no answer code leads to it"
               : "group " + g.name +
                     " has items, but no answer code on the way from INIT, Back, Returned, Beam, Phaser or Hail "
                     "leads to it",
          room ? "lead a door or a beam-down message to it, or delete it"
               : "name it in an answer code (*R or *M), or delete it");
      if (room) f.room = g.name;
    }
    return;
  }

  auto reached = [&](const Item& item) {
    const auto& keys = item.list->list == ItemList::Messages ? play.sent : play.offered;
    return keys.count(ToUpper1252(item.key)) > 0;
  };
  // Why an item is never used, as far as its own conditions tell.
  auto reason = [&](const Item& item) -> std::string {
    const ItemListInfo& list = *item.list;
    const int level = model.Level(list.level);
    const PlayList& played = list.list == ItemList::Responses ? model.Responses(level)
                             : list.IsBeamList()              ? model.Beam(level)
                                                              : model.Messages(level);
    for (const PlayItem& p : played.items) {
      if (p.number != item.number) continue;
      if (!p.offered) return ": it has no text to offer";
      if (p.never) return ": its conditions never hold";
      const FlagBits missing = p.needSet & ~flags_.set;
      if (missing) return ": it needs " + FlagList(missing, "set") + ", which nothing sets";
      const std::string needs = FlagList(p.needSet, "set") +
                                (p.needSet && p.needClear ? ", " : "") + FlagList(p.needClear, "clear");
      if (!needs.empty()) return ": it needs " + needs + ", which never holds while its group is played";
    }
    return ": no visit gets to it";
  };

  // Locks whose open side no visit offers although the room is entered: the flag is set only
  // where play does not get before the lock (an unreachable group, or behind the lock itself).
  for (const Room& room : rooms_.rooms) {
    const auto g = byName.find(ToUpper1252(room.name));
    if (g == byName.end() || !playedIn(play, groups[g->second])) continue;
    for (const Door& door : room.doors) {
      if (door.lockFlag < 0 || play.offered.count(ToUpper1252(door.key)) ||
          !reportedKeys_.insert(ToUpper1252(door.key)).second) {
        continue;
      }
      const std::string flag = FlagName(door.lockFlag);
      Finding& f = Add(Severity::Error, FindingKind::LockNeverOpens, door.key,
                       "the lock on \"" + platform::TrimSpaces(door.text) + "\" in room " + room.name +
                           " never opens: no visit sets flag " + flag + " before it gets there" + kFromTheStart,
                       "set flag " + flag + " (*SF" + flag + ") somewhere the player reaches without passing the lock");
      f.room = room.name;
    }
  }

  for (const Group& g : groups) {
    const bool any = playedIn(play, g);
    const bool room = rooms_.Find(messages::KeyName(g.name)) >= 0;
    if (!any) {
      Finding& f = AddForList(Severity::Warning, room ? FindingKind::RoomNeverEntered : FindingKind::GroupNeverPlayed,
                              *g.list,
                              room ? "no visit can enter room " + g.name + kFromTheStart
                                   : "no visit plays group " + g.name +
                                         ": none of its messages can be sent and none of its responses offered" +
                                         kFromTheStart,
                              room ? "check the doors and locks that lead to it"
                                   : "check the answer codes and conditions that lead to it");
      if (room) f.room = g.name;
      continue;
    }
    for (const Item* item : g.items) {
      if (reached(*item) || reportedKeys_.count(ToUpper1252(item->key))) continue;
      const bool isMessage = item->list->list == ItemList::Messages;
      Add(Severity::Warning, isMessage ? FindingKind::MessageNeverSent : FindingKind::ResponseNeverOffered, item->key,
          std::string(isMessage ? "this message can never be sent" : "this response can never be offered") +
              reason(*item) + kFromTheStart,
          "check its conditions and the flags that lead to it");
    }
  }
  // The Beam command's lists of other levels, which the editor does not show.
  for (const Item& item : items_) {
    if (!item.list->group.empty() || !item.list->IsBeamList() || reached(item)) continue;
    Add(Severity::Warning, FindingKind::MessageNeverSent, item.key,
        "this message can never be sent" + reason(item) + kFromTheStart,
        "check its conditions and the level it belongs to");
  }
  CheckStuckInPlay(model, play);
}

void PlanetChecker::CheckStuckInPlay(PlayModel& model, const Exploration& play) {
  if (rooms_.rooms.empty()) return;
  // A room's actions are in front of the player while its group answers a shown message.
  for (const Room& room : rooms_.rooms) {
    if (staticallyStuck_.count(room.name)) continue;
    const auto found = play.shownAndStuck.find(model.Level(room.name));
    if (found == play.shownAndStuck.end()) continue;
    const auto [here, stuck] = found->second;
    if (stuck == 0) continue;
    Finding& f = Add(stuck == here ? Severity::Error : Severity::Warning, FindingKind::StuckRoom,
                     messages::MessageKey(room.name, 1),
                     stuck == here ? "once in room " + room.name + ", no path of actions leads back to BeamUp"
                                   : "the player can get stuck in room " + room.name +
                                         ": with some flags no path of actions leads back to BeamUp",
                     "check the locks and effects on the way from " + room.name + " to the beam up action");
    f.room = room.name;
    if (f.group.empty()) {
      f.group = room.name;
      f.list = ItemList::Messages;
    }
  }
}

}  // namespace zelmora::check
