#pragma once

#include "messages/planet_script.h"
#include "messages/special_actions.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelmora::writing {

// Renaming a group of a planet's script everywhere: the keys of its lists and of its companion
// groups (its Ignore and Phaser groups, a room's Search, Tri and Locked groups, the Beam list read
// at it), and every answer code that names one of them (answers, room destinations, beam-down and
// lock links). Names are compared as the file's reader compares keys, without regard to case.
struct RenamePlan {
  struct Name {
    std::string from, to;
  };
  struct Key {
    std::string from, to;  // the same key when only a value changes
    std::string before, after;
  };
  std::vector<Name> groups;  // the group first, then its companions that have lists or are named
  std::vector<Key> keys;     // every key written: renamed ones and values whose answer codes change
  int references = 0;        // answer codes rewritten
  std::optional<std::string> refused;
};

// The groups whose names have a fixed role in play or in the rooms: never renamed, never taken.
bool IsFixedGroupName(std::string_view name);

// What renaming `from` to `to` (names as the message editor shows them) would write, or why it is
// refused: a name that breaks the name rule, has a fixed role, is in use (by a group, an answer
// code or a companion of either), or would make an answer read as a repair condition ("S...");
// a group nothing has or names; a value that would grow past what the reader gives back.
RenamePlan PlanRename(const messages::PlanetScript& script, std::string_view from, std::string_view to,
                      const messages::SpecialActionList& catalogue);

// Writes a plan that was not refused, as one step of the history ("Rename group FROM to TO"), in one
// rewrite of the descriptor.
void ApplyRename(messages::PlanetScript& script, const RenamePlan& plan);

}  // namespace zelmora::writing
