#pragma once

#include "messages/planet_script.h"

#include <string>
#include <vector>

namespace zelmora::messages {

struct GroupEntry {
  std::string Name;  // INIT for the empty name
  bool IsMessageGroup = false;
  bool IsResponseGroup = false;

  bool operator==(const GroupEntry&) const = default;
};

// The groups of a planet's script in discovery order: a depth-first walk from INIT, Back,
// Returned, Beam and Phaser (message groups) and Hail (response group) along the answer codes and
// the Ignore and Phaser companions. Each group is expanded once, so cycles end the walk.
std::vector<GroupEntry> DiscoverGroups(const PlanetScript& script);

}  // namespace zelmora::messages
