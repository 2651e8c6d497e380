#pragma once

#include "adventure/room_text.h"
#include "messages/planet_script.h"
#include "ui/platform/prompter.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace zelmora::adventure {

// The seven standard actions of every room, in slot order.
inline constexpr int kSlotCount = 7;
inline constexpr std::array<const char*, kSlotCount> kSlotCaptions = {
    "North", "East", "South", "West", "Beam back up to the ship.",
    "Search the area for anything unusual.", "What are your current tricorder readings?"};
enum ActionSlot { kSlotNorth = 0, kSlotEast, kSlotSouth, kSlotWest, kSlotBeam, kSlotSearch, kSlotTri };

// One stored response of the open room; number 0 while it is not stored.
struct RoomAction {
  int number = 0;
  RoomText parts;

  std::string Destination() const { return AnswerName(parts.tail, 'M'); }
};

struct SlotState {
  bool present = false;
  bool isDefault = false;  // the stored response equals DefaultResponse exactly
  RoomAction action;
  std::string defaultResponse;
};

// Which action an edit is about: a standard slot or an entry of the custom list.
struct ActionRef {
  enum Kind { Slot, Custom } kind = Slot;
  int index = 0;
};

enum class OpenResult { Opened, NotOpened, Cancelled };

// The open room of a planet's script, read from and written to its message keys at once.
// Questions (the not-a-room walk, destinations, effects) go through the prompter with the room
// editor's own texts.
class RoomModel {
 public:
  explicit RoomModel(messages::PlanetScript& script) : script_(script) {}
  messages::PlanetScript& Script() const { return script_; }

  // Opens `name`; "None" and a cancelled not-a-room question leave the previous room open.
  OpenResult LoadRoom(const std::string& name, platform::Prompter& prompter);
  // Binds response n of the open room to a slot or the custom list.
  void DisplayAction(int n);

  const std::string& Name() const { return name_; }
  bool IsOpen() const { return open_; }
  const RoomAction& Description() const { return description_; }
  const std::array<std::string, 4>& Neighbours() const { return neighbours_; }
  const SlotState& Slot(int slot) const { return slots_.at(static_cast<std::size_t>(slot)); }
  const std::vector<RoomAction>& Customs() const { return customs_; }
  const RoomAction& Action(ActionRef ref) const;
  int ResponseCount() const;
  std::string DefaultResponse(int slot) const;

  // Edits, written at once; texts are cut to what keeps the stored value within its limit.
  void SetDescription(const std::string& text);
  void SetActionText(ActionRef ref, const std::string& text);
  void SetDestination(ActionRef ref, const std::string& destination);
  // marker: "%G" + direction letter, "%G-", or empty for Auto.
  void SetDirectionMarker(ActionRef ref, const std::string& marker);

  // Standard actions on and off; false when the destination question was declined.
  bool SwitchOn(int slot, platform::Prompter& prompter);
  void SwitchOff(int slot);
  // A new "New Action" with no destination; returns its index in the custom list.
  int AddCustomAction();

  int AppendResponse(const std::string& value);
  void RemoveResponse(int n);
  void InsertResponse(int p, const std::string& value);

  // The effect of the action's destination, asked for through the prompter; true when written.
  bool SetEffect(ActionRef ref, platform::Prompter& prompter);
  // Locks response n behind flag `flag` with the message shown while it is locked.
  void LockAction(int n, char flag, const std::string& lockedText);

 private:
  struct Found {
    std::optional<RoomAction> description;
    // The messages that lead elsewhere, when there is no description.
    struct Effect {
      std::string text;
      std::string target;
    };
    std::vector<Effect> effects;
  };
  Found FindDescription(const std::string& group) const;
  void Reset(const std::string& name, const Found& found);
  RoomAction* Mutable(ActionRef ref);
  // Writes an action, giving it the next response number first when it has none.
  void Store(RoomAction& action);
  void Renumber(int from, int delta);

  messages::PlanetScript& script_;
  bool open_ = false;
  std::string name_;
  RoomAction description_;
  std::array<std::string, 4> neighbours_;
  std::array<SlotState, kSlotCount> slots_;
  std::vector<RoomAction> customs_;
};

// The actions a lock can be put on: standard actions with a stored response in slot order, then the
// custom actions; each with its current text and response number.
struct LockChoice {
  std::string text;
  int number = 0;
};
std::vector<LockChoice> LockChoices(const RoomModel& room);

}  // namespace zelmora::adventure
