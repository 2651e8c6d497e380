#include "check/adventure_map.h"

#include "check/flag_uses.h"
#include "check/room_graph.h"
#include "check/script_index.h"
#include "store/descriptor_store.h"

#include <algorithm>
#include <map>
#include <utility>

namespace zelmora::check {

namespace {

using Cell = std::pair<int, int>;

constexpr std::array<Cell, 4> kSteps = {Cell{0, -1}, Cell{1, 0}, Cell{0, 1}, Cell{-1, 0}};

// The free cell nearest to `from`, ring by ring, preferring `step` from it when that is free.
Cell FreeCellNear(const std::map<Cell, std::size_t>& used, Cell from, int direction) {
  if (direction >= 0) {
    const Cell next{from.first + kSteps[static_cast<std::size_t>(direction)].first,
                    from.second + kSteps[static_cast<std::size_t>(direction)].second};
    if (!used.count(next)) return next;
  }
  for (int ring = 1;; ++ring) {
    for (int dy = -ring; dy <= ring; ++dy) {
      for (int dx = -ring; dx <= ring; ++dx) {
        if (std::max(std::abs(dx), std::abs(dy)) != ring) continue;
        const Cell c{from.first + dx, from.second + dy};
        if (!used.count(c)) return c;
      }
    }
  }
}

}  // namespace

const MapRoom* AdventureMap::Find(const std::string& name) const {
  for (const MapRoom& room : rooms) {
    if (room.name == name) return &room;
  }
  return nullptr;
}

AdventureMap BuildAdventureMap(const messages::PlanetScript& script, const std::vector<Finding>& findings) {
  store::DescriptorBatch batch(script.Store(), script.Record().Name);
  ScriptIndex index(script);
  const RoomGraph graph = BuildRoomGraph(index);
  const std::vector<bool> reaches = RoomsReachingBeamUp(graph, ScanFlags(index).set);

  AdventureMap map;
  std::map<Cell, std::size_t> used;
  std::vector<bool> placed(graph.rooms.size(), false);
  auto place = [&](std::size_t i, Cell c, bool byGrid) {
    map.rooms[i].x = c.first;
    map.rooms[i].y = c.second;
    map.rooms[i].placedByGrid = byGrid;
    used[c] = i;
    placed[i] = true;
  };
  for (std::size_t i = 0; i < graph.rooms.size(); ++i) {
    const Room& room = graph.rooms[i];
    MapRoom r;
    r.name = room.name;
    r.beamDown = room.beamDown;
    r.reachesBeamUp = reaches[i];
    for (const Finding& f : findings) {
      if (f.planet == script.Planet() && f.room == room.name) r.findings.push_back(f);
    }
    map.rooms.push_back(std::move(r));
  }

  // Grid rooms at their coordinates; each further base name in a block of its own to the east.
  std::map<std::string, std::vector<std::size_t>> bases;
  for (std::size_t i = 0; i < graph.rooms.size(); ++i) {
    if (graph.rooms[i].grid) bases[graph.rooms[i].grid->base].push_back(i);
  }
  std::vector<std::pair<std::string, std::vector<std::size_t>>> blocks(bases.begin(), bases.end());
  std::stable_sort(blocks.begin(), blocks.end(),
                   [](const auto& a, const auto& b) { return a.second.size() > b.second.size(); });
  int offset = 0;
  for (const auto& [base, members] : blocks) {
    int widest = 0;
    for (std::size_t i : members) {
      const auto& grid = *graph.rooms[i].grid;
      const Cell c{grid.x + offset, grid.y};
      if (used.count(c)) continue;  // two spellings of one cell: laid out from the doors instead
      place(i, c, true);
      widest = std::max(widest, grid.x);
    }
    offset += widest + 1;
  }

  // The others next to a placed room they share a door with, in the door's direction when free.
  auto doorBetween = [&](std::size_t from, std::size_t to) -> int {
    for (const Door& d : graph.rooms[from].doors) {
      for (const auto& target : d.leadsTo) {
        if (target == graph.rooms[to].name) return d.slot >= 0 && d.slot <= 3 ? d.slot : -1;
      }
    }
    return -2;
  };
  for (bool progress = true; progress;) {
    progress = false;
    for (std::size_t i = 0; i < graph.rooms.size(); ++i) {
      if (placed[i]) continue;
      for (std::size_t j = 0; j < graph.rooms.size() && !placed[i]; ++j) {
        if (!placed[j]) continue;
        const Cell at{map.rooms[j].x, map.rooms[j].y};
        if (int d = doorBetween(j, i); d != -2) {
          place(i, FreeCellNear(used, at, d), false);
        } else if (int back = doorBetween(i, j); back != -2) {
          place(i, FreeCellNear(used, at, back >= 0 ? (back + 2) % 4 : -1), false);
        }
      }
      progress = progress || placed[i];
    }
    // A room that shares no door with a placed one starts a layout of its own below the rest.
    if (!progress) {
      for (std::size_t i = 0; i < graph.rooms.size(); ++i) {
        if (placed[i]) continue;
        Cell c{1, 1};
        if (!used.empty()) {
          c = {used.begin()->first.first, used.begin()->first.second};
          for (const auto& [cell, room] : used) {
            c = {std::min(c.first, cell.first), std::max(c.second, cell.second + 2)};
          }
        }
        place(i, c, false);
        progress = true;
        break;
      }
    }
  }

  bool first = true;
  for (const MapRoom& r : map.rooms) {
    map.minX = first ? r.x : std::min(map.minX, r.x);
    map.minY = first ? r.y : std::min(map.minY, r.y);
    map.maxX = first ? r.x : std::max(map.maxX, r.x);
    map.maxY = first ? r.y : std::max(map.maxY, r.y);
    first = false;
  }

  for (const Room& room : graph.rooms) {
    for (const Door& d : room.doors) {
      MapDoor door;
      door.from = room.name;
      door.response = d.response;
      door.key = d.key;
      door.text = d.text;
      door.direction = d.slot >= 0 && d.slot <= 3 ? d.slot : -1;
      door.lockFlag = FlagName(d.lockFlag);
      if (d.lockedSide) continue;  // the shut side of a lock only shows the locked message
      if (d.missing) {
        door.to = d.destination;
        door.toMissing = true;
        map.doors.push_back(door);
        continue;
      }
      if (d.beamUp) {
        MapDoor up = door;
        up.to = std::string(kBeamUpRoom);
        up.beamUp = true;
        map.doors.push_back(std::move(up));
      }
      for (const auto& target : d.leadsTo) {
        if (target == room.name) continue;  // an effect that comes back (search, tricorder)
        MapDoor to = door;
        to.to = target;
        to.oneWay = target == d.destination && IsOneWayDoor(graph, room, d);
        map.doors.push_back(std::move(to));
      }
    }
  }
  return map;
}

}  // namespace zelmora::check
