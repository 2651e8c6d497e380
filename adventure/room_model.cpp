#include "adventure/room_model.h"

#include "adventure/grid_names.h"
#include "messages/script_keys.h"
#include "messages/typed_text.h"
#include "store/descriptor_store.h"
#include "ui/platform/text_rules.h"

namespace zelmora::adventure {

using messages::MessageKey;
using messages::ResponseKey;
using platform::Answer;
using platform::Buttons;
using platform::Icon;

namespace {

constexpr const char* kLineBreaks = "\r\n\r\n";

// A stored value to move to another key; an absent one stays absent rather than becoming "ERR".
std::string Movable(const std::string& value) { return value == store::kNoMessage ? std::string() : value; }

// Asks until the answer passes `problem` (each refusal says why) or none is given.
template <typename Problem>
std::optional<std::string> AskChecked(platform::Prompter& prompter, const std::string& prompt, const std::string& title,
                                      std::string shown, Problem&& problem) {
  for (;;) {
    auto answer = prompter.Input(prompt, title, shown);
    if (!answer || answer->empty()) return std::nullopt;
    const auto refusal = problem(*answer);
    if (!refusal) return answer;
    prompter.Refuse(*refusal);
    shown = *answer;
  }
}

std::optional<std::string> RoomNameProblem(std::string_view name) { return messages::KeyNameProblem(name); }
std::optional<std::string> RoomTextProblem(std::string_view text) {
  return messages::TextProblem(text, messages::TextUse::RoomText);
}

}  // namespace

RoomModel::Found RoomModel::FindDescription(const std::string& group) const {
  Found found;
  const int count = script_.MessageCount(group);
  for (int i = 1; i <= count; ++i) {
    RoomText parts = SplitValue(script_.Message(group, i));
    if (!HasAnswerCode(parts.tail, 'R')) {
      found.description = RoomAction{i, std::move(parts)};
      return found;
    }
    found.effects.push_back({parts.text, AnswerName(parts.tail, 'R')});
  }
  return found;
}

OpenResult RoomModel::LoadRoom(const std::string& name, platform::Prompter& prompter) {
  std::string current = name;
  for (;;) {
    if (current == "None") return current == name ? OpenResult::NotOpened : OpenResult::Cancelled;
    const Found found = FindDescription(current);
    bool restarted = false;
    if (!found.description) {
      for (std::size_t i = 0; i < found.effects.size() && !restarted; ++i) {
        const Found::Effect& effect = found.effects[i];
        const Answer answer = prompter.Message(
            effect.text + kLineBreaks + "This message leads to the room '" + effect.target +
                "', would you like to go there instead?",
            Buttons::YesNoCancel, Icon::Question, current + " is not a room (maybe an effect?)");
        if (answer == Answer::Cancel) return OpenResult::Cancelled;
        if (answer == Answer::Yes) {
          current = effect.target;
          restarted = true;
        }
      }
    }
    if (!restarted) {
      Reset(current, found);
      return OpenResult::Opened;
    }
  }
}

void RoomModel::Reset(const std::string& name, const Found& found) {
  open_ = true;
  name_ = name;
  description_ = found.description.value_or(RoomAction{});
  neighbours_ = NeighbourNames(name_);
  customs_.clear();
  for (int s = 0; s < kSlotCount; ++s) slots_[s] = SlotState{false, false, {}, DefaultResponse(s)};
  const int count = ResponseCount();
  for (int n = 1; n <= count; ++n) DisplayAction(n);
}

std::string RoomModel::DefaultResponse(int slot) const {
  const std::string caption = kSlotCaptions.at(static_cast<std::size_t>(slot));
  switch (slot) {
    case kSlotBeam: return script_.BeamFlag() + caption + "*MBeamUp";
    case kSlotSearch: return script_.SearchFlag() + caption + "*M" + name_ + "Search";
    case kSlotTri: return script_.TriFlag() + caption + "*M" + name_ + "Tri";
    default: return "Go " + caption + " and report back.*M" + neighbours_[slot];
  }
}

int RoomModel::ResponseCount() const { return script_.ResponseCount(name_); }

void RoomModel::DisplayAction(int n) {
  RoomAction action{n, SplitValue(script_.Response(name_, n))};
  const std::string destination = action.Destination();
  const std::string& prefix = action.parts.prefix;
  const std::string upperText = platform::ToUpper1252(action.parts.text);
  for (int s = 0; s < kSlotCount; ++s) {
    SlotState& slot = slots_[s];
    if (slot.present) continue;
    bool match = false;
    if (s <= kSlotWest) {
      const std::string caption = kSlotCaptions[s];
      match = prefix.find("%G-") == std::string::npos &&
              (destination == neighbours_[s] ||
               upperText.find(platform::ToUpper1252(caption)) != std::string::npos ||
               prefix.find(std::string("%G") + platform::ToUpper1252(caption[0])) != std::string::npos);
    } else if (s == kSlotBeam) {
      match = destination == "BeamUp";
    } else if (s == kSlotSearch) {
      match = destination.ends_with("Search");
    } else {
      match = destination.ends_with("Tri");
    }
    if (match) {
      slot.present = true;
      slot.action = action;
      slot.isDefault = action.parts.Value() == slot.defaultResponse;
      return;
    }
  }
  customs_.push_back(std::move(action));
}

const RoomAction& RoomModel::Action(ActionRef ref) const {
  if (ref.kind == ActionRef::Slot) return slots_.at(static_cast<std::size_t>(ref.index)).action;
  return customs_.at(static_cast<std::size_t>(ref.index));
}

RoomAction* RoomModel::Mutable(ActionRef ref) {
  if (ref.kind == ActionRef::Slot) {
    if (ref.index < 0 || ref.index >= kSlotCount) return nullptr;
    return &slots_[ref.index].action;
  }
  if (ref.index < 0 || ref.index >= static_cast<int>(customs_.size())) return nullptr;
  return &customs_[ref.index];
}

void RoomModel::Store(RoomAction& action) {
  if (action.number == 0) {
    action.number = ResponseCount() + 1;
    script_.SetResponseCount(name_, action.number);
  }
  script_.PutMessage(ResponseKey(name_, action.number), action.parts.Value());
  for (SlotState& slot : slots_) {
    if (&slot.action == &action) slot.isDefault = action.parts.Value() == slot.defaultResponse;
  }
}

void RoomModel::SetDescription(const std::string& text) {
  if (!open_) return;
  description_.parts.text = FitText(description_.parts, text);
  if (description_.number == 0) {
    description_.number = script_.MessageCount(name_) + 1;
    script_.SetMessageCount(name_, description_.number);
  }
  script_.PutMessage(MessageKey(name_, description_.number), description_.parts.Value());
}

void RoomModel::SetActionText(ActionRef ref, const std::string& text) {
  RoomAction* action = Mutable(ref);
  if (!open_ || !action) return;
  action->parts.text = FitText(action->parts, text);
  Store(*action);
}

void RoomModel::SetDestination(ActionRef ref, const std::string& destination) {
  RoomAction* action = Mutable(ref);
  if (!open_ || !action) return;
  action->parts.tail = TailWithDestination(action->parts.tail, destination);
  action->parts.text = FitText(action->parts, action->parts.text);
  Store(*action);
}

void RoomModel::SetDirectionMarker(ActionRef ref, const std::string& marker) {
  RoomAction* action = Mutable(ref);
  if (!open_ || !action) return;
  action->parts.prefix = PrefixWithMarker(action->parts.prefix, marker);
  action->parts.text = FitText(action->parts, action->parts.text);
  Store(*action);
}

bool RoomModel::SwitchOn(int slot, platform::Prompter& prompter) {
  if (!open_ || slot < 0 || slot >= kSlotCount || slots_[slot].present) return false;
  std::string response = slots_[slot].defaultResponse;
  if (response.ends_with("*M")) {
    const std::string caption = kSlotCaptions[slot];
    const auto answer = AskChecked(prompter, "Please enter the destination room (A default room cannot be determined):",
                                   "Enter Room that is " + caption + " of " + name_, "", RoomNameProblem);
    if (!answer || answer->empty()) return false;
    response = "%G" + std::string(1, caption[0]) + response + *answer;
  }
  SlotState& state = slots_[slot];
  state.action.parts = SplitValue(response);
  state.action.number = AppendResponse(response);
  state.present = true;
  state.isDefault = response == state.defaultResponse;
  return true;
}

void RoomModel::SwitchOff(int slot) {
  if (!open_ || slot < 0 || slot >= kSlotCount || !slots_[slot].present) return;
  RemoveResponse(slots_[slot].action.number);
}

int RoomModel::AddCustomAction() {
  const std::string value = "New Action*M";
  RoomAction action{AppendResponse(value), SplitValue(value)};
  customs_.push_back(std::move(action));
  return static_cast<int>(customs_.size()) - 1;
}

int RoomModel::AppendResponse(const std::string& value) {
  const int n = ResponseCount() + 1;
  script_.SetResponseCount(name_, n);
  script_.PutMessage(ResponseKey(name_, n), value);
  return n;
}

void RoomModel::Renumber(int from, int delta) {
  for (SlotState& slot : slots_) {
    if (slot.present && slot.action.number >= from) slot.action.number += delta;
  }
  for (RoomAction& action : customs_) {
    if (action.number >= from) action.number += delta;
  }
}

void RoomModel::RemoveResponse(int n) {
  const int count = ResponseCount();
  if (!open_ || n < 1 || n > count) return;
  for (int i = n; i < count; ++i) {
    script_.PutMessage(ResponseKey(name_, i), Movable(script_.Response(name_, i + 1)));
  }
  script_.PutMessage(ResponseKey(name_, count), "");
  script_.SetResponseCount(name_, count - 1);
  for (SlotState& slot : slots_) {
    if (slot.present && slot.action.number == n) {
      slot.present = false;
      slot.isDefault = false;
      slot.action = RoomAction{};
    }
  }
  std::erase_if(customs_, [n](const RoomAction& a) { return a.number == n; });
  Renumber(n + 1, -1);
}

void RoomModel::InsertResponse(int p, const std::string& value) {
  const int count = ResponseCount();
  if (!open_ || p < 1 || p > count + 1) return;
  for (int i = count; i >= p; --i) {
    script_.PutMessage(ResponseKey(name_, i + 1), Movable(script_.Response(name_, i)));
  }
  script_.PutMessage(ResponseKey(name_, p), value);
  script_.SetResponseCount(name_, count + 1);
  Renumber(p, +1);
  DisplayAction(p);
}

bool RoomModel::SetEffect(ActionRef ref, platform::Prompter& prompter) {
  const RoomAction* action = Mutable(ref);
  if (!open_ || !action) return false;
  const std::string group = action->Destination();
  // An empty destination would name INIT's own keys; there is no effect group to write.
  if (group.empty()) return false;
  const int count = script_.MessageCount(group);
  int m = 0;
  RoomText effect;
  std::string target;
  std::string otherCodes;
  for (int i = 1; i <= count && m == 0; ++i) {
    RoomText parts = SplitValue(script_.Message(group, i));
    if (HasAnswerCode(parts.tail, 'R')) {
      m = i;
      target = AnswerName(parts.tail, 'R');
      otherCodes = TailWithoutAnswer(parts.tail, 'R');
      effect = parts;
    }
  }
  if (m == 0 && count == 0) m = 1;
  if (m == 0) {
    const Answer sure = prompter.Message(
        "The destination of this action appears to be a room. Are you sure you want to add an effect? "
        "Doing so may prevent access to this room under certain conditions.",
        Buttons::YesNo, Icon::Question);
    if (sure != Answer::Yes) return false;
    m = count + 1;
  }
  const std::string& actionText = action->parts.text;
  const auto text = AskChecked(
      prompter, actionText + kLineBreaks + "Enter the description of what happens when this action is chosen:",
      "Enter Effect", effect.text, RoomTextProblem);
  if (!text || text->empty()) return false;
  const auto room = AskChecked(prompter,
                               actionText + kLineBreaks + *text + kLineBreaks +
                                   "Enter the destination room of this effect (usually, this will be the current room):",
                               "Enter Destination", target.empty() ? name_ : target, RoomNameProblem);
  if (!room || room->empty()) return false;
  script_.SetMessageCount(group, std::max(count, m));
  script_.PutMessage(MessageKey(group, m), effect.prefix + *text + otherCodes + "*R" + *room);
  return true;
}

void RoomModel::LockAction(int n, char flag, const std::string& lockedText) {
  if (!open_ || n < 1 || n > ResponseCount()) return;
  const RoomText parts = SplitValue(script_.Response(name_, n));
  const std::string destination = AnswerName(parts.tail, 'M');
  const std::string rest = TailWithoutAnswer(parts.tail, 'M');
  const std::string set = std::string("%F") + flag;
  const std::string clear = std::string("%f") + flag;
  script_.PutMessage(ResponseKey(name_, n), set + parts.Value());
  for (SlotState& slot : slots_) {
    if (slot.present && slot.action.number == n) {
      slot.action.parts.prefix.insert(0, set);
      slot.isDefault = false;
    }
  }
  for (RoomAction& action : customs_) {
    if (action.number == n) action.parts.prefix.insert(0, set);
  }
  InsertResponse(n + 1, clear + parts.prefix + parts.text + rest + "*M" + destination + "Locked");
  const std::string locked = destination + "Locked";
  const int m = script_.MessageCount(locked) + 1;
  script_.SetMessageCount(locked, m);
  script_.PutMessage(MessageKey(locked, m), lockedText + "*R" + name_);
}

std::vector<LockChoice> LockChoices(const RoomModel& room) {
  std::vector<LockChoice> choices;
  for (int s = 0; s < kSlotCount; ++s) {
    const SlotState& slot = room.Slot(s);
    if (slot.present) choices.push_back({slot.action.parts.text, slot.action.number});
  }
  for (const RoomAction& action : room.Customs()) choices.push_back({action.parts.text, action.number});
  return choices;
}

}  // namespace zelmora::adventure
