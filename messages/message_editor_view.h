#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zelmora::messages {

// The option group optDir, in its index order.
enum class Direction { Message = 0, Information = 1, Response = 2 };

// An editable combo box: its list, its text and whether it takes input.
struct ComboState {
  std::vector<std::string> items;
  std::string text;
  bool enabled = true;
  bool operator==(const ComboState&) const = default;
};

// The window around the list: direction, frame caption, which of list and edit box is shown.
struct FrameState {
  Direction direction = Direction::Message;
  std::string caption = "Message Level: INIT";
  bool editing = false;         // the edit box replaces the list
  bool infoPreview = false;     // the edit box is grown down to the information preview
  bool animating = false;       // tmrAnim runs
  bool operator==(const FrameState&) const = default;
};

// Enabled and visible states of the window's buttons.
struct ButtonState {
  bool addGroup = false;
  bool newItem = true, edit = false, remove = false, clearAll = false, up = false, down = false;
  bool go = false, test = false, editRoom = false, wizard = false, issues = false, map = false;
  bool testFrom = false;  // Test from Here: a group with items is listed and no item is edited
  bool find = false, renameGroup = false;
  bool save = true, cancel = true, del = false;
  bool listCommandsVisible = true;  // New, Edit, Remove, Clear All, arrows, Test
  bool editCommandsVisible = false;  // Save, Cancel, Delete
  bool insertLabelsVisible = false;
  bool operator==(const ButtonState&) const = default;
};

// The item pane's options, display and action controls.
struct PaneState {
  bool optionsEnabled = false;  // fraOptions, the answer label and box, the chance controls
  bool waitEnabled = false;
  int wait = 0;          // seconds, 0 = immediately
  int chance = 10;       // tenths, 10 = always
  std::string waitCaption = "immediately";
  std::string chanceCaption = "always";
  bool displayEnabled = false;  // fraDisplay and its three options
  int display = 0;              // optDisplay index: 0 Standard, 1 Box, 2 Custom
  std::string title = "Message from Planet:";
  bool titleEnabled = false;
  bool actionsEnabled = false;  // fraActions with the catalogue box
  bool actionsCompact = false;  // the attached list shrunk to make room for the catalogue box
  std::optional<int> catalogueChoice;
  bool add = false, actionDelete = false, actionEdit = false;
  bool operator==(const PaneState&) const = default;
};

struct ActionListState {
  std::vector<std::string> lines;
  std::optional<int> selected;
  bool operator==(const ActionListState&) const = default;
};

// The live length display under the edit box.
struct LengthState {
  std::string caption;  // "Length: n", or empty
  bool lengthRed = false;
  bool textRed = false;
  std::string warning;  // shown when not empty
  bool operator==(const LengthState&) const = default;
};

// The items of the list that no recorded test of the planet played, marked when the author asks.
struct UntestedMarks {
  bool available = false;  // the switch is offered
  bool on = false;
  std::vector<bool> rows;  // per line of the list: never played
  std::string summary;     // how many are marked and by how many tests, or why none are
  bool operator==(const UntestedMarks&) const = default;
};

// Everything the window shows, part by part.
struct EditorScreen {
  FrameState frame;
  ComboState groupBox;
  ComboState answerBox;
  std::vector<std::string> lines;
  std::optional<int> selected;
  ButtonState buttons;
  std::string text;
  PaneState pane;
  ActionListState actions;
  LengthState length;
  std::string infoPreview;
  bool custom = false;
  std::string words;  // the word counts of the group and the planet
  UntestedMarks untested;
};

// What the message editor window shows. The model calls a setter only when its part changed.
class MessageEditorView {
 public:
  virtual ~MessageEditorView() = default;
  virtual void ShowFrame(const FrameState& frame) = 0;
  virtual void ShowGroupBox(const ComboState& box) = 0;
  virtual void ShowAnswerBox(const ComboState& box) = 0;
  virtual void ShowListLines(const std::vector<std::string>& lines) = 0;
  virtual void ShowListSelection(std::optional<int> selected) = 0;
  virtual void ShowButtons(const ButtonState& buttons) = 0;
  virtual void ShowText(const std::string& text) = 0;
  virtual void ShowPane(const PaneState& pane) = 0;
  virtual void ShowActions(const ActionListState& actions) = 0;
  virtual void ShowLength(const LengthState& length) = 0;
  virtual void ShowInfoPreview(const std::string& text) = 0;
  virtual void ShowCustom(bool ticked) = 0;
  virtual void ShowWords(const std::string& words) { (void)words; }
  // Also told after the list's lines were shown again.
  virtual void ShowUntested(const UntestedMarks& marks) { (void)marks; }

  // One-off requests rather than state.
  virtual void FocusTextAtEnd() = 0;
  virtual void FocusTitle() = 0;  // focus with the whole title selected
  virtual void SetBusy(bool busy) = 0;  // the hourglass pointer
  virtual void HideWindow() = 0;
};

}  // namespace zelmora::messages
