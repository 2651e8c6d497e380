#pragma once

#include "adventure/required_flags.h"
#include "adventure/room_editor_view.h"
#include "adventure/room_model.h"
#include "messages/planet_script.h"
#include "store/descriptor_store.h"
#include "ui/platform/prompter.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zelmora::adventure {

// What the lock dialog answers: the chosen response number and the message shown while locked.
struct LockRequest {
  int number = -1;
  std::string description;
};

// The windows the room editor opens, handed in by whoever owns them. Without one its command does
// nothing.
struct RoomEditorWindows {
  // Loads the advanced options and shows them modally.
  std::function<void()> advanced;
  // Shows the lock dialog over the room's lockable actions; nothing when none was chosen.
  std::function<std::optional<LockRequest>(const std::vector<LockChoice>& choices)> lock;
  // The flag chooser, opened on `current` (empty: no flag yet); nothing when it was closed without
  // choosing.
  std::function<std::optional<std::string>(const std::string& current)> chooseFlag;
  // Shows the planet's adventure map with `current` marked; the room chosen on it, or nothing.
  std::function<std::optional<std::string>(const std::string& current)> map;
  // Told after each edit is written and its step has ended, so that windows over the same script
  // can follow the room editor while it is still open.
  std::function<void()> changed;
};

// The room editor: the open room of the room model plus what the window adds to it (the Back
// target, the action shown in the panel, the direction menu's choice, the highlighted check box and
// the list selection). A window forwards its controls' events here; every change is written at once.
class RoomEditor {
 public:
  RoomEditor(messages::PlanetScript& script, platform::Prompter& prompter, RoomEditorView& view,
             RoomEditorWindows windows = {});

  // The message editor's opening: nothing is shown, then `room` is loaded. True when a room is
  // shown afterwards (only then is the window run).
  bool Begin(const std::string& room);
  // An undo or redo wrote the script back: the open room is read again, its Back target kept.
  void ScriptRestored();
  // Opens a room; the room shown so far becomes the Back target. "None" and a cancelled
  // not-a-room question leave everything as it was.
  OpenResult LoadRoom(const std::string& room);
  // Binds response n of the open room and shows it.
  void DisplayAction(int n);

  // ---- walking
  void ClickDoor(int door);
  void Back();
  // A double click with the left button on a list row.
  void ActivateRow(int row);

  // ---- showing an action in the panel
  void HoverAction(int slot);
  void SelectRow(std::optional<int> row);

  // ---- edits, written at once
  // False (and a message) when the text would not read back as typed; nothing is written.
  bool TypeDescription(const std::string& text);
  bool TypeResponse(const std::string& text);
  // False (and a message) when the name cannot be a room's; nothing is written.
  bool TypeDestination(const std::string& destination);
  void ChooseDirection(int item);
  // A click on a standard action's check box: switches it off or on.
  void ClickAction(int slot);
  void Add();
  void Remove();
  void Effect();
  void Lock();
  void Advanced();
  // Opens the adventure map; a room chosen on it is opened as a door would open it.
  void Map();
  bool HasMap() const { return static_cast<bool>(windows_.map); }
  void Close();

  // ---- what is shown
  const RoomModel& Room() const { return room_; }
  const std::string& Label() const { return label_; }
  const std::string& BackTarget() const { return back_; }
  std::optional<ActionRef> ShownAction() const { return shown_; }
  const RoomScreen& Screen() const { return screen_; }

  // Sends every part to the view, changed or not (the window's first show).
  void Repaint();

 private:
  // One step of the history, named after what it does to the open room ("Lock North of Area22");
  // the windows are told of the edit when it ends.
  class EditStep {
   public:
    EditStep(RoomEditor& editor, const std::string& what, bool merge);
    ~EditStep();
    EditStep(const EditStep&) = delete;
    EditStep& operator=(const EditStep&) = delete;

   private:
    const RoomEditorWindows& windows_;
    std::optional<store::EditAction> action_;
  };
  EditStep Step(const std::string& what, bool merge = false);
  void ShowAction(ActionRef ref);
  void HideAction();
  void Rebuild();
  // Forwards what changed since the last call (everything when forced).
  void Publish(bool force = false);

  RoomModel room_;
  platform::Prompter& prompter_;
  RoomEditorView& view_;
  RoomEditorWindows windows_;

  std::string label_;
  std::string back_;
  std::optional<ActionRef> shown_;
  std::optional<int> highlighted_;
  std::optional<int> selectedRow_;
  int direction_ = 0;
  std::string directionCaption_ = "Direction";
  bool focusDescription_ = false;
  bool focusResponse_ = false;

  RoomScreen screen_;
  RoomScreen told_;
};

// The direction menu item of an action: the first direction or Other whose marker occurs in its
// prefix, else Auto.
int DirectionItem(const std::string& prefix);

}  // namespace zelmora::adventure
