#include "messages/message_editor.h"

#include "messages/script_keys.h"
#include "store/descriptor_store.h"

#include <algorithm>
#include <utility>

namespace zelmora::messages {

namespace {

constexpr std::string_view kLoadingGroups = "Loading Groups";
constexpr std::string_view kInfoGroup = "Info";
constexpr std::string_view kNoRoom = "None";
constexpr std::string_view kRemoveQuestion = "Are you sure you want to remove this message?";
constexpr std::string_view kClearQuestion = "Are you sure you want to clear all messages in this group?";

bool EndsWith(std::string_view text, std::string_view tail) { return text.ends_with(tail); }

}  // namespace

std::optional<std::string> GroupNameProblem(std::string_view name) {
  // "*" and "^" start codes when the value is read back; "=" ends a key inside the file.
  for (char c : name) {
    if (c == '*' || c == '^' || c == '=') {
      return "A group name cannot contain \"" + std::string(1, c) + "\": it would be read back as part of a code.";
    }
  }
  if (!name.empty() && (name.front() == ' ' || name.back() == ' ' || name.front() == '\t' || name.back() == '\t')) {
    return "A group name cannot begin or end with a blank: the file's reader would drop it.";
  }
  return std::nullopt;
}

std::optional<std::string> TitleProblem(std::string_view title) {
  for (char c : title) {
    if (c == '*' || c == '^') {
      return "A title cannot contain \"" + std::string(1, c) + "\": it would be read back as part of a code.";
    }
  }
  return std::nullopt;
}

std::string RoomOfGroup(std::string_view group) {
  std::string room(group);
  for (std::string_view tail : {"Search", "Tri", "Locked"}) {
    if (EndsWith(room, tail)) room.resize(room.size() - tail.size());
  }
  return room;
}

MessageEditor::MessageEditor(PlanetScript& script, SpecialActionList catalogue, platform::Prompter& prompter,
                             MessageEditorView& view, MessageEditorWindows windows)
    : script_(script),
      catalogue_(std::move(catalogue)),
      prompter_(prompter),
      view_(view),
      windows_(std::move(windows)) {
  groupBox_.text = std::string(kInitGroup);
  buttons_.test = static_cast<bool>(windows_.test);
  buttons_.wizard = static_cast<bool>(windows_.wizard);
  MessageEditButtons(false);
}

// ---- opening, activation, closing

void MessageEditor::Open(int planet, bool customTicked) {
  script_.SetPlanet(planet);
  custom_ = customTicked;
  open_ = true;
  frame_.animating = true;
  Activate();
}

void MessageEditor::Activate() {
  if (skipActivation_) {
    // Coming back from a window this one opened: nothing of the script has to be read again.
    skipActivation_ = false;
    Publish();
    return;
  }
  const std::string& system = script_.Record().Name;
  if (loaded_ && loadedPlanet_ == script_.Planet() && loadedSystem_ == system && !reloadRequested_) {
    Publish();
    return;
  }
  registry_.clear();
  loaded_ = true;
  loadedPlanet_ = script_.Planet();
  loadedSystem_ = system;
  SelectDirection(Direction::Information);
  groupBox_.text = std::string(kLoadingGroups);
  reloadRequested_ = true;
  buttons_.addGroup = false;
  Publish();
  SelectDirection(Direction::Message);
}

void MessageEditor::Close() {
  reloadRequested_ = false;
  // A window that never came back must not make the next opening skip its reload.
  skipActivation_ = false;
  if (IsEditing()) EndEdit(false);
  frame_.animating = false;
  open_ = false;
  Publish();
  view_.HideWindow();
}

void MessageEditor::RunChildWindow(const std::function<void()>& open) {
  skipActivation_ = true;
  open();
  Activate();
}

// ---- directions and group lists

void MessageEditor::FillGroupLists() {
  view_.SetBusy(true);
  const std::string remembered = groupBox_.text;
  groupBox_.items.clear();
  answerBox_.items.clear();
  lines_.clear();
  selected_.reset();
  if (registry_.empty()) registry_ = DiscoverGroups(script_);
  const bool messageSide = frame_.direction == Direction::Message;
  for (const auto& g : registry_) {
    if (g.IsMessageGroup) (messageSide ? groupBox_ : answerBox_).items.push_back(g.Name);
    if (g.IsResponseGroup) (messageSide ? answerBox_ : groupBox_).items.push_back(g.Name);
  }
  const int at = GroupEntryIndex(remembered);
  if (at <= 0) {
    groupBox_.text = std::string(messageSide ? kInitGroup : kHailGroup);
  } else {
    groupBox_.text = remembered;
  }
  groupBox_.enabled = true;
  buttons_.addGroup = GroupEntryIndex(groupBox_.text) < 0 && !groupBox_.text.empty();
  view_.SetBusy(false);
}

int MessageEditor::GroupEntryIndex(const std::string& name) const {
  auto it = std::find(groupBox_.items.begin(), groupBox_.items.end(), name);
  return it == groupBox_.items.end() ? -1 : static_cast<int>(it - groupBox_.items.begin());
}

void MessageEditor::SelectDirection(Direction direction) {
  if (IsEditing()) EndEdit(false);
  const std::string remembered = groupBox_.text;
  lines_.clear();
  selected_.reset();
  frame_.direction = direction;
  if (direction == Direction::Information) {
    groupBox_ = ComboState{{}, std::string(kInfoGroup), false};
    buttons_.addGroup = false;
    frame_.caption = "Information";
    listGroup_ = std::string(kInfoGroup);
    RefreshList();
    frame_.infoPreview = true;
    infoPreview_.clear();
    buttons_.del = script_.GetMessage(kInfoKey) != store::kNoMessage;
    UpdateEditRoom();
    BeginEdit(0);
    Publish();
    return;
  }
  FillGroupLists();
  frame_.infoPreview = false;
  // The name shown before keeps its place when the new direction knows it or has items under it.
  std::string name = remembered;
  if (GroupEntryIndex(name) < 0 && !name.empty() && !GroupNameProblem(name) && ItemCountInFile(name, direction) > 0) {
    EnterGroup(name, direction);
  }
  if (GroupEntryIndex(name) < 0) name = std::string(kInitGroup);
  if (GroupEntryIndex(name) < 0) name = std::string(kHailGroup);
  if (GroupEntryIndex(name) < 0) name = groupBox_.items.empty() ? std::string(kInitGroup) : groupBox_.items.front();
  SelectGroupEntry(name);
  buttons_.addGroup = false;
  Publish();
}

void MessageEditor::RefreshList() {
  view_.SetBusy(true);
  lines_.clear();
  selected_.reset();
  // With no line selected the pane shows nothing of the item shown before.
  ClearPane();
  int count = 1;
  if (frame_.direction == Direction::Information) {
    countKey_.clear();
    itemKey_ = std::string(kInfoKey);
  } else if (frame_.direction == Direction::Message) {
    countKey_ = MessageCountKey(listGroup_);
    itemKey_ = MessageKey(listGroup_, 0);
    itemKey_.pop_back();
    count = script_.ReadCount(countKey_);
  } else {
    countKey_ = ResponseCountKey(listGroup_);
    itemKey_ = ResponseKey(listGroup_, 0);
    itemKey_.pop_back();
    count = script_.ReadCount(countKey_);
  }
  {
    store::DescriptorBatch batch(script_.Store(), script_.Record().Name);
    lines_.reserve(static_cast<std::size_t>(count));
    for (int i = 1; i <= count; ++i) lines_.push_back(MessageDisplayText(ReadItem(i)));
  }
  buttons_.clearAll = count >= 1 && InList();
  SetItemCommands();
  UpdateLength();
  view_.SetBusy(false);
}

std::string MessageEditor::ReadItem(int number) const {
  std::string value = script_.GetMessage(frame_.direction == Direction::Information ? itemKey_
                                                                                    : itemKey_ + std::to_string(number));
  // An absent item reads as an empty text, never as the reader's "ERR".
  return value == store::kNoMessage ? std::string() : value;
}

void MessageEditor::WriteItem(int number, const std::string& value) {
  script_.PutMessage(frame_.direction == Direction::Information ? itemKey_ : itemKey_ + std::to_string(number), value);
}

int MessageEditor::ItemCountInFile(const std::string& group, Direction direction) const {
  return direction == Direction::Response ? script_.ResponseCount(group) : script_.MessageCount(group);
}

// The group box shows `text`; an entry of its list with that name becomes the shown group.
void MessageEditor::ApplyGroupText(const std::string& text) {
  groupBox_.text = text;
  if (GroupEntryIndex(text) >= 0) {
    SelectGroupEntry(text);
  }
  buttons_.addGroup = GroupEntryIndex(text) < 0 && !text.empty();
  UpdateEditRoom();
}

void MessageEditor::SelectGroupEntry(const std::string& name) {
  if (IsEditing()) EndEdit(false);
  groupBox_.text = name;
  listGroup_ = name;
  frame_.caption =
      std::string(frame_.direction == Direction::Message ? "Message Level: " : "Response Level: ") + name;
  RefreshList();
  UpdateEditRoom();
}

void MessageEditor::TypeGroup(const std::string& text) {
  if (!InList()) return;
  ApplyGroupText(text);
  Publish();
}

void MessageEditor::ChooseGroup(int index) {
  if (!InList() || index < 0 || index >= static_cast<int>(groupBox_.items.size())) return;
  SelectGroupEntry(groupBox_.items[static_cast<std::size_t>(index)]);
  buttons_.addGroup = false;
  Publish();
}

void MessageEditor::EnterGroup(const std::string& name, Direction direction) {
  auto it = std::find_if(registry_.begin(), registry_.end(), [&](const GroupEntry& g) { return g.Name == name; });
  if (it == registry_.end()) {
    registry_.push_back(GroupEntry{name, false, false});
    it = registry_.end() - 1;
  }
  (direction == Direction::Response ? it->IsResponseGroup : it->IsMessageGroup) = true;
  if (GroupEntryIndex(name) < 0) groupBox_.items.push_back(name);
}

bool MessageEditor::AddGroup() {
  const std::string name = groupBox_.text;
  if (!InList() || name.empty() || GroupEntryIndex(name) >= 0) return false;
  if (auto problem = GroupNameProblem(name)) {
    prompter_.Inform(*problem, platform::Icon::Exclamation);
    return false;
  }
  if (IsEditing()) EndEdit(false);
  EnterGroup(name, frame_.direction);
  SelectGroupEntry(name);
  buttons_.addGroup = false;
  Publish();
  return true;
}

void MessageEditor::UpdateEditRoom() {
  const std::string& g = groupBox_.text;
  buttons_.editRoom = static_cast<bool>(windows_.editRoom) && InList() && g != kInfoGroup && g != kBeamGroup &&
                      g != kHailGroup && g != kInitGroup;
}

// ---- the list

void MessageEditor::SetItemCommands() {
  const bool any = selected_.has_value() && InList();
  buttons_.edit = any;
  buttons_.remove = any;
  buttons_.go = any;
  buttons_.up = any && *selected_ > 0;
  buttons_.down = any && *selected_ + 1 < static_cast<int>(lines_.size());
}

void MessageEditor::SelectLine(std::optional<int> line) {
  if (!InList() || IsEditing()) return;
  if (line && (*line < 0 || *line >= static_cast<int>(lines_.size()))) line.reset();
  selected_ = line;
  if (line) {
    ShowItem(ReadItem(*line + 1));
  } else {
    ClearPane();
  }
  SetItemCommands();
  UpdateLength();
  Publish();
}

void MessageEditor::New() {
  if (!InList() || IsEditing()) return;
  selected_.reset();
  buttons_.del = false;
  ClearPane();
  BeginEdit(-1);
  Publish();
}

void MessageEditor::Edit() {
  if (!InList() || IsEditing() || !selected_) return;
  BeginEdit(*selected_);
  Publish();
}

void MessageEditor::Remove() {
  if (!InList() || IsEditing() || !selected_) return;
  if (prompter_.Message(std::string(kRemoveQuestion), platform::Buttons::YesNo, platform::Icon::Question) !=
      platform::Answer::Yes) {
    return;
  }
  RemoveItem(*selected_);
  Publish();
}

void MessageEditor::RemoveItem(int line) {
  const int k = line + 1;
  const int n = static_cast<int>(lines_.size());
  {
    store::DescriptorBatch batch(script_.Store(), script_.Record().Name);
    for (int j = k + 1; j <= n; ++j) WriteItem(j - 1, ReadItem(j));
    script_.PutMessage(countKey_, std::to_string(n - 1));
  }
  lines_.erase(lines_.begin() + line);
  selected_.reset();
  ClearPane();
  buttons_.clearAll = !lines_.empty();
  SetItemCommands();
  UpdateLength();
}

void MessageEditor::ClearAll() {
  if (!InList() || IsEditing() || lines_.empty()) return;
  if (prompter_.Message(std::string(kClearQuestion), platform::Buttons::YesNo, platform::Icon::Question) !=
      platform::Answer::Yes) {
    return;
  }
  lines_.clear();
  selected_.reset();
  text_.clear();
  ClearPane();
  script_.PutMessage(countKey_, "0");
  buttons_.clearAll = false;
  SetItemCommands();
  UpdateLength();
  Publish();
}

void MessageEditor::MoveUp() {
  if (buttons_.up) SwapWith(-1);
}

void MessageEditor::MoveDown() {
  if (buttons_.down) SwapWith(1);
}

void MessageEditor::SwapWith(int offset) {
  if (!InList() || IsEditing() || !selected_) return;
  const int a = *selected_;
  const int b = a + offset;
  if (b < 0 || b >= static_cast<int>(lines_.size())) return;
  {
    store::DescriptorBatch batch(script_.Store(), script_.Record().Name);
    const std::string va = ReadItem(a + 1);
    const std::string vb = ReadItem(b + 1);
    WriteItem(a + 1, vb);
    WriteItem(b + 1, va);
  }
  std::swap(lines_[static_cast<std::size_t>(a)], lines_[static_cast<std::size_t>(b)]);
  selected_ = b;
  ShowItem(ReadItem(b + 1));
  SetItemCommands();
  UpdateLength();
  Publish();
}

void MessageEditor::GoToAnswer() {
  if (!InList() || answerBox_.text.empty()) return;
  const std::string target = answerBox_.text;
  SelectDirection(frame_.direction == Direction::Message ? Direction::Response : Direction::Message);
  groupBox_.text = target;
  if (GroupEntryIndex(target) < 0) {
    if (auto problem = GroupNameProblem(target)) {
      prompter_.Inform(*problem, platform::Icon::Exclamation);
      Publish();
      return;
    }
    EnterGroup(target, frame_.direction);
  }
  SelectGroupEntry(target);
  buttons_.addGroup = false;
  Publish();
}

void MessageEditor::SetCustom(bool ticked) {
  custom_ = ticked;
  const auto& record = script_.Record();
  script_.Store().SetPlanetFlag(record, "Messages", script_.Planet(), record.PlanetCount, ticked);
  Publish();
}

// ---- the other windows

void MessageEditor::EditRoom() {
  if (!buttons_.editRoom || IsEditing()) return;
  const std::string group = groupBox_.text;
  if (group == kNoRoom) return;
  const std::string room = RoomOfGroup(group);
  std::optional<std::string> ended;
  RunChildWindow([&] { ended = windows_.editRoom(script_.Planet(), room); });
  if (!ended) return;
  groupBox_.text = *ended;
  FillGroupLists();
  if (GroupEntryIndex(*ended) < 0 && !GroupNameProblem(*ended)) EnterGroup(*ended, frame_.direction);
  ApplyGroupText(*ended);
  if (GroupEntryIndex(*ended) < 0) RefreshList();
  Publish();
}

void MessageEditor::Wizard() {
  if (!windows_.wizard || IsEditing()) return;
  reloadRequested_ = true;
  windows_.wizard(script_.Planet());
  Activate();
}

void MessageEditor::Test() {
  if (!windows_.test || IsEditing()) return;
  RunChildWindow([&] { windows_.test(script_.Planet()); });
}

std::string MessageEditor::GetFlagChar(const std::string& current) {
  if (!windows_.chooseFlag) return current.empty() ? std::string("A") : current;
  return windows_.chooseFlag(script_.Planet(), current);
}

// ---- the view

void MessageEditor::Publish() {
  if (!(frame_ == shown_.frame)) view_.ShowFrame(shown_.frame = frame_);
  if (!(groupBox_ == shown_.groupBox)) view_.ShowGroupBox(shown_.groupBox = groupBox_);
  if (!(answerBox_ == shown_.answerBox)) view_.ShowAnswerBox(shown_.answerBox = answerBox_);
  if (lines_ != shown_.lines) {
    view_.ShowListLines(shown_.lines = lines_);
    shown_.selected.reset();
    view_.ShowListSelection(std::nullopt);
  }
  if (selected_ != shown_.selected) view_.ShowListSelection(shown_.selected = selected_);
  if (!(buttons_ == shown_.buttons)) view_.ShowButtons(shown_.buttons = buttons_);
  if (text_ != shown_.text) view_.ShowText(shown_.text = text_);
  if (!(pane_ == shown_.pane)) view_.ShowPane(shown_.pane = pane_);
  if (!(actions_ == shown_.actions)) view_.ShowActions(shown_.actions = actions_);
  if (!(length_ == shown_.length)) view_.ShowLength(shown_.length = length_);
  if (infoPreview_ != shown_.infoPreview) view_.ShowInfoPreview(shown_.infoPreview = infoPreview_);
  if (custom_ != shown_.custom) view_.ShowCustom(shown_.custom = custom_);
  if (std::exchange(focusText_, false)) view_.FocusTextAtEnd();
  if (std::exchange(focusTitle_, false)) view_.FocusTitle();
}

void MessageEditor::Repaint() {
  view_.ShowFrame(shown_.frame = frame_);
  view_.ShowGroupBox(shown_.groupBox = groupBox_);
  view_.ShowAnswerBox(shown_.answerBox = answerBox_);
  view_.ShowListLines(shown_.lines = lines_);
  view_.ShowListSelection(shown_.selected = selected_);
  view_.ShowButtons(shown_.buttons = buttons_);
  view_.ShowText(shown_.text = text_);
  view_.ShowPane(shown_.pane = pane_);
  view_.ShowActions(shown_.actions = actions_);
  view_.ShowLength(shown_.length = length_);
  view_.ShowInfoPreview(shown_.infoPreview = infoPreview_);
  view_.ShowCustom(shown_.custom = custom_);
}

}  // namespace zelmora::messages
