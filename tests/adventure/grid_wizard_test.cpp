#include "adventure/grid_wizard.h"
#include "adventure/room_model.h"
#include "tests/adventure/adventure_fixture.h"

#include <regex>

namespace zelmora::adventure {
namespace {

using GridWizardTest = AdventureTest;

GridChoices Grid(const std::string& x, const std::string& y) {
  GridChoices choices;
  choices.sizeX = x;
  choices.sizeY = y;
  return choices;
}

// The keys of planet section [1] in file order.
std::vector<std::string> PlanetKeys(const std::string& descriptor) {
  std::vector<std::string> keys;
  bool inPlanet = false;
  std::istringstream lines(descriptor);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] == '[') inPlanet = line == "[1]";
    else if (inPlanet && line.find('=') != std::string::npos) keys.push_back(line.substr(0, line.find('=')));
  }
  return keys;
}

TEST_F(GridWizardTest, TwoByTwoGridWritesItsKeysInOrder) {
  FinishGrid(Grid("2", "2"), script_);
  EXPECT_EQ(Responses("Area11"),
            (std::vector<std::string>{"Go East and report back.*MArea21", "Go South and report back.*MArea12",
                                      "Beam back up to the ship.*MBeamUp",
                                      "Search the area for anything unusual.*MArea11Search",
                                      "What are your current tricorder readings?*MArea11Tri"}));
  EXPECT_EQ(Responses("Area22"),
            (std::vector<std::string>{"Go North and report back.*MArea21", "Go West and report back.*MArea12",
                                      "Beam back up to the ship.*MBeamUp",
                                      "Search the area for anything unusual.*MArea22Search",
                                      "What are your current tricorder readings?*MArea22Tri"}));
  EXPECT_EQ(Get("MessageArea211"), "This is Area 2, 1");
  EXPECT_EQ(Get("MessageArea12Search1"), "We found nothing of interest, %RK.*RArea12");
  EXPECT_EQ(Get("MessageArea12Tri1"), "We have a [type] reading bearing [number] degrees.*RArea12");
  EXPECT_EQ(Get("Beam1"), "We beamed down to Area 1, 1*RArea11");
  EXPECT_EQ(Get("MessageBeamUp1"), "Beam up sucessful.*RNone");
  EXPECT_EQ(store_.GetPlanetFlag(record_, "Messages", 1), 1);

  const std::vector<std::string> keys = PlanetKeys(game_.ReadDescriptor("Adv"));
  const std::vector<std::string> firstRoom(keys.begin(), keys.begin() + 11);
  EXPECT_EQ(firstRoom, (std::vector<std::string>{"MessagesArea11", "MessageArea111", "ResponseArea111",
                                                 "ResponseArea112", "ResponseArea113", "ResponseArea114",
                                                 "ResponseArea115", "ResponsesArea11", "MessagesArea11Search",
                                                 "MessageArea11Search1", "MessagesArea11Tri"}));
  EXPECT_EQ(keys.at(11), "MessageArea11Tri1");
  EXPECT_EQ(keys.at(12), "MessagesArea12");  // column 1 row 2 comes before column 2
  EXPECT_EQ(std::vector<std::string>(keys.end() - 4, keys.end()),
            (std::vector<std::string>{"BeamMessages", "Beam1", "MessagesBeamUp", "MessageBeamUp1"}));
}

TEST_F(GridWizardTest, TenByThreeNamesAndTheBeamDownMessage) {
  FinishGrid(Grid("10", "3"), script_);
  EXPECT_EQ(Get("MessageArea0111"), "This is Area 1, 1");
  EXPECT_EQ(Get("MessageArea1031"), "This is Area 10, 3");
  EXPECT_EQ(Get("Beam1"), "We beamed down to Area 1, 1*RArea011");
  EXPECT_EQ(Responses("Area103").front(), "Go North and report back.*MArea102");
  EXPECT_EQ(Get("MessagesArea113"), "ERR");
}

TEST_F(GridWizardTest, ValidateCorrectsSizes) {
  GridChoices choices = Grid("1", "3");
  EXPECT_FALSE(ValidateGrid(choices));
  EXPECT_EQ(choices.sizeX, "2");
  EXPECT_TRUE(ValidateGrid(choices));

  choices = Grid("wide", "11");
  EXPECT_FALSE(ValidateGrid(choices));
  EXPECT_EQ(choices.sizeX, "2");
  EXPECT_EQ(choices.sizeY, "10");
  choices = Grid("10", "2");
  EXPECT_TRUE(ValidateGrid(choices));
}

TEST_F(GridWizardTest, RequiredFlagsAndChosenActions) {
  script_.SetSearchFlag("%FA");
  GridChoices choices = Grid("3", "2");
  choices.chosen = {true, false, true, false, false, true, false};
  Put("MessagesBeamUp", "1");
  Put("MessageBeamUp1", "Kept.");
  Put("Info", "Kept too.");
  FinishGrid(choices, script_);
  const std::regex search(R"(%FASearch the area for anything unusual\.\*MArea\d\dSearch)");
  for (const char* room : {"Area11", "Area21", "Area31", "Area12", "Area22", "Area32"}) {
    const auto responses = Responses(room);
    ASSERT_FALSE(responses.empty()) << room;
    EXPECT_TRUE(std::regex_match(responses.back(), search)) << responses.back();
    EXPECT_EQ(Get("Message" + std::string(room) + "Tri1"), "ERR");
  }
  EXPECT_EQ(Responses("Area11").size(), 2u);  // south and search; no north, east not chosen
  EXPECT_EQ(Get("MessageBeamUp1"), "Kept.");
  EXPECT_EQ(Get("Info"), "Kept too.");

  choices.chosen.fill(false);
  FinishGrid(choices, script_);
  EXPECT_EQ(Get("ResponsesArea22"), "0");
}

TEST_F(GridWizardTest, GeneratedRoomsReadBackWithEveryActionInItsSlot) {
  FinishGrid(Grid("3", "3"), script_);
  RoomModel room(script_);
  ASSERT_EQ(room.LoadRoom("Area22", prompter_), OpenResult::Opened);
  for (int s = 0; s < kSlotCount; ++s) {
    EXPECT_TRUE(room.Slot(s).present) << s;
    EXPECT_TRUE(room.Slot(s).isDefault) << s;
  }
  EXPECT_TRUE(room.Customs().empty());
  EXPECT_EQ(room.Description().parts.text, "This is Area 2, 2");
}

TEST_F(GridWizardTest, BatchWritesTheSameBytesAsOneByOne) {
  testing::TempGameFolder other;
  other.WriteDescriptor("Adv", game_.ReadDescriptor("Adv"));
  store::DescriptorStore otherStore(other.Path());
  store::SolarSystemRecord otherRecord;
  otherStore.LoadSystem("Adv", otherRecord);
  messages::PlanetScript otherScript(otherStore, otherRecord, 1);

  FinishGrid(Grid("4", "3"), script_);
  {
    store::DescriptorBatch batch(otherStore, "Adv");
    FinishGrid(Grid("4", "3"), otherScript);
  }
  EXPECT_EQ(other.ReadDescriptor("Adv"), game_.ReadDescriptor("Adv"));
}

}  // namespace
}  // namespace zelmora::adventure
