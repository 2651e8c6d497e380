#pragma once

#include <string>
#include <string_view>

namespace zelmora::adventure {

// The most of a stored value that the descriptor reader gives back whole.
inline constexpr int kMaxStoredValue = 254;

// A stored message or response as rooms read it: prefix codes, text, and the tail from the first
// "*" on. The stored value is always prefix + text + tail.
struct RoomText {
  std::string prefix;
  std::string text;
  std::string tail;

  std::string Value() const { return prefix + text + tail; }
  bool operator==(const RoomText&) const = default;
};

// Splits a stored value; the absent-key word counts as an empty item.
RoomText SplitValue(std::string_view value);

// The name after the first "*" + code letter ('M' destination, 'R' next responses) up to the next
// "*"; empty when the tail has no such code.
std::string AnswerName(std::string_view tail, char code);
bool HasAnswerCode(std::string_view tail, char code);
// The tail without its first "*" + code + name part.
std::string TailWithoutAnswer(std::string_view tail, char code);
// The tail with its destination replaced, or "*M" + destination appended when it has none.
std::string TailWithDestination(std::string_view tail, std::string_view destination);

// The prefix with its first "%G" code removed and `marker` put in front.
std::string PrefixWithMarker(std::string_view prefix, std::string_view marker);
// The first "%G" code of a prefix (three characters at a time), empty when none.
std::string DirectionMarker(std::string_view prefix);

// How long the text of an item may grow: the stored value stays within kMaxStoredValue.
std::size_t TextBudget(const RoomText& parts);
// `text` cut to the budget of `parts`.
std::string FitText(const RoomText& parts, std::string_view text);

}  // namespace zelmora::adventure
