#pragma once

#include "messages/planet_script.h"

#include <array>
#include <string>

namespace zelmora::adventure {

// What the grid wizard's boxes hold: the size texts as typed and the seven chosen actions.
struct GridChoices {
  std::string sizeX = "3";
  std::string sizeY = "3";
  std::array<bool, 7> chosen = {true, true, true, true, true, true, true};
};

inline constexpr int kMinGridSize = 2;
inline constexpr int kMaxGridSize = 10;

// Corrects sizes outside 2..10 in place (a text that is not a number counts as 0); true only when
// nothing had to be corrected.
bool ValidateGrid(GridChoices& choices);

// Writes the whole grid of rooms, the beam-down and beam-up messages into the planet's script and
// turns the planet's custom messages on. Nothing else of the planet is removed. The caller wraps it
// in a descriptor batch when the file should be rewritten once.
void FinishGrid(const GridChoices& choices, messages::PlanetScript& script);

}  // namespace zelmora::adventure
