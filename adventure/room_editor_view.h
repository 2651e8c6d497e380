#pragma once

#include "adventure/room_model.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace zelmora::adventure {

// The direction menu: Auto, the four directions, Other.
inline constexpr int kDirectionItems = 6;
inline constexpr std::array<const char*, kDirectionItems> kDirectionCaptions = {"Auto", "North", "East",
                                                                                "South", "West", "Other"};
// The marker each item stores: none, "%G" + the direction's first letter, "%G-".
inline constexpr std::array<const char*, kDirectionItems> kDirectionMarkers = {"", "%GN", "%GE", "%GS", "%GW", "%G-"};

// A standard action's check box: absent, the default response, or a response of the author's.
enum class CheckState { Unchecked, Checked, Grey };

// The room's name, the window caption and the Back button.
struct RoomHeader {
  std::string room;  // empty: no room shown
  std::string caption = "Edit Room";
  bool backEnabled = false;
  bool operator==(const RoomHeader&) const = default;
};

struct DoorState {
  bool visible = false;
  std::string caption;  // the destination of the direction's action
  bool operator==(const DoorState&) const = default;
};

struct DescriptionState {
  std::string text;
  int maxLength = kMaxStoredValue;
  bool operator==(const DescriptionState&) const = default;
};

// One row of the custom-action list.
struct ActionRow {
  std::string destination;
  std::string text;
  int number = 0;  // the row's key is "R" + number
  bool operator==(const ActionRow&) const = default;
};

// The action panel. Its direction choice and button caption stay while nothing is shown.
struct ActionPanelState {
  bool shown = false;  // text, destination, direction button, Remove and Edit Effect
  std::string text;
  int maxLength = kMaxStoredValue;
  std::string destination;
  int direction = 0;  // the checked item of the direction menu
  std::string directionCaption = "Direction";
  bool operator==(const ActionPanelState&) const = default;
};

// Everything the room editor shows, part by part.
struct RoomScreen {
  RoomHeader header;
  std::array<DoorState, 4> doors;
  DescriptionState description;
  std::array<CheckState, kSlotCount> checks{};
  std::optional<int> highlighted;  // the check box painted in the selection colours
  std::vector<ActionRow> rows;
  std::optional<int> selectedRow;
  ActionPanelState panel;
};

// What the room editor window shows. The model calls a setter only when its part changed.
class RoomEditorView {
 public:
  virtual ~RoomEditorView() = default;
  virtual void ShowHeader(const RoomHeader& header) = 0;
  virtual void ShowDoors(const std::array<DoorState, 4>& doors) = 0;
  virtual void ShowDescription(const DescriptionState& description) = 0;
  virtual void ShowChecks(const std::array<CheckState, kSlotCount>& checks) = 0;
  virtual void ShowHighlight(std::optional<int> slot) = 0;
  virtual void ShowRows(const std::vector<ActionRow>& rows) = 0;
  virtual void ShowSelectedRow(std::optional<int> row) = 0;
  virtual void ShowPanel(const ActionPanelState& panel) = 0;

  // One-off requests rather than state.
  virtual void FocusDescription() = 0;
  virtual void FocusResponse() = 0;  // with the whole text selected
  virtual void HideWindow() = 0;
};

}  // namespace zelmora::adventure
