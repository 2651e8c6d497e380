// What play can reach: groups no answer code leads to, and, from the search over the states play
// allows, messages never sent, responses never offered, rooms never entered and rooms that trap.
#include "check/planet_checker.h"
#include "adventure/room_text.h"
#include "check/play_model.h"
#include "messages/group_discovery.h"
#include "messages/script_keys.h"
#include "simulator/ship_state.h"
#include "ui/platform/text_rules.h"

#include <map>

namespace zelmora::check {

namespace {

using platform::ToUpper1252;

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

  // Groups that no walk along the answer codes reaches. Rooms are left to the search, and so are
  // the effects that only lead back into such rooms (their search and tricorder results).
  std::set<std::string> discovered;
  for (const auto& g : messages::DiscoverGroups(script_)) discovered.insert(ToUpper1252(g.Name));
  std::set<std::string> hiddenRooms;
  for (const Group& g : groups) {
    if (!discovered.count(ToUpper1252(g.name)) && rooms_.Find(messages::KeyName(g.name)) >= 0) {
      hiddenRooms.insert(std::string(messages::KeyName(g.name)));
    }
  }
  auto intoHiddenRooms = [&](const Group& g) {
    bool any = false;
    for (const Item* item : g.items) {
      const auto parts = adventure::SplitValue(item->value);
      if (item->list->list != ItemList::Messages || !adventure::HasAnswerCode(parts.tail, 'R')) return false;
      if (!hiddenRooms.count(adventure::AnswerName(parts.tail, 'R'))) return false;
      any = true;
    }
    return any;
  };
  std::set<std::string> unreached;
  for (const Group& g : groups) {
    if (discovered.count(ToUpper1252(g.name)) || hiddenRooms.count(std::string(messages::KeyName(g.name)))) continue;
    unreached.insert(g.name);
    if (intoHiddenRooms(g)) continue;
    AddForList(Severity::Warning, FindingKind::UnreachedGroup, *g.list,
               "group " + g.name + " has items, but no answer code on the way from INIT, Back, Returned, Beam, "
               "Phaser or Hail leads to it",
               "name it in an answer code (*R or *M), or delete it");
  }

  const auto& record = script_.Record();
  const store::PlanetRecord& planet = record.Planet(script_.Planet());
  const auto& aliens = script_.Store().GetTables().AlienNames;
  const int alien = store::PlanetAttributes::Decode(planet.Attributes).AlienIndex;
  std::string alienName =
      alien >= 0 && alien < static_cast<int>(aliens.size()) ? aliens[static_cast<std::size_t>(alien)] : "";
  if (alienName.empty()) alienName = "Aliens";
  PlayModel model(index_, planet, alienName, flags_.tested);
  const Exploration play = Explore(model, options_.limits);
  report_.searches.push_back({record.Name, script_.Planet(), play.complete, play.states.size(), play.milliseconds,
                              play.stoppedBy});
  if (!play.complete) {
    for (const Group& g : groups) {
      if (!hiddenRooms.count(std::string(messages::KeyName(g.name)))) continue;
      Finding& f = AddForList(Severity::Warning, FindingKind::UnreachedGroup, *g.list,
                              "room " + g.name + " has items, but no answer code leads to it",
                              "lead a door or a beam-down message to it, or delete it");
      f.room = g.name;
    }
    Add(Severity::Note, FindingKind::SearchIncomplete, "",
        "the search of play stopped after " + std::to_string(play.states.size()) + " states (" +
            (play.stoppedBy == "time" ? "time limit" : "state limit") +
            "): messages never sent and rooms never entered are not reported",
        "raise the limits of the search");
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

  for (const Group& g : groups) {
    if (unreached.count(g.name)) continue;
    bool any = false;
    for (const Item* item : g.items) any = any || reached(*item);
    const bool room = rooms_.Find(messages::KeyName(g.name)) >= 0;
    if (!any) {
      Finding& f = AddForList(Severity::Warning, room ? FindingKind::RoomNeverEntered : FindingKind::GroupNeverPlayed,
                              *g.list,
                              room ? "no visit can enter room " + g.name
                                   : "no visit plays group " + g.name +
                                         ": none of its messages can be sent and none of its responses offered",
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
              reason(*item),
          "check its conditions and the flags that lead to it");
    }
  }
  // The Beam command's lists of other levels, which the editor does not show.
  for (const Item& item : items_) {
    if (!item.list->group.empty() || !item.list->IsBeamList() || reached(item)) continue;
    Add(Severity::Warning, FindingKind::MessageNeverSent, item.key, "this message can never be sent" + reason(item),
        "check its conditions and the level it belongs to");
  }
  CheckStuckInPlay(model, play);
}

void PlanetChecker::CheckStuckInPlay(PlayModel& model, const Exploration& play) {
  if (rooms_.rooms.empty()) return;
  // States from which the conversation's own moves lead to "BeamUp".
  const int beamUp = model.Level(std::string(kBeamUpRoom));
  const std::size_t n = play.states.size();
  std::vector<std::vector<std::uint32_t>> back(n);
  for (const auto& [from, to] : play.moves) back[to].push_back(from);
  std::vector<bool> up(n, false);
  std::vector<std::uint32_t> queue;
  for (std::size_t i = 0; i < n; ++i) {
    if (play.states[i].messageLevel == beamUp) {
      up[i] = true;
      queue.push_back(static_cast<std::uint32_t>(i));
    }
  }
  while (!queue.empty()) {
    const std::uint32_t s = queue.back();
    queue.pop_back();
    for (std::uint32_t p : back[s]) {
      if (!up[p]) {
        up[p] = true;
        queue.push_back(p);
      }
    }
  }
  // A room's actions are in front of the player while its group answers a shown message.
  for (const Room& room : rooms_.rooms) {
    if (staticallyStuck_.count(room.name)) continue;
    const int level = model.Level(room.name);
    std::size_t here = 0, stuck = 0;
    for (std::size_t i = 0; i < n; ++i) {
      const PlayState& s = play.states[i];
      if (s.responseLevel != level || !(s.bits & PlayState::kShown)) continue;
      ++here;
      stuck += up[i] ? 0 : 1;
    }
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
