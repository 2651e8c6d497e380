#pragma once

#include "messages/planet_script.h"

#include <string>
#include <string_view>
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

// Adds `group` (shown name) to `registry` with the given kind and walks on from it as DiscoverGroups
// does, so that what the file already holds under the name is listed too. Groups the registry
// holds already are not walked again.
void DiscoverFrom(const PlanetScript& script, std::vector<GroupEntry>& registry, std::string_view group,
                  bool asResponse);

}  // namespace zelmora::messages
