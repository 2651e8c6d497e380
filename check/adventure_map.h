#pragma once

#include "check/finding.h"
#include "messages/planet_script.h"

#include <string>
#include <vector>

namespace zelmora::check {

// A room on the map: rooms with grid names sit at their coordinates (column x growing east, row y
// growing south); the others are laid out from their doors next to a room already placed.
struct MapRoom {
  std::string name;
  int x = 0;
  int y = 0;
  bool placedByGrid = false;
  bool beamDown = false;       // a beam-down message offers its actions
  bool reachesBeamUp = false;  // a path of doors (through locks whose flag something sets) leads up
  std::vector<Finding> findings;  // the room findings about it
};

// A door between rooms, or to "BeamUp", or to a group that does not exist.
struct MapDoor {
  std::string from;
  std::string to;
  int response = 0;  // the action's response number in `from`
  std::string key;
  std::string text;
  int direction = -1;     // 0..3 North, East, South, West for the direction actions
  bool beamUp = false;    // leads to "BeamUp" (`to` is "BeamUp")
  bool toMissing = false; // `to` names a group without messages
  bool oneWay = false;    // to the grid neighbour, which has no door back
  std::string lockFlag;   // the flag that opens its lock, empty when it has none
};

struct AdventureMap {
  std::vector<MapRoom> rooms;
  std::vector<MapDoor> doors;
  // The cells in use (inclusive); all zero when there are no rooms.
  int minX = 0, minY = 0, maxX = 0, maxY = 0;

  const MapRoom* Find(const std::string& name) const;
};

// The map of a planet's adventure, with the room findings of `findings` (those naming a room of
// this planet) attached to their rooms.
AdventureMap BuildAdventureMap(const messages::PlanetScript& script, const std::vector<Finding>& findings = {});

}  // namespace zelmora::check
