#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace zelmora::adventure {

enum Direction { kNorth = 0, kEast = 1, kSouth = 2, kWest = 3 };

// A room name read as grid coordinates: base name, column x (east), row y (south), and whether the
// coordinates are written with two digits.
struct GridName {
  std::string base;
  int x = 0;
  int y = 0;
  bool twoDigit = false;

  std::string Format(int column, int row) const;
};

// Names ending in digits: the last four characters when both they and the last two have a value,
// else the last two characters one digit each.
std::optional<GridName> ParseGridName(std::string_view name);

// North, East, South, West of a room; empty for a name that is not a grid name, and to the north
// of row 1 and west of column 1.
std::array<std::string, 4> NeighbourNames(std::string_view room);

// The name of the generated room in column x and row y of a W x H grid: the coordinates padded to
// the digits of W and H.
std::string AreaName(int x, int y, int width, int height);

}  // namespace zelmora::adventure
