#pragma once

#include "check/play_model.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <unordered_set>
#include <utility>

namespace zelmora::check {

struct SearchLimits {
  // Counted as the search holds them: a configuration with the combinations of up to six followed
  // flags is one, with more flags one per 64 combinations.
  std::size_t maxStates = 1'000'000;
  std::chrono::milliseconds maxTime{5000};
  // When the whole check must be over: a search never runs past it, whatever maxTime allows.
  std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::time_point::max();
};

// One moment of a visit as far as the script can tell, without the flags: the current message and
// response groups, the message the clock has chosen and is waiting to show (its number; 0 for
// none), whether the clock is choosing a message, whether a message is on the panel (so that
// Respond and Ignore show), whether Hail and Beam are still to be used this visit, and the flags
// that are not followed as a set.
struct PlayConfig {
  enum Bits : std::uint8_t { kChoosing = 1, kShown = 2, kCanHail = 4, kCanBeam = 8 };
  std::int32_t messageLevel = 0;
  std::int32_t responseLevel = 0;
  std::int32_t pending = 0;
  std::uint8_t bits = 0;
  FlagBits flags = 0;

  bool operator==(const PlayConfig&) const = default;
};

struct Exploration {
  bool complete = false;
  std::string stoppedBy;  // "states" or "time" when the search stopped early
  double milliseconds = 0;
  std::size_t states = 0;  // moments of play told apart by their flags as well
  std::size_t configs = 0;
  std::size_t bytes = 0;   // what the search held at its largest
  // Upper-cased keys of the messages some visit can send, and of the responses it can offer; an
  // absent item within a count, played as "ERR", by its list's prefix.
  std::unordered_set<std::string> sent;
  std::unordered_set<std::string> offered;
  // By response level: the states in which a message of that level is on the panel, and those of
  // them from which no run of the conversation's own moves reaches the goal level. Only when a goal
  // was given and the search is complete.
  std::map<int, std::pair<std::size_t, std::size_t>> shownAndStuck;
};

// Every state the rules of play allow from the first orbit entry (all flags clear): the clock
// choosing any message whose conditions may hold (and showing a waiting one, at whatever level the
// conversation is by then), termination when none surely holds, Respond, Hail, Ignore, Beam and
// Phaser, and leaving and coming back (Back or Returned, the flags kept). Conditions of chance and
// of the ship's state count as either outcome. Stops at the limits. The flags that conditions test
// are followed as sets of flag values per configuration, so locks on many flags stay cheap.
Exploration Explore(PlayModel& model, const SearchLimits& limits, int goalLevel = -1);

}  // namespace zelmora::check
