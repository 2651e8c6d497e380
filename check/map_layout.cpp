#include "check/map_layout.h"

#include "adventure/grid_names.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <map>
#include <set>
#include <utility>

namespace zelmora::check {

namespace {

using Cell = std::pair<int, int>;

constexpr std::array<Cell, 4> kSteps = {Cell{0, -1}, Cell{1, 0}, Cell{0, 1}, Cell{-1, 0}};
constexpr int kCurveSegments = 16;
constexpr int kBadgeWidth = 18;
constexpr int kBadgeHeight = 20;
constexpr int kBadgeSpacing = 22;
constexpr int kClearance = 6;  // how far a passage keeps from the boxes it passes

struct PointF {
  double x = 0;
  double y = 0;
};

PointF F(MapPoint p) { return {double(p.x), double(p.y)}; }
MapPoint Round(PointF p) { return {int(std::lround(p.x)), int(std::lround(p.y))}; }

// A missing room's cell: the one the door points to, the cell its grid name names, or the free
// cell nearest to the room the door leaves.
Cell GhostCell(const std::set<Cell>& used, const LaidRoom& from, const std::optional<adventure::GridName>& fromGrid,
               const MapDoor& door) {
  const Cell at{from.column, from.row};
  if (door.direction >= 0) {
    const Cell next{at.first + kSteps[std::size_t(door.direction)].first,
                    at.second + kSteps[std::size_t(door.direction)].second};
    if (!used.count(next)) return next;
  }
  if (fromGrid && from.placedByGrid) {
    const auto target = adventure::ParseGridName(door.to);
    if (target && target->base == fromGrid->base) {
      const Cell named{target->x + from.column - fromGrid->x, target->y + from.row - fromGrid->y};
      if (!used.count(named)) return named;
    }
  }
  Cell best = at;
  int bestDistance = std::numeric_limits<int>::max();
  for (int ring = 1; bestDistance == std::numeric_limits<int>::max(); ++ring) {
    for (int dy = -ring; dy <= ring; ++dy) {
      for (int dx = -ring; dx <= ring; ++dx) {
        if (std::max(std::abs(dx), std::abs(dy)) != ring) continue;
        const Cell c{at.first + dx, at.second + dy};
        const int distance = dx * dx + dy * dy;
        if (!used.count(c) && distance < bestDistance) {
          best = c;
          bestDistance = distance;
        }
      }
    }
  }
  return best;
}

// Where the line from the box's centre towards `toward` leaves the box.
MapPoint EdgeToward(const MapRect& box, PointF toward) {
  const PointF c = F(box.Centre());
  const double dx = toward.x - c.x;
  const double dy = toward.y - c.y;
  double t = std::numeric_limits<double>::max();
  if (dx != 0) t = std::min(t, (box.width / 2.0) / std::abs(dx));
  if (dy != 0) t = std::min(t, (box.height / 2.0) / std::abs(dy));
  if (t == std::numeric_limits<double>::max()) return box.Centre();
  return Round({c.x + dx * t, c.y + dy * t});
}

PointF Bezier(PointF s, PointF c, PointF e, double t) {
  const double u = 1 - t;
  return {u * u * s.x + 2 * u * t * c.x + t * t * e.x, u * u * s.y + 2 * u * t * c.y + t * t * e.y};
}

// Whether the segment a-b passes through the rectangle (Liang-Barsky).
bool SegmentCrosses(PointF a, PointF b, const MapRect& r) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  double t0 = 0;
  double t1 = 1;
  const std::array<double, 4> p = {-dx, dx, -dy, dy};
  const std::array<double, 4> q = {a.x - r.x, r.x + r.width - a.x, a.y - r.y, r.y + r.height - a.y};
  for (std::size_t i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) {
      t0 = std::max(t0, t);
    } else {
      t1 = std::min(t1, t);
    }
    if (t0 > t1) return false;
  }
  return true;
}

MapRect Inflated(const MapRect& r, int by) { return {r.x - by, r.y - by, r.width + 2 * by, r.height + 2 * by}; }

bool PathCrosses(const std::vector<MapPoint>& path, const std::vector<LaidRoom>& rooms, int a, int b) {
  for (std::size_t i = 0; i < rooms.size(); ++i) {
    if (int(i) == a || int(i) == b) continue;
    const MapRect r = Inflated(rooms[i].box, kClearance);
    for (std::size_t k = 1; k < path.size(); ++k) {
      if (SegmentCrosses(F(path[k - 1]), F(path[k]), r)) return true;
    }
  }
  return false;
}

// A passage between rooms that are not neighbours: straight when nothing is in the way, else bent
// to the side that passes clear of the boxes, as little as will do; outwards first, where it
// crosses fewer other passages.
void Route(LaidPassage& p, const std::vector<LaidRoom>& rooms, const MapGeometry& g, int width, int height) {
  const MapRect& a = rooms[std::size_t(p.from)].box;
  const MapRect& b = rooms[std::size_t(p.to)].box;
  const PointF ca = F(a.Centre());
  const PointF cb = F(b.Centre());
  p.curved = false;
  p.start = EdgeToward(a, cb);
  p.end = EdgeToward(b, ca);
  const LaidRoom& from = rooms[std::size_t(p.from)];
  const LaidRoom& to = rooms[std::size_t(p.to)];
  const bool neighbours = std::abs(from.column - to.column) + std::abs(from.row - to.row) == 1;
  if (neighbours || !PathCrosses(PassagePath(p), rooms, p.from, p.to)) return;

  const double dx = cb.x - ca.x;
  const double dy = cb.y - ca.y;
  const double length = std::hypot(dx, dy);
  PointF normal{-dy / length, dx / length};
  const PointF middle{(ca.x + cb.x) / 2, (ca.y + cb.y) / 2};
  if (normal.x * (middle.x - width / 2.0) + normal.y * (middle.y - height / 2.0) < 0) normal = {-normal.x, -normal.y};
  auto onPaper = [&](const std::vector<MapPoint>& path) {
    return std::all_of(path.begin(), path.end(),
                       [&](MapPoint q) { return q.x >= 0 && q.y >= 0 && q.x <= width && q.y <= height; });
  };
  LaidPassage trial = p;
  trial.curved = true;
  std::optional<LaidPassage> gentlest;
  for (int step = 1; step <= 6; ++step) {
    for (int side : {1, -1}) {
      // The curve's peak lies halfway to its control point: each step moves it half a cell out.
      const double offset = side * step * g.cellHeight;
      const PointF control{middle.x + normal.x * offset, middle.y + normal.y * offset};
      trial.control = Round(control);
      trial.start = EdgeToward(a, control);
      trial.end = EdgeToward(b, control);
      const std::vector<MapPoint> path = PassagePath(trial);
      if (onPaper(path) && !PathCrosses(path, rooms, p.from, p.to)) {
        p = trial;
        return;
      }
      if (!gentlest) gentlest = trial;
    }
  }
  // Nothing passes clear: the gentlest bend at least leaves the line between the centres.
  p = *gentlest;
}

// The point halfway along the passage and the direction across it there.
std::pair<PointF, PointF> MiddleAndNormal(const LaidPassage& p) {
  PointF middle;
  PointF along;
  if (p.curved) {
    middle = Bezier(F(p.start), F(p.control), F(p.end), 0.5);
    along = {double(p.end.x - p.start.x), double(p.end.y - p.start.y)};
  } else {
    middle = {(p.start.x + p.end.x) / 2.0, (p.start.y + p.end.y) / 2.0};
    along = {double(p.end.x - p.start.x), double(p.end.y - p.start.y)};
  }
  const double length = std::hypot(along.x, along.y);
  if (length == 0) return {middle, {0, 1}};
  return {middle, {-along.y / length, along.x / length}};
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string DoorLine(const MapDoor& d) {
  std::string line = d.from + " to " + d.to + ": " + Quoted(d.text);
  if (!d.lockFlag.empty()) line += ", locked until flag " + d.lockFlag + " is set";
  if (d.oneWay) line += "; " + d.to + " has no door back";
  if (d.toMissing) line += "; " + d.to + " does not exist";
  return line;
}

std::string RoomTooltip(const LaidRoom& r) {
  std::string text = r.name;
  if (r.missing) {
    return text + "\nNo room of this name: a door leads here, but it has no messages.\nClick to write it in the "
                  "room editor.";
  }
  text += r.placedByGrid ? "\nColumn " + std::to_string(r.column) + ", row " + std::to_string(r.row)
                         : std::string("\nPlaced next to the rooms it shares doors with");
  if (r.beamDown) text += "\nThe away team beams down here.";
  if (r.beamsUp) text += "\nAn action here beams up to the ship.";
  text += r.reachesBeamUp ? "\nA path of actions leads back to the ship."
                          : "\nNo path of actions leads back to the ship.";
  for (const Finding& f : r.findings) {
    text += "\n" + std::string(SeverityName(f.severity)) + ": " + f.message;
    if (!f.fix.empty()) text += "\n    fix: " + f.fix;
  }
  return text;
}

std::string Counted(std::size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

int MapLayout::Find(std::string_view name) const {
  for (std::size_t i = 0; i < rooms.size(); ++i) {
    if (rooms[i].name == name) return int(i);
  }
  return -1;
}

int MapLayout::RoomAt(MapPoint p) const {
  for (std::size_t i = 0; i < rooms.size(); ++i) {
    if (rooms[i].box.Contains(p)) return int(i);
  }
  return -1;
}

const MapLock* MapLayout::LockAt(MapPoint p) const {
  for (const LaidPassage& passage : passages) {
    for (const MapLock& lock : passage.locks) {
      if (lock.badge.Contains(p)) return &lock;
    }
  }
  return nullptr;
}

int MapLayout::PassageAt(MapPoint p, int tolerance) const {
  int best = -1;
  double bestDistance = tolerance + 0.5;
  for (std::size_t i = 0; i < passages.size(); ++i) {
    const std::vector<MapPoint> path = PassagePath(passages[i]);
    for (std::size_t k = 1; k < path.size(); ++k) {
      const PointF a = F(path[k - 1]);
      const PointF b = F(path[k]);
      const double dx = b.x - a.x;
      const double dy = b.y - a.y;
      const double len2 = dx * dx + dy * dy;
      const double t = len2 == 0 ? 0 : std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len2, 0.0, 1.0);
      const double distance = std::hypot(a.x + t * dx - p.x, a.y + t * dy - p.y);
      if (distance < bestDistance) {
        bestDistance = distance;
        best = int(i);
      }
    }
  }
  return best;
}

std::vector<MapPoint> PassagePath(const LaidPassage& passage) {
  if (!passage.curved) return {passage.start, passage.end};
  std::vector<MapPoint> path;
  for (int i = 0; i <= kCurveSegments; ++i) {
    path.push_back(Round(Bezier(F(passage.start), F(passage.control), F(passage.end), double(i) / kCurveSegments)));
  }
  return path;
}

MapLayout LayOutMap(const AdventureMap& map, const MapGeometry& g) {
  MapLayout layout;
  layout.geometry = g;
  std::set<Cell> used;
  for (const MapRoom& room : map.rooms) {
    LaidRoom r;
    r.name = room.name;
    r.column = room.x;
    r.row = room.y;
    r.placedByGrid = room.placedByGrid;
    r.beamDown = room.beamDown;
    r.reachesBeamUp = room.reachesBeamUp;
    r.findings = room.findings;
    for (const Finding& f : r.findings) {
      if (!r.worst || static_cast<int>(f.severity) < static_cast<int>(*r.worst)) r.worst = f.severity;
    }
    used.insert({r.column, r.row});
    layout.rooms.push_back(std::move(r));
  }
  for (const MapDoor& d : map.doors) {
    if (!d.beamUp) continue;
    if (const int i = layout.Find(d.from); i >= 0) layout.rooms[std::size_t(i)].beamsUp = true;
  }
  // Missing rooms get a cell of their own, each once however many doors lead there.
  for (const MapDoor& d : map.doors) {
    if (!d.toMissing || layout.Find(d.to) >= 0) continue;
    const int from = layout.Find(d.from);
    if (from < 0) continue;
    const LaidRoom& source = layout.rooms[std::size_t(from)];
    const Cell c = GhostCell(used, source, adventure::ParseGridName(source.name), d);
    LaidRoom ghost;
    ghost.name = d.to;
    ghost.missing = true;
    ghost.column = c.first;
    ghost.row = c.second;
    used.insert(c);
    layout.rooms.push_back(std::move(ghost));
  }

  if (layout.rooms.empty()) {
    layout.width = layout.height = 2 * g.margin;
    return layout;
  }
  int minColumn = layout.rooms[0].column, maxColumn = minColumn;
  int minRow = layout.rooms[0].row, maxRow = minRow;
  for (const LaidRoom& r : layout.rooms) {
    minColumn = std::min(minColumn, r.column);
    maxColumn = std::max(maxColumn, r.column);
    minRow = std::min(minRow, r.row);
    maxRow = std::max(maxRow, r.row);
  }
  layout.width = 2 * g.margin + (maxColumn - minColumn + 1) * g.cellWidth;
  layout.height = 2 * g.margin + (maxRow - minRow + 1) * g.cellHeight;
  for (int c = minColumn; c <= maxColumn; ++c) {
    const int x = g.margin + (c - minColumn) * g.cellWidth + g.cellWidth / 2;
    layout.columns.push_back({std::to_string(c), {x, g.margin / 2}});
  }
  for (int r = minRow; r <= maxRow; ++r) {
    const int y = g.margin + (r - minRow) * g.cellHeight + g.cellHeight / 2;
    layout.rows.push_back({std::to_string(r), {g.margin / 2, y}});
  }
  for (LaidRoom& r : layout.rooms) {
    r.box = {g.margin + (r.column - minColumn) * g.cellWidth + (g.cellWidth - g.roomWidth) / 2,
             g.margin + (r.row - minRow) * g.cellHeight + (g.cellHeight - g.roomHeight) / 2, g.roomWidth, g.roomHeight};
    r.tooltip = RoomTooltip(r);
  }

  // The doors between each pair of rooms make one passage.
  struct Pair {
    bool forward = false;   // first to second
    bool backward = false;  // second to first
    bool noWayBack = false;
    bool missing = false;
    std::vector<const MapDoor*> doors;
  };
  std::map<std::pair<int, int>, Pair> pairs;
  std::vector<std::pair<int, int>> order;
  for (const MapDoor& d : map.doors) {
    if (d.beamUp) continue;
    const int from = layout.Find(d.from);
    const int to = layout.Find(d.to);
    if (from < 0 || to < 0 || from == to) continue;
    const std::pair<int, int> key{std::min(from, to), std::max(from, to)};
    auto [it, added] = pairs.try_emplace(key);
    if (added) order.push_back(key);
    Pair& pair = it->second;
    (from == key.first ? pair.forward : pair.backward) = true;
    pair.noWayBack = pair.noWayBack || d.oneWay;
    pair.missing = pair.missing || d.toMissing;
    pair.doors.push_back(&d);
  }
  for (const auto& key : order) {
    const Pair& pair = pairs.at(key);
    LaidPassage p;
    p.from = pair.backward && !pair.forward ? key.second : key.first;
    p.to = p.from == key.first ? key.second : key.first;
    if (pair.missing) {
      p.style = PassageStyle::ToMissing;
    } else if (pair.forward && pair.backward) {
      p.style = PassageStyle::TwoWay;
    } else {
      p.style = pair.noWayBack ? PassageStyle::NoWayBack : PassageStyle::OneWay;
    }
    Route(p, layout.rooms, g, layout.width, layout.height);
    for (const MapDoor* d : pair.doors) {
      if (!p.tooltip.empty()) p.tooltip += "\n";
      p.tooltip += DoorLine(*d);
      if (!d->lockFlag.empty()) {
        MapLock lock;
        lock.flag = d->lockFlag;
        lock.tooltip = "Locked: " + Quoted(d->text) + " leads from " + d->from + " to " + d->to +
                       " only while flag " + d->lockFlag + " is set";
        p.locks.push_back(std::move(lock));
      }
    }
    // Badges side by side across the passage, halfway along it.
    const auto [middle, normal] = MiddleAndNormal(p);
    for (std::size_t i = 0; i < p.locks.size(); ++i) {
      const double shift = (double(i) - (double(p.locks.size()) - 1) / 2) * kBadgeSpacing;
      const MapPoint c = Round({middle.x + normal.x * shift, middle.y + normal.y * shift});
      p.locks[i].badge = {c.x - kBadgeWidth / 2, c.y - kBadgeHeight / 2, kBadgeWidth, kBadgeHeight};
    }
    layout.passages.push_back(std::move(p));
  }
  return layout;
}

std::vector<MapFindingRow> FindingRows(const MapLayout& layout) {
  std::vector<MapFindingRow> rows;
  for (std::size_t i = 0; i < layout.rooms.size(); ++i) {
    for (const Finding& f : layout.rooms[i].findings) rows.push_back({int(i), f});
  }
  std::stable_sort(rows.begin(), rows.end(), [](const MapFindingRow& a, const MapFindingRow& b) {
    return static_cast<int>(a.finding.severity) < static_cast<int>(b.finding.severity);
  });
  return rows;
}

PlanetMap MapPlanet(const messages::PlanetScript& script, const messages::SpecialActionList& catalogue,
                    const CheckOptions& options, const MapGeometry& geometry) {
  const CheckReport report = CheckPlanet(script, catalogue, options);
  PlanetMap planet;
  planet.layout = LayOutMap(BuildAdventureMap(script, report.findings), geometry);
  planet.rows = FindingRows(planet.layout);

  std::size_t rooms = 0, missing = 0, locks = 0;
  bool beamDown = false;
  for (const LaidRoom& r : planet.layout.rooms) {
    (r.missing ? missing : rooms) += 1;
    beamDown = beamDown || r.beamDown;
  }
  for (const LaidPassage& p : planet.layout.passages) locks += p.locks.size();
  std::string& s = planet.summary;
  if (rooms == 0) {
    s = "This planet has no rooms: no beam-down message leads to one and no group with a grid name has actions.";
  } else {
    s = Counted(rooms, "room", "rooms") + ", " + Counted(locks, "locked door", "locked doors");
    if (missing > 0) s += ", " + Counted(missing, "missing room", "missing rooms");
    s += ".";
    if (!beamDown) s += " No beam-down message leads to a room.";
    std::vector<std::string> counts;
    for (Severity severity : {Severity::Error, Severity::Warning, Severity::Note}) {
      const auto n = std::size_t(std::count_if(planet.rows.begin(), planet.rows.end(),
                                               [&](const MapFindingRow& r) { return r.finding.severity == severity; }));
      if (n == 0) continue;
      const std::string name = SeverityName(severity);
      counts.push_back(Counted(n, name.c_str(), (name + "s").c_str()));
    }
    s += "\nRoom findings: ";
    if (counts.empty()) s += "none";
    for (std::size_t i = 0; i < counts.size(); ++i) s += (i ? ", " : "") + counts[i];
    s += ".";
  }
  for (const SearchSummary& search : report.searches) {
    if (search.complete) continue;
    s += "\nThe search of play stopped early (" + search.stoppedBy +
         "), so rooms it did not reach may lack their findings.";
  }
  return planet;
}

}  // namespace zelmora::check
