#pragma once

#include "store/system_flows.h"

#include <optional>
#include <string>
#include <vector>

// The reorder dialog's list and moves, without the window.
namespace zelmora::editor {

// Two planets (1-based) that changed places.
struct PlanetExchange {
  int a = 0;
  int b = 0;
  bool operator==(const PlanetExchange&) const = default;
};

// A move in the list: entry `from` goes to `to` (0-based entries), which exchanges two planets.
struct OrderMove {
  int from = 0;
  int to = 0;
  PlanetExchange exchange;
};

// Nothing at the ends of the list or without a selection.
std::optional<OrderMove> MoveUp(int selected, int count);
std::optional<OrderMove> MoveDown(int selected, int count);

// Each planet's stored name, or "Planet " + number when it has none.
std::vector<std::string> ReorderListNames(const store::DescriptorStore& store, const store::SolarSystemRecord& record);

// Applies the dialog's exchanges in order (planets, their sections, flags and pictures; orbits stay
// with their slots), then writes the system block.
void ApplyPlanetExchanges(store::flows::SystemContext& ctx, const std::vector<PlanetExchange>& exchanges);

}  // namespace zelmora::editor
