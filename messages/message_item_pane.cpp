// The item pane of the message editor: showing one item, editing it and writing it back.
#include "messages/message_editor.h"

#include "messages/script_keys.h"
#include "store/descriptor_store.h"

#include <algorithm>

namespace zelmora::messages {

namespace {

constexpr std::string_view kBoxTitleShown = "<none>";
constexpr std::string_view kEditActionTitle = "Edit Action";
constexpr std::string_view kEditActionPrompt = "Enter new value:";

bool Contains(std::string_view text, char c) { return text.find(c) != std::string_view::npos; }

int DisplayIndex(DisplayKind display) {
  switch (display) {
    case DisplayKind::Box:
      return 1;
    case DisplayKind::Custom:
      return 2;
    case DisplayKind::Standard:
      break;
  }
  return 0;
}

DisplayKind DisplayOfIndex(int index) {
  return index == 1 ? DisplayKind::Box : index == 2 ? DisplayKind::Custom : DisplayKind::Standard;
}

// A value typed for an action: "*" would start another code, ")" would end the value early.
std::optional<std::string> ActionValueProblem(std::string_view value) {
  for (char c : value) {
    if (c == '*' || c == ')') {
      return "A value cannot contain \"" + std::string(1, c) + "\": the rest would be read back as another code.";
    }
  }
  return std::nullopt;
}

}  // namespace

ItemKind MessageEditor::Kind() const {
  return frame_.direction == Direction::Response ? ItemKind::Response : ItemKind::Message;
}

void MessageEditor::MessageEditButtons(bool editing) {
  buttons_.listCommandsVisible = !editing;
  buttons_.editCommandsVisible = editing;
  buttons_.insertLabelsVisible = editing;
}

// ---- showing an item

void MessageEditor::ShowItem(const std::string& value) {
  const MessageParts parts = ParseMessage(value, catalogue_);
  actions_.lines = AttachedActions(parts, catalogue_);
  actions_.selected.reset();
  answerBox_.text = (IsEditing() || selected_) && InList() ? listGroup_ : std::string();
  answerGroup_.reset();
  ShowWait(parts.WaitSeconds);
  ShowChance(parts.ChanceTenths);
  pane_.title = parts.Display == DisplayKind::Custom ? parts.Title : std::string(kStandardTitle);
  ShowDisplay(parts.Display);
  text_ = parts.Text;
  if (parts.AnswerGroup) {
    answerBox_.text = *parts.AnswerGroup;
    answerGroup_ = parts.AnswerGroup;
  }
  UpdateActionButtons();
  UpdateLength();
}

void MessageEditor::ClearPane() { ShowItem(std::string()); }

void MessageEditor::ShowWait(int seconds) {
  pane_.wait = std::clamp(seconds, 0, 9);
  if (pane_.wait == 0) {
    pane_.waitCaption = "immediately";
  } else {
    pane_.waitCaption = "after " + std::to_string(pane_.wait) + " second" + (pane_.wait > 1 ? "s" : "");
  }
}

void MessageEditor::ShowChance(int tenths) {
  pane_.chance = std::clamp(tenths, 0, 10);
  if (pane_.chance == 0) {
    pane_.chanceCaption = "never";
  } else if (pane_.chance == 10) {
    pane_.chanceCaption = "always";
  } else {
    pane_.chanceCaption = std::to_string(pane_.chance) + "0% of the time";
  }
}

void MessageEditor::ShowDisplay(DisplayKind display) {
  pane_.display = DisplayIndex(display);
  if (display == DisplayKind::Standard) {
    pane_.title = std::string(kStandardTitle);
    pane_.titleEnabled = false;
  } else if (display == DisplayKind::Box) {
    pane_.title = std::string(kBoxTitleShown);
    pane_.titleEnabled = false;
  } else {
    pane_.titleEnabled = pane_.displayEnabled;
  }
}

// ---- beginning and ending an edit

void MessageEditor::BeginEdit(int line) {
  editState_ = line;
  if (InList()) {
    ShowItem(line >= 0 ? ReadItem(line + 1) : std::string());
    pane_.optionsEnabled = true;
    pane_.waitEnabled = frame_.direction == Direction::Message;
    pane_.actionsEnabled = true;
    pane_.displayEnabled = true;
    pane_.titleEnabled = pane_.display == DisplayIndex(DisplayKind::Custom);
    pane_.actionsCompact = true;
    answerBox_.enabled = true;
    UpdateAddButton();
  } else {
    text_ = ReadItem(1);
    infoPreview_ = text_;
  }
  frame_.editing = true;
  MessageEditButtons(true);
  if (!InList()) buttons_.insertLabelsVisible = false;
  UpdateLength();
  focusText_ = true;
}

void MessageEditor::EndEdit(bool save) {
  if (!editState_) return;
  const int k = *editState_;
  if (save) {
    const std::string value = InList() ? ComposedValue() : text_;
    if (!InList()) {
      editState_.reset();
      script_.PutMessage(kInfoKey, value);
      lines_ = {text_};
    } else {
      std::optional<int> line;
      {
        store::DescriptorBatch batch(script_.Store(), script_.Record().Name);
        if (k >= 0 && k < static_cast<int>(lines_.size())) {
          line = k;
          lines_[static_cast<std::size_t>(k)] = MessageDisplayText(value);
        } else {
          lines_.push_back(MessageDisplayText(value));
          line = static_cast<int>(lines_.size()) - 1;
          script_.PutMessage(countKey_, std::to_string(lines_.size()));
          buttons_.clearAll = true;
        }
        WriteItem(*line + 1, value);
      }
      editState_.reset();
      selected_ = line;
    }
  } else {
    editState_.reset();
    if (InList()) selected_.reset();
  }
  buttons_.del = true;
  pane_.optionsEnabled = false;
  pane_.waitEnabled = false;
  pane_.actionsEnabled = false;
  pane_.displayEnabled = false;
  pane_.titleEnabled = false;
  pane_.actionsCompact = false;
  pane_.add = false;
  answerBox_.enabled = false;
  frame_.editing = false;
  MessageEditButtons(false);
  if (InList()) {
    if (selected_) {
      ShowItem(ReadItem(*selected_ + 1));
    } else {
      ClearPane();
    }
    SetItemCommands();
  }
  UpdateLength();
}

void MessageEditor::Save() {
  if (!IsEditing()) return;
  EndEdit(true);
  if (!InList()) BeginEdit(0);
  Publish();
}

void MessageEditor::Cancel() {
  if (!IsEditing()) return;
  reloadRequested_ = false;
  EndEdit(false);
  if (!InList()) {
    buttons_.del = script_.GetMessage(kInfoKey) != store::kNoMessage;
    BeginEdit(0);
  }
  Publish();
}

void MessageEditor::Delete() {
  if (!IsEditing() || !buttons_.del) return;
  if (!InList()) {
    script_.PutMessage(kInfoKey, "");
    EndEdit(false);
    lines_ = {std::string()};
    buttons_.del = false;
    BeginEdit(0);
    Publish();
    return;
  }
  const int k = *editState_;
  if (k < 0) return;
  if (prompter_.Message("Are you sure you want to remove this message?", platform::Buttons::YesNo,
                        platform::Icon::Question) != platform::Answer::Yes) {
    return;
  }
  EndEdit(false);
  selected_ = k;
  RemoveItem(k);
  Publish();
}

// ---- the pane's controls

void MessageEditor::TypeText(const std::string& text) {
  if (!IsEditing()) return;
  text_ = text;
  if (!InList()) infoPreview_ = text;
  UpdateLength();
  Publish();
}

std::optional<std::string> MessageEditor::AnswerProblem(const std::string& name) const {
  if (auto problem = GroupNameProblem(name)) return problem;
  if (Kind() == ItemKind::Message && name != listGroup_ && AnswerPlaysAsCondition(name)) {
    return "A message cannot offer the responses of \"" + name + "\": the game reads \"*R" + name +
           "\" as a condition on a damaged ship system and would never send the message.";
  }
  return std::nullopt;
}

bool MessageEditor::TypeAnswer(const std::string& text) {
  if (!IsEditing() || !InList()) return false;
  if (auto problem = AnswerProblem(text)) {
    prompter_.Inform(*problem, platform::Icon::Exclamation);
    view_.ShowAnswerBox(shown_.answerBox = answerBox_);
    return false;
  }
  ApplyAnswer(text.empty() ? listGroup_ : text);
  Publish();
  return true;
}

void MessageEditor::ChooseAnswer(int index) {
  if (!IsEditing() || !InList() || index < 0 || index >= static_cast<int>(answerBox_.items.size())) return;
  const std::string& name = answerBox_.items[static_cast<std::size_t>(index)];
  if (auto problem = AnswerProblem(name)) {
    prompter_.Inform(*problem, platform::Icon::Exclamation);
    view_.ShowAnswerBox(shown_.answerBox = answerBox_);
    return;
  }
  ApplyAnswer(name);
  Publish();
}

void MessageEditor::ApplyAnswer(const std::string& name) {
  answerBox_.text = name;
  if (name == listGroup_) {
    answerGroup_.reset();
  } else {
    answerGroup_ = name;
  }
  UpdateLength();
}

void MessageEditor::SetWait(int seconds) {
  if (!IsEditing() || !pane_.waitEnabled) return;
  ShowWait(seconds);
  UpdateLength();
  Publish();
}

void MessageEditor::SetChance(int tenths) {
  if (!IsEditing() || !pane_.optionsEnabled) return;
  ShowChance(tenths);
  UpdateLength();
  Publish();
}

void MessageEditor::SetDisplay(DisplayKind display) {
  if (!IsEditing() || !pane_.displayEnabled) return;
  ShowDisplay(display);
  if (display == DisplayKind::Custom) focusTitle_ = true;
  UpdateLength();
  Publish();
}

bool MessageEditor::TypeTitle(const std::string& title) {
  if (!IsEditing() || !pane_.titleEnabled) return false;
  if (auto problem = TitleProblem(title)) {
    prompter_.Inform(*problem, platform::Icon::Exclamation);
    view_.ShowPane(shown_.pane = pane_);
    return false;
  }
  pane_.title = title;
  UpdateLength();
  Publish();
  return true;
}

// ---- attached actions

void MessageEditor::ChooseCatalogue(std::optional<int> index) {
  const int n = static_cast<int>(catalogue_.size());
  if (index && (*index < 0 || *index >= n)) index.reset();
  if (index && catalogue_[static_cast<std::size_t>(*index)].IsHeading()) {
    // A heading never stays chosen: the next entry, or at the end the nearest one above.
    int next = *index;
    while (next < n && catalogue_[static_cast<std::size_t>(next)].IsHeading()) ++next;
    if (next >= n) {
      next = *index;
      while (next >= 0 && catalogue_[static_cast<std::size_t>(next)].IsHeading()) --next;
    }
    index = next >= 0 ? std::optional<int>(next) : std::nullopt;
  }
  pane_.catalogueChoice = index;
  UpdateAddButton();
  Publish();
}

void MessageEditor::UpdateAddButton() {
  const auto& choice = pane_.catalogueChoice;
  pane_.add = pane_.actionsEnabled && choice.has_value() &&
              !(frame_.direction == Direction::Response && !catalogue_[static_cast<std::size_t>(*choice)].IsPrefix);
}

void MessageEditor::AddAction() {
  if (!IsEditing() || !pane_.add || !pane_.catalogueChoice) return;
  const SpecialAction& entry = catalogue_[static_cast<std::size_t>(*pane_.catalogueChoice)];
  if (entry.IsPrefix) {
    for (const auto& line : actions_.lines) {
      if (line.starts_with("%F") || line.starts_with("%f")) continue;
      const bool marker = entry.Line.starts_with("%G") && line.starts_with("%G");
      if (marker || line == entry.Line) {
        prompter_.Inform(std::string("You cannot have more than one ") +
                         (marker ? "direction marker" : "of the same restriction") + ".");
        return;
      }
    }
  }
  actions_.lines.push_back(entry.Line);
  UpdateActionButtons();
  UpdateLength();
  Publish();
}

void MessageEditor::SelectAction(std::optional<int> index) {
  if (index && (*index < 0 || *index >= static_cast<int>(actions_.lines.size()))) index.reset();
  actions_.selected = index;
  UpdateActionButtons();
  Publish();
}

void MessageEditor::UpdateActionButtons() {
  const auto& sel = actions_.selected;
  const bool editing = IsEditing() && InList();
  pane_.actionDelete = editing && sel.has_value();
  if (!sel) {
    pane_.actionEdit = false;
    return;
  }
  const std::string& line = actions_.lines[static_cast<std::size_t>(*sel)];
  pane_.actionEdit = editing && !IsUnknownCodeLine(line) && (Contains(line, '[') || Contains(line, '('));
}

void MessageEditor::DeleteAction() {
  if (!IsEditing() || !actions_.selected) return;
  const int at = *actions_.selected;
  actions_.lines.erase(actions_.lines.begin() + at);
  const int n = static_cast<int>(actions_.lines.size());
  actions_.selected = n == 0 ? std::nullopt : std::optional<int>(std::min(at, n - 1));
  UpdateActionButtons();
  UpdateLength();
  Publish();
}

void MessageEditor::EditAction() {
  if (!IsEditing() || !pane_.actionEdit || !actions_.selected) return;
  std::string& line = actions_.lines[static_cast<std::size_t>(*actions_.selected)];
  if (HasFreeValue(line)) {
    const std::string current = FreeValue(line);
    std::string value;
    if (IsShipSystemValue(current) && windows_.chooseShipSystem) {
      int system = current[1] - '0';
      RunChildWindow([&] { system = windows_.chooseShipSystem(system); });
      if (system >= 0 && system <= 8) value = "S" + std::to_string(system);
    } else {
      value = prompter_.Input(std::string(kEditActionPrompt), std::string(kEditActionTitle), current).value_or("");
      if (auto problem = ActionValueProblem(value)) {
        prompter_.Inform(*problem, platform::Icon::Exclamation);
        value.clear();
      }
    }
    if (!value.empty()) line = WithFreeValue(line, value);
  } else if (HasFlagValue(line)) {
    const std::string current = FlagValue(line);
    std::string flag;
    RunChildWindow([&] { flag = GetFlagChar(current); });
    if (!flag.empty()) line = WithFlagValue(line, flag);
  }
  UpdateLength();
  Publish();
}

// ---- the value and its length

MessageParts MessageEditor::PaneParts() const {
  MessageParts parts;
  parts.Text = text_;
  parts.WaitSeconds = pane_.wait;
  parts.ChanceTenths = pane_.chance;
  parts.Display = DisplayOfIndex(pane_.display);
  if (parts.Display == DisplayKind::Custom) parts.Title = pane_.title;
  parts.AnswerGroup = answerGroup_;
  return parts;
}

std::string MessageEditor::ComposedValue() const {
  if (!InList()) return text_;
  return ComposeMessage(PaneParts(), actions_.lines, Kind(), listGroup_);
}

void MessageEditor::UpdateLength() {
  length_ = {};
  if (!IsEditing() && !selected_) {
    pane_.actionDelete = false;
    return;
  }
  const std::string value = ComposedValue();
  length_.caption = "Length: " + std::to_string(value.size());
  if (ExceedsLengthLimit(value)) {
    length_.lengthRed = true;
    length_.textRed = true;
    length_.warning = std::string(kLengthLimitText);
  } else if (frame_.direction == Direction::Response && windows_.measureTwips &&
             ExceedsResponseWidth(text_, [&](std::string_view t) { return windows_.measureTwips(std::string(t)); })) {
    length_.textRed = true;
    length_.warning = std::string(kResponseWidthLimitText);
  }
  if (!actions_.selected) pane_.actionDelete = false;
}

}  // namespace zelmora::messages
