#pragma once

#include "messages/special_actions.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelmora::messages {

enum class DisplayKind { Standard, Box, Custom };
enum class ItemKind { Message, Response };

// The parts of one stored message or response value.
struct MessageParts {
  std::vector<std::string> PrefixCodes;  // three-character catalogue prefix codes, stored order
  int WaitSeconds = 0;                   // 0 = immediately
  int ChanceTenths = 10;                 // 10 = always
  DisplayKind Display = DisplayKind::Standard;
  std::string Title;  // Custom only
  std::string Text;
  std::vector<std::string> UpgradeCodes;       // "^" and two letters
  std::optional<std::string> AnswerGroup;      // absent: the item's own group; "INIT" for the empty name
  std::vector<std::string> ActionCodes;        // "*" & code & value, stored order

  bool operator==(const MessageParts&) const = default;
};

// The standard title of a message shown without a display marker.
inline constexpr std::string_view kStandardTitle = "Message from Planet:";
inline constexpr std::string_view kBoxTitle = "BOX";

// A "*R" code that the catalogue lists as a repair condition ("*RS1", "*R!S1") is read as an action
// code; every other "*M" or "*R" code is an answer code, the last one winning.
MessageParts ParseMessage(std::string_view value, const SpecialActionList& catalogue);
// The same for readers without a catalogue: repair conditions in the forms the game's own catalogue
// lists ("*RS" or "*R!S" and a system digit).
MessageParts ParseMessage(std::string_view value);

// The attached-action lines of an item as the item pane lists them: prefix codes, then action
// codes, then upgrade codes. A code whose catalogue line would not write it back byte for byte
// becomes an unknown-code line.
std::vector<std::string> AttachedActions(const MessageParts& parts, const SpecialActionList& catalogue);

// The stored value of an item of `ownGroup` (shown name). `actions` are the item's attached lines in
// order, each with its value written between its brackets (or unknown-code lines); the codes of
// `parts` are not used, only what the actions say.
// The wait code comes first, the only place where it is recognised. Actions that the player's
// reader takes for answer codes as well ("*R" repair conditions in a message) come before the
// answer code, which then is written even for the own group, so that the answer shown is the
// answer played.
std::string ComposeMessage(const MessageParts& parts, const std::vector<std::string>& actions, ItemKind kind,
                           std::string_view ownGroup);

// Why a value composed from these parts and actions would not read back as them: an attached
// action that the reader takes for the answer code (a "*R" code in a message that is no repair
// condition, any "*M" or "*R" code in a response), or an answer group lost behind a prefix code cut
// short ("%" alone swallows the "*M" after it). Nothing when it reads back; what cannot be read
// back is refused, never stored.
std::optional<std::string> ReadBackProblem(std::string_view composed, const MessageParts& parts,
                                           const std::vector<std::string>& actions, ItemKind kind,
                                           std::string_view ownGroup, const SpecialActionList& catalogue);

// Whether a message's answer code for `group` (shown name) is also played as a repair condition:
// the player's reader takes every "*RS" and "*R!S" piece for one, whatever follows, and a message
// whose condition names no damaged system is never sent.
bool AnswerPlaysAsCondition(std::string_view group);

// The one-line form shown in the group lists.
std::string MessageDisplayText(std::string_view value);

const char* DisplayKindName(DisplayKind display);

// Pieces of the syntax that the simulator's reader shares.
// The value without its leading "%" codes (three characters each).
std::string_view WithoutPrefixCodes(std::string_view value);
// Takes a display marker "$" & title & "$" off the front of `rest` and answers the title. A "$"
// that is never closed is no marker: it is dropped and there is no title.
std::optional<std::string> TakeDisplayMarker(std::string_view& rest);
// The pieces after each "*", empty ones included; the text before the first "*" is none.
std::vector<std::string> StarPieces(std::string_view text);
// Where StarPieces finds them: each piece's offset in `text` (after its "*") and length.
struct Span {
  std::size_t start = 0;
  std::size_t length = 0;
  std::size_t End() const { return start + length; }
  bool operator==(const Span&) const = default;
};
std::vector<Span> StarPieceSpans(std::string_view text);
// The part of a stored value whose "*" pieces play applies when the item is chosen: a response's
// after its prefix codes; a message's after its display marker too, with its blanks trimmed.
std::string_view PlayedCodes(std::string_view value, ItemKind kind);

// Where ParseMessage finds the text and a custom title in a stored value. The text of "ERR" is
// empty; a "BOX" marker is no title.
struct TextSpans {
  Span text;
  std::optional<Span> title;
};
TextSpans FindTextSpans(std::string_view value);

// Limits of a stored value and of a response's text.
inline constexpr std::size_t kMaxValueLength = 254;
inline constexpr int kMaxResponseTextTwips = 7230;
inline constexpr std::string_view kLengthLimitText = "(Length Limit Exceeded)";
inline constexpr std::string_view kResponseWidthLimitText = "(Response Text Width Limit Exceeded)";

bool ExceedsLengthLimit(std::string_view value);
// The response text measured in twips by the caller's font.
template <typename MeasureTwips>
bool ExceedsResponseWidth(std::string_view text, MeasureTwips&& measure) {
  return measure(text) >= kMaxResponseTextTwips;
}

}  // namespace zelmora::messages
