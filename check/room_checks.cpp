// The rooms of the planet's adventure: doors to nowhere, one-way doors, locks that never open and
// rooms with no way back to the ship.
#include "check/planet_checker.h"
#include "adventure/grid_names.h"
#include "messages/script_keys.h"
#include "ui/platform/text_rules.h"

namespace zelmora::check {

namespace {

constexpr std::array<const char*, 4> kDirectionNames = {"North", "East", "South", "West"};
constexpr std::array<const char*, 4> kOpposites = {"South", "West", "North", "East"};

std::string Quoted(const std::string& text) { return "\"" + platform::TrimSpaces(text) + "\""; }

}  // namespace

void PlanetChecker::CheckRooms() {
  auto roomFinding = [&](Severity severity, FindingKind kind, const Room& room, const std::string& key,
                         std::string message, std::string fix) {
    Finding& f = Add(severity, kind, key, std::move(message), std::move(fix));
    f.room = room.name;
    if (f.group.empty()) {
      f.group = room.name;
      f.list = ItemList::Messages;
    }
  };
  for (const Room& room : rooms_.rooms) {
    for (const Door& door : room.doors) {
      if (door.missing) {
        roomFinding(Severity::Error, FindingKind::DoorToMissingRoom, room, door.key,
                    "the action " + Quoted(door.text) + " of room " + room.name + " leads to " +
                        (door.destination.empty() ? std::string("INIT, which has no messages")
                                                  : door.destination + ", which does not exist"),
                    door.destination.empty() ? "give the action a destination"
                                             : "write room " + door.destination + " or change the destination");
        reportedKeys_.insert(platform::ToUpper1252(door.key));
      }
      if (door.lockFlag >= 0 && !(flags_.set & FlagBit(door.lockFlag))) {
        roomFinding(Severity::Error, FindingKind::LockNeverOpens, room, door.key,
                    "the lock on " + Quoted(door.text) + " in room " + room.name + " opens with flag " +
                        FlagName(door.lockFlag) + ", which nothing sets",
                    "set flag " + FlagName(door.lockFlag) + " somewhere (*SF" + FlagName(door.lockFlag) +
                        "), for example in a search effect");
        reportedKeys_.insert(platform::ToUpper1252(door.key));
      }
      if (IsOneWayDoor(rooms_, room, door)) {
        const auto slot = static_cast<std::size_t>(door.slot);
        roomFinding(Severity::Warning, FindingKind::OneWayDoor, room, door.key,
                    room.name + " leads " + kDirectionNames[slot] + " to " + door.destination + ", but " +
                        door.destination + " has no way back to " + room.name,
                    "switch on the " + std::string(kOpposites[slot]) + " action of " + door.destination);
      }
    }
  }
  const std::vector<bool> reaches = RoomsReachingBeamUp(rooms_, flags_.set);
  for (std::size_t i = 0; i < rooms_.rooms.size(); ++i) {
    if (reaches[i]) continue;
    const Room& room = rooms_.rooms[i];
    staticallyStuck_.insert(room.name);
    roomFinding(Severity::Error, FindingKind::StuckRoom, room, messages::MessageKey(room.name, 1),
                "no path of actions leads from room " + room.name + " back to BeamUp",
                "switch on the beam up action here, or open a way to a room that has it");
  }
}

}  // namespace zelmora::check
