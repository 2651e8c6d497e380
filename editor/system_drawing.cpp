#include "editor/system_drawing.h"

#include <algorithm>

namespace zelmora::editor {

namespace {

int ClassColour(const store::Tables& tables, int planetClass) {
  if (planetClass <= 0 || planetClass >= static_cast<int>(tables.ClassColours.size())) return 0;
  return tables.ClassColours[static_cast<std::size_t>(planetClass)];
}

template <typename Table>
std::string Caption(const Table& table, int code) {
  return table[static_cast<std::size_t>(std::clamp(code, 0, 3))];
}

}  // namespace

std::vector<Shape> PlanSystemView(const store::SolarSystemRecord& record, const store::Tables& tables,
                                  const ViewState& state) {
  std::vector<Shape> shapes;
  const int count = std::clamp<int>(record.PlanetCount, 0, store::kMaxPlanets);
  const int hoverColour = kHoverColour + (state.menuOpen ? 1 : 0);
  for (int i = 1; i <= count; ++i) {
    const auto& p = record.Planet(i);
    const bool hover = i == state.hoverPlanet;
    const double angle = PlanetAngle(i, count);
    if (p.Class != 0) {
      shapes.push_back({Shape::Kind::Orbit, state.centre, p.Orbit, 0, 0, hover ? hoverColour : kOrbitColour, i});
    } else if (state.displayAsteroids) {
      for (const Arc& a : BeltArcs(p.Orbit, angle)) {
        shapes.push_back(
            {Shape::Kind::BeltArc, state.centre, a.radius, a.start, a.span, hover ? hoverColour : kBeltColour, i});
      }
    } else {
      shapes.push_back(
          {Shape::Kind::DottedOrbit, state.centre, p.Orbit, 0, 0, hover ? hoverColour : kBeltColour, i});
    }
  }
  for (int i = 1; i <= count; ++i) {
    const auto& p = record.Planet(i);
    Point at = PlanetCentre(state.centre, p.Orbit, PlanetAngle(i, count));
    shapes.push_back({Shape::Kind::Disc, at, p.Size * kTwipsPerPixel, 0, 0, ClassColour(tables, p.Class), i});
  }
  return shapes;
}

PlanetInfo DescribePlanet(const store::DescriptorStore& store, const store::SolarSystemRecord& record, int n) {
  PlanetInfo info;
  // With "XXX" as the star name a default name is told apart from a stored one.
  std::string name = store.GetPlanetName(record, n, "XXX");
  info.defaultName = name == "XXX " + store.GetTables().Roman(n);
  if (!info.defaultName) info.name = name;
  auto a = store::PlanetAttributes::Decode(record.Planet(n).Attributes);
  info.life = Caption(store::kLifeNames, a.Life);
  info.attitude = a.Life == 2 ? Caption(store::kAttitudeNames, a.Attitude).substr(0, 6) : "---";
  info.advancement = a.Life >= 2 ? Caption(store::kAdvancementNames, a.Advancement) : "---";
  info.energy = Caption(store::kEnergyNames, a.Energy);
  return info;
}

std::string StarDisplayName(const store::DescriptorStore& store, const store::SolarSystemRecord& record) {
  std::string stored = store.GetPlanetName(record, 0, record.StarName);
  if (stored != store::kNotUsed && !stored.empty()) return stored;
  const auto& names = store.GetTables().StarTypeNames;
  return names[static_cast<std::size_t>(std::clamp<int>(record.StarType, 0, 7))];
}

}  // namespace zelmora::editor
