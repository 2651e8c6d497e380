#pragma once

#include "adventure/grid_names.h"
#include "check/play_model.h"
#include "check/script_index.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelmora::check {

inline constexpr std::string_view kBeamUpRoom = "BeamUp";
inline constexpr std::string_view kNoneGroup = "None";

// One action of a room as the room editor binds it.
struct Door {
  int response = 0;
  std::string key;
  std::string text;
  int slot = -1;  // the room editor's standard slot 0..6 (0..3 the directions), -1 for a custom action
  std::string destination;           // the name after "*M"
  std::vector<std::string> leadsTo;  // the rooms it reaches: the destination, or the rooms its effect offers
  bool beamUp = false;               // leads to "BeamUp"
  bool missing = false;              // names a group without messages
  bool never = false;                // a condition that cannot hold
  FlagBits needSet = 0;
  FlagBits needClear = 0;
  int lockFlag = -1;        // the open side of a lock: the flag that opens it
  bool lockedSide = false;  // the side offered while a lock is shut
};

struct Room {
  std::string name;
  bool beamDown = false;  // a beam-down message offers its actions
  std::optional<adventure::GridName> grid;
  std::vector<Door> doors;
};

// The rooms of a planet's adventure: those the beam-down messages offer and every room their
// doors and effects lead to, plus the rooms with grid names that nothing leads to.
struct RoomGraph {
  std::vector<Room> rooms;
  int Find(std::string_view name) const;  // -1 when it is not a room
};

RoomGraph BuildRoomGraph(ScriptIndex& index);

// Rooms from which a path of doors leads to "BeamUp"; doors that need a flag outside `settable`
// (or a condition that never holds) are shut.
std::vector<bool> RoomsReachingBeamUp(const RoomGraph& graph, FlagBits settable);

// A direction door to the grid neighbour in that direction, whose room has no door back.
bool IsOneWayDoor(const RoomGraph& graph, const Room& room, const Door& door);

// Flag letters as scripts write them: "A".."Z" and "0".."9"; the treaty flag 7 has none.
std::string FlagName(int flag);

}  // namespace zelmora::check
