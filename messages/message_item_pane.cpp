// The item pane of the message editor: showing one item, editing it and writing it back.
#include "messages/message_editor.h"

#include "messages/script_keys.h"
#include "messages/typed_text.h"
#include "store/descriptor_store.h"

#include <algorithm>

namespace zelmora::messages {

namespace {

constexpr std::string_view kBoxTitleShown = "<none>";
constexpr std::string_view kEditActionTitle = "Edit Action";
constexpr std::string_view kEditActionPrompt = "Enter new value:";
constexpr std::string_view kSaveChangesQuestion = "Save the changes to this item?";

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
  return screen_.frame.direction == Direction::Response ? ItemKind::Response : ItemKind::Message;
}

void MessageEditor::MessageEditButtons(bool editing) {
  screen_.buttons.listCommandsVisible = !editing;
  screen_.buttons.editCommandsVisible = editing;
  screen_.buttons.insertLabelsVisible = editing;
  UpdateTestFrom(editing);
}

// ---- showing an item

void MessageEditor::ShowItem(const std::string& value) {
  MessageParts parts = ParseMessage(value, catalogue_);
  // The standard title written out only keeps a text that starts like a code (see ComposeMessage).
  if (parts.Display == DisplayKind::Custom && parts.Title == kStandardTitle && StartsLikeCode(parts.Text)) {
    parts.Display = DisplayKind::Standard;
  }
  screen_.actions.lines = AttachedActions(parts, catalogue_);
  screen_.actions.selected.reset();
  screen_.answerBox.text = (IsEditing() || screen_.selected) && InList() ? listGroup_ : std::string();
  answerGroup_.reset();
  ShowWait(parts.WaitSeconds);
  ShowChance(parts.ChanceTenths);
  screen_.pane.title = parts.Display == DisplayKind::Custom ? parts.Title : std::string(kStandardTitle);
  ShowDisplay(parts.Display);
  screen_.text = parts.Text;
  if (parts.AnswerGroup) {
    screen_.answerBox.text = *parts.AnswerGroup;
    answerGroup_ = parts.AnswerGroup;
  }
  UpdateActionButtons();
  UpdateLength();
}

void MessageEditor::ClearPane() { ShowItem(std::string()); }

void MessageEditor::ShowWait(int seconds) {
  screen_.pane.wait = std::clamp(seconds, 0, 9);
  if (screen_.pane.wait == 0) {
    screen_.pane.waitCaption = "immediately";
  } else {
    screen_.pane.waitCaption = "after " + std::to_string(screen_.pane.wait) + " second" + (screen_.pane.wait > 1 ? "s" : "");
  }
}

void MessageEditor::ShowChance(int tenths) {
  screen_.pane.chance = std::clamp(tenths, 0, 10);
  if (screen_.pane.chance == 0) {
    screen_.pane.chanceCaption = "never";
  } else if (screen_.pane.chance == 10) {
    screen_.pane.chanceCaption = "always";
  } else {
    screen_.pane.chanceCaption = std::to_string(screen_.pane.chance) + "0% of the time";
  }
}

void MessageEditor::ShowDisplay(DisplayKind display) {
  screen_.pane.display = DisplayIndex(display);
  if (display == DisplayKind::Standard) {
    screen_.pane.title = std::string(kStandardTitle);
    screen_.pane.titleEnabled = false;
  } else if (display == DisplayKind::Box) {
    screen_.pane.title = std::string(kBoxTitleShown);
    screen_.pane.titleEnabled = false;
  } else {
    screen_.pane.titleEnabled = screen_.pane.displayEnabled;
  }
}

// ---- beginning and ending an edit

void MessageEditor::BeginEdit(int line) {
  editState_ = line;
  if (InList()) {
    ShowItem(line >= 0 ? ReadItem(line + 1) : std::string());
    screen_.pane.optionsEnabled = true;
    screen_.pane.waitEnabled = screen_.frame.direction == Direction::Message;
    screen_.pane.actionsEnabled = true;
    screen_.pane.displayEnabled = true;
    screen_.pane.titleEnabled = screen_.pane.display == DisplayIndex(DisplayKind::Custom);
    screen_.pane.actionsCompact = true;
    screen_.answerBox.enabled = true;
    UpdateAddButton();
  } else {
    screen_.text = ReadItem(1);
    screen_.infoPreview = screen_.text;
  }
  screen_.frame.editing = true;
  MessageEditButtons(true);
  if (!InList()) screen_.buttons.insertLabelsVisible = false;
  UpdateLength();
  editStart_ = ComposedValue();
  focusText_ = true;
}

void MessageEditor::EndEdit(bool save) {
  if (!editState_) return;
  const int k = *editState_;
  if (save) {
    const std::string value = InList() ? ComposedValue() : screen_.text;
    if (InList()) {
      // What would be read back as something else is not stored; the item stays open to mend.
      if (auto problem = ReadBackProblem(value, PaneParts(), screen_.actions.lines, Kind(), listGroup_, catalogue_)) {
        prompter_.Inform(*problem, platform::Icon::Exclamation);
        return;
      }
    }
    const bool replacing = k >= 0 && k < static_cast<int>(screen_.lines.size());
    store::EditAction action(script_.Store(),
                             StepName("Save", replacing ? k + 1 : static_cast<int>(screen_.lines.size()) + 1));
    if (!InList()) {
      editState_.reset();
      script_.PutMessage(kInfoKey, value);
      screen_.lines = {screen_.text};
    } else {
      std::optional<int> line;
      {
        store::DescriptorBatch batch(script_.Store(), script_.Record().Name);
        if (k >= 0 && k < static_cast<int>(screen_.lines.size())) {
          line = k;
          screen_.lines[static_cast<std::size_t>(k)] = MessageDisplayText(value);
        } else {
          screen_.lines.push_back(MessageDisplayText(value));
          line = static_cast<int>(screen_.lines.size()) - 1;
          script_.PutMessage(countKey_, std::to_string(screen_.lines.size()));
          screen_.buttons.clearAll = true;
        }
        WriteItem(*line + 1, value);
      }
      editState_.reset();
      screen_.selected = line;
    }
    Changed();
  } else {
    editState_.reset();
    if (InList()) screen_.selected.reset();
  }
  screen_.buttons.del = true;
  screen_.pane.optionsEnabled = false;
  screen_.pane.waitEnabled = false;
  screen_.pane.actionsEnabled = false;
  screen_.pane.displayEnabled = false;
  screen_.pane.titleEnabled = false;
  screen_.pane.actionsCompact = false;
  screen_.pane.add = false;
  screen_.answerBox.enabled = false;
  screen_.frame.editing = false;
  MessageEditButtons(false);
  if (InList()) {
    if (screen_.selected) {
      ShowItem(ReadItem(*screen_.selected + 1));
    } else {
      ClearPane();
    }
    SetItemCommands();
  }
  UpdateLength();
}

std::optional<std::string> MessageEditor::PaneProblem() const {
  if (!InList()) return std::nullopt;
  const DisplayKind display = DisplayOfIndex(screen_.pane.display);
  // A title in front shields a response's text as it does a message's.
  const TextUse use =
      Kind() == ItemKind::Response && display == DisplayKind::Standard ? TextUse::ResponseText : TextUse::MessageText;
  if (auto problem = TextProblem(screen_.text, use)) return problem;
  if (display == DisplayKind::Custom) {
    if (auto problem = TextProblem(screen_.pane.title, TextUse::Title)) return problem;
  }
  if (answerGroup_) return AnswerProblem(*answerGroup_);
  return std::nullopt;
}

bool MessageEditor::Save() {
  if (!IsEditing()) return false;
  if (auto problem = PaneProblem()) {
    // The edit goes on, so the author can mend what was refused.
    prompter_.Refuse(*problem);
    Publish();
    return false;
  }
  EndEdit(true);
  if (!InList()) BeginEdit(0);
  Publish();
  return true;
}

bool MessageEditor::HasUnsavedChanges() const { return IsEditing() && ComposedValue() != editStart_; }

bool MessageEditor::SettleEdit() {
  if (!HasUnsavedChanges()) return true;
  switch (prompter_.Message(std::string(kSaveChangesQuestion), platform::Buttons::YesNoCancel,
                            platform::Icon::Question)) {
    case platform::Answer::Yes:
      return Save();
    case platform::Answer::No:
      // What was typed is dropped; the caller ends the edit as it always did.
      return true;
    default:
      return false;
  }
}

void MessageEditor::Cancel() {
  if (!IsEditing()) return;
  reloadRequested_ = false;
  EndEdit(false);
  if (!InList()) {
    screen_.buttons.del = script_.GetMessage(kInfoKey) != store::kNoMessage;
    BeginEdit(0);
  }
  Publish();
}

void MessageEditor::Delete() {
  if (!IsEditing() || !screen_.buttons.del) return;
  if (!InList()) {
    {
      store::EditAction action(script_.Store(), "Delete information");
      script_.PutMessage(kInfoKey, "");
    }
    Changed();
    EndEdit(false);
    screen_.lines = {std::string()};
    screen_.buttons.del = false;
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
  screen_.selected = k;
  RemoveItem(k);
  Publish();
}

// ---- the pane's controls

void MessageEditor::TypeText(const std::string& text) {
  if (!IsEditing()) return;
  screen_.text = text;
  if (!InList()) screen_.infoPreview = text;
  UpdateLength();
  Publish();
}

std::optional<std::string> MessageEditor::AnswerProblem(const std::string& name) const {
  if (auto problem = KeyNameProblem(name)) return problem;
  if (Kind() == ItemKind::Message && name != listGroup_ && AnswerPlaysAsCondition(name)) {
    return "A message cannot offer the responses of \"" + name + "\": the game reads \"*R" + name +
           "\" as a condition on a damaged ship system and would never send the message.";
  }
  return std::nullopt;
}

bool MessageEditor::TypeAnswer(const std::string& text) {
  if (!IsEditing() || !InList()) return false;
  // Checked when the item is saved: a name being typed may pass through names that cannot be
  // answers ("S" on the way to "Sector").
  ApplyAnswer(text.empty() ? listGroup_ : text);
  Publish();
  return true;
}

void MessageEditor::ChooseAnswer(int index) {
  if (!IsEditing() || !InList() || index < 0 || index >= static_cast<int>(screen_.answerBox.items.size())) return;
  const std::string& name = screen_.answerBox.items[static_cast<std::size_t>(index)];
  if (auto problem = AnswerProblem(name)) {
    prompter_.Inform(*problem, platform::Icon::Exclamation);
    view_.ShowAnswerBox(shown_.answerBox = screen_.answerBox);
    return;
  }
  ApplyAnswer(name);
  Publish();
}

void MessageEditor::ApplyAnswer(const std::string& name) {
  screen_.answerBox.text = name;
  if (name == listGroup_) {
    answerGroup_.reset();
  } else {
    answerGroup_ = name;
  }
  UpdateLength();
}

void MessageEditor::SetWait(int seconds) {
  if (!IsEditing() || !screen_.pane.waitEnabled) return;
  ShowWait(seconds);
  UpdateLength();
  Publish();
}

void MessageEditor::SetChance(int tenths) {
  if (!IsEditing() || !screen_.pane.optionsEnabled) return;
  ShowChance(tenths);
  UpdateLength();
  Publish();
}

void MessageEditor::SetDisplay(DisplayKind display) {
  if (!IsEditing() || !screen_.pane.displayEnabled) return;
  ShowDisplay(display);
  if (display == DisplayKind::Custom) focusTitle_ = true;
  UpdateLength();
  Publish();
}

bool MessageEditor::TypeTitle(const std::string& title) {
  if (!IsEditing() || !screen_.pane.titleEnabled) return false;
  screen_.pane.title = title;
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
  screen_.pane.catalogueChoice = index;
  UpdateAddButton();
  Publish();
}

void MessageEditor::UpdateAddButton() {
  const auto& choice = screen_.pane.catalogueChoice;
  screen_.pane.add = screen_.pane.actionsEnabled && choice.has_value() &&
              !(screen_.frame.direction == Direction::Response && !catalogue_[static_cast<std::size_t>(*choice)].IsPrefix);
}

void MessageEditor::AddAction() {
  if (!IsEditing() || !screen_.pane.add || !screen_.pane.catalogueChoice) return;
  const SpecialAction& entry = catalogue_[static_cast<std::size_t>(*screen_.pane.catalogueChoice)];
  if (entry.IsPrefix) {
    for (const auto& line : screen_.actions.lines) {
      if (line.starts_with("%F") || line.starts_with("%f")) continue;
      const bool marker = entry.Line.starts_with("%G") && line.starts_with("%G");
      if (marker || line == entry.Line) {
        prompter_.Inform(std::string("You cannot have more than one ") +
                         (marker ? "direction marker" : "of the same restriction") + ".");
        return;
      }
    }
  }
  screen_.actions.lines.push_back(entry.Line);
  UpdateActionButtons();
  UpdateLength();
  Publish();
}

void MessageEditor::SelectAction(std::optional<int> index) {
  if (index && (*index < 0 || *index >= static_cast<int>(screen_.actions.lines.size()))) index.reset();
  screen_.actions.selected = index;
  UpdateActionButtons();
  Publish();
}

void MessageEditor::UpdateActionButtons() {
  const auto& sel = screen_.actions.selected;
  const bool editing = IsEditing() && InList();
  screen_.pane.actionDelete = editing && sel.has_value();
  if (!sel) {
    screen_.pane.actionEdit = false;
    return;
  }
  const std::string& line = screen_.actions.lines[static_cast<std::size_t>(*sel)];
  screen_.pane.actionEdit = editing && !IsUnknownCodeLine(line) && (Contains(line, '[') || Contains(line, '('));
}

void MessageEditor::DeleteAction() {
  if (!IsEditing() || !screen_.actions.selected) return;
  const int at = *screen_.actions.selected;
  screen_.actions.lines.erase(screen_.actions.lines.begin() + at);
  const int n = static_cast<int>(screen_.actions.lines.size());
  screen_.actions.selected = n == 0 ? std::nullopt : std::optional<int>(std::min(at, n - 1));
  UpdateActionButtons();
  UpdateLength();
  Publish();
}

void MessageEditor::EditAction() {
  if (!IsEditing() || !screen_.pane.actionEdit || !screen_.actions.selected) return;
  std::string& line = screen_.actions.lines[static_cast<std::size_t>(*screen_.actions.selected)];
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
    Changed();  // the chooser may have written a description
  }
  UpdateLength();
  Publish();
}

// ---- the value and its length

MessageParts MessageEditor::PaneParts() const {
  MessageParts parts;
  parts.Text = screen_.text;
  parts.WaitSeconds = screen_.pane.wait;
  parts.ChanceTenths = screen_.pane.chance;
  parts.Display = DisplayOfIndex(screen_.pane.display);
  if (parts.Display == DisplayKind::Custom) parts.Title = screen_.pane.title;
  parts.AnswerGroup = answerGroup_;
  return parts;
}

std::string MessageEditor::ComposedValue() const {
  if (!InList()) return screen_.text;
  return ComposeMessage(PaneParts(), screen_.actions.lines, Kind(), listGroup_);
}

void MessageEditor::UpdateLength() {
  screen_.length = {};
  if (!IsEditing() && !screen_.selected) {
    screen_.pane.actionDelete = false;
    return;
  }
  const std::string value = StoredValue(ComposedValue());
  screen_.length.caption = "Length: " + std::to_string(value.size());
  if (ExceedsLengthLimit(value)) {
    screen_.length.lengthRed = true;
    screen_.length.textRed = true;
    screen_.length.warning = std::string(kLengthLimitText);
  } else if (screen_.frame.direction == Direction::Response && windows_.measureTwips &&
             ExceedsResponseWidth(screen_.text, [&](std::string_view t) { return windows_.measureTwips(std::string(t)); })) {
    screen_.length.textRed = true;
    screen_.length.warning = std::string(kResponseWidthLimitText);
  }
  if (!screen_.actions.selected) screen_.pane.actionDelete = false;
}

}  // namespace zelmora::messages
