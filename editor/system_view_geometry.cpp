#include "editor/system_view_geometry.h"

#include "ui/platform/text_rules.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace zelmora::editor {

Point StarCentre(int left, int top, int width, int height) {
  return {platform::RoundToInt32(left + width / 2.0), platform::RoundToInt32(top + height / 2.0)};
}

double PlanetAngle(int i, int count) {
  if (count <= 0) return 0;
  return 2 * kPi * i / count;
}

Point PlanetCentre(Point centre, int orbit, double angle) {
  return {centre.x + platform::RoundToInt32(orbit * std::cos(angle)),
          centre.y + platform::RoundToInt32(orbit * std::sin(angle))};
}

int HitTest(const store::SolarSystemRecord& record, Point centre, Point mouse, int twipsPerPixel) {
  const int count = record.PlanetCount;
  for (int i = 1; i <= count; ++i) {
    const auto& p = record.Planet(i);
    double angle = PlanetAngle(i, count);
    double reach = (p.Size + 1.0) * twipsPerPixel;
    if (std::abs(mouse.x - (centre.x + p.Orbit * std::cos(angle))) <= reach &&
        std::abs(mouse.y - (centre.y + p.Orbit * std::sin(angle))) <= reach) {
      return i;
    }
  }
  double d = std::hypot(mouse.x - centre.x, mouse.y - centre.y);
  int best = 0;
  double bestDistance = std::numeric_limits<double>::infinity();
  for (int i = 1; i <= count; ++i) {
    double distance = std::abs(d - record.Planet(i).Orbit);
    if (distance < bestDistance) {
      bestDistance = distance;
      best = i;
    }
  }
  return bestDistance < kHitDistance ? best : 0;
}

OrbitBounds DragBounds(const store::SolarSystemRecord& record, int k, int twipsPerPixel) {
  OrbitBounds b;
  b.lower = k == 1 ? kInnermostOrbit : record.Planet(k - 1).Orbit + twipsPerPixel;
  b.upper = k == record.PlanetCount ? kOutermostOrbit : record.Planet(k + 1).Orbit - twipsPerPixel;
  return b;
}

int DraggedOrbit(const store::SolarSystemRecord& record, int k, Point centre, Point mouse, int twipsPerPixel) {
  const int current = record.Planet(k).Orbit;
  OrbitBounds b = DragBounds(record, k, twipsPerPixel);
  if (b.lower > b.upper) return current;
  double d = std::floor(std::hypot(mouse.x - centre.x, mouse.y - centre.y));
  if (d < b.lower) return b.lower;
  if (d > b.upper) return b.upper;
  return static_cast<int>(d);
}

double BeltRandom(long long seed) {
  // splitmix64: every bit of the seed reaches every bit of the result.
  std::uint64_t z = static_cast<std::uint64_t>(seed) + 0x9E3779B97F4A7C15ull;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  z ^= z >> 31;
  return static_cast<double>(z >> 11) * (1.0 / 9007199254740992.0);
}

std::vector<Arc> BeltArcs(int orbit, double angle) {
  std::vector<Arc> arcs;
  if (orbit <= 0) return arcs;
  const double step = static_cast<double>(kBeltRingSpacing) / orbit;
  // Multiples of the step, not a running sum, so that rounding cannot add or drop the last arc.
  for (long k = 0;; ++k) {
    double a = static_cast<double>(k) * step;
    if (a > kLastBeltAngle - step) break;
    for (int r = orbit - kBeltRingSpacing; r <= orbit + kBeltRingSpacing; r += kBeltRingSpacing) {
      auto seed = static_cast<long long>(std::floor(-10.0 * r - 100.0 * a - 100.0 * angle));
      if (BeltRandom(seed) > 0.8) arcs.push_back({r, a, step});
    }
  }
  return arcs;
}

}  // namespace zelmora::editor
