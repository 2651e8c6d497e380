#include "editor/fit_name.h"
#include "editor/system_view_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace zelmora::editor {
namespace {

using store::SolarSystemRecord;

SolarSystemRecord System(std::initializer_list<std::pair<int, int>> orbitsAndSizes) {
  SolarSystemRecord r;
  int n = 0;
  for (auto [orbit, size] : orbitsAndSizes) {
    auto& p = r.Planets[static_cast<std::size_t>(n++)];
    p.Orbit = static_cast<std::int16_t>(orbit);
    p.Size = static_cast<std::int16_t>(size);
    p.Class = size == 0 ? 0 : 1;
  }
  r.PlanetCount = static_cast<std::int16_t>(n);
  return r;
}

const Point kCentre{1260, 1260};

TEST(SystemViewGeometry, CentreIsTheMiddleOfTheStarPicture) {
  EXPECT_EQ(StarCentre(1140, 1140, 240, 240), (Point{1260, 1260}));
  // 255 twips before a picture is loaded: 1267.5 rounds to even.
  EXPECT_EQ(StarCentre(1140, 1140, 255, 255), (Point{1268, 1268}));
  EXPECT_EQ(StarCentre(1141, 1141, 255, 255), (Point{1268, 1268}));
}

TEST(SystemViewGeometry, PlanetsAreSpreadEvenlyAndTheLastSitsAtTwoPi) {
  EXPECT_DOUBLE_EQ(PlanetAngle(1, 1), 2 * kPi);
  EXPECT_EQ(PlanetCentre(kCentre, 400, PlanetAngle(1, 1)), (Point{1660, 1260}));
  // Four planets: below, left, above, right of the star (y grows downwards).
  EXPECT_EQ(PlanetCentre(kCentre, 500, PlanetAngle(1, 4)), (Point{1260, 1760}));
  EXPECT_EQ(PlanetCentre(kCentre, 500, PlanetAngle(2, 4)), (Point{760, 1260}));
  EXPECT_EQ(PlanetCentre(kCentre, 500, PlanetAngle(3, 4)), (Point{1260, 760}));
  EXPECT_EQ(PlanetCentre(kCentre, 500, PlanetAngle(4, 4)), (Point{1760, 1260}));
}

TEST(SystemViewGeometry, HitTestFindsTheNearestOrbitWithinSixtyTwips) {
  auto r = System({{400, 2}, {700, 2}});
  // Straight above the star, far from both discs (planet 2 sits right, planet 1 left).
  EXPECT_EQ(HitTest(r, kCentre, {1260, 1260 - 459}, 15), 1);
  EXPECT_EQ(HitTest(r, kCentre, {1260, 1260 - 460}, 15), 0);
  EXPECT_EQ(HitTest(r, kCentre, {1260, 1260 - 341}, 15), 1);
  EXPECT_EQ(HitTest(r, kCentre, {1260, 1260 - 340}, 15), 0);
  EXPECT_EQ(HitTest(r, kCentre, {1260, 1260 - 641}, 15), 2);
  EXPECT_EQ(HitTest(r, kCentre, {1260, 1260 - 759}, 15), 2);
  EXPECT_EQ(HitTest(r, kCentre, {1260, 1260 - 760}, 15), 0);
  EXPECT_EQ(HitTest(r, kCentre, kCentre, 15), 0);
}

TEST(SystemViewGeometry, HitTestTiesGoToTheLowerPlanet) {
  auto r = System({{400, 2}, {500, 2}});
  EXPECT_EQ(HitTest(r, kCentre, {1260, 1260 - 450}, 15), 1);
}

TEST(SystemViewGeometry, HitTestPrefersADiscOverANearerOrbit) {
  // Planet 2's disc (size 5, at 2 pi: right of the star) reaches (5 + 1) x 15 = 90 twips, while the
  // point lies nearer to planet 1's orbit.
  auto r = System({{430, 2}, {520, 5}});
  Point onDiscEdge{1260 + 520 - 90, 1260};
  EXPECT_EQ(HitTest(r, kCentre, onDiscEdge, 15), 2);
  EXPECT_EQ(HitTest(r, kCentre, {1260 + 520 - 91, 1260}, 15), 1);
  EXPECT_EQ(HitTest(r, kCentre, {1260 + 520 + 90, 1260 + 89}, 15), 2);
}

TEST(SystemViewGeometry, DragBoundsKeepOnePixelFromTheNeighbours) {
  auto r = System({{400, 2}, {600, 2}, {800, 2}});
  EXPECT_EQ(DragBounds(r, 1, 15).lower, 200);
  EXPECT_EQ(DragBounds(r, 1, 15).upper, 585);
  EXPECT_EQ(DragBounds(r, 2, 15).lower, 415);
  EXPECT_EQ(DragBounds(r, 2, 15).upper, 785);
  EXPECT_EQ(DragBounds(r, 3, 15).upper, 2000);

  EXPECT_EQ(DraggedOrbit(r, 1, kCentre, kCentre, 15), 200);
  EXPECT_EQ(DraggedOrbit(r, 3, kCentre, {1260 + 2500, 1260}, 15), 2000);
  EXPECT_EQ(DraggedOrbit(r, 2, kCentre, {1260, 1260 + 900}, 15), 785);
  EXPECT_EQ(DraggedOrbit(r, 2, kCentre, {1260, 1260 + 300}, 15), 415);
  // The distance is rounded down: sqrt(301^2 + 400^2) is 500.6.
  EXPECT_EQ(DraggedOrbit(r, 2, kCentre, {1260 + 300, 1260 + 400}, 15), 500);
  EXPECT_EQ(DraggedOrbit(r, 2, kCentre, {1260 + 301, 1260 + 400}, 15), 500);
}

TEST(SystemViewGeometry, DragLeavesAnOrbitAloneWhenItsNeighboursLeaveNoRoom) {
  auto r = System({{400, 2}, {410, 2}, {420, 2}});
  EXPECT_EQ(DraggedOrbit(r, 2, kCentre, {1260, 1260 + 900}, 15), 410);
  EXPECT_EQ(DraggedOrbit(r, 2, kCentre, kCentre, 15), 410);
}

TEST(SystemViewGeometry, BeltRandomIsAFunctionOfTheSeedSpreadOverTheUnitInterval) {
  int above = 0;
  std::set<double> distinct;
  for (long long x = -20000; x < 0; ++x) {
    double v = BeltRandom(x);
    ASSERT_GE(v, 0.0);
    ASSERT_LT(v, 1.0);
    ASSERT_EQ(v, BeltRandom(x));
    if (v > 0.8) ++above;
    distinct.insert(v);
  }
  EXPECT_NEAR(above / 20000.0, 0.2, 0.02);
  EXPECT_GT(distinct.size(), 19990u);
}

TEST(SystemViewGeometry, BeltArcsAreStableThreeRingsAndEndBelowTwoPi) {
  auto arcs = BeltArcs(826, PlanetAngle(3, 4));
  EXPECT_EQ(arcs.size(), BeltArcs(826, PlanetAngle(3, 4)).size());
  ASSERT_FALSE(arcs.empty());
  const double step = 15.0 / 826;
  const auto steps = static_cast<int>(std::floor((kLastBeltAngle - step) / step)) + 1;
  EXPECT_NEAR(static_cast<double>(arcs.size()) / (3 * steps), 0.2, 0.06);
  std::set<int> radii;
  for (const auto& a : arcs) {
    radii.insert(a.radius);
    EXPECT_DOUBLE_EQ(a.span, step);
    EXPECT_LE(a.start, kLastBeltAngle - step);
  }
  EXPECT_EQ(radii, (std::set<int>{811, 826, 841}));
  // Another position in the system gives another pattern.
  auto other = BeltArcs(826, PlanetAngle(1, 4));
  bool same = other.size() == arcs.size();
  for (std::size_t i = 0; same && i < arcs.size(); ++i) same = other[i].start == arcs[i].start;
  EXPECT_FALSE(same);
  EXPECT_TRUE(BeltArcs(0, 0).empty());
}

TEST(FitName, KeepsWhatFitsAndCutsTheRestWithDots) {
  auto measure = [](const std::string& s) { return static_cast<int>(s.size()) * 10; };
  EXPECT_EQ(FitName("Verdance", 80, measure), "Verdance");
  EXPECT_EQ(FitName("Verdance", 79, measure), "Verd...");
  EXPECT_EQ(FitName("Verdance", 30, measure), "...");
  EXPECT_EQ(FitName("Verdance", 29, measure), "");
  EXPECT_EQ(FitName("", 0, measure), "");
  // Wide letters count: the prefix is measured, not counted.
  auto wideW = [](const std::string& s) {
    int w = 0;
    for (char c : s) w += c == 'W' ? 30 : 10;
    return w;
  };
  EXPECT_EQ(FitName("aWWWbbbb", 90, wideW), "aW...");
}

}  // namespace
}  // namespace zelmora::editor
