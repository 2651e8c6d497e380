#include "tests/messages/message_editor_fixture.h"
#include "ui/platform/text_rules.h"

#include <gtest/gtest.h>

namespace zelmora::messages::testing {
namespace {

using platform::Answer;
using Strings = std::vector<std::string>;

struct MessageEditorTest : ::testing::Test, EditorFixture {};

TEST_F(MessageEditorTest, OpensAtInitOfThePlanetsScriptAndRebuildsOnlyForAnotherPlanet) {
  editor.Open(2, true);
  EXPECT_EQ(view.frame.direction, Direction::Message);
  EXPECT_EQ(view.frame.caption, "Message Level: INIT");
  EXPECT_EQ(view.groupBox.text, "INIT");
  EXPECT_EQ(view.lines, (Strings{"Welcome to Verdance, %RK %NM.", "We have little to trade, but much to tell."}));
  // Discovery order: INIT's second message offers INIT's own responses, Hail leads to Peace and War.
  EXPECT_EQ(view.groupBox.items, (Strings{"INIT", "Peace", "War", "Back", "Returned", "Beam", "Phaser"}));
  EXPECT_EQ(view.answerBox.items, (Strings{"INIT", "Hail", "Peace", "War", "Back"}));
  EXPECT_TRUE(view.custom);
  EXPECT_TRUE(view.buttons.clearAll);
  EXPECT_FALSE(view.buttons.edit);

  // Closing and reopening the same planet keeps where the author was.
  editor.SelectDirection(Direction::Response);
  EXPECT_EQ(view.groupBox.text, "INIT");  // INIT offers responses too, so it keeps its place
  Group("Hail");
  EXPECT_EQ(view.frame.caption, "Response Level: Hail");
  EXPECT_EQ(view.lines, (Strings{"We come in peace.", "Prepare to be boarded!"}));
  editor.Close();
  EXPECT_TRUE(view.hidden);
  EXPECT_FALSE(view.frame.animating);
  editor.Open(2, true);
  EXPECT_EQ(view.frame.direction, Direction::Response);
  EXPECT_EQ(view.groupBox.text, "Hail");

  // Another planet starts again at INIT, with the groups of an empty script.
  editor.Close();
  editor.Open(3, false);
  EXPECT_EQ(view.frame.direction, Direction::Message);
  EXPECT_EQ(view.groupBox.items, (Strings{"INIT", "Back", "Returned", "Beam", "Phaser"}));
  EXPECT_TRUE(view.lines.empty());
  EXPECT_FALSE(view.buttons.clearAll);
  editor.SelectDirection(Direction::Response);
  EXPECT_EQ(view.groupBox.items, (Strings{"Hail"}));
  EXPECT_EQ(view.groupBox.text, "Hail");
}

TEST_F(MessageEditorTest, RemovingTheFirstMiddleOrLastOfThreeKeepsTheOthersInOrder) {
  for (int removed = 0; removed < 3; ++removed) {
    Put("Messages", "3");
    Put("Message1", "one");
    Put("Message2", "two");
    Put("Message3", "three");
    editor.Open(2, true);
    Group("INIT");  // the list shows what the file holds now
    editor.SelectLine(removed);
    demo.prompter.Answer(Answer::No);
    editor.Remove();
    EXPECT_EQ(Key("Messages"), "3");
    demo.prompter.Answer(Answer::Yes);
    editor.Remove();
    Strings all{"one", "two", "three"};
    all.erase(all.begin() + removed);
    EXPECT_EQ(view.lines, all) << removed;
    EXPECT_EQ(Key("Messages"), "2");
    EXPECT_EQ(Key("Message1"), all[0]);
    EXPECT_EQ(Key("Message2"), all[1]);
    EXPECT_FALSE(view.buttons.edit);
    EXPECT_FALSE(view.selected.has_value());
  }
  EXPECT_EQ(demo.prompter.Calls().back().text, "Are you sure you want to remove this message?");
  EXPECT_EQ(demo.prompter.Calls().back().buttons, platform::Buttons::YesNo);
}

TEST_F(MessageEditorTest, ArrowsSwapStoredValuesAndAreNotOfferedAtTheEnds) {
  Put("Messages", "3");
  Put("Message3", "%W2third*SFB");
  editor.Open(2, true);
  editor.SelectLine(0);
  EXPECT_FALSE(view.buttons.up);
  EXPECT_TRUE(view.buttons.down);
  editor.MoveUp();  // not offered: nothing moves
  EXPECT_EQ(Key("Message1"), "$Verdance Control$Welcome to Verdance, %RK %NM.*RHail");
  editor.SelectLine(2);
  EXPECT_FALSE(view.buttons.down);
  editor.MoveUp();
  EXPECT_EQ(Key("Message2"), "%W2third*SFB");
  EXPECT_EQ(Key("Message3"), "%W3We have little to trade, but much to tell.");
  EXPECT_EQ(view.selected, 1);
  EXPECT_EQ(view.lines[1], "third");
  EXPECT_TRUE(view.buttons.up && view.buttons.down);
}

TEST_F(MessageEditorTest, ClearAllKeepsTheItemKeysAndTheNextNewItemIsItemOne) {
  editor.Open(2, true);
  demo.prompter.Answer(Answer::Yes);
  editor.ClearAll();
  EXPECT_EQ(demo.prompter.Texts().back(), "Are you sure you want to clear all messages in this group?");
  EXPECT_EQ(Key("Messages"), "0");
  EXPECT_EQ(Key("Message2"), "%W3We have little to trade, but much to tell.");
  EXPECT_TRUE(view.lines.empty());
  EXPECT_FALSE(view.buttons.clearAll);

  const int focused = view.focusText;
  editor.New();
  EXPECT_TRUE(view.frame.editing);
  EXPECT_FALSE(view.buttons.listCommandsVisible);
  EXPECT_TRUE(view.buttons.editCommandsVisible);
  EXPECT_FALSE(view.buttons.del);
  EXPECT_EQ(view.answerBox.text, "INIT");
  EXPECT_EQ(view.focusText, focused + 1);
  editor.TypeText("Fresh start.");
  editor.Save();
  EXPECT_EQ(Key("Messages"), "1");
  EXPECT_EQ(Key("Message1"), "Fresh start.");
  EXPECT_EQ(view.lines, Strings{"Fresh start."});
  EXPECT_EQ(view.selected, 0);
  EXPECT_TRUE(view.buttons.clearAll && view.buttons.edit);
  EXPECT_FALSE(view.frame.editing);
}

TEST_F(MessageEditorTest, TypedGroupsSelectExistingOnesAndNewOnesExistOnlyOnceAnItemIsSaved) {
  editor.Open(2, true);
  editor.TypeGroup("Pea");
  EXPECT_TRUE(view.buttons.addGroup);
  editor.TypeGroup("Peace");
  EXPECT_EQ(view.frame.caption, "Message Level: Peace");
  EXPECT_EQ(view.lines, Strings{"The %AN welcome you, %RK."});
  EXPECT_FALSE(view.buttons.addGroup);
  EXPECT_TRUE(view.buttons.editRoom == false);  // no room editor handed in

  editor.TypeGroup("Trade");
  ASSERT_TRUE(editor.AddGroup());
  EXPECT_EQ(view.frame.caption, "Message Level: Trade");
  EXPECT_NE(GroupIndex("Trade"), -1);
  EXPECT_TRUE(view.lines.empty());
  EXPECT_EQ(Key("MessagesTrade"), "ERR");
  const std::string before = demo.game.ReadDescriptor("4Tessaly", ".edt");

  editor.TypeGroup("Bad*Name");
  EXPECT_FALSE(editor.AddGroup());
  EXPECT_EQ(demo.game.ReadDescriptor("4Tessaly", ".edt"), before);
  EXPECT_NE(demo.prompter.Texts().back().find("\"*\""), std::string::npos);

  editor.TypeGroup("Trade");
  editor.New();
  editor.TypeText("We buy dilithium.");
  editor.Save();
  EXPECT_EQ(Key("MessagesTrade"), "1");
  EXPECT_EQ(Key("MessageTrade1"), "We buy dilithium.");
}

TEST_F(MessageEditorTest, GoToAnswerSwitchesDirectionAndCreatesAMissingGroup) {
  Put("ResponsesHail", "3");
  Put("ResponseHail3", "Tell us of the Drevani.*MLore");
  editor.Open(2, true);
  editor.SelectDirection(Direction::Response);
  Group("Hail");
  editor.SelectLine(2);
  EXPECT_EQ(view.answerBox.text, "Lore");
  editor.GoToAnswer();
  EXPECT_EQ(view.frame.direction, Direction::Message);
  EXPECT_EQ(view.groupBox.text, "Lore");
  EXPECT_EQ(view.frame.caption, "Message Level: Lore");
  EXPECT_NE(GroupIndex("Lore"), -1);
  EXPECT_TRUE(view.lines.empty());

  // A message answering with INIT's responses goes back to INIT.
  Group("INIT");
  Put("Message2", "Choose.*R");
  Group("INIT");
  editor.SelectLine(1);
  EXPECT_EQ(view.answerBox.text, "INIT");
  editor.GoToAnswer();
  EXPECT_EQ(view.frame.direction, Direction::Response);
  EXPECT_EQ(view.groupBox.text, "INIT");
}

TEST_F(MessageEditorTest, AnswerGroupsComposeAsTheyAreShown) {
  Put("MessagesPeace", "2");
  Put("MessagePeace2", "Back to the start.*R");
  editor.Open(2, true);
  Group("Peace");
  editor.SelectLine(1);
  EXPECT_EQ(view.answerBox.text, "INIT");
  editor.Edit();
  editor.Save();
  EXPECT_EQ(Key("MessagePeace2"), "Back to the start.*R");  // the empty name survives

  editor.Edit();
  editor.TypeAnswer("Peace");  // the item's own group needs no code
  editor.Save();
  EXPECT_EQ(Key("MessagePeace2"), "Back to the start.");

  editor.Edit();
  editor.TypeAnswer("");  // an empty box means the own group again
  EXPECT_EQ(view.answerBox.text, "Peace");
  editor.TypeAnswer("Trade");
  editor.Save();
  EXPECT_EQ(Key("MessagePeace2"), "Back to the start.*RTrade");

  // A name is checked when the item is saved: typing "Sector" passes "S", which is no name either.
  editor.Edit();
  const std::size_t asked = demo.prompter.Calls().size();
  for (const char* typed : {"S", "Se", "Sec", "Sector"}) EXPECT_TRUE(editor.TypeAnswer(typed));
  EXPECT_EQ(demo.prompter.Calls().size(), asked);
  EXPECT_EQ(view.answerBox.text, "Sector");
  // "*RSector" would play as a repair condition: the message would never be sent.
  EXPECT_FALSE(editor.Save());
  EXPECT_NE(demo.prompter.Texts().back().find("never send"), std::string::npos);
  EXPECT_TRUE(editor.EditState().has_value());  // the edit goes on, to be mended
  editor.TypeAnswer("Tr^de");
  EXPECT_FALSE(editor.Save());
  EXPECT_NE(demo.prompter.Texts().back().find("\"^\""), std::string::npos);
  EXPECT_EQ(Key("MessagePeace2"), "Back to the start.*RTrade");
  editor.SetDisplay(DisplayKind::Box);  // other changes wait with the refused name
  editor.TypeAnswer("Trade");
  EXPECT_TRUE(editor.Save());
  EXPECT_EQ(Key("MessagePeace2"), "$BOX$Back to the start.*RTrade");
}

TEST_F(MessageEditorTest, WaitAndChanceCaptionsAndCodes) {
  editor.Open(2, true);
  editor.SelectLine(1);
  EXPECT_EQ(view.pane.wait, 3);
  EXPECT_EQ(view.pane.waitCaption, "after 3 seconds");
  EXPECT_FALSE(view.pane.waitEnabled);  // shown, not editable, until Edit
  editor.Edit();
  editor.SetWait(1);
  EXPECT_EQ(view.pane.waitCaption, "after 1 second");
  editor.SetWait(2);
  EXPECT_EQ(view.pane.waitCaption, "after 2 seconds");
  editor.SetChance(0);
  EXPECT_EQ(view.pane.chanceCaption, "never");
  editor.SetChance(4);
  EXPECT_EQ(view.pane.chanceCaption, "40% of the time");
  editor.Save();
  EXPECT_EQ(Key("Message2"), "%W2%04We have little to trade, but much to tell.");

  editor.Edit();
  editor.SetWait(0);
  EXPECT_EQ(view.pane.waitCaption, "immediately");
  editor.SetChance(10);
  EXPECT_EQ(view.pane.chanceCaption, "always");
  editor.Save();
  EXPECT_EQ(Key("Message2"), "We have little to trade, but much to tell.");

  // Responses have no wait.
  editor.SelectDirection(Direction::Response);
  Group("Hail");
  editor.SelectLine(0);
  editor.Edit();
  EXPECT_FALSE(view.pane.waitEnabled);
  EXPECT_TRUE(view.pane.optionsEnabled);
}

TEST_F(MessageEditorTest, DisplayStylesAndCustomTitles) {
  editor.Open(2, true);
  editor.SelectLine(0);
  EXPECT_EQ(view.pane.display, 2);
  EXPECT_EQ(view.pane.title, "Verdance Control");
  EXPECT_FALSE(view.pane.titleEnabled);
  editor.Edit();
  EXPECT_TRUE(view.pane.titleEnabled);
  editor.SetDisplay(DisplayKind::Box);
  EXPECT_EQ(view.pane.title, "<none>");
  EXPECT_FALSE(view.pane.titleEnabled);
  editor.SetDisplay(DisplayKind::Custom);
  EXPECT_TRUE(view.pane.titleEnabled);
  EXPECT_EQ(view.focusTitle, 1);
  // Titles are checked on saving; "$" would end the title early and is refused like "*" and "^".
  for (auto [title, refused] : {std::pair{"Star*Base", "\"*\""}, {"Up^EN", "\"^\""}, {"$5 a barrel$", "\"$\""}}) {
    EXPECT_TRUE(editor.TypeTitle(title));
    EXPECT_FALSE(editor.Save());
    EXPECT_NE(demo.prompter.Texts().back().find(refused), std::string::npos) << title;
  }
  EXPECT_EQ(Key("Message1"), "$Verdance Control$Welcome to Verdance, %RK %NM.*RHail");
  EXPECT_TRUE(editor.TypeTitle("Verdance Port"));
  editor.Save();
  EXPECT_EQ(Key("Message1"), "$Verdance Port$Welcome to Verdance, %RK %NM.*RHail");
  editor.Edit();
  editor.SetDisplay(DisplayKind::Standard);
  EXPECT_EQ(view.pane.title, "Message from Planet:");
  editor.Save();
  EXPECT_EQ(Key("Message1"), "Welcome to Verdance, %RK %NM.*RHail");
}

TEST_F(MessageEditorTest, CatalogueRulesForAddingActions) {
  editor.Open(2, true);
  editor.SelectDirection(Direction::Response);
  Group("Hail");
  editor.SelectLine(0);
  editor.Edit();
  EXPECT_TRUE(view.pane.actionsCompact);

  // A heading never stays chosen.
  editor.ChooseCatalogue(0);
  EXPECT_EQ(view.pane.catalogueChoice, 1);
  editor.ChooseCatalogue(static_cast<int>(editor.Catalogue().size()) - 1);
  EXPECT_TRUE(view.pane.add == false);  // "*-TI": not a prefix, no action for a response

  // Responses take prefix entries only; one direction marker, any number of flag requirements.
  AddCatalogue("%GN");
  AddCatalogue("%GE");
  EXPECT_EQ(demo.prompter.Texts().back(), "You cannot have more than one direction marker.");
  AddCatalogue("%F - ");
  AddCatalogue("%F - ");
  AddCatalogue("%45");
  AddCatalogue("%45");
  EXPECT_EQ(demo.prompter.Texts().back(), "You cannot have more than one of the same restriction.");
  EXPECT_EQ(view.actions.lines, (Strings{"%GN - Direction North", "%F - Requires flag set [A]",
                                         "%F - Requires flag set [A]", "%45 - Requires a treaty"}));
  editor.Save();
  EXPECT_EQ(Key("ResponseHail1"), "%45%FA%FA%GNWe come in peace.*MPeace");

  editor.SelectLine(0);
  EXPECT_EQ(view.actions.lines, (Strings{"%45 - Requires a treaty", "%F - Requires flag set [A]",
                                         "%F - Requires flag set [A]", "%GN - Direction North"}));
}

TEST_F(MessageEditorTest, EditingActionValuesThroughTheChoosersAndTheInputBox) {
  std::vector<std::string> flagCalls;
  std::vector<int> systemCalls;
  MessageEditorWindows windows;
  windows.chooseFlag = [&](int planet, const std::string& current) {
    flagCalls.push_back(std::to_string(planet) + current);
    return std::string("7");
  };
  windows.chooseShipSystem = [&](int current) {
    systemCalls.push_back(current);
    return 4;
  };
  EditorFixture f(windows);
  f.editor.Open(2, true);
  f.editor.SelectLine(1);
  f.editor.Edit();
  f.AddCatalogue("*SF");
  f.AddCatalogue("*D - ");
  f.AddCatalogue("*H - ");
  f.editor.SelectAction(0);
  EXPECT_TRUE(f.view.pane.actionEdit);
  f.editor.EditAction();
  f.editor.SelectAction(1);
  f.editor.EditAction();
  f.editor.SelectAction(2);
  f.demo.prompter.Reply(std::string("25"));
  f.editor.EditAction();
  EXPECT_EQ(f.demo.prompter.Calls().back().title, "Edit Action");
  EXPECT_EQ(f.demo.prompter.Calls().back().text, "Enter new value:");
  EXPECT_EQ(f.demo.prompter.Calls().back().defaultValue, "100");
  f.demo.prompter.Reply(std::nullopt);  // cancelled: the value stays
  f.editor.EditAction();
  EXPECT_EQ(flagCalls, Strings{"2A"});
  EXPECT_EQ(systemCalls, std::vector<int>{0});
  EXPECT_EQ(f.view.actions.lines,
            (Strings{"*SF - Set flag [7]", "*D - Damage system (S4)", "*H - Hit the shields for (25)"}));
  // Coming back from a chooser does not reload the groups.
  EXPECT_TRUE(f.editor.EditState().has_value());
  f.editor.DeleteAction();
  EXPECT_EQ(f.view.actions.selected, 1);
  f.editor.Save();
  EXPECT_EQ(f.Key("Message2"), "%W3We have little to trade, but much to tell.*SF7*DS4");
}

TEST_F(MessageEditorTest, OverlongValuesAreWarnedButSaved) {
  MessageEditorWindows windows;
  windows.measureTwips = [](const std::string& text) { return static_cast<int>(text.size()) * 100; };
  EditorFixture f(windows);
  f.editor.Open(2, true);
  f.editor.New();
  EXPECT_EQ(f.view.length.caption, "Length: 0");
  const std::string text(255, 'x');
  f.editor.TypeText(text);
  EXPECT_EQ(f.view.length.caption, "Length: 255");
  EXPECT_EQ(f.view.length.warning, "(Length Limit Exceeded)");
  EXPECT_TRUE(f.view.length.lengthRed && f.view.length.textRed);
  f.editor.TypeText(std::string(254, 'x'));
  EXPECT_TRUE(f.view.length.warning.empty());
  EXPECT_FALSE(f.view.length.textRed);
  f.editor.TypeText(text);
  f.editor.Save();
  EXPECT_EQ(f.Key("Messages"), "3");
  EXPECT_EQ(f.Key("Message3"), std::string(254, 'x'));  // what every reader gets back
  EXPECT_NE(f.demo.game.ReadDescriptor("4Tessaly", ".edt").find("Message3=" + text), std::string::npos);

  // A response wider than the limit in the dialog font.
  f.editor.SelectDirection(Direction::Response);
  f.Group("Hail");
  f.editor.New();
  f.editor.TypeText(std::string(73, 'w'));
  EXPECT_EQ(f.view.length.warning, "(Response Text Width Limit Exceeded)");
  EXPECT_TRUE(f.view.length.textRed);
  EXPECT_FALSE(f.view.length.lengthRed);
  f.editor.TypeText(std::string(72, 'w'));
  EXPECT_TRUE(f.view.length.warning.empty());
}

TEST_F(MessageEditorTest, TheInformationDirectionAlwaysEdits) {
  editor.Open(2, true);
  editor.SelectDirection(Direction::Information);
  EXPECT_TRUE(view.frame.editing && view.frame.infoPreview);
  EXPECT_EQ(view.frame.caption, "Information");
  EXPECT_EQ(view.groupBox.text, "Info");
  EXPECT_FALSE(view.groupBox.enabled);
  EXPECT_EQ(view.text, "A temperate world of shallow seas, home to the %AN.");
  EXPECT_EQ(view.infoPreview, view.text);
  EXPECT_TRUE(view.buttons.del);
  EXPECT_FALSE(view.buttons.insertLabelsVisible);

  editor.TypeText("Ash and ruin.");
  EXPECT_EQ(view.infoPreview, "Ash and ruin.");
  editor.Cancel();
  EXPECT_EQ(view.text, "A temperate world of shallow seas, home to the %AN.");
  EXPECT_TRUE(view.frame.editing);

  editor.TypeText("Ash and ruin.");
  editor.Save();
  EXPECT_EQ(Key("Info"), "Ash and ruin.");
  EXPECT_TRUE(view.frame.editing);

  editor.Delete();
  EXPECT_EQ(Key("Info"), "ERR");
  EXPECT_EQ(view.text, "");
  EXPECT_FALSE(view.buttons.del);
  EXPECT_TRUE(view.frame.editing);
  editor.Cancel();
  EXPECT_FALSE(view.buttons.del);

  // Leaving the direction asks first; No ends the edit without writing.
  editor.TypeText("never written");
  demo.prompter.Answer(Answer::No);
  editor.SelectDirection(Direction::Message);
  EXPECT_EQ(Key("Info"), "ERR");
  EXPECT_FALSE(view.frame.editing);
  EXPECT_FALSE(view.frame.infoPreview);
}

TEST_F(MessageEditorTest, DeleteWhileEditingAsksAndIsNotOfferedForANewItem) {
  editor.Open(2, true);
  editor.New();
  EXPECT_FALSE(view.buttons.del);
  editor.Cancel();
  editor.SelectLine(0);
  editor.Edit();
  EXPECT_TRUE(view.buttons.del);
  demo.prompter.Answer(Answer::No);
  editor.Delete();
  EXPECT_TRUE(view.frame.editing);
  demo.prompter.Answer(Answer::Yes);
  editor.Delete();
  EXPECT_FALSE(view.frame.editing);
  EXPECT_EQ(Key("Messages"), "1");
  EXPECT_EQ(Key("Message1"), "%W3We have little to trade, but much to tell.");
}

TEST(MessageEditorUntested, MarksTheLinesNoRecordedTestPlayedAndFollowsEdits) {
  std::vector<int> asked;
  MessageEditorWindows windows;
  windows.playedByTests = [&asked](int planet) { asked.push_back(planet); };
  EditorFixture f(windows);
  f.editor.Open(2, true);
  EXPECT_TRUE(f.view.untested.available);
  EXPECT_TRUE(asked.empty());  // nothing is replayed until the author asks
  const std::size_t lines = f.view.lines.size();
  ASSERT_GE(lines, 2u);
  const std::string first = f.editor.ItemKey() + "1";

  f.editor.MarkUntested(true);
  EXPECT_EQ(asked, std::vector<int>{2});
  EXPECT_EQ(f.view.untested.summary, "Replaying the recorded tests...");
  EXPECT_EQ(f.view.untested.rows, std::vector<bool>(lines, false));
  f.editor.ShowPlayed(1, 3, {});  // an answer for another planet
  EXPECT_EQ(f.view.untested.summary, "Replaying the recorded tests...");
  // Keys are told in upper case, as the game finds them.
  f.editor.ShowPlayed(2, 3, {platform::ToUpper1252(first)});
  std::vector<bool> marked(lines, true);
  marked[0] = false;
  EXPECT_EQ(f.view.untested.rows, marked);
  EXPECT_EQ(f.view.untested.summary,
            std::to_string(lines - 1) + " of " + std::to_string(lines) + " items here never played by the 3 recorded tests.");

  // An edit asks again; the lines follow the list meanwhile.
  f.demo.prompter.Answer(Answer::Yes);
  f.editor.SelectLine(0);
  f.editor.Remove();
  EXPECT_EQ(asked.size(), 2u);
  EXPECT_EQ(f.view.untested.rows.size(), lines - 1);
  f.editor.ScriptChangedElsewhere();  // the room editor wrote the script
  EXPECT_EQ(asked.size(), 3u);
  f.editor.ShowPlayed(2, 0, {});
  EXPECT_EQ(f.view.untested.summary, "No recorded test of this planet was found.");
  EXPECT_EQ(f.view.untested.rows, std::vector<bool>(lines - 1, false));

  f.editor.MarkUntested(false);
  f.editor.ShowPlayed(2, 3, {});  // too late: the switch is off
  f.editor.ScriptChangedElsewhere();
  EXPECT_TRUE(f.view.untested.rows.empty());
  EXPECT_TRUE(f.view.untested.summary.empty());
  EXPECT_EQ(asked.size(), 3u);
}

TEST(MessageEditorTestFromHere, StartsAtTheGroupAndDirectionShown) {
  struct Start {
    int planet;
    std::string group;
    Direction direction;
    bool operator==(const Start&) const = default;
  };
  std::vector<Start> started;
  MessageEditorWindows windows;
  windows.testFrom = [&](int planet, const std::string& group, Direction direction) {
    started.push_back({planet, group, direction});
  };
  EditorFixture f(windows);
  f.editor.Open(2, true);
  EXPECT_TRUE(f.view.buttons.testFrom);
  f.editor.TestFromHere();
  f.Group("Peace");
  f.editor.TestFromHere();
  f.editor.SelectDirection(Direction::Response);
  f.Group("Hail");
  f.editor.TestFromHere();
  EXPECT_EQ(started, (std::vector<Start>{{2, "INIT", Direction::Message},
                                         {2, "Peace", Direction::Message},
                                         {2, "Hail", Direction::Response}}));

  // Not while an item is edited, nor on the information, nor on a group with nothing to play.
  f.editor.New();
  EXPECT_FALSE(f.view.buttons.testFrom);
  f.editor.TestFromHere();
  f.editor.Cancel();
  EXPECT_TRUE(f.view.buttons.testFrom);
  f.editor.SelectDirection(Direction::Information);
  EXPECT_FALSE(f.view.buttons.testFrom);
  f.editor.SelectDirection(Direction::Message);
  f.editor.TypeGroup("Nowhere");
  EXPECT_FALSE(f.view.buttons.testFrom);
  f.editor.TestFromHere();
  EXPECT_EQ(started.size(), 3u);

  // Without a simulator to open, the command stays off.
  EditorFixture bare;
  bare.editor.Open(2, true);
  EXPECT_FALSE(bare.view.buttons.testFrom);
}

TEST_F(MessageEditorTest, ChildWindowsSkipOneActivationAndTheWizardReloads) {
  int tests = 0;
  int wizards = 0;
  std::vector<std::string> rooms;
  MessageEditorWindows windows;
  windows.test = [&](int) { ++tests; };
  windows.editRoom = [&](int, const std::string& room) {
    rooms.push_back(room);
    return std::optional<std::string>("Cellar");
  };
  EditorFixture* self = nullptr;
  windows.wizard = [&](int) {
    ++wizards;
    self->Put("MessagesLobby", "1");
    self->Put("MessageLobby1", "A dusty lobby.");
    self->Put("Message1", "Welcome.*RLobby");
  };
  EditorFixture f(windows);
  self = &f;
  f.editor.Open(2, true);
  f.editor.SelectDirection(Direction::Response);
  f.editor.Test();
  EXPECT_EQ(tests, 1);
  EXPECT_EQ(f.view.frame.direction, Direction::Response);  // no reload on the way back

  f.editor.SelectDirection(Direction::Message);
  f.editor.TypeGroup("WarSearch");
  EXPECT_TRUE(f.view.buttons.editRoom);
  f.editor.EditRoom();
  EXPECT_EQ(rooms, Strings{"War"});
  EXPECT_EQ(f.view.groupBox.text, "Cellar");
  EXPECT_EQ(f.view.frame.caption, "Message Level: Cellar");
  f.Group("INIT");
  EXPECT_FALSE(f.view.buttons.editRoom);
  f.editor.TypeGroup("None");
  f.editor.EditRoom();
  EXPECT_EQ(rooms.size(), 1u);

  f.editor.Wizard();
  EXPECT_EQ(wizards, 1);
  EXPECT_NE(std::find(f.view.answerBox.items.begin(), f.view.answerBox.items.end(), "Lobby"),
            f.view.answerBox.items.end());  // the groups were discovered again
  EXPECT_EQ(f.view.groupBox.text, "INIT");
  EXPECT_EQ(RoomOfGroup("CaveTriLocked"), "CaveTri");
  EXPECT_EQ(RoomOfGroup("CaveLockedSearch"), "Cave");
}

TEST_F(MessageEditorTest, CustomBoxWritesThePlanetsFlag) {
  editor.Open(3, false);
  editor.SetCustom(true);
  EXPECT_EQ(demo.store.GetPlanetFlag(demo.record, "Messages", 3), 1);
  EXPECT_EQ(demo.store.GetPlanetFlag(demo.record, "Messages", 2), 1);
  editor.SetCustom(false);
  EXPECT_EQ(demo.store.GetPlanetFlag(demo.record, "Messages", 3), 0);
}

TEST_F(MessageEditorTest, TheViewHearsOnlyOfChanges) {
  editor.Open(2, true);
  const int updates = view.lineUpdates;
  editor.SelectLine(0);
  EXPECT_EQ(view.lineUpdates, updates);
  editor.SelectLine(1);
  editor.SelectLine(std::nullopt);
  EXPECT_EQ(view.lineUpdates, updates);
  Group("Peace");
  EXPECT_EQ(view.lineUpdates, updates + 1);
}

// A value the reader would take for something else is refused on saving; the item stays open.
TEST_F(MessageEditorTest, AnActionThatWouldReadBackAsTheAnswerIsNotStored) {
  EditorFixture f{MessageEditorWindows{}};
  f.editor.Open(2, true);
  f.editor.SelectLine(1);
  const std::string before = f.Key("Message2");
  f.editor.Edit();
  f.AddCatalogue("*R! - ");
  f.editor.SelectAction(0);
  f.demo.prompter.Reply(std::string("5"));
  f.editor.EditAction();
  f.demo.prompter.AcceptOkBoxes();
  f.editor.Save();
  EXPECT_EQ(f.demo.prompter.Calls().back().text,
            "The action \"*R!5\" would be read back as an answer code (a code beginning with \"*M\" or \"*R\" is "
            "one).  Change its value or delete it.");
  EXPECT_TRUE(f.editor.EditState().has_value());
  EXPECT_EQ(f.Key("Message2"), before);
  f.demo.prompter.Reply(std::string("S3"));
  f.editor.EditAction();
  f.editor.Save();
  EXPECT_FALSE(f.editor.EditState().has_value());
  EXPECT_NE(f.Key("Message2").find("*R!S3"), std::string::npos) << f.Key("Message2");
}

}  // namespace
}  // namespace zelmora::messages::testing

namespace zelmora::messages::testing {
namespace {

TEST_F(MessageEditorTest, HandWrittenCodesAndRepairConditionsSurviveOpenAndSave) {
  Put("Messages", "3");
  Put("Message3", "%X1Our shields are down.^ZZ*RTrade*RS1*QQ5*SFB");
  editor.Open(2, true);
  editor.SelectLine(2);
  EXPECT_EQ(view.answerBox.text, "Trade");
  EXPECT_EQ(view.actions.lines,
            (Strings{"%X1 - <not in SPECIAL.LST>", "*R - Requires system damaged and repairable (S1)",
                     "*QQ5 - <not in SPECIAL.LST>", "*SF - Set flag [B]", "^ZZ - <not in SPECIAL.LST>"}));
  editor.Edit();
  editor.SelectAction(2);
  EXPECT_FALSE(view.pane.actionEdit);  // a code the catalogue does not know has no value to edit
  EXPECT_TRUE(view.pane.actionDelete);
  editor.Save();
  EXPECT_EQ(Key("Message3"), "%X1Our shields are down.^ZZ*RS1*RTrade*QQ5*SFB");

  // Without an answer code of its own, a repair condition must not decide the response group.
  editor.Edit();
  editor.TypeAnswer("INIT");
  editor.Save();
  EXPECT_EQ(Key("Message3"), "%X1Our shields are down.^ZZ*RS1*R*QQ5*SFB");
}

}  // namespace
}  // namespace zelmora::messages::testing

namespace zelmora::messages::testing {
namespace {

TEST(MessageEditorIssues, EditsAreAnnouncedAndAFindingCanBeShown) {
  int changes = 0;
  std::vector<int> asked;
  MessageEditorWindows windows;
  windows.scriptChanged = [&] { ++changes; };
  windows.issues = [&](int planet) { asked.push_back(planet); };
  EditorFixture f(windows);
  f.editor.Open(2, true);
  EXPECT_TRUE(f.view.buttons.issues);
  f.editor.Issues();
  EXPECT_EQ(asked, std::vector<int>{2});
  EXPECT_EQ(changes, 0);  // opening writes nothing

  f.editor.SelectLine(0);
  f.editor.Edit();
  f.editor.Save();
  f.editor.MoveDown();
  f.editor.SetCustom(false);
  f.demo.prompter.Answer(platform::Answer::Yes);
  f.editor.Remove();
  EXPECT_EQ(changes, 4);

  // A finding of a response of a group the lists do not know yet.
  f.Put("ResponsesLore", "2");
  f.Put("ResponseLore2", "Tell me more.");
  f.editor.GoToItem(Direction::Response, "Lore", 2);
  EXPECT_EQ(f.view.frame.direction, Direction::Response);
  EXPECT_EQ(f.view.frame.caption, "Response Level: Lore");
  EXPECT_EQ(f.view.selected, 1);
  EXPECT_EQ(f.view.text, "Tell me more.");
  f.editor.GoToItem(Direction::Information, {}, 0);
  EXPECT_TRUE(f.view.frame.infoPreview);

  EditorFixture none;
  none.editor.Open(2, true);
  EXPECT_FALSE(none.view.buttons.issues);
}

}  // namespace
}  // namespace zelmora::messages::testing

namespace zelmora::messages::testing {
namespace {

// Renaming is the composition root's (it asks and writes); the editor shows the renamed group
// where the old one stood, and a count line that follows the group shown.
TEST(MessageEditorWriting, RenamedGroupIsShownAndWordsFollowTheGroup) {
  std::vector<std::string> asked;
  std::optional<std::string> answer = "Calm";
  MessageEditorWindows windows;
  EditorFixture* self = nullptr;
  windows.renameGroup = [&](int planet, const std::string& group) -> std::optional<std::string> {
    asked.push_back(std::to_string(planet) + " " + group);
    if (answer) {
      self->Put("MessagesCalm", self->Key("MessagesPeace"));
      self->Put("MessageCalm1", self->Key("MessagePeace1"));
      self->Put("MessagesPeace", "");
      self->Put("ResponseHail1", "We come in peace.*MCalm");
    }
    return answer;
  };
  windows.wordCount = [](int, const std::string& group) { return "words of " + group; };
  EditorFixture f(std::move(windows));
  self = &f;
  f.editor.Open(2, true);
  EXPECT_TRUE(f.view.buttons.renameGroup);
  EXPECT_EQ(f.view.words, "words of INIT");
  f.Group("Peace");
  EXPECT_EQ(f.view.words, "words of Peace");

  answer.reset();  // cancelled: nothing changes
  f.editor.RenameGroup();
  EXPECT_EQ(f.view.groupBox.text, "Peace");

  answer = "Calm";
  f.editor.RenameGroup();
  EXPECT_EQ(asked, (std::vector<std::string>{"2 Peace", "2 Peace"}));
  EXPECT_EQ(f.view.groupBox.text, "Calm");
  EXPECT_EQ(f.view.lines, std::vector<std::string>{"The %AN welcome you, %RK."});
  EXPECT_EQ(f.GroupIndex("Peace"), -1);
  EXPECT_EQ(f.view.words, "words of Calm");
}

}  // namespace
}  // namespace zelmora::messages::testing
