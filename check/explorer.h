#pragma once

#include "check/play_model.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

namespace zelmora::check {

struct SearchLimits {
  std::size_t maxStates = 1'000'000;
  std::chrono::milliseconds maxTime{5000};
};

// One moment of a visit as far as the script can tell: the current message and response groups,
// the planet's flags, whether the clock is choosing a message, whether a message is on the panel
// (so that Respond and Ignore show), and whether Hail and Beam are still to be used this visit.
struct PlayState {
  enum Bits : std::uint8_t { kChoosing = 1, kShown = 2, kCanHail = 4, kCanBeam = 8 };
  FlagBits flags = 0;
  std::int32_t messageLevel = 0;
  std::int32_t responseLevel = 0;
  std::uint8_t bits = 0;

  bool operator==(const PlayState&) const = default;
};

struct Exploration {
  bool complete = false;
  std::string stoppedBy;  // "states" or "time" when the search stopped early
  double milliseconds = 0;
  std::vector<PlayState> states;
  // The conversation's own moves (a message chosen by the clock, an answer chosen), by state:
  // what the away team can do to get back to the ship.
  std::vector<std::pair<std::uint32_t, std::uint32_t>> moves;
  std::unordered_set<std::string> sent;     // upper-cased keys of the messages some visit can send
  std::unordered_set<std::string> offered;  // ... of the responses some visit can offer
};

// Every state the rules of play allow from the first orbit entry (all flags clear): the clock
// choosing any message whose conditions may hold, termination when none surely holds, Respond,
// Hail, Ignore, Beam and Phaser, and leaving and coming back (Back or Returned, the flags kept).
// Conditions of chance and of the ship's state count as either outcome. Stops at the limits.
Exploration Explore(PlayModel& model, const SearchLimits& limits);

}  // namespace zelmora::check
