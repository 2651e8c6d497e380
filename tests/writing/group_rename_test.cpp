#include "check/checker.h"
#include "messages/planet_script.h"
#include "simulator/play_session.h"
#include "tests/support/open_demo_system.h"
#include "tests/support/temp_game_folder.h"
#include "writing/group_rename.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace zelmora::writing {
namespace {

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// The section of planet `n` as the file holds it.
std::string Section(const std::string& descriptor, int n) {
  const std::string head = "[" + std::to_string(n) + "]";
  const auto start = descriptor.find(head);
  const auto end = descriptor.find("\n[", start + 1);
  return descriptor.substr(start, end == std::string::npos ? std::string::npos : end + 1 - start);
}

// What the checker says about a planet, one line a finding, sorted.
std::vector<std::string> Findings(const messages::PlanetScript& script, const messages::SpecialActionList& catalogue) {
  std::vector<std::string> lines;
  for (const check::Finding& f : check::CheckPlanet(script, catalogue).findings) {
    lines.push_back(std::string(check::KindName(f.kind)) + " " + f.key + " " + f.message);
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

TEST(RenameGroup, ARoomWithItsSearchLockAndBeamLinks) {
  testing::DemoGameFolder game;
  const auto catalogue = messages::LoadSpecialActions(game.Path());
  store::DescriptorStore store(game.Path());
  store::SolarSystemRecord record;
  store.LoadSystem("Mirefall", record);
  messages::PlanetScript script(store, record, 2);

  // A walk through the rooms, kept as the editor keeps a test.
  simulator::PlaySettings settings;
  settings.gameFolder = game.Path();
  settings.system = "Mirefall";
  settings.planet = 2;
  settings.seed = 7;
  settings.flags = {12};  // L: the force field is down
  std::istringstream walk("beam\nrespond 5\ntick 2\nrespond 3\ntick 2\nrespond 1\ntick 2\nrespond 1\ntick 2\n"
                          "respond 1\ntick 2\nleave\n");
  std::ostringstream played;
  simulator::TestRecording recording;
  ASSERT_EQ(simulator::RunPlaySession(settings, walk, played, &recording), 0) << played.str();
  ASSERT_NE(recording.transcript.find("Area11Search"), std::string::npos) << recording.transcript;
  const std::vector<std::string> findingsBefore = Findings(script, catalogue);

  const RenamePlan plan = PlanRename(script, "Area11", "Hall", catalogue);
  ASSERT_FALSE(plan.refused) << *plan.refused;
  ASSERT_EQ(plan.groups.size(), 2u);
  EXPECT_EQ(plan.groups[0].from, "Area11");
  EXPECT_EQ(plan.groups[1].to, "HallSearch");
  // Beam1, the search effect, the locked message and Area12's way north; Area11's own search action.
  EXPECT_EQ(plan.references, 5);
  ApplyRename(script, plan);

  const std::string section = Section(game.ReadDescriptor("Mirefall"), 2);
  EXPECT_EQ(section.find("Area11"), std::string::npos) << section;
  for (const char* line : {"Beam1=We beamed down to Area 1, 1*RHall\r\n", "MessagesHall=1\r\n", "ResponsesHall=5\r\n",
                           "ResponseHall5=Search the area for anything unusual.*MHallSearch\r\n",
                           "MessageHallSearch1=We found nothing of interest, %RK.*RHall\r\n",
                           "MessageArea21Locked1=The force field blocks the way east.*RHall\r\n",
                           "ResponseArea121=Go North and report back.*MHall\r\n",
                           "ResponseHall2=%fLGo East and report back.*MArea21Locked\r\n"}) {
    EXPECT_NE(section.find(line), std::string::npos) << line << "\n" << section;
  }

  // Nothing new for the checker (a door the grid's names paired with Area11 is no longer taken for
  // a one-way door), and the same walk shows the same, under the new names.
  const std::vector<std::string> findingsAfter = Findings(script, catalogue);
  std::vector<std::string> renamed;
  for (const std::string& f : findingsBefore) renamed.push_back(ReplaceAll(f, "Area11", "Hall"));
  std::sort(renamed.begin(), renamed.end());
  EXPECT_TRUE(std::includes(renamed.begin(), renamed.end(), findingsAfter.begin(), findingsAfter.end()))
      << ::testing::PrintToString(findingsAfter);
  EXPECT_GE(findingsAfter.size(), renamed.size() - 1);
  const simulator::Replay replay = simulator::ReplayRecording(recording, game.Path());
  EXPECT_TRUE(replay.understood);
  EXPECT_EQ(replay.transcript, ReplaceAll(recording.transcript, "Area11", "Hall"));
}

TEST(RenameGroup, ALockedTargetTakesItsLockedGroupAlong) {
  testing::OpenDemoSystem open("Mirefall");
  const auto catalogue = messages::LoadSpecialActions(open.game.Path());
  messages::PlanetScript script(open.store, open.record, 2);
  const RenamePlan plan = PlanRename(script, "Area21", "Gate", catalogue);
  ASSERT_FALSE(plan.refused) << *plan.refused;
  ApplyRename(script, plan);
  EXPECT_EQ(script.GetMessage("ResponseArea111"), "%FLGo East and report back.*MGate");
  EXPECT_EQ(script.GetMessage("ResponseArea112"), "%fLGo East and report back.*MGateLocked");
  EXPECT_EQ(script.GetMessage("MessagesGateLocked"), "1");
  EXPECT_EQ(script.GetMessage("MessageGateLocked1"), "The force field blocks the way east.*RArea11");
  EXPECT_EQ(script.GetMessage("MessagesArea21Locked"), "ERR");
  EXPECT_EQ(script.GetMessage("ResponseArea221"), "Go North and report back.*MGate");
}

struct CaveGame {
  CaveGame() {
    game.WriteDescriptor("Cave", std::string("[General]\r\nMessages=Y\r\n\r\n;SolarSystem\r\n") +
                                     ";\"Cave                \",0,1\r\n;500,3,1,0,1,0\r\n" + Planet());
    store.LoadSystem("Cave", record);
  }
  static std::string Planet() {
    return "[1]\r\n"
           "Messages=1\r\nMessage1=Hello.*RHail\r\n"
           "ResponsesHail=2\r\nResponseHail1=Enter the cave.*Mcave\r\nResponseHail2=Look around.*MHallSearch\r\n"
           "MessagesCave=2\r\nMessageCave1=A cave.*RCave\r\nMessageCave2=Repaired.*RS1*SFA\r\n"
           "ResponsesCave=1\r\nResponseCave1=Back.*MHail\r\n"
           "MessagesIgnoreCave=1\r\nMessageIgnoreCave1=The cave waits.\r\n"
           "MessagesCavePhaser=1\r\nMessageCavePhaser1=Rocks fall.*RCave\r\n"
           "MessagesHallSearch=1\r\nMessageHallSearch1=Dust.*RHail\r\n"
           "MessageGrotto1=A stray item no count claims.\r\n"
           "MessagesLong=1\r\nMessageLong1=" +
           std::string(240, 'x') + "*RCave\r\n";
  }
  testing::TempGameFolder game;
  store::DescriptorStore store{game.Path()};
  store::SolarSystemRecord record;
  messages::SpecialActionList catalogue;  // the game's own forms of repair conditions
};

TEST(RenameGroup, CompanionsFollowInAnyCaseAndRepairConditionsStay) {
  CaveGame cave;
  messages::PlanetScript script(cave.store, cave.record, 1);
  const RenamePlan plan = PlanRename(script, "Cave", "Den", cave.catalogue);
  ASSERT_FALSE(plan.refused) << *plan.refused;
  std::vector<std::string> groups;
  for (const auto& g : plan.groups) groups.push_back(g.from + ">" + g.to);
  EXPECT_EQ(groups, (std::vector<std::string>{"Cave>Den", "IgnoreCave>IgnoreDen", "CavePhaser>DenPhaser"}));
  ApplyRename(script, plan);
  EXPECT_EQ(script.GetMessage("ResponseHail1"), "Enter the cave.*MDen");
  EXPECT_EQ(script.GetMessage("MessageDen2"), "Repaired.*RS1*SFA");  // a repair condition, not an answer
  EXPECT_EQ(script.GetMessage("MessageIgnoreDen1"), "The cave waits.");
  EXPECT_EQ(script.GetMessage("MessageDenPhaser1"), "Rocks fall.*RDen");
  EXPECT_EQ(script.GetMessage("MessagesCave"), "ERR");
}

TEST(RenameGroup, Refusals) {
  CaveGame cave;
  const std::string before = cave.game.ReadDescriptor("Cave");
  messages::PlanetScript script(cave.store, cave.record, 1);
  struct Case {
    std::string from, to, why;
  } cases[] = {
      {"Cave", "", "new name"},
      {"Cave", "Bad*Name", "cannot contain \"*\""},
      {"Cave", " Den", "blank"},
      {"Cave", "Cave", "already named"},
      {"Hail", "Greeting", "fixed role"},
      {"INIT", "Start", "fixed role"},
      {"Cave", "BeamUp", "fixed role"},
      {"Cave", "none", "fixed role"},
      {"Cave", "Sunken", "repair condition"},
      {"Cave", "!Sunken", "repair condition"},
      {"Nowhere", "Den", "no group \"Nowhere\""},
      {"Cave", "HALLSEARCH", "is taken"},  // a group of that name, in another case
      {"Cave", "Hall", "\"HallSearch\" would go with it"},
      {"Cave", "LongTri", "would go with it"},
      {"Cave", "Grotto", "key \"MessageGrotto1\""},
      {"Cave", std::string(20, 'y'), "MessageLong1"},
  };
  for (const auto& c : cases) {
    const RenamePlan plan = PlanRename(script, c.from, c.to, cave.catalogue);
    ASSERT_TRUE(plan.refused) << c.from << " -> " << c.to;
    EXPECT_NE(plan.refused->find(c.why), std::string::npos) << c.to << ": " << *plan.refused;
    EXPECT_TRUE(plan.keys.empty());
    ApplyRename(script, plan);  // a refused plan writes nothing
  }
  EXPECT_EQ(cave.game.ReadDescriptor("Cave"), before);
}

}  // namespace
}  // namespace zelmora::writing
