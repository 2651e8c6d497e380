#include "adventure/room_editor.h"

#include "messages/typed_text.h"
#include "ui/platform/prompter.h"
#include "store/descriptor_store.h"

#include <utility>

namespace zelmora::adventure {

using platform::Answer;
using platform::Buttons;
using platform::Icon;

namespace {

constexpr const char* kNoRoom = "None";
constexpr const char* kRemoveCustomQuestion = "Are you sure you want to remove your custom message for this command?";
constexpr const char* kRemoveActionQuestion = "Are you sure you want to remove this action?";

CheckState CheckOf(const SlotState& slot) {
  if (!slot.present) return CheckState::Unchecked;
  return slot.isDefault ? CheckState::Checked : CheckState::Grey;
}

int Budget(const RoomText& parts) { return static_cast<int>(TextBudget(parts)); }

}  // namespace

int DirectionItem(const std::string& prefix) {
  for (int item = 1; item < kDirectionItems; ++item) {
    if (prefix.find(kDirectionMarkers[static_cast<std::size_t>(item)]) != std::string::npos) return item;
  }
  return 0;
}

RoomEditor::RoomEditor(messages::PlanetScript& script, platform::Prompter& prompter, RoomEditorView& view,
                       RoomEditorWindows windows)
    : room_(script), prompter_(prompter), view_(view), windows_(std::move(windows)) {
  Rebuild();
}

// ---- opening

bool RoomEditor::Begin(const std::string& room) {
  label_.clear();
  LoadRoom(room);
  return !label_.empty();
}

OpenResult RoomEditor::LoadRoom(const std::string& room) {
  const std::string name = room;  // may be the Back target or the label, both replaced below
  // A name read from a destination can still hold what no key may: the room could not be written.
  if (const auto problem = messages::KeyNameProblem(name)) {
    prompter_.Refuse(*problem);
    Publish();
    return OpenResult::NotOpened;
  }
  const std::string previousBack = back_;
  const std::string previousLabel = label_;
  back_ = label_;
  label_ = name;
  const OpenResult result = name == kNoRoom ? OpenResult::NotOpened : room_.LoadRoom(name, prompter_);
  if (result != OpenResult::Opened) {
    back_ = previousBack;
    label_ = previousLabel;
    Publish();
    return result;
  }
  // A Yes to "go there instead" shows the target under its own name.
  label_ = room_.Name();
  shown_.reset();
  highlighted_.reset();
  selectedRow_.reset();
  focusDescription_ = true;
  Publish();
  return result;
}

void RoomEditor::ScriptRestored() {
  if (!room_.IsOpen() || label_.empty()) return;
  // Read again without a question: an undo may have left the room with effects and no description,
  // and the room shown stays the one shown.
  platform::DecliningPrompter quiet;
  if (room_.LoadRoom(label_, quiet) == OpenResult::Opened) {
    shown_.reset();
    highlighted_.reset();
    selectedRow_.reset();
  }
  Publish(true);
}

void RoomEditor::DisplayAction(int n) {
  if (!room_.IsOpen()) return;
  room_.DisplayAction(n);
  Publish();
}

// ---- walking

void RoomEditor::ClickDoor(int door) {
  if (door < 0 || door >= 4) return;
  const DoorState& shown = screen_.doors[static_cast<std::size_t>(door)];
  if (!shown.visible || shown.caption.empty()) return;
  LoadRoom(shown.caption);
}

void RoomEditor::Back() {
  if (back_.empty()) return;
  LoadRoom(back_);
}

void RoomEditor::ActivateRow(int row) {
  if (row < 0 || row >= static_cast<int>(room_.Customs().size())) return;
  const std::string destination = room_.Customs()[static_cast<std::size_t>(row)].Destination();
  if (destination.empty() || destination == kNoRoom) return;
  LoadRoom(destination);
}

// ---- the panel

void RoomEditor::ShowAction(ActionRef ref) {
  shown_ = ref;
  direction_ = DirectionItem(room_.Action(ref).parts.prefix);
  directionCaption_ = kDirectionCaptions[static_cast<std::size_t>(direction_)];
}

void RoomEditor::HideAction() {
  shown_.reset();
  highlighted_.reset();
  selectedRow_.reset();
}

void RoomEditor::HoverAction(int slot) {
  if (slot < 0 || slot >= kSlotCount || !room_.Slot(slot).present) return;
  const bool already = shown_ && shown_->kind == ActionRef::Slot && shown_->index == slot;
  if (!already) ShowAction({ActionRef::Slot, slot});
  highlighted_ = slot;
  selectedRow_.reset();
  Publish();
}

void RoomEditor::SelectRow(std::optional<int> row) {
  if (!row || *row < 0 || *row >= static_cast<int>(room_.Customs().size())) {
    selectedRow_.reset();
    Publish();
    return;
  }
  ShowAction({ActionRef::Custom, *row});
  selectedRow_ = row;
  highlighted_.reset();
  Publish();
}

// ---- edits

RoomEditor::EditStep::EditStep(RoomEditor& editor, const std::string& what, bool merge) : windows_(editor.windows_) {
  action_.emplace(editor.room_.Script().Store(), what + " of " + editor.label_, merge);
}

RoomEditor::EditStep::~EditStep() {
  // The step is ended first, so that whoever is told reads the script as the history keeps it.
  action_.reset();
  if (windows_.changed) windows_.changed();
}

RoomEditor::EditStep RoomEditor::Step(const std::string& what, bool merge) { return EditStep(*this, what, merge); }

bool RoomEditor::TypeDescription(const std::string& text) {
  if (!room_.IsOpen()) return false;
  if (const auto problem = messages::TextProblem(text, messages::TextUse::RoomText)) {
    prompter_.Refuse(*problem);
    return false;
  }
  auto step = Step("Description", true);
  room_.SetDescription(text);
  Publish();
  return true;
}

bool RoomEditor::TypeResponse(const std::string& text) {
  if (!shown_) return false;
  if (const auto problem = messages::TextProblem(text, messages::TextUse::RoomText)) {
    prompter_.Refuse(*problem);
    return false;
  }
  auto step = Step("Text of an action", true);
  room_.SetActionText(*shown_, text);
  Publish();
  return true;
}

bool RoomEditor::TypeDestination(const std::string& destination) {
  if (!shown_) return false;
  if (const auto problem = messages::KeyNameProblem(destination, true)) {
    prompter_.Refuse(*problem);
    return false;
  }
  auto step = Step("Destination of an action", true);
  room_.SetDestination(*shown_, destination);
  Publish();
  return true;
}

void RoomEditor::ChooseDirection(int item) {
  if (item < 0 || item >= kDirectionItems) return;
  direction_ = item;
  directionCaption_ = kDirectionCaptions[static_cast<std::size_t>(item)];
  if (shown_) {
    auto step = Step("Direction of an action");
    room_.SetDirectionMarker(*shown_, kDirectionMarkers[static_cast<std::size_t>(item)]);
  }
  Publish();
}

void RoomEditor::ClickAction(int slot) {
  if (!room_.IsOpen() || slot < 0 || slot >= kSlotCount) return;
  const SlotState& state = room_.Slot(slot);
  if (!state.present) {
    auto step = Step(kSlotCaptions[static_cast<std::size_t>(slot)]);
    room_.SwitchOn(slot, prompter_);
    Publish();
    return;
  }
  if (!state.isDefault &&
      prompter_.Message(kRemoveCustomQuestion, Buttons::YesNo, Icon::Question) != Answer::Yes) {
    Publish();
    return;
  }
  // The panel must not go on editing a response that is gone.
  if (shown_ && shown_->kind == ActionRef::Slot && shown_->index == slot) HideAction();
  if (highlighted_ == slot) highlighted_.reset();
  auto step = Step(std::string("Remove ") + kSlotCaptions[static_cast<std::size_t>(slot)]);
  room_.SwitchOff(slot);
  Publish();
}

void RoomEditor::Add() {
  if (!room_.IsOpen()) return;
  auto step = Step("Add an action");
  const int row = room_.AddCustomAction();
  ShowAction({ActionRef::Custom, row});
  selectedRow_ = row;
  highlighted_.reset();
  focusResponse_ = true;
  Publish();
}

void RoomEditor::Remove() {
  if (!shown_) return;
  if (prompter_.Message(kRemoveActionQuestion, Buttons::YesNo, Icon::Question) != Answer::Yes) return;
  const int number = room_.Action(*shown_).number;
  auto step = Step("Remove " + room_.Action(*shown_).parts.text);
  HideAction();
  room_.RemoveResponse(number);
  Publish();
}

void RoomEditor::Effect() {
  if (!shown_) return;
  auto step = Step("Effect of " + room_.Action(*shown_).parts.text);
  room_.SetEffect(*shown_, prompter_);
  Publish();
}

void RoomEditor::Lock() {
  if (!room_.IsOpen() || !windows_.lock) return;
  const auto request = windows_.lock(LockChoices(room_));
  if (!request || request->number < 0) return;
  // Closing the chooser without a flag cancels the lock.
  const auto flag = windows_.chooseFlag ? windows_.chooseFlag(std::string()) : std::optional<std::string>("A");
  if (!flag || flag->empty()) return;
  // A standard action by its caption ("Lock North of Area22"), one's own by its text.
  std::string locked = "an action";
  for (const auto& choice : LockChoices(room_)) {
    if (choice.number == request->number) locked = choice.text;
  }
  for (int s = 0; s < kSlotCount; ++s) {
    const SlotState& slot = room_.Slot(s);
    if (slot.present && slot.action.number == request->number) locked = kSlotCaptions[static_cast<std::size_t>(s)];
  }
  auto step = Step("Lock " + locked);
  room_.LockAction(request->number, (*flag)[0], request->description);
  Publish();
}

void RoomEditor::Advanced() {
  if (!windows_.advanced) return;
  {
    auto step = Step("Advanced Options");
    windows_.advanced();
  }
  // The default responses follow the new required flags.
  if (!label_.empty()) LoadRoom(label_);
}

void RoomEditor::Map() {
  if (!windows_.map) return;
  const auto chosen = windows_.map(label_);
  // The room already shown stays as it is, Back target and all.
  if (chosen && !chosen->empty() && *chosen != label_) LoadRoom(*chosen);
}

void RoomEditor::Close() { view_.HideWindow(); }

// ---- the view

void RoomEditor::Rebuild() {
  RoomScreen& s = screen_;
  s.header.room = label_;
  s.header.caption = label_.empty() ? std::string("Edit Room") : "Edit Room - " + label_;
  s.header.backEnabled = !back_.empty();

  const bool open = room_.IsOpen() && !label_.empty();
  for (int d = 0; d < 4; ++d) {
    const SlotState& slot = room_.Slot(d);
    s.doors[static_cast<std::size_t>(d)] =
        open && slot.present ? DoorState{true, slot.action.Destination()} : DoorState{};
  }
  s.description = open ? DescriptionState{room_.Description().parts.text, Budget(room_.Description().parts)}
                       : DescriptionState{};
  for (int i = 0; i < kSlotCount; ++i) {
    s.checks[static_cast<std::size_t>(i)] = open ? CheckOf(room_.Slot(i)) : CheckState::Unchecked;
  }
  s.highlighted = highlighted_;
  s.rows.clear();
  if (open) {
    for (const RoomAction& action : room_.Customs()) s.rows.push_back({action.Destination(), action.parts.text, action.number});
  }
  s.selectedRow = selectedRow_;

  s.panel.shown = open && shown_.has_value();
  s.panel.direction = direction_;
  s.panel.directionCaption = directionCaption_;
  if (s.panel.shown) {
    const RoomAction& action = room_.Action(*shown_);
    s.panel.text = action.parts.text;
    s.panel.maxLength = Budget(action.parts);
    s.panel.destination = action.Destination();
  } else {
    s.panel.text.clear();
    s.panel.maxLength = kMaxStoredValue;
    s.panel.destination.clear();
  }
}

void RoomEditor::Publish(bool force) {
  Rebuild();
  auto& now = screen_;
  auto& was = told_;
  if (force || !(now.header == was.header)) view_.ShowHeader(was.header = now.header);
  if (force || now.doors != was.doors) view_.ShowDoors(was.doors = now.doors);
  if (force || !(now.description == was.description)) view_.ShowDescription(was.description = now.description);
  if (force || now.checks != was.checks) view_.ShowChecks(was.checks = now.checks);
  if (force || now.highlighted != was.highlighted) view_.ShowHighlight(was.highlighted = now.highlighted);
  if (force || now.rows != was.rows) {
    view_.ShowRows(was.rows = now.rows);
    // New rows come without a selection.
    was.selectedRow.reset();
    view_.ShowSelectedRow(std::nullopt);
  }
  if (force || now.selectedRow != was.selectedRow) view_.ShowSelectedRow(was.selectedRow = now.selectedRow);
  if (force || !(now.panel == was.panel)) view_.ShowPanel(was.panel = now.panel);
  if (std::exchange(focusDescription_, false)) view_.FocusDescription();
  if (std::exchange(focusResponse_, false)) view_.FocusResponse();
}

void RoomEditor::Repaint() { Publish(true); }

}  // namespace zelmora::adventure
