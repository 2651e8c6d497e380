#include "adventure/room_model.h"
#include "tests/adventure/adventure_fixture.h"

namespace zelmora::adventure {
namespace {

using platform::Answer;
using RoomModelTest = AdventureTest;

TEST_F(RoomModelTest, BindsDirectionsThroughNeighbourTextAndMarker) {
  Put("MessagesArea11", "1");
  Put("MessageArea111", "A quiet field.");
  PutResponses("Area11", {"Go East and report back.*MArea21",  // neighbour
                          "Climb down to the SOUTH ledge*MLedge",  // text, any case
                          "%GWSneak away*MHidden",                 // marker
                          "%G-Look north for a while*MArea11Search"});
  RoomModel room(script_);
  ASSERT_EQ(room.LoadRoom("Area11", prompter_), OpenResult::Opened);
  EXPECT_EQ(room.Description().number, 1);
  EXPECT_EQ(room.Description().parts.text, "A quiet field.");

  EXPECT_FALSE(room.Slot(kSlotNorth).present);
  EXPECT_TRUE(room.Slot(kSlotEast).present);
  EXPECT_TRUE(room.Slot(kSlotEast).isDefault);
  EXPECT_EQ(room.Slot(kSlotEast).action.number, 1);
  EXPECT_EQ(room.Slot(kSlotSouth).action.number, 2);
  EXPECT_FALSE(room.Slot(kSlotSouth).isDefault);
  EXPECT_EQ(room.Slot(kSlotWest).action.number, 3);
  // "%G-" is never a direction: the text's "north" does not count and it falls to the search slot.
  EXPECT_EQ(room.Slot(kSlotSearch).action.number, 4);
  EXPECT_TRUE(room.Customs().empty());
}

TEST_F(RoomModelTest, EmptyDestinationMatchesOnlyAnEmptyNeighbour) {
  PutResponses("Cave", {"New Action*M"});
  PutResponses("Area22", {"New Action*M"});
  RoomModel room(script_);
  room.LoadRoom("Cave", prompter_);
  EXPECT_TRUE(room.Slot(kSlotNorth).present);
  EXPECT_TRUE(room.Customs().empty());

  room.LoadRoom("Area22", prompter_);
  EXPECT_FALSE(room.Slot(kSlotNorth).present);
  ASSERT_EQ(room.Customs().size(), 1u);
  EXPECT_EQ(room.Customs()[0].parts.text, "New Action");
}

TEST_F(RoomModelTest, SpecialSlotsFollowTheRequiredFlagsAndTakeOneResponseEach) {
  script_.SetBeamFlag("%FC");
  PutResponses("Area22", {"%FCBeam back up to the ship.*MBeamUp", "Run for the shuttle*MBeamUp",
                          "Search the area for anything unusual.*MArea22Search",
                          "Scan it*MArea22Tri"});
  RoomModel room(script_);
  room.LoadRoom("Area22", prompter_);
  EXPECT_TRUE(room.Slot(kSlotBeam).isDefault);
  EXPECT_EQ(room.Slot(kSlotBeam).defaultResponse, "%FCBeam back up to the ship.*MBeamUp");
  ASSERT_EQ(room.Customs().size(), 1u);
  EXPECT_EQ(room.Customs()[0].number, 2);
  EXPECT_TRUE(room.Slot(kSlotSearch).isDefault);
  EXPECT_TRUE(room.Slot(kSlotTri).present);
  EXPECT_FALSE(room.Slot(kSlotTri).isDefault);
}

TEST_F(RoomModelTest, EffectGroupAsksMessageByMessage) {
  Put("MessagesHall", "2");
  Put("MessageHall1", "The wind howls.*RArea11");
  Put("MessageHall2", "Dust settles.*RCave");
  Put("MessagesCave", "1");
  Put("MessageCave1", "A damp cave.");
  RoomModel room(script_);

  // No, then Yes: the second target opens.
  prompter_.Answer(Answer::No).Answer(Answer::Yes);
  EXPECT_EQ(room.LoadRoom("Hall", prompter_), OpenResult::Opened);
  EXPECT_EQ(room.Name(), "Cave");
  ASSERT_EQ(prompter_.Calls().size(), 2u);
  EXPECT_EQ(prompter_.Calls()[0].text,
            "The wind howls.\r\n\r\nThis message leads to the room 'Area11', would you like to go there instead?");
  EXPECT_EQ(prompter_.Calls()[0].title, "Hall is not a room (maybe an effect?)");
  EXPECT_EQ(prompter_.Calls()[0].buttons, platform::Buttons::YesNoCancel);

  // Cancel keeps the room that was open.
  prompter_.Answer(Answer::Cancel);
  EXPECT_EQ(room.LoadRoom("Hall", prompter_), OpenResult::Cancelled);
  EXPECT_EQ(room.Name(), "Cave");

  // Declining every message opens it as a room without description.
  prompter_.Answer(Answer::No).Answer(Answer::No);
  EXPECT_EQ(room.LoadRoom("Hall", prompter_), OpenResult::Opened);
  EXPECT_EQ(room.Name(), "Hall");
  EXPECT_EQ(room.Description().number, 0);

  EXPECT_EQ(room.LoadRoom("None", prompter_), OpenResult::NotOpened);
  EXPECT_EQ(room.Name(), "Hall");
  EXPECT_TRUE(prompter_.Exhausted());
}

TEST_F(RoomModelTest, TypedDescriptionOfARoomWithoutOneIsAppended) {
  Put("MessagesHall", "1");
  Put("MessageHall1", "Gone.*RCave");
  RoomModel room(script_);
  prompter_.Answer(Answer::No);
  room.LoadRoom("Hall", prompter_);
  room.SetDescription("A long hall.");
  EXPECT_EQ(Get("MessagesHall"), "2");
  EXPECT_EQ(Get("MessageHall2"), "A long hall.");
  EXPECT_EQ(Get("MessageHall1"), "Gone.*RCave");

  room.SetDescription(std::string(400, 'y'));
  EXPECT_EQ(Get("MessageHall2").size(), 254u);
}

TEST_F(RoomModelTest, SwitchingOnADirectionWithoutNeighbourAsksForTheRoom) {
  RoomModel room(script_);
  room.LoadRoom("Cave", prompter_);
  prompter_.Reply(std::nullopt);
  EXPECT_FALSE(room.SwitchOn(kSlotNorth, prompter_));
  EXPECT_EQ(Get("ResponsesCave"), "ERR");
  EXPECT_EQ(prompter_.Calls()[0].text, "Please enter the destination room (A default room cannot be determined):");
  EXPECT_EQ(prompter_.Calls()[0].title, "Enter Room that is North of Cave");

  prompter_.Reply("Tunnel");
  EXPECT_TRUE(room.SwitchOn(kSlotNorth, prompter_));
  EXPECT_EQ(Responses("Cave"), std::vector<std::string>{"%GNGo North and report back.*MTunnel"});
  EXPECT_FALSE(room.Slot(kSlotNorth).isDefault);
  room.LoadRoom("Cave", prompter_);
  EXPECT_EQ(room.Slot(kSlotNorth).action.Destination(), "Tunnel");

  // "Cave 1" is no grid name either: East has no neighbour to go to.
  room.LoadRoom("Cave 1", prompter_);
  prompter_.Reply("Tunnel");
  EXPECT_TRUE(room.SwitchOn(kSlotEast, prompter_));
  EXPECT_EQ(prompter_.Calls().back().title, "Enter Room that is East of Cave 1");
  EXPECT_EQ(Responses("Cave 1"), std::vector<std::string>{"%GEGo East and report back.*MTunnel"});

  // A known neighbour needs no question and stores the default.
  room.LoadRoom("Area22", prompter_);
  EXPECT_TRUE(room.SwitchOn(kSlotWest, prompter_));
  EXPECT_TRUE(room.Slot(kSlotWest).isDefault);
  EXPECT_EQ(Responses("Area22"), std::vector<std::string>{"Go West and report back.*MArea12"});
  EXPECT_TRUE(prompter_.Exhausted());
}

TEST_F(RoomModelTest, RemoveAndInsertKeepNumbersWithoutGaps) {
  PutResponses("Area22", {"Go North and report back.*MArea21", "Dance*MBall", "Sing*MHall"});
  RoomModel room(script_);
  room.LoadRoom("Area22", prompter_);
  room.RemoveResponse(1);
  EXPECT_EQ(Responses("Area22"), (std::vector<std::string>{"Dance*MBall", "Sing*MHall"}));
  EXPECT_EQ(Get("ResponseArea223"), "ERR");
  EXPECT_FALSE(room.Slot(kSlotNorth).present);
  ASSERT_EQ(room.Customs().size(), 2u);
  EXPECT_EQ(room.Customs()[0].number, 1);
  EXPECT_EQ(room.Customs()[1].number, 2);

  room.RemoveResponse(0);
  room.RemoveResponse(3);
  EXPECT_EQ(Get("ResponsesArea22"), "2");

  room.InsertResponse(1, "Go West and report back.*MArea12");
  EXPECT_EQ(Responses("Area22"),
            (std::vector<std::string>{"Go West and report back.*MArea12", "Dance*MBall", "Sing*MHall"}));
  EXPECT_EQ(room.Slot(kSlotWest).action.number, 1);
  EXPECT_EQ(room.Customs()[1].number, 3);
}

TEST_F(RoomModelTest, MovingAnAbsentResponseKeepsItAbsent) {
  Put("ResponsesCave", "3");
  Put("ResponseCave1", "One*MA");
  Put("ResponseCave3", "Three*MC");
  RoomModel room(script_);
  room.LoadRoom("Cave", prompter_);
  room.RemoveResponse(1);
  EXPECT_EQ(Get("ResponseCave1"), "ERR");
  EXPECT_EQ(Get("ResponseCave2"), "Three*MC");
  EXPECT_EQ(script_.Store().ReadKey("Adv", "1", "ResponseCave1", "absent"), "absent");
}

TEST_F(RoomModelTest, LockingResponseTwoOfArea11) {
  PutResponses("Area11", {"Go South and report back.*MArea12", "Go East and report back.*MArea21*SFC",
                          "Dance*MBall"});
  RoomModel room(script_);
  room.LoadRoom("Area11", prompter_);
  room.LockAction(2, 'B', "The door is locked.");
  EXPECT_EQ(Responses("Area11"),
            (std::vector<std::string>{"Go South and report back.*MArea12", "%FBGo East and report back.*MArea21*SFC",
                                      "%fBGo East and report back.*SFC*MArea21Locked", "Dance*MBall"}));
  EXPECT_EQ(Get("MessagesArea21Locked"), "1");
  EXPECT_EQ(Get("MessageArea21Locked1"), "The door is locked.*RArea11");

  // A second door into the same room adds to its locked group and keeps the first message.
  PutResponses("Area31", {"Go West and report back.*MArea21"});
  room.LoadRoom("Area31", prompter_);
  room.LockAction(1, 'C', "Barred.");
  EXPECT_EQ(Get("MessagesArea21Locked"), "2");
  EXPECT_EQ(Get("MessageArea21Locked1"), "The door is locked.*RArea11");
  EXPECT_EQ(Get("MessageArea21Locked2"), "Barred.*RArea31");
  EXPECT_EQ(Get("ResponseArea312"), "%fCGo West and report back.*MArea21Locked");

  room.LoadRoom("Area11", prompter_);
  room.LockAction(1, 'D', "Closed.");
  EXPECT_EQ(Get("MessagesArea12Locked"), "1");
  room.LockAction(0, 'E', "Nope.");  // outside the responses: nothing happens
  room.LockAction(6, 'E', "Nope.");
  EXPECT_EQ(Get("ResponsesArea11"), "5");
  EXPECT_EQ(Get("ResponseArea115"), "Dance*MBall");
}

TEST_F(RoomModelTest, EditsRebuildPrefixTextAndTail) {
  PutResponses("Cave", {"%FADig*MPit*SFB"});
  RoomModel room(script_);
  room.LoadRoom("Cave", prompter_);
  const ActionRef dig{ActionRef::Custom, 0};
  room.SetActionText(dig, "Dig deeper");
  EXPECT_EQ(Get("ResponseCave1"), "%FADig deeper*MPit*SFB");
  room.SetDestination(dig, "Abyss");
  EXPECT_EQ(Get("ResponseCave1"), "%FADig deeper*MAbyss*SFB");
  room.SetDirectionMarker(dig, "%G-");
  EXPECT_EQ(Get("ResponseCave1"), "%G-%FADig deeper*MAbyss*SFB");
  room.SetActionText(dig, std::string(300, 'z'));
  EXPECT_EQ(Get("ResponseCave1").size(), 254u);

  const int added = room.AddCustomAction();
  EXPECT_EQ(room.Customs()[added].number, 2);
  EXPECT_EQ(Get("ResponseCave2"), "New Action*M");
}

TEST_F(RoomModelTest, EffectsAskTheirQuestionsAndWriteTheGroup) {
  PutResponses("Area22", {"Pull the lever*MLever", "Enter the hut*MHut", "Nowhere*M"});
  Put("MessagesHut", "2");
  Put("MessageHut1", "A hut.");
  Put("MessageHut2", "Still a hut.");
  RoomModel room(script_);
  room.LoadRoom("Area22", prompter_);

  // A destination without messages: message 1, the open room offered as target.
  prompter_.Reply("Gears turn.").Reply("Area22");
  EXPECT_TRUE(room.SetEffect({ActionRef::Custom, 0}, prompter_));
  EXPECT_EQ(prompter_.Calls()[0].title, "Enter Effect");
  EXPECT_EQ(prompter_.Calls()[0].text,
            "Pull the lever\r\n\r\nEnter the description of what happens when this action is chosen:");
  EXPECT_EQ(prompter_.Calls()[1].text,
            "Pull the lever\r\n\r\nGears turn.\r\n\r\nEnter the destination room of this effect (usually, this "
            "will be the current room):");
  EXPECT_EQ(prompter_.Calls()[1].defaultValue, "Area22");
  EXPECT_EQ(Get("MessagesLever"), "1");
  EXPECT_EQ(Get("MessageLever1"), "Gears turn.*RArea22");

  // Editing it again keeps its prefix and other codes and offers the current text and target.
  Put("MessageLever1", "%FAGears turn.*SFB*RArea22");
  prompter_.Reply("Gears grind.").Reply("Cave");
  EXPECT_TRUE(room.SetEffect({ActionRef::Custom, 0}, prompter_));
  EXPECT_EQ(prompter_.Calls()[2].defaultValue, "Gears turn.");
  EXPECT_EQ(Get("MessageLever1"), "%FAGears grind.*SFB*RCave");

  // A room as destination: confirmed, the effect goes after its two messages.
  prompter_.Answer(Answer::No);
  EXPECT_FALSE(room.SetEffect({ActionRef::Custom, 1}, prompter_));
  prompter_.Answer(Answer::Yes).Reply("Creak.").Reply("Area22");
  EXPECT_TRUE(room.SetEffect({ActionRef::Custom, 1}, prompter_));
  EXPECT_EQ(Get("MessagesHut"), "3");
  EXPECT_EQ(Get("MessageHut3"), "Creak.*RArea22");
  EXPECT_EQ(Get("MessageHut1"), "A hut.");

  // An empty answer writes nothing; an empty destination never touches the opening messages.
  prompter_.Reply(std::nullopt);
  EXPECT_FALSE(room.SetEffect({ActionRef::Custom, 0}, prompter_));
  const std::string before = game_.ReadDescriptor("Adv");
  EXPECT_FALSE(room.SetEffect({ActionRef::Custom, 2}, prompter_));
  EXPECT_EQ(game_.ReadDescriptor("Adv"), before);
  EXPECT_TRUE(prompter_.Exhausted());
}

}  // namespace
}  // namespace zelmora::adventure
