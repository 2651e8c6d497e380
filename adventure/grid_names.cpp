#include "adventure/grid_names.h"

#include "ui/platform/text_rules.h"

namespace zelmora::adventure {

namespace {

std::string_view Right(std::string_view s, std::size_t n) {
  return n >= s.size() ? s : s.substr(s.size() - n);
}

// Only digits count: "Cave 1", "Lvl+2" and "Deck.5" are no grid names.
int LeadingValue(std::string_view s) { return platform::LeadingDigits(s); }

std::string Padded(int value, int width) {
  std::string digits = std::to_string(value);
  if (static_cast<int>(digits.size()) < width) digits.insert(0, width - digits.size(), '0');
  return digits;
}

int DigitCount(int value) { return static_cast<int>(std::to_string(value).size()); }

}  // namespace

std::string GridName::Format(int column, int row) const {
  const int width = twoDigit ? 2 : 1;
  return base + Padded(column, width) + Padded(row, width);
}

std::optional<GridName> ParseGridName(std::string_view name) {
  if (LeadingValue(Right(name, 2)) <= 0) return std::nullopt;
  GridName grid;
  if (LeadingValue(Right(name, 4)) > 0 && name.size() >= 4) {
    const std::string_view last4 = Right(name, 4);
    grid.twoDigit = true;
    grid.x = LeadingValue(last4.substr(0, 2));
    grid.y = LeadingValue(last4.substr(2));
    grid.base = std::string(name.substr(0, name.size() - 4));
  } else {
    const std::string_view last2 = Right(name, 2);
    if (last2.size() < 2) return std::nullopt;
    grid.x = LeadingValue(last2.substr(0, 1));
    grid.y = LeadingValue(last2.substr(1));
    grid.base = std::string(name.substr(0, name.size() - 2));
  }
  return grid;
}

std::array<std::string, 4> NeighbourNames(std::string_view room) {
  std::array<std::string, 4> names;
  const auto grid = ParseGridName(room);
  if (!grid) return names;
  if (grid->y > 1) names[kNorth] = grid->Format(grid->x, grid->y - 1);
  names[kEast] = grid->Format(grid->x + 1, grid->y);
  names[kSouth] = grid->Format(grid->x, grid->y + 1);
  if (grid->x > 1) names[kWest] = grid->Format(grid->x - 1, grid->y);
  return names;
}

std::string AreaName(int x, int y, int width, int height) {
  return "Area" + Padded(x, DigitCount(width)) + Padded(y, DigitCount(height));
}

}  // namespace zelmora::adventure
