#pragma once

#include "messages/group_discovery.h"
#include "messages/message_editor_view.h"
#include "messages/message_parts.h"
#include "messages/planet_script.h"
#include "messages/special_actions.h"
#include "ui/platform/prompter.h"

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace zelmora::messages {

// The windows the message editor opens, handed in by whoever owns them. An empty one leaves its
// button disabled.
struct MessageEditorWindows {
  // The flag chooser for the planet, opened on `current`; the chosen flag, or nothing when it was
  // closed without choosing.
  std::function<std::optional<std::string>(int planet, const std::string& current)> chooseFlag;
  // The ship-system chooser opened on `current` (0..8); the chosen system.
  std::function<int(int current)> chooseShipSystem;
  // The room editor on `room`; the room it ended on, or nothing when it did not take the room.
  std::function<std::optional<std::string>(int planet, const std::string& room)> editRoom;
  std::function<void(int planet)> wizard;
  std::function<void(int planet)> test;
  // A test that starts at a group: its messages played first, or its responses offered at once.
  std::function<void(int planet, const std::string& group, Direction direction)> testFrom;
  // The list of the script's issues for the planet; it stays open beside the editor.
  std::function<void(int planet)> issues;
  // The map of the planet's script; it stays open beside the editor too.
  std::function<void(int planet)> map;
  // Told after every change the editor writes to the script.
  std::function<void()> scriptChanged;
  // Width of a response text in the dialog font, in twips.
  std::function<int(const std::string& text)> measureTwips;
  // Find and replace over the planet's prose; it stays open beside the editor. With `replacing`
  // the replacement box takes the focus.
  std::function<void(int planet, bool replacing)> find;
  // Renames a group everywhere, asking for the new name; the new name, or nothing when the author
  // cancelled or the name was refused (with a message).
  std::function<std::optional<std::string>(int planet, const std::string& group)> renameGroup;
  // Asks which items the planet's recorded tests play; the answer comes through ShowPlayed.
  std::function<void(int planet)> playedByTests;
  // The line of word counts for a group of the planet.
  std::function<std::string(int planet, const std::string& group)> wordCount;
};

// A group registry entry: the name as shown and its kinds.
using GroupRegistry = std::vector<GroupEntry>;

// The message editor of one planet's script: its three directions, the group lists, the list
// commands and the item pane. A window forwards its controls' events here and shows what the
// view is told; every edit is written through the planet script at once.
class MessageEditor {
 public:
  MessageEditor(PlanetScript& script, SpecialActionList catalogue, platform::Prompter& prompter,
                MessageEditorView& view, MessageEditorWindows windows = {});

  // ---- the window
  // The opener: planet number and the custom box, then the window becomes active.
  void Open(int planet, bool customTicked);
  // The window becomes active (also after a window it opened has closed).
  void Activate();
  // An undo or redo wrote the script back: the lists and the custom box show the file again, in
  // the direction and group shown before; an edit in progress is dropped.
  void ScriptRestored();
  // False when the author chose to stay with an unsaved item.
  bool Close();
  bool IsOpen() const { return open_; }

  // The direction, group and navigation commands ask before dropping typed changes; a command the
  // author cancels leaves everything as it was and answers false.
  bool SelectDirection(Direction direction);
  void TypeGroup(const std::string& text);
  bool ChooseGroup(int index);
  // False (and a message) when the typed name cannot be a group.
  bool AddGroup();
  void SelectLine(std::optional<int> line);
  void New();
  void Edit();  // also a double click and the list menu's Edit
  void Remove();
  void ClearAll();
  void MoveUp();
  void MoveDown();
  void GoToAnswer();
  void SetCustom(bool ticked);
  void EditRoom();
  void Wizard();
  void Test();
  // Test from Here: a test that starts at the group the list shows, in the direction shown.
  void TestFromHere();
  void Issues();
  void Map();
  void Find(bool replacing = false);
  void RenameGroup();
  // The switch that marks the items no recorded test played.
  void MarkUntested(bool on);
  // What the recorded tests of a planet played: the keys in upper case (keys are found without
  // regard to case). An answer for another planet, or after the switch was cleared, is dropped.
  void ShowPlayed(int planet, int recordings, std::set<std::string> keys);
  // Another window (the room editor) wrote the script: what the tests play is asked again.
  void ScriptChangedElsewhere() { AskPlayed(); }
  // Shows item `item` (1-based; 0 for none) of a group's messages or responses, adding the group to
  // the lists when they do not hold it; or opens a room in the room editor.
  void GoToItem(Direction direction, const std::string& group, int item);
  void OpenRoom(const std::string& room);

  // ---- the item pane
  void TypeText(const std::string& text);
  // False (and a message) when the name cannot be an answer group; the box keeps its last text.
  bool TypeAnswer(const std::string& text);
  void ChooseAnswer(int index);
  void SetWait(int seconds);
  void SetChance(int tenths);
  void SetDisplay(DisplayKind display);
  bool TypeTitle(const std::string& title);
  void ChooseCatalogue(std::optional<int> index);
  void AddAction();
  void SelectAction(std::optional<int> index);
  void DeleteAction();
  void EditAction();
  // False (and a message) when the pane holds what would not read back as typed; the edit goes on.
  bool Save();
  void Cancel();
  // Whether the item being edited holds typed changes that are not saved.
  bool HasUnsavedChanges() const;
  void Delete();

  // The public operations that the room editor, the lock and advanced dialogs and the wizard use.
  PlanetScript& Script() { return script_; }
  // A flag closed without choosing gives back `current` ("A" for none) ...
  std::string GetFlagChar(const std::string& current);
  // ... where this gives nothing, for callers that cancel then.
  std::optional<std::string> ChooseFlag(const std::string& current);
  void MessageEditButtons(bool editing);

  // ---- what is shown (for tests and the window's first paint)
  int Planet() const { return script_.Planet(); }
  Direction CurrentDirection() const { return screen_.frame.direction; }
  const FrameState& Frame() const { return screen_.frame; }
  const ComboState& GroupBox() const { return screen_.groupBox; }
  const ComboState& AnswerBox() const { return screen_.answerBox; }
  const std::vector<std::string>& Lines() const { return screen_.lines; }
  std::optional<int> Selected() const { return screen_.selected; }
  const ButtonState& Buttons() const { return screen_.buttons; }
  const std::string& Text() const { return screen_.text; }
  const PaneState& Pane() const { return screen_.pane; }
  const ActionListState& Actions() const { return screen_.actions; }
  const LengthState& Length() const { return screen_.length; }
  const std::string& InfoPreview() const { return screen_.infoPreview; }
  const UntestedMarks& Untested() const { return screen_.untested; }
  bool Custom() const { return screen_.custom; }
  const SpecialActionList& Catalogue() const { return catalogue_; }
  const GroupRegistry& Registry() const { return registry_; }
  // Empty: no edit; -1: a new item; otherwise the edited line.
  std::optional<int> EditState() const { return editState_; }
  bool ReloadRequested() const { return reloadRequested_; }
  // The group whose items the list shows, and the keys of the list.
  const std::string& ListGroup() const { return listGroup_; }
  const std::string& CountKey() const { return countKey_; }
  const std::string& ItemKey() const { return itemKey_; }
  // The value the pane would write now.
  std::string ComposedValue() const;

  // Sends every part to the view, changed or not (the window's first show).
  void Repaint();

 private:
  // Group lists and the list.
  void FillGroupLists();
  // The group box and the answer box list the registry's groups of their kinds.
  void ListRegistry();
  void RefreshList();
  void SelectGroupEntry(const std::string& name);
  void ApplyGroupText(const std::string& text);
  void EnterGroup(const std::string& name, Direction direction);
  int GroupEntryIndex(const std::string& name) const;
  void SetItemCommands();
  void UpdateTestFrom(bool editing);
  void UpdateEditRoom();
  std::string ReadItem(int number) const;
  void WriteItem(int number, const std::string& value);
  int ItemCountInFile(const std::string& group, Direction direction) const;
  void RemoveItem(int line);
  void SwapWith(int offset);
  // The history's name for an edit of item `number` of the list ("Save message INIT 2").
  std::string StepName(std::string_view verb, int number) const;
  void RunChildWindow(const std::function<void()>& open);
  void Changed();
  void UpdateWords();
  void AskPlayed();
  void UpdateUntested();

  // The pane.
  void ShowItem(const std::string& value);
  void ClearPane();
  void BeginEdit(int line);
  void EndEdit(bool save);
  // Before an edit is dropped: asks whether to save typed changes. False: stay with the edit.
  bool SettleEdit();
  std::optional<std::string> PaneProblem() const;
  void ChangeDirection(Direction direction);
  void ApplyAnswer(const std::string& name);
  std::optional<std::string> AnswerProblem(const std::string& name) const;
  void ShowWait(int seconds);
  void ShowChance(int tenths);
  void ShowDisplay(DisplayKind display);
  void UpdateAddButton();
  void UpdateActionButtons();
  void UpdateLength();
  bool IsEditing() const { return editState_.has_value(); }
  bool InList() const { return screen_.frame.direction != Direction::Information; }
  ItemKind Kind() const;
  MessageParts PaneParts() const;

  // Forwards what changed since the last call (everything when forced).
  void Publish(bool force = false);

  PlanetScript& script_;
  SpecialActionList catalogue_;
  platform::Prompter& prompter_;
  MessageEditorView& view_;
  MessageEditorWindows windows_;

  bool open_ = false;
  bool skipActivation_ = false;
  bool reloadRequested_ = false;
  int loadedPlanet_ = 0;
  std::string loadedSystem_;
  bool loaded_ = false;
  GroupRegistry registry_;
  std::string listGroup_ = "INIT";
  std::string countKey_;
  std::string itemKey_;
  std::optional<int> editState_;
  std::string editStart_;  // the edited item as it was when the edit began

  // The pane's item state besides the controls.
  std::optional<std::string> answerGroup_;  // nothing: the item's own group

  // What the recorded tests played, once told.
  struct Played {
    int recordings = 0;
    std::set<std::string> keys;
  };
  std::optional<Played> played_;

  // What the window shows, and what the view was last told.
  EditorScreen screen_;
  EditorScreen shown_;
  bool focusText_ = false;
  bool focusTitle_ = false;
};

// The room that Edit Room opens for a group name: one trailing "Search", then "Tri", then
// "Locked" cut off in turn.
std::string RoomOfGroup(std::string_view group);

}  // namespace zelmora::messages
