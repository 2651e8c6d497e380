#include "adventure/grid_names.h"
#include "adventure/grid_wizard.h"
#include "adventure/lock_form.h"
#include "adventure/room_editor.h"
#include "store/change_recorder.h"
#include "tests/adventure/adventure_fixture.h"

#include <functional>

namespace zelmora::adventure {
namespace {

using platform::Answer;

// Remembers what the editor last told the window and how often each part was told.
struct RecordingRoomView : RoomEditorView {
  RoomHeader header;
  std::array<DoorState, 4> doors;
  DescriptionState description;
  std::array<CheckState, kSlotCount> checks{};
  std::optional<int> highlighted;
  std::vector<ActionRow> rows;
  std::optional<int> selectedRow;
  ActionPanelState panel;
  int checkUpdates = 0;
  int panelUpdates = 0;
  int focusDescription = 0;
  int focusResponse = 0;
  bool hidden = false;

  void ShowHeader(const RoomHeader& h) override { header = h; }
  void ShowDoors(const std::array<DoorState, 4>& d) override { doors = d; }
  void ShowDescription(const DescriptionState& d) override { description = d; }
  void ShowChecks(const std::array<CheckState, kSlotCount>& c) override {
    checks = c;
    ++checkUpdates;
  }
  void ShowHighlight(std::optional<int> slot) override { highlighted = slot; }
  void ShowRows(const std::vector<ActionRow>& r) override { rows = r; }
  void ShowSelectedRow(std::optional<int> row) override { selectedRow = row; }
  void ShowPanel(const ActionPanelState& p) override {
    panel = p;
    ++panelUpdates;
  }
  void FocusDescription() override { ++focusDescription; }
  void FocusResponse() override { ++focusResponse; }
  void HideWindow() override { hidden = true; }
};

class RoomEditorTest : public AdventureTest {
 protected:
  RoomEditor& Editor() {
    if (!editor_) editor_.emplace(script_, prompter_, view_, windows_);
    return *editor_;
  }
  void Grid(const char* x, const char* y) {
    GridChoices choices;
    choices.sizeX = x;
    choices.sizeY = y;
    FinishGrid(choices, script_);
  }

  RecordingRoomView view_;
  RoomEditorWindows windows_;
  std::optional<RoomEditor> editor_;
};

using Checks = std::array<CheckState, kSlotCount>;
constexpr CheckState kOff = CheckState::Unchecked;
constexpr CheckState kOn = CheckState::Checked;
constexpr CheckState kGrey = CheckState::Grey;

TEST_F(RoomEditorTest, GeneratedGridIsWalkedThroughItsDoorsAndBackAlternates) {
  Grid("3", "3");
  RoomEditor& e = Editor();
  ASSERT_TRUE(e.Begin("Area11"));
  EXPECT_EQ(view_.header.room, "Area11");
  EXPECT_EQ(view_.header.caption, "Edit Room - Area11");
  EXPECT_FALSE(view_.header.backEnabled);
  EXPECT_EQ(view_.description.text, "This is Area 1, 1");
  EXPECT_EQ(view_.description.maxLength, 254);
  EXPECT_EQ(view_.checks, (Checks{kOff, kOn, kOn, kOff, kOn, kOn, kOn}));
  EXPECT_FALSE(view_.doors[kNorth].visible);
  EXPECT_EQ(view_.doors[kEast], (DoorState{true, "Area21"}));
  EXPECT_EQ(view_.doors[kSouth], (DoorState{true, "Area12"}));
  EXPECT_FALSE(view_.panel.shown);
  EXPECT_EQ(view_.focusDescription, 1);

  e.ClickDoor(kNorth);  // hidden: nothing
  EXPECT_EQ(view_.header.room, "Area11");
  e.ClickDoor(kEast);
  e.ClickDoor(kSouth);
  EXPECT_EQ(view_.header.room, "Area22");
  EXPECT_EQ(view_.checks, (Checks{kOn, kOn, kOn, kOn, kOn, kOn, kOn}));
  EXPECT_TRUE(view_.header.backEnabled);
  e.Back();
  EXPECT_EQ(view_.header.room, "Area21");
  e.Back();
  EXPECT_EQ(view_.header.room, "Area22");
  e.Back();
  EXPECT_EQ(view_.header.room, "Area21");
  EXPECT_EQ(e.BackTarget(), "Area22");
  EXPECT_TRUE(prompter_.Calls().empty());
}

TEST_F(RoomEditorTest, GroupLeadingElsewhereAsksPerMessageAndCancelKeepsTheShownRoom) {
  Put("MessagesHall", "2");
  Put("MessageHall1", "The wind howls.*RArea11");
  Put("MessageHall2", "Dust settles.*RCave");
  Put("MessagesCave", "1");
  Put("MessageCave1", "A damp cave.");
  RoomEditor& e = Editor();

  // Cancelled on the first opening: nothing is shown, so the window is not run.
  prompter_.Answer(Answer::Cancel);
  EXPECT_FALSE(e.Begin("Hall"));
  EXPECT_EQ(view_.header.room, "");
  EXPECT_FALSE(e.Begin("None"));

  prompter_.Answer(Answer::No).Answer(Answer::No);
  ASSERT_TRUE(e.Begin("Hall"));
  ASSERT_EQ(prompter_.Calls().size(), 3u);
  EXPECT_EQ(prompter_.Calls()[2].title, "Hall is not a room (maybe an effect?)");
  EXPECT_EQ(prompter_.Calls()[2].text,
            "Dust settles.\r\n\r\nThis message leads to the room 'Cave', would you like to go there instead?");
  EXPECT_EQ(view_.header.room, "Hall");
  EXPECT_EQ(view_.description.text, "");
  e.TypeDescription("A long hall.");
  EXPECT_EQ(Get("MessagesHall"), "3");
  EXPECT_EQ(Get("MessageHall3"), "A long hall.");

  // Yes goes to the target; Back then leads to the room shown before, not to the effect group.
  Put("MessagesHall", "2");
  prompter_.Answer(Answer::No).Answer(Answer::Yes);
  e.LoadRoom("Hall");
  EXPECT_EQ(view_.header.room, "Cave");
  EXPECT_EQ(view_.header.caption, "Edit Room - Cave");
  EXPECT_EQ(e.BackTarget(), "Hall");

  // Cancel and "None" leave the room, the caption and the Back target as they were.
  prompter_.Answer(Answer::Cancel);
  EXPECT_EQ(e.LoadRoom("Hall"), OpenResult::Cancelled);
  EXPECT_EQ(e.LoadRoom("None"), OpenResult::NotOpened);
  EXPECT_EQ(view_.header.room, "Cave");
  EXPECT_EQ(view_.header.caption, "Edit Room - Cave");
  EXPECT_EQ(e.BackTarget(), "Hall");
  EXPECT_EQ(e.Room().Name(), "Cave");
  EXPECT_TRUE(prompter_.Exhausted());

  // An undo takes the cave's description away and leaves an effect: read again, it stays the
  // room shown, asking nothing.
  const std::size_t asked = prompter_.Calls().size();
  Put("MessageCave1", "Water drips.*RHall");
  e.ScriptRestored();
  EXPECT_EQ(prompter_.Calls().size(), asked);
  EXPECT_EQ(view_.header.room, "Cave");
  EXPECT_EQ(view_.description.text, "");
  EXPECT_EQ(e.BackTarget(), "Hall");
}

TEST_F(RoomEditorTest, UncheckingAGreyActionAsksAndNoKeepsItsResponse) {
  PutResponses("Area22", {"Go North and report back quietly.*MArea21", "Go West and report back.*MArea12"});
  RoomEditor& e = Editor();
  e.Begin("Area22");
  EXPECT_EQ(view_.checks[kSlotNorth], kGrey);
  const int told = view_.checkUpdates;

  prompter_.Answer(Answer::No);
  e.ClickAction(kSlotNorth);
  EXPECT_EQ(prompter_.Calls().back().text, "Are you sure you want to remove your custom message for this command?");
  EXPECT_EQ(prompter_.Calls().back().buttons, platform::Buttons::YesNo);
  EXPECT_EQ(prompter_.Calls().back().icon, platform::Icon::Question);
  EXPECT_EQ(e.Screen().checks[kSlotNorth], kGrey);
  EXPECT_EQ(view_.checkUpdates, told);
  EXPECT_EQ(Get("ResponseArea221"), "Go North and report back quietly.*MArea21");

  // A default action goes without a question; its door closes and the rest move down.
  e.ClickAction(kSlotWest);
  EXPECT_EQ(view_.checks[kSlotWest], kOff);
  EXPECT_FALSE(view_.doors[kWest].visible);
  prompter_.Answer(Answer::Yes);
  e.HoverAction(kSlotNorth);
  EXPECT_TRUE(view_.panel.shown);
  e.ClickAction(kSlotNorth);
  EXPECT_FALSE(view_.panel.shown);  // the removed response is no longer edited
  EXPECT_EQ(Get("ResponsesArea22"), "0");

  // Switching on a slot with a neighbour stores its default at once.
  e.ClickAction(kSlotSouth);
  EXPECT_EQ(view_.checks[kSlotSouth], kOn);
  EXPECT_EQ(view_.doors[kSouth], (DoorState{true, "Area23"}));
  EXPECT_TRUE(prompter_.Exhausted());
}

TEST_F(RoomEditorTest, DirectionWithoutNeighbourAsksForTheRoomByItsCaption) {
  RoomEditor& e = Editor();
  e.Begin("Cave");
  prompter_.Reply(std::nullopt);
  e.ClickAction(kSlotEast);
  EXPECT_EQ(prompter_.Calls().back().title, "Enter Room that is East of Cave");
  EXPECT_EQ(prompter_.Calls().back().text, "Please enter the destination room (A default room cannot be determined):");
  EXPECT_EQ(view_.checks[kSlotEast], kOff);
  EXPECT_EQ(Get("ResponsesCave"), "ERR");

  prompter_.Reply("Tunnel");
  e.ClickAction(kSlotEast);
  EXPECT_EQ(view_.checks[kSlotEast], kGrey);
  EXPECT_EQ(view_.doors[kEast], (DoorState{true, "Tunnel"}));
  EXPECT_EQ(Get("ResponseCave1"), "%GEGo East and report back.*MTunnel");
}

TEST_F(RoomEditorTest, PanelEditsAreWrittenAtOnceAndUpdateTheirControlsInPlace) {
  Grid("2", "2");
  RoomEditor& e = Editor();
  e.Begin("Area11");
  e.HoverAction(kSlotEast);
  EXPECT_EQ(view_.highlighted, kSlotEast);
  EXPECT_EQ(view_.panel.text, "Go East and report back.");
  EXPECT_EQ(view_.panel.destination, "Area21");
  EXPECT_EQ(view_.panel.directionCaption, "Auto");
  EXPECT_EQ(view_.panel.maxLength, 254 - 8);
  const int panels = view_.panelUpdates;
  e.HoverAction(kSlotEast);
  e.HoverAction(kSlotNorth);  // no response: nothing changes
  EXPECT_EQ(view_.panelUpdates, panels);

  e.TypeResponse("Go East carefully.");
  EXPECT_EQ(Get("ResponseArea111"), "Go East carefully.*MArea21");
  EXPECT_EQ(view_.checks[kSlotEast], kGrey);
  e.TypeResponse("Go East and report back.");
  EXPECT_EQ(view_.checks[kSlotEast], kOn);
  EXPECT_TRUE(e.TypeDestination("Area99"));
  EXPECT_EQ(view_.doors[kEast].caption, "Area99");
  EXPECT_EQ(view_.checks[kSlotEast], kGrey);
  EXPECT_EQ(view_.panel.maxLength, 254 - 8);

  // A name that would break the response is refused and nothing is written.
  prompter_.AcceptOkBoxes();
  EXPECT_FALSE(e.TypeDestination("Area*2"));
  EXPECT_EQ(prompter_.Calls().back().text, "A name cannot contain \"*\": it starts a code when the script is read.");
  EXPECT_EQ(Get("ResponseArea111"), "Go East and report back.*MArea99");

  // A new action: a list row, selected and shown with its text ready to be typed over.
  e.Add();
  ASSERT_EQ(view_.rows.size(), 1u);
  EXPECT_EQ(view_.rows[0], (ActionRow{"", "New Action", 6}));
  EXPECT_EQ(view_.selectedRow, 0);
  EXPECT_FALSE(view_.highlighted.has_value());
  EXPECT_EQ(view_.focusResponse, 1);
  e.TypeResponse("Climb the tree");
  e.TypeDestination("Treetop");
  EXPECT_EQ(view_.rows[0], (ActionRow{"Treetop", "Climb the tree", 6}));
  EXPECT_EQ(view_.selectedRow, 0);
  EXPECT_EQ(Get("ResponseArea116"), "Climb the tree*MTreetop");

  // Typing a direction's word keeps it a row until the room is opened again.
  e.TypeResponse("Climb north");
  EXPECT_EQ(view_.rows.size(), 1u);

  prompter_.Answer(Answer::No);
  e.Remove();
  EXPECT_TRUE(view_.panel.shown);
  prompter_.Answer(Answer::Yes);
  e.Remove();
  EXPECT_EQ(prompter_.Calls().back().text, "Are you sure you want to remove this action?");
  EXPECT_TRUE(view_.rows.empty());
  EXPECT_FALSE(view_.panel.shown);
  EXPECT_EQ(Get("ResponsesArea11"), "5");
}

TEST_F(RoomEditorTest, OtherMarksTheActionAndAReopenedRoomListsItAsCustom) {
  PutResponses("Cave", {"Look north for a while*MLedge"});
  RoomEditor& e = Editor();
  e.Begin("Cave");
  EXPECT_EQ(view_.checks[kSlotNorth], kGrey);
  e.HoverAction(kSlotNorth);
  e.ChooseDirection(5);
  EXPECT_EQ(view_.panel.direction, 5);
  EXPECT_EQ(view_.panel.directionCaption, "Other");
  EXPECT_EQ(Get("ResponseCave1"), "%G-Look north for a while*MLedge");
  EXPECT_EQ(view_.checks[kSlotNorth], kGrey);  // in place until reopened
  e.LoadRoom("Cave");
  EXPECT_EQ(view_.checks[kSlotNorth], kOff);
  ASSERT_EQ(view_.rows.size(), 1u);
  e.SelectRow(0);
  EXPECT_EQ(view_.panel.direction, 5);

  // Back to a direction: the marker replaces "%G-" at the front.
  e.ChooseDirection(2);
  EXPECT_EQ(Get("ResponseCave1"), "%GELook north for a while*MLedge");
  // With nothing shown only the menu and its button change.
  e.LoadRoom("Cave");
  e.ChooseDirection(0);
  EXPECT_EQ(view_.panel.directionCaption, "Auto");
  EXPECT_EQ(Get("ResponseCave1"), "%GELook north for a while*MLedge");
  EXPECT_EQ(DirectionItem("%FA%GW"), 4);
  EXPECT_EQ(DirectionItem("%FA"), 0);
}

TEST_F(RoomEditorTest, ListRowsLeadToTheirDestinations) {
  PutResponses("Cave", {"Crawl*MTunnel", "Wait*MNone", "Sit*M"});
  RoomEditor& e = Editor();
  e.Begin("Cave");
  ASSERT_EQ(view_.rows.size(), 2u);  // "Sit" with no destination takes the empty north neighbour
  EXPECT_EQ(view_.checks[kSlotNorth], kGrey);
  EXPECT_EQ(view_.doors[kNorth], (DoorState{true, ""}));
  e.ClickDoor(kNorth);  // a door without a room
  e.ActivateRow(1);     // "None"
  EXPECT_EQ(view_.header.room, "Cave");
  e.ActivateRow(0);
  EXPECT_EQ(view_.header.room, "Tunnel");
  EXPECT_EQ(view_.description.text, "");
  EXPECT_TRUE(view_.rows.empty());
  EXPECT_TRUE(prompter_.Calls().empty());
}

TEST_F(RoomEditorTest, AdvancedReopensTheRoomSoItBecomesItsOwnBackTarget) {
  Grid("2", "2");
  int shown = 0;
  windows_.advanced = [&] {
    ++shown;
    script_.SetBeamFlag("%FB");
  };
  RoomEditor& e = Editor();
  e.Begin("Area11");
  EXPECT_EQ(view_.checks[kSlotBeam], kOn);
  e.Advanced();
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(e.BackTarget(), "Area11");
  EXPECT_TRUE(view_.header.backEnabled);
  // The stored response no longer equals the default that now carries the flag.
  EXPECT_EQ(view_.checks[kSlotBeam], kGrey);
}

TEST_F(RoomEditorTest, TheMapOpensTheRoomChosenOnItAsADoorWould) {
  Grid("3", "3");
  RoomEditor& without = Editor();
  EXPECT_FALSE(without.HasMap());
  without.Map();  // nothing to open
  editor_.reset();

  std::vector<std::string> shownWith;
  std::optional<std::string> answer;
  windows_.map = [&](const std::string& current) {
    shownWith.push_back(current);
    return answer;
  };
  RoomEditor& e = Editor();
  EXPECT_TRUE(e.HasMap());
  e.Begin("Area11");
  e.ClickDoor(kEast);  // Area21, Back to Area11

  // Closed without a choice, or the room already shown: nothing moves, Back stays.
  e.Map();
  answer = "Area21";
  e.Map();
  EXPECT_EQ(shownWith, (std::vector<std::string>{"Area21", "Area21"}));
  EXPECT_EQ(view_.header.room, "Area21");
  EXPECT_EQ(e.BackTarget(), "Area11");

  answer = "Area33";
  e.Map();
  EXPECT_EQ(view_.header.room, "Area33");
  EXPECT_EQ(view_.header.caption, "Edit Room - Area33");
  EXPECT_EQ(view_.doors[kNorth].caption, "Area32");
  EXPECT_EQ(e.BackTarget(), "Area21");
  e.Back();
  EXPECT_EQ(view_.header.room, "Area21");

  // A room that is not written yet opens empty, ready to be written.
  answer = "Cellar";
  e.Map();
  EXPECT_EQ(view_.header.room, "Cellar");
  EXPECT_EQ(view_.checks, (Checks{kOff, kOff, kOff, kOff, kOff, kOff, kOff}));
  EXPECT_TRUE(prompter_.Calls().empty());
}

TEST_F(RoomEditorTest, LockOffersTheStoredActionsAndLocksAfterTheFlagChooser) {
  PutResponses("Area11", {"Dance*MBall", "Go East and report back.*MArea21", "Search the area for anything unusual.*MArea11Search"});
  std::vector<LockChoice> offered;
  std::vector<std::string> flagsAsked;
  std::optional<LockRequest> answer;
  windows_.lock = [&](const std::vector<LockChoice>& choices) {
    offered = choices;
    return answer;
  };
  windows_.chooseFlag = [&](const std::string& current) {
    flagsAsked.push_back(current);
    return std::string("B");
  };
  RoomEditor& e = Editor();
  e.Begin("Area11");

  e.Lock();  // nothing chosen: no flag asked
  ASSERT_EQ(offered.size(), 3u);
  EXPECT_EQ(offered[0].text, "Go East and report back.");  // slots first, in slot order
  EXPECT_EQ(offered[0].number, 2);
  EXPECT_EQ(offered[1].number, 3);
  EXPECT_EQ(offered[2].text, "Dance");
  EXPECT_TRUE(flagsAsked.empty());

  answer = LockRequest{2, "The door is locked."};
  e.HoverAction(kSlotEast);
  e.Lock();
  EXPECT_EQ(flagsAsked, std::vector<std::string>{""});
  EXPECT_EQ(Responses("Area11"),
            (std::vector<std::string>{"Dance*MBall", "%FBGo East and report back.*MArea21",
                                      "%fBGo East and report back.*MArea21Locked",
                                      "Search the area for anything unusual.*MArea11Search"}));
  EXPECT_EQ(Get("MessageArea21Locked1"), "The door is locked.*RArea11");
  EXPECT_EQ(view_.checks[kSlotEast], kGrey);
  EXPECT_EQ(view_.panel.maxLength, 254 - 3 - 8);
  ASSERT_EQ(view_.rows.size(), 2u);
  EXPECT_EQ(view_.rows[1], (ActionRow{"Area21Locked", "Go East and report back.", 3}));
}

TEST_F(RoomEditorTest, LockFormRefusesAMissingActionOrMessage) {
  LockForm form;
  prompter_.AcceptOkBoxes();
  EXPECT_FALSE(form.Accept(prompter_));
  EXPECT_EQ(form.SelectedID(), -1);
  form.AddItem("Dance", 1);
  form.AddItem("Sing", 4);
  form.Select(1);
  EXPECT_EQ(form.SelectedID(), 4);
  EXPECT_FALSE(form.Accept(prompter_));
  form.SetDescription("Locked.*SFA");  // would set a flag where it only leads back
  EXPECT_FALSE(form.Accept(prompter_));
  form.SetDescription("Locked.");
  EXPECT_TRUE(form.Accept(prompter_));
  EXPECT_EQ(prompter_.Texts(), (std::vector<std::string>{"Please select an action to lock.",
                                                        "Please enter a message for the locked action.",
                                                        "A text cannot contain \"*\": it starts a code when the "
                                                        "script is read."}));
  form.Cancel();
  EXPECT_EQ(form.SelectedID(), -1);
  EXPECT_TRUE(form.Items().empty());
  form.Select(0);  // outside the (now empty) list
  EXPECT_EQ(form.SelectedID(), -1);
}

TEST_F(RoomEditorTest, NamesAndTextsThatWouldBreakTheScriptAreRefusedAtEveryPrompt) {
  PutResponses("Cave", {"Pull the lever*MLever"});
  RoomEditor& e = Editor();
  e.Begin("Cave");
  prompter_.AcceptOkBoxes();

  // The room East of a room that is not on a grid: asked again until the name can be a key.
  prompter_.Reply("Cave=3").Reply("Tun*nel").Reply("Pit^EN").Reply("Tunnel");
  e.ClickAction(kSlotEast);
  EXPECT_EQ(prompter_.Texts(),
            (std::vector<std::string>{
                "Please enter the destination room (A default room cannot be determined):",
                "A name cannot contain \"=\": it ends the name of a key in the file.",
                "Please enter the destination room (A default room cannot be determined):",
                "A name cannot contain \"*\": it starts a code when the script is read.",
                "Please enter the destination room (A default room cannot be determined):",
                "A name cannot contain \"^\": it starts an upgrade code when the script is read.",
                "Please enter the destination room (A default room cannot be determined):"}));
  EXPECT_EQ(prompter_.Calls().back().defaultValue, "Pit^EN");  // the refused answer, to be mended
  EXPECT_EQ(Get("ResponseCave2"), "%GEGo East and report back.*MTunnel");

  // The effect's text and destination.
  e.SelectRow(0);
  prompter_.Reply("Gears*SFA turn.").Reply("Gears turn.").Reply("Room=9").Reply("Cave");
  e.Effect();
  EXPECT_EQ(Get("MessageLever1"), "Gears turn.*RCave");
  EXPECT_EQ(Get("MessagesLever"), "1");

  // Texts typed into the room: "*" would start a code, a leading "%" a condition.
  const std::string action = Get("ResponseCave1");
  EXPECT_FALSE(e.TypeResponse("Enter the hall*SFA"));
  EXPECT_FALSE(e.TypeDescription("A dark cave*CFB"));
  EXPECT_FALSE(e.TypeDescription("%AN live here."));
  EXPECT_EQ(Get("ResponseCave1"), action);
  EXPECT_EQ(Get("MessagesCave"), "ERR");
  EXPECT_TRUE(e.TypeDescription("The %AN live here, $5 a head^EN"));
  EXPECT_EQ(Get("MessageCave1"), "The %AN live here, $5 a head^EN");
  EXPECT_TRUE(e.TypeDestination("Dark "));  // the next word may follow
  EXPECT_TRUE(e.TypeDestination("Dark Hall"));

  // A name read from the file that no key can hold is not opened.
  PutResponses("Hall", {"Up*MBad=1"});
  e.LoadRoom("Hall");
  e.ActivateRow(0);
  EXPECT_EQ(view_.header.room, "Hall");
  EXPECT_EQ(prompter_.Texts().back(), "A name cannot contain \"=\": it ends the name of a key in the file.");
}

TEST_F(RoomEditorTest, ClosingTheLocksFlagChooserCancelsTheLock) {
  PutResponses("Area11", {"Go East and report back.*MArea21"});
  windows_.lock = [](const std::vector<LockChoice>&) { return std::optional<LockRequest>(LockRequest{1, "Locked."}); };
  windows_.chooseFlag = [](const std::string&) { return std::optional<std::string>(); };
  RoomEditor& e = Editor();
  e.Begin("Area11");
  const auto before = game_.ReadDescriptor("Adv");
  e.Lock();
  EXPECT_EQ(game_.ReadDescriptor("Adv"), before);
  EXPECT_EQ(Responses("Area11"), std::vector<std::string>{"Go East and report back.*MArea21"});
}

TEST_F(RoomEditorTest, EffectGoesToTheShownActionsDestination) {
  PutResponses("Cave", {"Pull the lever*MLever"});
  RoomEditor& e = Editor();
  e.Begin("Cave");
  e.Effect();  // nothing shown: no questions
  e.SelectRow(0);
  prompter_.Reply("Gears turn.").Reply("Cave");
  e.Effect();
  EXPECT_EQ(Get("MessageLever1"), "Gears turn.*RCave");
  e.Close();
  EXPECT_TRUE(view_.hidden);
}

// Hears the steps the editor takes: whether one is open, and the name of the last.
struct StepRecorder : store::ChangeRecorder {
  bool open = false;
  std::string last;
  void Replacing(std::string_view, const std::shared_ptr<const store::DescriptorContent>&,
                 const std::shared_ptr<const store::DescriptorContent>&) override {}
  void ActionBegins(std::string_view name, bool) override {
    open = true;
    last = name;
  }
  void ActionEnds() override { open = false; }
  void WorkingCopyOpened(std::string_view) override {}
  void WorkingCopyClosing(std::string_view, bool) override {}
  void SystemRenamed(std::string_view, std::string_view) override {}
  void SystemDeleted(std::string_view) override {}
};

TEST_F(RoomEditorTest, EachWrittenEditIsToldOnceItsStepHasEnded) {
  Grid("2", "2");
  StepRecorder steps;
  store_.SetRecorder(&steps);
  struct Told {
    bool stepOpen;
    std::string step;
    std::string value;  // of the key the row watches, as the file holds it
  };
  std::vector<Told> told;
  std::string watched;
  windows_.changed = [&] { told.push_back({steps.open, steps.last, Get(watched)}); };
  RoomEditor& e = Editor();
  e.Begin("Area11");

  struct Row {
    const char* what;
    std::function<void()> act;
    std::string key;  // empty: nothing is written, nothing told
    std::string step;
  };
  const std::vector<Row> rows = {
      {"hovering an action", [&] { e.HoverAction(kSlotEast); }, "", ""},
      {"typing the description", [&] { e.TypeDescription("A quiet corner."); }, "MessageArea111",
       "Description of Area11"},
      {"typing an action's text", [&] { e.TypeResponse("Go East slowly."); }, "ResponseArea111",
       "Text of an action of Area11"},
      {"a refused destination", [&] { e.TypeDestination("Area*2"); }, "", ""},
      {"a destination", [&] { e.TypeDestination("Area99"); }, "ResponseArea111", "Destination of an action of Area11"},
      {"a direction", [&] { e.ChooseDirection(5); }, "ResponseArea111", "Direction of an action of Area11"},
      {"switching an action off", [&] { e.ClickAction(kSlotSouth); }, "ResponsesArea11", "Remove South of Area11"},
      {"switching it on again", [&] { e.ClickAction(kSlotSouth); }, "ResponsesArea11", "South of Area11"},
      {"adding an action", [&] { e.Add(); }, "ResponsesArea11", "Add an action of Area11"},
      {"a No to removing it", [&] {
         prompter_.Answer(Answer::No);
         e.Remove();
       }, "", ""},
      {"walking through a door", [&] { e.ClickDoor(kEast); }, "", ""},
  };
  prompter_.AcceptOkBoxes();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    told.clear();
    watched = row.key;
    const std::string before = row.key.empty() ? "" : Get(row.key);
    row.act();
    if (row.key.empty()) {
      EXPECT_TRUE(told.empty());
      continue;
    }
    ASSERT_EQ(told.size(), 1u);
    EXPECT_FALSE(told[0].stepOpen);
    EXPECT_EQ(told[0].step, row.step);
    EXPECT_EQ(told[0].value, Get(row.key));
    EXPECT_NE(told[0].value, before);
  }
  store_.SetRecorder(nullptr);
}

}  // namespace
}  // namespace zelmora::adventure
