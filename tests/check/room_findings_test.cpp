// Rooms: the wizard's own grid is clean; doors to nowhere, one-way doors, locks that never open
// and rooms with no way back are found; the adventure map places and links the rooms.
#include "adventure/grid_wizard.h"
#include "adventure/room_model.h"
#include "check/adventure_map.h"
#include "tests/check/check_fixture.h"
#include "tests/support/scripted_prompter.h"

#include <gtest/gtest.h>

namespace zelmora::check {
namespace {

using testing::CheckFixture;
using testing::kFromTheStart;

using Rooms = CheckFixture;

TEST_F(Rooms, TheWizardsOwnGridHasNoFindingsAndMapsToItsCoordinates) {
  Grid(3, 3);
  const auto report = Check();
  EXPECT_TRUE(report.findings.empty()) << Describe(report);
  ASSERT_EQ(report.searches.size(), 1u);
  EXPECT_TRUE(report.searches[0].complete);

  const AdventureMap map = BuildAdventureMap(Script(), report.findings);
  ASSERT_EQ(map.rooms.size(), 9u);
  for (const MapRoom& room : map.rooms) {
    EXPECT_TRUE(room.placedByGrid) << room.name;
    EXPECT_TRUE(room.reachesBeamUp) << room.name;
    EXPECT_EQ(room.name, "Area" + std::to_string(room.x) + std::to_string(room.y));
    EXPECT_EQ(room.beamDown, room.name == "Area11");
  }
  EXPECT_EQ(map.minX, 1);
  EXPECT_EQ(map.maxY, 3);
  // 12 inner walls crossed both ways, and every room's way up; searches and tricorders come back.
  int between = 0, up = 0;
  for (const MapDoor& d : map.doors) {
    (d.beamUp ? up : between) += 1;
    EXPECT_FALSE(d.oneWay);
    EXPECT_FALSE(d.toMissing);
  }
  EXPECT_EQ(between, 24);
  EXPECT_EQ(up, 9);
  const MapDoor& east = *std::find_if(map.doors.begin(), map.doors.end(),
                                      [](const MapDoor& d) { return d.from == "Area11" && d.to == "Area21"; });
  EXPECT_EQ(east.direction, 1);
  EXPECT_EQ(east.key, "ResponseArea111");  // no door north of row 1: East comes first
}

TEST_F(Rooms, ALockWhoseFlagNothingSets) {
  Grid(2, 2);
  // Area11's East door (its response 1) locked behind flag B.
  Edit("Area11", [](adventure::RoomModel& room) { room.LockAction(1, 'B', "The door is sealed."); });
  auto report = Check();
  const auto locks = OfKind(report, FindingKind::LockNeverOpens);
  ASSERT_EQ(locks.size(), 1u) << Describe(report);
  EXPECT_EQ(locks[0].key, "ResponseArea111");
  EXPECT_EQ(locks[0].room, "Area11");
  EXPECT_EQ(locks[0].group, "Area11");
  EXPECT_EQ(locks[0].list, ItemList::Responses);
  EXPECT_EQ(locks[0].item, 1);
  EXPECT_EQ(locks[0].severity, Severity::Error);
  // The door itself is not reported again as a response never offered.
  EXPECT_EQ(Keys(report, FindingKind::ResponseNeverOffered), std::vector<std::string>{}) << Describe(report);
  auto map = BuildAdventureMap(Script(), report.findings);
  ASSERT_NE(map.Find("Area11"), nullptr);
  EXPECT_EQ(map.Find("Area11")->findings.size(), 1u);
  auto locked = std::find_if(map.doors.begin(), map.doors.end(),
                             [](const MapDoor& d) { return d.from == "Area11" && d.to == "Area21"; });
  ASSERT_NE(locked, map.doors.end());
  EXPECT_EQ(locked->lockFlag, "B");

  // A search that sets B opens it.
  Script().PutMessage("MessageArea22Search1", "We found the key, %RK.*SFB*RArea22");
  report = Check();
  EXPECT_TRUE(OfKind(report, FindingKind::LockNeverOpens).empty()) << Describe(report);
  EXPECT_TRUE(OfKind(report, FindingKind::ResponseNeverOffered).empty()) << Describe(report);
}

TEST_F(Rooms, DoorsToNowhereAndOneWayDoors) {
  Grid(2, 2);
  // Area21 loses its way West; Area12 gains a door to a room never written.
  Edit("Area21", [](adventure::RoomModel& room) { room.SwitchOff(adventure::kSlotWest); });
  Edit("Area12", [](adventure::RoomModel& room) {
    const int custom = room.AddCustomAction();
    room.SetDestination({adventure::ActionRef::Custom, custom}, "Cellar");
  });
  const auto report = Check();
  const auto oneWay = OfKind(report, FindingKind::OneWayDoor);
  ASSERT_EQ(oneWay.size(), 1u) << Describe(report);
  EXPECT_EQ(oneWay[0].message, "Area11 leads East to Area21, but Area21 has no way back to Area11");
  EXPECT_EQ(oneWay[0].fix, "switch on the West action of Area21");
  const auto missing = OfKind(report, FindingKind::DoorToMissingRoom);
  ASSERT_EQ(missing.size(), 1u) << Describe(report);
  EXPECT_EQ(missing[0].room, "Area12");
  EXPECT_EQ(missing[0].message, "the action \"New Action\" of room Area12 leads to Cellar, which does not exist");
  // Reported as a door, not once more as an answer code.
  EXPECT_TRUE(OfKind(report, FindingKind::MissingMessages).empty()) << Describe(report);

  const auto map = BuildAdventureMap(Script(), report.findings);
  int oneWayDoors = 0, toMissing = 0;
  for (const MapDoor& d : map.doors) {
    oneWayDoors += d.oneWay ? 1 : 0;
    if (d.toMissing) {
      ++toMissing;
      EXPECT_EQ(d.to, "Cellar");
    }
  }
  EXPECT_EQ(oneWayDoors, 1);
  EXPECT_EQ(toMissing, 1);
}

TEST_F(Rooms, RoomsWithNoWayBackToTheShip) {
  // A pit with no way out at all, and a vault whose door back shuts for good once it is entered.
  Write({"BeamMessages=1", "Beam1=You beam down.*RHall", "MessagesHall=1", "MessageHall1=A hall.", "ResponsesHall=3",
         "ResponseHall1=Beam back up to the ship.*MBeamUp", "ResponseHall2=Enter the vault.*MVault",
         "ResponseHall3=Jump into the pit.*MPit", "MessagesVault=1", "MessageVault1=The door slams shut.*SFC",
         "ResponsesVault=1", "ResponseVault1=%fCLeave the vault.*MHall", "MessagesPit=1", "MessagePit1=It is dark.",
         "ResponsesPit=1", "ResponsePit1=Shout.*MPit", "MessagesBeamUp=1", "MessageBeamUp1=Beam up sucessful.*RNone",
         "CFlag=Vault shut"});
  const auto report = Check();
  const auto stuck = OfKind(report, FindingKind::StuckRoom);
  ASSERT_EQ(stuck.size(), 2u) << Describe(report);
  EXPECT_EQ(stuck[0].room, "Pit");
  EXPECT_EQ(stuck[0].message, "no path of actions leads from room Pit back to BeamUp");
  EXPECT_EQ(stuck[1].room, "Vault");  // a door back exists, but play never offers it
  EXPECT_EQ(stuck[1].message, "once in room Vault, no path of actions leads back to BeamUp");
  EXPECT_EQ(stuck[1].severity, Severity::Error);
  EXPECT_EQ(Keys(report, FindingKind::ResponseNeverOffered), std::vector<std::string>{"ResponseVault1"});
  EXPECT_EQ(OfKind(report, FindingKind::ResponseNeverOffered)[0].message,
            "this response can never be offered: it needs flag C clear, which never holds while its group is played" +
                kFromTheStart);

  const auto map = BuildAdventureMap(Script(), report.findings);
  ASSERT_EQ(map.rooms.size(), 3u);
  EXPECT_TRUE(map.Find("Hall")->beamDown);
  EXPECT_TRUE(map.Find("Hall")->reachesBeamUp);
  EXPECT_FALSE(map.Find("Pit")->reachesBeamUp);
  EXPECT_EQ(map.Find("Pit")->findings.size(), 1u);
}

TEST_F(Rooms, ARoomThatTrapsOnlyAfterSomethingElseHappened) {
  // The vault's door back stays open until the hall's alarm has gone off.
  Write({"BeamMessages=1", "Beam1=You beam down.*RHall", "MessagesHall=1", "MessageHall1=A hall.", "ResponsesHall=3",
         "ResponseHall1=Beam back up to the ship.*MBeamUp", "ResponseHall2=Enter the vault.*MVault",
         "ResponseHall3=Search the area for anything unusual.*MHallSearch", "MessagesHallSearch=1",
         "MessageHallSearch1=You set off an alarm.*SFC*RHall", "MessagesVault=1", "MessageVault1=A vault.",
         "ResponsesVault=1", "ResponseVault1=%fCLeave the vault.*MHall", "MessagesBeamUp=1",
         "MessageBeamUp1=Beam up sucessful.*RNone", "CFlag=Alarm"});
  const auto report = Check();
  const auto stuck = OfKind(report, FindingKind::StuckRoom);
  ASSERT_EQ(stuck.size(), 1u) << Describe(report);
  EXPECT_EQ(stuck[0].severity, Severity::Warning);
  EXPECT_EQ(stuck[0].message,
            "the player can get stuck in room Vault: with some flags no path of actions leads back to BeamUp");
  EXPECT_EQ(stuck[0].group, "Vault");
  EXPECT_EQ(stuck[0].item, 1);
}

TEST_F(Rooms, RoomsWithoutGridNamesAreLaidOutFromTheirDoors) {
  Write({"BeamMessages=1", "Beam1=Down.*RCave", "MessagesCave=1", "MessageCave1=A cave.", "ResponsesCave=3",
         "ResponseCave1=Go North and report back.*MTunnel", "ResponseCave2=Beam back up to the ship.*MBeamUp",
         "ResponseCave3=%G-Climb down.*MWell", "MessagesTunnel=1", "MessageTunnel1=A tunnel.", "ResponsesTunnel=1",
         "ResponseTunnel1=Go South and report back.*MCave", "MessagesWell=1", "MessageWell1=A well.",
         "ResponsesWell=1", "ResponseWell1=Climb up.*MCave", "MessagesBeamUp=1",
         "MessageBeamUp1=Beam up sucessful.*RNone"});
  const auto map = BuildAdventureMap(Script());
  ASSERT_EQ(map.rooms.size(), 3u);
  const MapRoom& cave = *map.Find("Cave");
  const MapRoom& tunnel = *map.Find("Tunnel");
  const MapRoom& well = *map.Find("Well");
  EXPECT_FALSE(cave.placedByGrid);
  EXPECT_EQ(tunnel.x, cave.x);
  EXPECT_EQ(tunnel.y, cave.y - 1);  // north of the cave
  EXPECT_NE(std::make_pair(well.x, well.y), std::make_pair(cave.x, cave.y));
  EXPECT_NE(std::make_pair(well.x, well.y), std::make_pair(tunnel.x, tunnel.y));
  EXPECT_TRUE(well.reachesBeamUp);
  EXPECT_TRUE(Check().findings.empty()) << Describe(Check());
}

// A lock whose flag is set only behind it, or only in a group no visit plays, never opens.
TEST_F(Rooms, LocksWhoseFlagPlayNeverSetsFirst) {
  const std::vector<std::string> hall = {
      "BeamMessages=1", "Beam1=You beam down.*RHall", "MessagesHall=1", "MessageHall1=A hall.", "ResponsesHall=3",
      "ResponseHall1=Beam up.*MBeamUp", "ResponseHall2=%FKOpen the vault.*MVault",
      "ResponseHall3=%fKThe vault is shut.*MVaultLocked", "MessagesVaultLocked=1",
      "MessageVaultLocked1=Locked tight.*RHall", "MessagesVault=1", "ResponsesVault=1", "ResponseVault1=Out.*MHall",
      "MessagesBeamUp=1", "MessageBeamUp1=Beam up sucessful.*RNone", "KFlag=Vault key"};
  for (const char* keyAt : {"behind", "orphan"}) {
    std::vector<std::string> lines = hall;
    const bool behind = std::string(keyAt) == "behind";
    lines.push_back(behind ? "MessageVault1=The key lies here.*SFK" : "MessageVault1=Gold.");
    if (!behind) {
      lines.push_back("MessagesOrphan=1");
      lines.push_back("MessageOrphan1=A key nobody finds.*SFK");
    }
    Write(lines);
    const auto report = Check();
    const auto locks = OfKind(report, FindingKind::LockNeverOpens);
    ASSERT_EQ(locks.size(), 1u) << keyAt << "\n" << Describe(report);
    EXPECT_EQ(locks[0].key, "ResponseHall2");
    EXPECT_EQ(locks[0].room, "Hall");
    EXPECT_EQ(locks[0].severity, Severity::Error);
    EXPECT_EQ(locks[0].message, "the lock on \"Open the vault.\" in room Hall never opens: no visit sets flag K "
                                "before it gets there" + testing::kFromTheStart);
    EXPECT_TRUE(OfKind(report, FindingKind::ResponseNeverOffered).empty()) << keyAt << "\n" << Describe(report);
    EXPECT_EQ(Keys(report, FindingKind::RoomNeverEntered), std::vector<std::string>{"MessagesVault"}) << keyAt;
  }
}


}  // namespace
}  // namespace zelmora::check
