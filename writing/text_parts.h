#pragma once

#include "messages/message_parts.h"
#include "messages/special_actions.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Which characters of a stored value are prose and which are codes, as the script's readers see
// them. Every writing aid (find, replace, spelling, counts, renaming) works on these parts, so none
// of them ever changes a code.
namespace zelmora::writing {

using messages::Span;

// What a value is: an item of a message or response list, or the planet's information text.
enum class ValueKind { Message, Response, Info };

enum class PartRole {
  Code,         // codes, markers and the blanks the reader trims: never changed
  Text,         // the text shown to the player
  Title,        // a message's custom title
  Placeholder,  // "%NM" and its kin inside a text
  AnswerName,   // the group an answer code ("*M" or "*R") names
};

struct ValuePart {
  Span span;
  PartRole role = PartRole::Code;
  bool operator==(const ValuePart&) const = default;
};

inline bool IsProse(PartRole role) { return role == PartRole::Text || role == PartRole::Title; }

// The parts of a value in order; together they cover it exactly. A "*R" code that `catalogue` (or,
// without one, the game's own forms) lists as a repair condition names no group.
std::vector<ValuePart> SplitValue(std::string_view value, ValueKind kind,
                                  const messages::SpecialActionList* catalogue = nullptr);

// One rewrite: the characters of `span` become `text`.
struct PartEdit {
  Span span;
  std::string text;
};

// The value with the edits applied; edits must not overlap (any order).
std::string ApplyEdits(std::string_view value, std::vector<PartEdit> edits);

struct Rewrite {
  std::string value;
  // Why the rewritten value would not be stored and read back as intended (a text the script would
  // read as codes, blanks the reader drops, a new placeholder, a value read back cut); nothing is
  // written for it.
  std::optional<std::string> problem;
};

// `before` with edits that lie inside its prose (its text, between placeholders, or its title).
Rewrite RewriteProse(std::string_view before, const std::vector<PartEdit>& edits, ValueKind kind,
                     const messages::SpecialActionList* catalogue = nullptr);

// Whether a character of the code page is part of a word: letters, digits and the apostrophe
// inside a word.
bool IsWordCharacter(char c);

// The words of a text: runs of word characters, apostrophes trimmed from their ends.
std::vector<Span> Words(std::string_view text);

}  // namespace zelmora::writing
