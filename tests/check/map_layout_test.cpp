// The adventure map as drawn: rooms in their cells, one passage per pair of rooms in the style of
// its doors, missing rooms given a cell, lock badges and finding markers, and what lies under the
// pointer.
#include "adventure/grid_wizard.h"
#include "adventure/room_model.h"
#include "check/map_layout.h"
#include "tests/check/check_fixture.h"
#include "tests/support/scripted_prompter.h"

#include <gtest/gtest.h>

#include <functional>

namespace zelmora::check {
namespace {

using testing::CheckFixture;

struct MapLayoutTest : CheckFixture {
  MapGeometry geometry;

  // A custom action of `room` leading to `destination`.
  void AddDoor(const std::string& room, const std::string& destination) {
    Edit(room, [&](adventure::RoomModel& model) {
      const int custom = model.AddCustomAction();
      model.SetDestination({adventure::ActionRef::Custom, custom}, destination);
    });
  }
  PlanetMap Map() { return MapPlanet(Script(), catalogue, options, geometry); }

  static const LaidRoom& Room(const MapLayout& layout, const std::string& name) {
    const int i = layout.Find(name);
    EXPECT_GE(i, 0) << name;
    return layout.rooms.at(std::size_t(std::max(i, 0)));
  }
  // The passage between two rooms, either way round; nullptr when there is none.
  static const LaidPassage* Between(const MapLayout& layout, const std::string& a, const std::string& b) {
    const int i = layout.Find(a);
    const int j = layout.Find(b);
    for (const LaidPassage& p : layout.passages) {
      if ((p.from == i && p.to == j) || (p.from == j && p.to == i)) return &p;
    }
    return nullptr;
  }
  static bool OnEdge(const MapRect& box, MapPoint p) {
    const bool insideX = p.x >= box.x - 1 && p.x <= box.x + box.width + 1;
    const bool insideY = p.y >= box.y - 1 && p.y <= box.y + box.height + 1;
    const bool onX = std::abs(p.x - box.x) <= 1 || std::abs(p.x - box.x - box.width) <= 1;
    const bool onY = std::abs(p.y - box.y) <= 1 || std::abs(p.y - box.y - box.height) <= 1;
    return insideX && insideY && (onX || onY);
  }
};

TEST_F(MapLayoutTest, GridRoomsSitInTheirCellsJoinedByOnePassagePerWall) {
  Grid(4, 3);
  const PlanetMap map = Map();
  const MapLayout& layout = map.layout;
  ASSERT_EQ(layout.rooms.size(), 12u);
  EXPECT_EQ(layout.width, 2 * geometry.margin + 4 * geometry.cellWidth);
  EXPECT_EQ(layout.height, 2 * geometry.margin + 3 * geometry.cellHeight);
  ASSERT_EQ(layout.columns.size(), 4u);
  ASSERT_EQ(layout.rows.size(), 3u);
  EXPECT_EQ(layout.columns[0].text, "1");
  EXPECT_EQ(layout.rows[2].text, "3");

  for (const LaidRoom& r : layout.rooms) {
    EXPECT_EQ(r.name, "Area" + std::to_string(r.column) + std::to_string(r.row));
    const MapGeometry& g = geometry;
    EXPECT_EQ(r.box.x, g.margin + (r.column - 1) * g.cellWidth + (g.cellWidth - g.roomWidth) / 2);
    EXPECT_EQ(r.box.y, g.margin + (r.row - 1) * g.cellHeight + (g.cellHeight - g.roomHeight) / 2);
    EXPECT_TRUE(r.placedByGrid && r.beamsUp && r.reachesBeamUp && !r.missing) << r.name;
    EXPECT_EQ(r.beamDown, r.name == "Area11");
    EXPECT_FALSE(r.worst);
    EXPECT_EQ(layout.RoomAt(r.box.Centre()), layout.Find(r.name));
  }
  // East and West doors of a wall are one passage; beam-ups, searches and tricorders draw none.
  EXPECT_EQ(layout.passages.size(), 3u * 3 + 4u * 2);
  for (const LaidPassage& p : layout.passages) {
    EXPECT_EQ(p.style, PassageStyle::TwoWay);
    EXPECT_FALSE(p.curved);
    EXPECT_TRUE(p.locks.empty());
    EXPECT_TRUE(OnEdge(layout.rooms[std::size_t(p.from)].box, p.start));
    EXPECT_TRUE(OnEdge(layout.rooms[std::size_t(p.to)].box, p.end));
  }
  const LaidPassage* wall = Between(layout, "Area11", "Area21");
  ASSERT_NE(wall, nullptr);
  EXPECT_NE(wall->tooltip.find("Area11 to Area21: \"Go East and report back.\""), std::string::npos) << wall->tooltip;
  EXPECT_NE(wall->tooltip.find("Area21 to Area11"), std::string::npos) << wall->tooltip;

  // The pointer: on the passage between two boxes, and on the empty paper between cells.
  const MapPoint gap{(wall->start.x + wall->end.x) / 2, wall->start.y};
  EXPECT_EQ(layout.RoomAt(gap), -1);
  EXPECT_EQ(layout.PassageAt(gap), int(wall - layout.passages.data()));
  const MapRect& a11 = Room(layout, "Area11").box;
  EXPECT_EQ(layout.PassageAt({a11.x + a11.width + 4, a11.y + a11.height + 12}), -1);

  EXPECT_EQ(map.summary, "12 rooms, 0 locked doors.\nRoom findings: none.");
  EXPECT_TRUE(map.rows.empty());
  EXPECT_NE(Room(layout, "Area11").tooltip.find("The away team beams down here."), std::string::npos);
}

TEST_F(MapLayoutTest, RoomsWithoutGridNamesArePlacedFromTheirDoors) {
  Write({"BeamMessages=1", "Beam1=Down.*RCave", "MessagesCave=1", "MessageCave1=A cave.", "ResponsesCave=3",
         "ResponseCave1=Go North and report back.*MTunnel", "ResponseCave2=Beam back up to the ship.*MBeamUp",
         "ResponseCave3=Go West and report back.*MWell", "MessagesTunnel=1", "MessageTunnel1=A tunnel.",
         "ResponsesTunnel=1", "ResponseTunnel1=Go South and report back.*MCave", "MessagesWell=1",
         "MessageWell1=A well.", "ResponsesWell=1", "ResponseWell1=Go East and report back.*MCave",
         "MessagesBeamUp=1", "MessageBeamUp1=Beam up sucessful.*RNone"});
  const MapLayout layout = Map().layout;
  ASSERT_EQ(layout.rooms.size(), 3u);
  const LaidRoom& cave = Room(layout, "Cave");
  const LaidRoom& tunnel = Room(layout, "Tunnel");
  const LaidRoom& well = Room(layout, "Well");
  EXPECT_FALSE(cave.placedByGrid || tunnel.placedByGrid || well.placedByGrid);
  // Above and to the left of the cave, on the paper's first row and column.
  EXPECT_EQ(tunnel.box.x, cave.box.x);
  EXPECT_EQ(tunnel.box.y, cave.box.y - geometry.cellHeight);
  EXPECT_EQ(well.box.x, cave.box.x - geometry.cellWidth);
  EXPECT_EQ(well.box.y, cave.box.y);
  EXPECT_EQ(layout.width, 2 * geometry.margin + 2 * geometry.cellWidth);
  EXPECT_EQ(layout.height, 2 * geometry.margin + 2 * geometry.cellHeight);
  EXPECT_EQ(std::min(well.box.x, tunnel.box.x), geometry.margin + (geometry.cellWidth - geometry.roomWidth) / 2);
  EXPECT_EQ(layout.passages.size(), 2u);
  EXPECT_NE(cave.tooltip.find("Placed next to the rooms it shares doors with"), std::string::npos) << cave.tooltip;
  EXPECT_EQ(cave.tooltip.find("Column"), std::string::npos);
}

TEST_F(MapLayoutTest, OneWayDoorsAndDoorsToMissingRoomsAreDrawnApart) {
  Grid(2, 2);
  Edit("Area21", [](adventure::RoomModel& room) { room.SwitchOff(adventure::kSlotWest); });
  AddDoor("Area12", "Cellar");   // no such room, not a grid name
  AddDoor("Area21", "Area31");   // a grid name beyond the grid's east edge
  AddDoor("Area22", "Area11");   // a slide back to the start: one way, but not between neighbours
  const PlanetMap map = Map();
  const MapLayout& layout = map.layout;

  const LaidPassage* noWayBack = Between(layout, "Area11", "Area21");
  ASSERT_NE(noWayBack, nullptr);
  EXPECT_EQ(noWayBack->style, PassageStyle::NoWayBack);
  EXPECT_EQ(layout.rooms[std::size_t(noWayBack->from)].name, "Area11");
  EXPECT_NE(noWayBack->tooltip.find("Area21 has no door back"), std::string::npos) << noWayBack->tooltip;

  const LaidPassage* slide = Between(layout, "Area22", "Area11");
  ASSERT_NE(slide, nullptr);
  EXPECT_EQ(slide->style, PassageStyle::OneWay);
  EXPECT_EQ(layout.rooms[std::size_t(slide->from)].name, "Area22");

  // Each missing room once, in a cell of its own, outside the grid.
  const LaidRoom& cellar = Room(layout, "Cellar");
  const LaidRoom& beyond = Room(layout, "Area31");
  EXPECT_TRUE(cellar.missing && beyond.missing);
  EXPECT_EQ(std::make_pair(beyond.column, beyond.row), std::make_pair(3, 1));  // where its name puts it
  EXPECT_TRUE(cellar.column < 1 || cellar.column > 2 || cellar.row < 1 || cellar.row > 2)
      << cellar.column << "," << cellar.row;
  EXPECT_NE(std::make_pair(cellar.column, cellar.row), std::make_pair(beyond.column, beyond.row));
  EXPECT_NE(cellar.tooltip.find("No room of this name"), std::string::npos);
  for (const char* target : {"Cellar", "Area31"}) {
    int leading = 0;
    for (const LaidPassage& p : layout.passages) {
      if (layout.rooms[std::size_t(p.to)].name != target) continue;
      ++leading;
      EXPECT_EQ(p.style, PassageStyle::ToMissing);
    }
    EXPECT_EQ(leading, 1) << target;
  }
  EXPECT_EQ(layout.width, 2 * geometry.margin + (std::max(3, cellar.column) - std::min(1, cellar.column) + 1) *
                                                    geometry.cellWidth);

  // The findings come with the rooms they are about, most severe first in the side list.
  const LaidRoom& a12 = Room(layout, "Area12");
  ASSERT_FALSE(a12.findings.empty());
  EXPECT_EQ(a12.worst, Severity::Error);
  EXPECT_NE(a12.tooltip.find("error: the action \"New Action\" of room Area12 leads to Cellar, which does not exist"),
            std::string::npos)
      << a12.tooltip;
  ASSERT_FALSE(map.rows.empty());
  for (std::size_t i = 1; i < map.rows.size(); ++i) {
    EXPECT_LE(int(map.rows[i - 1].finding.severity), int(map.rows[i].finding.severity));
  }
  EXPECT_NE(map.summary.find("2 missing rooms"), std::string::npos) << map.summary;
}

TEST_F(MapLayoutTest, APassageThatSkipsARoomBendsAroundIt) {
  Grid(3, 3);
  AddDoor("Area11", "Area31");
  AddDoor("Area31", "Area11");
  const MapLayout layout = Map().layout;
  const LaidPassage* jump = Between(layout, "Area11", "Area31");
  ASSERT_NE(jump, nullptr);
  EXPECT_EQ(jump->style, PassageStyle::TwoWay);
  ASSERT_TRUE(jump->curved);
  EXPECT_TRUE(OnEdge(layout.rooms[std::size_t(jump->from)].box, jump->start));
  EXPECT_TRUE(OnEdge(layout.rooms[std::size_t(jump->to)].box, jump->end));
  // Row 1 is the top row: the bend goes up into the margin rather than through Area21 below.
  const MapRect& middle = Room(layout, "Area21").box;
  for (const MapPoint& p : PassagePath(*jump)) {
    EXPECT_FALSE(middle.Contains(p)) << p.x << "," << p.y;
    EXPECT_LT(p.y, middle.y + middle.height / 2);
  }
  // The neighbours' own wall stays a straight line.
  EXPECT_FALSE(Between(layout, "Area11", "Area21")->curved);
}

TEST_F(MapLayoutTest, LocksAreBadgesOnTheirPassageAndFindingsMarkTheirRoom) {
  Grid(2, 2);
  // Area11's East door behind flag B, which nothing sets.
  Edit("Area11", [](adventure::RoomModel& room) {
    room.LockAction(room.Slot(adventure::kSlotEast).action.number, 'B', "The door is sealed.");
  });
  PlanetMap map = Map();
  const LaidPassage* locked = Between(map.layout, "Area11", "Area21");
  ASSERT_NE(locked, nullptr);
  EXPECT_EQ(locked->style, PassageStyle::TwoWay);
  ASSERT_EQ(locked->locks.size(), 1u);
  const MapLock& lock = locked->locks[0];
  EXPECT_EQ(lock.flag, "B");
  EXPECT_EQ(map.layout.LockAt(lock.badge.Centre()), &lock);
  EXPECT_EQ(map.layout.RoomAt(lock.badge.Centre()), -1);  // in the gap between the boxes
  EXPECT_NE(lock.tooltip.find("only while flag B is set"), std::string::npos) << lock.tooltip;

  const LaidRoom& a11 = Room(map.layout, "Area11");
  EXPECT_EQ(a11.worst, Severity::Error);
  ASSERT_EQ(map.rows.size(), 1u);
  EXPECT_EQ(map.rows[0].room, map.layout.Find("Area11"));
  EXPECT_EQ(map.rows[0].finding.kind, FindingKind::LockNeverOpens);
  EXPECT_EQ(map.summary, "4 rooms, 1 locked door.\nRoom findings: 1 error.");

  // Once a search sets the flag, the badge stays and the marker goes.
  Script().PutMessage("MessageArea22Search1", "We found the key.*SFB*RArea22");
  map = Map();
  EXPECT_EQ(Between(map.layout, "Area11", "Area21")->locks.size(), 1u);
  EXPECT_FALSE(Room(map.layout, "Area11").worst);
  EXPECT_TRUE(map.rows.empty());
}

TEST_F(MapLayoutTest, APlanetWithoutRoomsGivesAnEmptyMapThatSaysSo) {
  Write({"MessagesINIT=1", "MessageINIT1=Hello."});
  const PlanetMap map = Map();
  EXPECT_TRUE(map.layout.rooms.empty());
  EXPECT_EQ(map.layout.width, 2 * geometry.margin);
  EXPECT_EQ(map.layout.RoomAt({geometry.margin, geometry.margin}), -1);
  EXPECT_EQ(map.summary.rfind("This planet has no rooms", 0), 0u) << map.summary;
}

TEST_F(MapLayoutTest, ARoomWithNoWayBackIsMarkedSo) {
  Write({"BeamMessages=1", "Beam1=You beam down.*RHall", "MessagesHall=1", "MessageHall1=A hall.", "ResponsesHall=2",
         "ResponseHall1=Beam back up to the ship.*MBeamUp", "ResponseHall2=Jump into the pit.*MPit",
         "MessagesPit=1", "MessagePit1=It is dark.", "ResponsesPit=1", "ResponsePit1=Shout.*MPit",
         "MessagesBeamUp=1", "MessageBeamUp1=Beam up sucessful.*RNone"});
  const MapLayout layout = Map().layout;
  const LaidRoom& hall = Room(layout, "Hall");
  const LaidRoom& pit = Room(layout, "Pit");
  EXPECT_TRUE(hall.beamDown && hall.beamsUp && hall.reachesBeamUp);
  EXPECT_FALSE(pit.beamDown || pit.beamsUp || pit.reachesBeamUp);
  EXPECT_NE(pit.tooltip.find("No path of actions leads back to the ship."), std::string::npos);
  EXPECT_NE(pit.tooltip.find("error: no path of actions leads from room Pit back to BeamUp"), std::string::npos)
      << pit.tooltip;
  ASSERT_EQ(layout.passages.size(), 1u);  // the pit's shout comes back to itself: no passage
  EXPECT_EQ(layout.passages[0].style, PassageStyle::OneWay);
}

}  // namespace
}  // namespace zelmora::check
