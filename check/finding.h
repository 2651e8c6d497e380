#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zelmora::check {

// Most severe first: a smaller value outranks a larger one.
enum class Severity { Error, Warning, Note };

enum class FindingKind {
  // one stored value
  ValueTooLong,      // 255 characters or more: read back cut
  ResponseTooWide,   // a response text wider than the chooser shows
  ItemsBeyondCount,  // items above their count (or without one): no reader sees them
  CountAboveItems,   // a count above the items present: the missing ones play as "ERR"
  UnknownCode,       // a code SPECIAL.LST does not list
  SupplySyntax,      // a supply piece without a code letter
  WaitNotFirst,      // "%W" after another prefix code: the wait is ignored
  InvalidFlag,       // a flag code on a character that is no flag letter
  // links between groups
  MissingMessages,   // an answer code or destination naming a group without messages
  MissingResponses,  // "*R" naming a group without responses
  AnswerReadAsCondition,  // a message's "*R" to a group named "S..." or "!S...": play reads a repair condition
  UnreachedGroup,    // a group with items that no walk from the roots reaches
  // flags
  FlagNeverTested,
  FlagNeverSet,
  FlagUndescribed,
  // rooms
  DoorToMissingRoom,
  OneWayDoor,
  LockNeverOpens,
  StuckRoom,
  // what play can reach
  MessageNeverSent,
  ResponseNeverOffered,
  GroupNeverPlayed,
  RoomNeverEntered,
  SearchIncomplete,
  // the planet as a whole
  ScriptNotUsed,
  NoCatalogue,
  // the prose (added when asked for, by the spelling checker)
  Spelling,
  // an item the recorded tests never played (added when asked for)
  Untested,
};

// Which list of a group a finding points into.
enum class ItemList { None, Messages, Responses };

// One thing the checker found. `group`, `list` and `item` say where the message editor selects it
// (the shown group name, INIT for the empty one); `room` names the room a room finding is about.
struct Finding {
  Severity severity = Severity::Note;
  FindingKind kind = FindingKind::SearchIncomplete;
  std::string system;
  int planet = 0;
  std::string group;
  ItemList list = ItemList::None;
  int item = 0;
  std::string key;  // the key the finding is about; empty when it is about the planet
  std::string room;
  std::string message;  // one line
  std::string fix;      // a suggested fix; may be empty

  bool operator==(const Finding&) const = default;
};

const char* SeverityName(Severity severity);  // "error", "warning", "note"
// The severity named by "error", "warning" or "note" (any case); false for another text.
bool ParseSeverity(std::string_view text, Severity& severity);
const char* KindName(FindingKind kind);  // "value-too-long", ...
const char* ListName(ItemList list);     // "", "messages", "responses"

// Whether a finding of severity `s` is shown when `minimum` is the least severe one asked for.
inline bool AtLeast(Severity s, Severity minimum) { return static_cast<int>(s) <= static_cast<int>(minimum); }

int CountOf(const std::vector<Finding>& findings, Severity severity);

// Orders findings by system, planet and severity, keeping the order in which they were found.
void SortFindings(std::vector<Finding>& findings);

}  // namespace zelmora::check
