#pragma once

#include "store/system_record.h"

#include <vector>

// Geometry of the system view, in twips with y growing downwards. The view, the hit test and the
// drag share these functions so that what is drawn is what the mouse finds.
namespace zelmora::editor {

inline constexpr double kPi = 3.14159265358979;
inline constexpr double kLastBeltAngle = 6.28314530717958;
inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kHitDistance = 60;  // twips from an orbit that still count as pointing at it
inline constexpr int kInnermostOrbit = 200;
inline constexpr int kOutermostOrbit = 2000;
inline constexpr int kBeltRingSpacing = 15;

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

// Centre of all orbits: the middle of the star picture, rounded to whole twips.
Point StarCentre(int left, int top, int width, int height);

// Planet i of `count` sits at 2 pi i / count; the last one therefore at 2 pi, right of the star.
double PlanetAngle(int i, int count);

// The disc's centre, each coordinate rounded to the nearest twip (halves to even).
Point PlanetCentre(Point centre, int orbit, double angle);

// The planet the mouse points at, 1..PlanetCount, or 0. A disc under the mouse wins; otherwise the
// nearest orbit within kHitDistance, the lower number on a tie.
int HitTest(const store::SolarSystemRecord& record, Point centre, Point mouse, int twipsPerPixel);

struct OrbitBounds {
  int lower = 0;
  int upper = 0;
};
// Where planet k may be dragged: never onto or across a neighbour's orbit (one pixel stays free),
// never inside kInnermostOrbit or outside kOutermostOrbit.
OrbitBounds DragBounds(const store::SolarSystemRecord& record, int k, int twipsPerPixel);

// The orbit for a drag of planet k to `mouse`: the distance from the centre rounded down and kept
// within DragBounds. When the bounds leave no room the orbit stays where it is.
int DraggedOrbit(const store::SolarSystemRecord& record, int k, Point centre, Point mouse, int twipsPerPixel);

// A value in [0, 1) that depends only on the seed; spreads seeds evenly.
double BeltRandom(long long seed);

struct Arc {
  int radius = 0;
  double start = 0;  // radians, counter-clockwise from the positive x axis as the view draws them
  double span = 0;
};
// The arcs of an asteroid belt on `orbit` for a planet at `angle`: three rings 15 twips apart, cut
// into steps of 15 twips, about a fifth of them drawn. The same belt always gives the same arcs.
std::vector<Arc> BeltArcs(int orbit, double angle);

}  // namespace zelmora::editor
