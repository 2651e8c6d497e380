#include "check/room_graph.h"

#include "adventure/room_model.h"
#include "adventure/room_text.h"
#include "messages/script_keys.h"
#include "simulator/script_rules.h"
#include "simulator/ship_state.h"

#include <deque>
#include <map>

namespace zelmora::check {

namespace {

using adventure::RoomAction;


// A room claiming more actions than this is bound by destination alone: the room model would
// read every one of a count of 32,767.
constexpr int kMaxBoundActions = 256;

void Conditions(std::string_view prefix, Door& door) {
  while (!prefix.empty() && prefix[0] == '%') {
    const auto rule = simulator::ClassifyCondition(prefix.substr(1, 2));
    prefix.remove_prefix(std::min<std::size_t>(3, prefix.size()));
    if (rule.kind == simulator::ConditionRule::Never) door.never = true;
    if (rule.kind == simulator::ConditionRule::FlagSet) door.needSet |= FlagBit(rule.value);
    if (rule.kind == simulator::ConditionRule::FlagClear) door.needClear |= FlagBit(rule.value);
  }
  if (door.needSet & door.needClear) door.never = true;
}

class Builder {
 public:
  explicit Builder(ScriptIndex& index) : index_(index), script_(index.Script()) {}

  RoomGraph Build() {
    // The rooms the beam-down messages offer.
    std::vector<const ItemListInfo*> beams = {&index_.BeamOf("")};
    for (const ItemListInfo* list : index_.CountedLists()) {
      if (list->IsBeamList() && !list->level.empty()) beams.push_back(list);
    }
    for (const ItemListInfo* list : beams) {
      for (int n : list->present) {
        const auto parts = adventure::SplitValue(index_.Value(list->Key(n)));
        if (adventure::HasAnswerCode(parts.tail, 'R')) Reach(adventure::AnswerName(parts.tail, 'R'), true);
      }
    }
    Drain();
    // Rooms with grid names that nothing leads to still belong to the adventure.
    for (const ItemListInfo* list : index_.CountedLists()) {
      if (list->list != ItemList::Messages || list->IsBeamList() || list->present.empty()) continue;
      if (!adventure::ParseGridName(list->level) || index_.ResponsesOf(list->level).count == 0) continue;
      Reach(list->level, false);
    }
    Drain();
    return std::move(graph_);
  }

 private:
  enum class Kind { Room, Effect, Missing, End };
  struct Group {
    Kind kind = Kind::Missing;
    std::vector<std::string> targets;  // an effect's rooms
  };

  // What a destination is: "BeamUp" and "None" end the walk.
  const Group& Classify(const std::string& name) {
    auto found = groups_.find(name);
    if (found != groups_.end()) return found->second;
    Group g;
    const ItemListInfo& messages = index_.MessagesOf(name);
    if (name == kBeamUpRoom || name == kNoneGroup) {
      g.kind = Kind::End;
    } else if (messages.count == 0) {
      g.kind = Kind::Missing;
    } else if (name.empty()) {
      // An empty destination goes back to the planet's INIT conversation.
      g.kind = Kind::End;
    } else {
      // A group whose every message offers other actions is an effect; one that describes a
      // place (a message without "*R", an absent one reading as empty) is a room.
      bool description = messages.Absent() > 0;
      for (int n : messages.present) {
        const auto parts = adventure::SplitValue(index_.Value(messages.Key(n)));
        if (!adventure::HasAnswerCode(parts.tail, 'R')) {
          description = true;
        } else {
          g.targets.push_back(adventure::AnswerName(parts.tail, 'R'));
        }
      }
      g.kind = description ? Kind::Room : Kind::Effect;
      if (description) g.targets.clear();
    }
    return groups_.emplace(name, std::move(g)).first->second;
  }

  // A group met on the walk: a room is queued once; an effect passes on to its rooms.
  void Reach(const std::string& name, bool beamDown, int depth = 0) {
    const Group& g = Classify(name);
    if (g.kind == Kind::Effect && depth < 8) {
      const std::vector<std::string> targets = g.targets;
      for (const auto& target : targets) Reach(target, beamDown, depth + 1);
      return;
    }
    if (g.kind != Kind::Room) return;
    auto [it, added] = roomIndex_.emplace(name, graph_.rooms.size());
    if (added) {
      Room room;
      room.name = name;
      room.grid = adventure::ParseGridName(name);
      graph_.rooms.push_back(std::move(room));
      queue_.push_back(name);
    }
    if (beamDown) graph_.rooms[it->second].beamDown = true;
  }

  void Drain() {
    while (!queue_.empty()) {
      const std::string name = queue_.front();
      queue_.pop_front();
      std::vector<Door> doors = Doors(name);
      for (Door& door : doors) Resolve(door);
      graph_.rooms[roomIndex_.at(name)].doors = std::move(doors);
    }
  }

  // The actions of a room, bound to the room editor's slots.
  std::vector<Door> Doors(const std::string& name) {
    std::vector<Door> doors;
    auto add = [&](const RoomAction& action, int slot) {
      Door door;
      door.response = action.number;
      door.key = messages::ResponseKey(name, action.number);
      door.text = action.parts.text;
      door.slot = slot;
      door.destination = action.Destination();
      Conditions(action.parts.prefix, door);
      doors.push_back(std::move(door));
    };
    const ItemListInfo& responses = index_.ResponsesOf(name);
    if (responses.count <= kMaxBoundActions) {
      messages::PlanetScript script(script_.Store(), script_.Record(), script_.Planet());
      adventure::RoomModel model(script);
      // The checker opens a group that only leads elsewhere itself and follows its effects.
      platform::DecliningPrompter none;
      model.LoadRoom(name, none);
      for (int s = 0; s < adventure::kSlotCount; ++s) {
        if (model.Slot(s).present) add(model.Slot(s).action, s);
      }
      for (const RoomAction& action : model.Customs()) add(action, -1);
    } else {
      for (int n : responses.present) add(RoomAction{n, adventure::SplitValue(index_.Value(responses.Key(n)))}, -1);
    }
    std::sort(doors.begin(), doors.end(), [](const Door& a, const Door& b) { return a.response < b.response; });
    // Locks: a door open while flag Q is set, and its twin, offered while Q is clear, leading to
    // the destination's "Locked" group.
    for (Door& open : doors) {
      for (Door& shut : doors) {
        const FlagBits common = open.needSet & shut.needClear;
        if (common == 0 || shut.destination != open.destination + "Locked") continue;
        int flag = 0;
        while (!(common & FlagBit(flag))) ++flag;
        open.lockFlag = flag;
        shut.lockedSide = true;
      }
    }
    return doors;
  }

  void Resolve(Door& door) {
    const Group& g = Classify(door.destination);
    switch (g.kind) {
      case Kind::End: door.beamUp = door.destination == kBeamUpRoom; break;
      case Kind::Missing: door.missing = true; break;
      case Kind::Room:
        door.leadsTo.push_back(door.destination);
        Reach(door.destination, false);
        break;
      case Kind::Effect: {
        const std::vector<std::string> targets = g.targets;
        for (const auto& target : targets) {
          const Group& t = Classify(target);
          if (t.kind == Kind::Room) door.leadsTo.push_back(target);
          if (t.kind == Kind::End && target == kBeamUpRoom) door.beamUp = true;
          Reach(target, false);
        }
        break;
      }
    }
  }

  ScriptIndex& index_;
  const messages::PlanetScript& script_;
  RoomGraph graph_;
  std::map<std::string, Group> groups_;
  std::map<std::string, std::size_t> roomIndex_;
  std::deque<std::string> queue_;
};

}  // namespace

int RoomGraph::Find(std::string_view name) const {
  for (std::size_t i = 0; i < rooms.size(); ++i) {
    if (rooms[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

RoomGraph BuildRoomGraph(ScriptIndex& index) { return Builder(index).Build(); }

std::vector<bool> RoomsReachingBeamUp(const RoomGraph& graph, FlagBits settable) {
  const std::size_t n = graph.rooms.size();
  auto open = [&](const Door& d) { return !d.never && (d.needSet & ~settable) == 0; };
  std::vector<bool> reaches(n, false);
  std::map<std::string, std::size_t> byName;
  for (std::size_t i = 0; i < n; ++i) byName[graph.rooms[i].name] = i;
  // Rooms with an open way up, then every room with an open door to a room already known.
  for (std::size_t i = 0; i < n; ++i) {
    for (const Door& d : graph.rooms[i].doors) reaches[i] = reaches[i] || (d.beamUp && open(d));
  }
  for (bool changed = true; changed;) {
    changed = false;
    for (std::size_t i = 0; i < n; ++i) {
      if (reaches[i]) continue;
      for (const Door& d : graph.rooms[i].doors) {
        if (!open(d)) continue;
        for (const auto& target : d.leadsTo) {
          auto t = byName.find(target);
          if (t != byName.end() && reaches[t->second]) reaches[i] = true;
        }
      }
      changed = changed || reaches[i];
    }
  }
  return reaches;
}

bool IsOneWayDoor(const RoomGraph& graph, const Room& room, const Door& door) {
  if (door.slot < 0 || door.slot > adventure::kWest || door.missing) return false;
  const auto neighbours = adventure::NeighbourNames(room.name);
  if (neighbours[static_cast<std::size_t>(door.slot)] != door.destination) return false;
  const int other = graph.Find(door.destination);
  if (other < 0) return false;
  for (const Door& back : graph.rooms[static_cast<std::size_t>(other)].doors) {
    if (back.destination == room.name) return false;
    for (const auto& target : back.leadsTo) {
      if (target == room.name && !back.lockedSide) return false;
    }
  }
  return true;
}

std::string FlagName(int flag) {
  if (flag < 0 || flag == simulator::kTreatyFlag || flag >= simulator::kFlagNumbers) return {};
  const int k = flag < simulator::kTreatyFlag ? flag : flag - 1;
  return std::string(1, k < 26 ? static_cast<char>('A' + k) : static_cast<char>('0' + k - 26));
}

}  // namespace zelmora::check
