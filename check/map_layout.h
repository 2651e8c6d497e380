#pragma once

#include "check/adventure_map.h"
#include "check/checker.h"
#include "check/finding.h"
#include "messages/planet_script.h"
#include "messages/special_actions.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelmora::check {

// The adventure map as drawn: rooms as boxes in a grid of cells, passages between them, lock
// badges, and what the pointer finds where. Pixels, with the origin at the map's top left.

struct MapPoint {
  int x = 0;
  int y = 0;
  bool operator==(const MapPoint&) const = default;
};

struct MapRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool Contains(MapPoint p) const { return p.x >= x && p.x < x + width && p.y >= y && p.y < y + height; }
  MapPoint Centre() const { return {x + width / 2, y + height / 2}; }
  bool operator==(const MapRect&) const = default;
};

struct MapGeometry {
  int cellWidth = 140;
  int cellHeight = 92;
  int roomWidth = 100;
  int roomHeight = 52;
  int margin = 36;  // around the cells: room for the column and row numbers
};

struct LaidRoom {
  std::string name;
  int column = 0;  // the map cell: grid coordinates, or where the doors placed it
  int row = 0;
  MapRect box;
  // A door's target that has no messages: drawn so the door has an end, not a room yet.
  bool missing = false;
  bool placedByGrid = false;
  bool beamDown = false;
  bool beamsUp = false;  // has an action of its own that beams up
  bool reachesBeamUp = false;
  std::vector<Finding> findings;
  std::optional<Severity> worst;  // the most severe finding
  std::string tooltip;
};

// How a passage between two rooms is drawn.
enum class PassageStyle {
  TwoWay,     // doors both ways
  OneWay,     // from `from` to `to` only
  NoWayBack,  // a door to the grid neighbour in its direction, which has no door back
  ToMissing,  // to a room that does not exist
};

struct MapLock {
  std::string flag;  // the flag that opens it
  MapRect badge;
  std::string tooltip;
};

// Every door between one pair of rooms, drawn once.
struct LaidPassage {
  int from = 0;  // room indices; a one-way passage leads from `from` to `to`
  int to = 0;
  PassageStyle style = PassageStyle::TwoWay;
  MapPoint start;  // on the edge of `from`'s box
  MapPoint end;    // on the edge of `to`'s box
  bool curved = false;
  MapPoint control;  // of the quadratic curve, when curved
  std::vector<MapLock> locks;
  std::string tooltip;
};

struct AxisLabel {
  std::string text;
  MapPoint at;  // the label's centre
};

struct MapLayout {
  MapGeometry geometry;
  std::vector<LaidRoom> rooms;  // the map's rooms in its order, then the missing ones
  std::vector<LaidPassage> passages;
  std::vector<AxisLabel> columns;
  std::vector<AxisLabel> rows;
  int width = 0;
  int height = 0;

  int Find(std::string_view name) const;  // -1 when not on the map
  int RoomAt(MapPoint p) const;           // -1 when no box is there
  const MapLock* LockAt(MapPoint p) const;
  int PassageAt(MapPoint p, int tolerance = 4) const;  // -1 when no passage runs there
};

// The points of a passage from start to end: its line, or its curve in short straight pieces.
std::vector<MapPoint> PassagePath(const LaidPassage& passage);

MapLayout LayOutMap(const AdventureMap& map, const MapGeometry& geometry = {});

// One room finding in the map's side list.
struct MapFindingRow {
  int room = 0;
  Finding finding;
};

// The room findings, most severe first, rooms in map order within a severity.
std::vector<MapFindingRow> FindingRows(const MapLayout& layout);

// What the map window shows of a planet: its rooms checked, laid out, and a line about them.
struct PlanetMap {
  MapLayout layout;
  std::vector<MapFindingRow> rows;
  std::string summary;
};

PlanetMap MapPlanet(const messages::PlanetScript& script, const messages::SpecialActionList& catalogue,
                    const CheckOptions& options = {}, const MapGeometry& geometry = {});

}  // namespace zelmora::check
