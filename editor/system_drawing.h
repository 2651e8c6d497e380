#pragma once

#include "editor/system_view_geometry.h"
#include "store/descriptor_store.h"

#include <string>
#include <vector>

// What the system view shows, worked out without a window: the shapes to paint with their palette
// colours, the information panel for the planet under the mouse and the star's tooltip.
namespace zelmora::editor {

// Palette indices of the classic 16-colour palette.
inline constexpr int kOrbitColour = 3;
inline constexpr int kBeltColour = 8;
inline constexpr int kHoverColour = 12;  // 13 while a popup menu is open

struct Shape {
  enum class Kind { Orbit, BeltArc, DottedOrbit, Disc };
  Kind kind = Kind::Orbit;
  Point centre;
  int radius = 0;
  double start = 0;  // arcs only
  double span = 0;
  int colour = 0;
  int planet = 0;  // 1..PlanetCount
};

struct ViewState {
  Point centre;
  int hoverPlanet = 0;
  bool menuOpen = false;
  bool displayAsteroids = true;
};

// Orbits, belts and dotted circles first, then the discs over them, in planet order.
std::vector<Shape> PlanSystemView(const store::SolarSystemRecord& record, const store::Tables& tables,
                                  const ViewState& state);

struct PlanetInfo {
  std::string name;          // the stored name; empty for a planet that has none
  bool defaultName = false;  // show "Planet " + number instead
  std::string life;
  std::string attitude;
  std::string advancement;
  std::string energy;
};
PlanetInfo DescribePlanet(const store::DescriptorStore& store, const store::SolarSystemRecord& record, int n);

// The name the star goes by: its stored description, or its type's name when none is stored.
std::string StarDisplayName(const store::DescriptorStore& store, const store::SolarSystemRecord& record);

}  // namespace zelmora::editor
