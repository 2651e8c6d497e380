#include "messages/message_editor.h"

#include "messages/script_keys.h"
#include "messages/typed_text.h"
#include "store/descriptor_store.h"
#include "ui/platform/text_rules.h"

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
  screen_.groupBox.text = std::string(kInitGroup);
  screen_.buttons.test = static_cast<bool>(windows_.test);
  screen_.buttons.wizard = static_cast<bool>(windows_.wizard);
  screen_.buttons.issues = static_cast<bool>(windows_.issues);
  screen_.buttons.map = static_cast<bool>(windows_.map);
  screen_.buttons.find = static_cast<bool>(windows_.find);
  MessageEditButtons(false);
}

// ---- opening, activation, closing

void MessageEditor::Open(int planet, bool customTicked) {
  script_.SetPlanet(planet);
  screen_.custom = customTicked;
  open_ = true;
  screen_.frame.animating = true;
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
  played_.reset();
  AskPlayed();
  ChangeDirection(Direction::Information);
  screen_.groupBox.text = std::string(kLoadingGroups);
  reloadRequested_ = true;
  screen_.buttons.addGroup = false;
  Publish();
  ChangeDirection(Direction::Message);
}

void MessageEditor::ScriptRestored() {
  if (!open_) return;
  if (IsEditing()) EndEdit(false);
  registry_.clear();
  const auto& record = script_.Record();
  screen_.custom = script_.Store().GetPlanetFlag(record, "Messages", script_.Planet()) == 1;
  SelectDirection(screen_.frame.direction);
  AskPlayed();
  Publish();
}

bool MessageEditor::Close() {
  if (!SettleEdit()) {
    Publish();
    return false;
  }
  reloadRequested_ = false;
  // A window that never came back must not make the next opening skip its reload.
  skipActivation_ = false;
  if (IsEditing()) EndEdit(false);
  screen_.frame.animating = false;
  open_ = false;
  Publish();
  view_.HideWindow();
  return true;
}

void MessageEditor::RunChildWindow(const std::function<void()>& open) {
  skipActivation_ = true;
  open();
  Activate();
}

// ---- directions and group lists

void MessageEditor::FillGroupLists() {
  view_.SetBusy(true);
  const std::string remembered = screen_.groupBox.text;
  screen_.lines.clear();
  screen_.selected.reset();
  if (registry_.empty()) registry_ = DiscoverGroups(script_);
  ListRegistry();
  const bool messageSide = screen_.frame.direction == Direction::Message;
  const int at = GroupEntryIndex(remembered);
  if (at <= 0) {
    screen_.groupBox.text = std::string(messageSide ? kInitGroup : kHailGroup);
  } else {
    screen_.groupBox.text = remembered;
  }
  screen_.groupBox.enabled = true;
  screen_.buttons.addGroup = GroupEntryIndex(screen_.groupBox.text) < 0 && !screen_.groupBox.text.empty();
  view_.SetBusy(false);
}

void MessageEditor::ListRegistry() {
  screen_.groupBox.items.clear();
  screen_.answerBox.items.clear();
  const bool messageSide = screen_.frame.direction == Direction::Message;
  for (const auto& g : registry_) {
    if (g.IsMessageGroup) (messageSide ? screen_.groupBox : screen_.answerBox).items.push_back(g.Name);
    if (g.IsResponseGroup) (messageSide ? screen_.answerBox : screen_.groupBox).items.push_back(g.Name);
  }
}

int MessageEditor::GroupEntryIndex(const std::string& name) const {
  auto it = std::find(screen_.groupBox.items.begin(), screen_.groupBox.items.end(), name);
  return it == screen_.groupBox.items.end() ? -1 : static_cast<int>(it - screen_.groupBox.items.begin());
}

bool MessageEditor::SelectDirection(Direction direction) {
  if (!SettleEdit()) {
    // The option the author clicked goes back to the direction kept.
    view_.ShowFrame(shown_.frame = screen_.frame);
    return false;
  }
  ChangeDirection(direction);
  return true;
}

void MessageEditor::ChangeDirection(Direction direction) {
  if (IsEditing()) EndEdit(false);
  const std::string remembered = screen_.groupBox.text;
  screen_.lines.clear();
  screen_.selected.reset();
  screen_.frame.direction = direction;
  if (direction == Direction::Information) {
    screen_.groupBox = ComboState{{}, std::string(kInfoGroup), false};
    screen_.buttons.addGroup = false;
    screen_.frame.caption = "Information";
    listGroup_ = std::string(kInfoGroup);
    RefreshList();
    screen_.frame.infoPreview = true;
    screen_.infoPreview.clear();
    screen_.buttons.del = script_.GetMessage(kInfoKey) != store::kNoMessage;
    UpdateEditRoom();
    BeginEdit(0);
    Publish();
    return;
  }
  FillGroupLists();
  screen_.frame.infoPreview = false;
  // The name shown before keeps its place when the new direction knows it or has items under it.
  std::string name = remembered;
  if (GroupEntryIndex(name) < 0 && !name.empty() && !KeyNameProblem(name) && ItemCountInFile(name, direction) > 0) {
    EnterGroup(name, direction);
  }
  if (GroupEntryIndex(name) < 0) name = std::string(kInitGroup);
  if (GroupEntryIndex(name) < 0) name = std::string(kHailGroup);
  if (GroupEntryIndex(name) < 0) name = screen_.groupBox.items.empty() ? std::string(kInitGroup) : screen_.groupBox.items.front();
  SelectGroupEntry(name);
  screen_.buttons.addGroup = false;
  Publish();
}

void MessageEditor::RefreshList() {
  view_.SetBusy(true);
  screen_.lines.clear();
  screen_.selected.reset();
  // With no line selected the pane shows nothing of the item shown before.
  ClearPane();
  int count = 1;
  if (screen_.frame.direction == Direction::Information) {
    countKey_.clear();
    itemKey_ = std::string(kInfoKey);
  } else if (screen_.frame.direction == Direction::Message) {
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
  if (InList()) {
    // One reading for the whole list, however many items the count claims.
    for (auto& value : script_.Items(itemKey_, count)) {
      screen_.lines.push_back(MessageDisplayText(value == store::kNoMessage ? std::string() : value));
    }
  } else {
    screen_.lines.push_back(MessageDisplayText(ReadItem(1)));
  }
  screen_.buttons.clearAll = count >= 1 && InList();
  screen_.buttons.renameGroup = InList() && static_cast<bool>(windows_.renameGroup);
  SetItemCommands();
  UpdateLength();
  UpdateWords();
  view_.SetBusy(false);
}

std::string MessageEditor::ReadItem(int number) const {
  std::string value = script_.GetMessage(screen_.frame.direction == Direction::Information ? itemKey_
                                                                                    : itemKey_ + std::to_string(number));
  // An absent item reads as an empty text, never as the reader's "ERR".
  return value == store::kNoMessage ? std::string() : value;
}

void MessageEditor::WriteItem(int number, const std::string& value) {
  script_.PutMessage(screen_.frame.direction == Direction::Information ? itemKey_ : itemKey_ + std::to_string(number), value);
}

int MessageEditor::ItemCountInFile(const std::string& group, Direction direction) const {
  return direction == Direction::Response ? script_.ResponseCount(group) : script_.MessageCount(group);
}

// The group box shows `text`; an entry of its list with that name becomes the shown group.
void MessageEditor::ApplyGroupText(const std::string& text) {
  screen_.groupBox.text = text;
  if (GroupEntryIndex(text) >= 0) {
    SelectGroupEntry(text);
  }
  screen_.buttons.addGroup = GroupEntryIndex(text) < 0 && !text.empty();
  UpdateEditRoom();
  UpdateTestFrom(IsEditing());
}

void MessageEditor::SelectGroupEntry(const std::string& name) {
  if (IsEditing()) EndEdit(false);
  screen_.groupBox.text = name;
  listGroup_ = name;
  screen_.frame.caption =
      std::string(screen_.frame.direction == Direction::Message ? "Message Level: " : "Response Level: ") + name;
  RefreshList();
  UpdateEditRoom();
}

void MessageEditor::TypeGroup(const std::string& text) {
  if (!InList()) return;
  // Typing the name of a listed group opens it, which ends the edit.
  if (GroupEntryIndex(text) >= 0 && !SettleEdit()) {
    view_.ShowGroupBox(shown_.groupBox = screen_.groupBox);
    return;
  }
  ApplyGroupText(text);
  Publish();
}

bool MessageEditor::ChooseGroup(int index) {
  if (!InList() || index < 0 || index >= static_cast<int>(screen_.groupBox.items.size())) return false;
  if (!SettleEdit()) {
    view_.ShowGroupBox(shown_.groupBox = screen_.groupBox);
    return false;
  }
  SelectGroupEntry(screen_.groupBox.items[static_cast<std::size_t>(index)]);
  screen_.buttons.addGroup = false;
  Publish();
  return true;
}

void MessageEditor::EnterGroup(const std::string& name, Direction direction) {
  auto it = std::find_if(registry_.begin(), registry_.end(), [&](const GroupEntry& g) { return g.Name == name; });
  if (it == registry_.end()) {
    registry_.push_back(GroupEntry{name, false, false});
    it = registry_.end() - 1;
  }
  (direction == Direction::Response ? it->IsResponseGroup : it->IsMessageGroup) = true;
  if (GroupEntryIndex(name) < 0) screen_.groupBox.items.push_back(name);
}

bool MessageEditor::AddGroup() {
  const std::string name = screen_.groupBox.text;
  if (!InList() || name.empty() || GroupEntryIndex(name) >= 0) return false;
  if (auto problem = KeyNameProblem(name)) {
    prompter_.Refuse(*problem);
    return false;
  }
  if (!SettleEdit()) return false;
  if (IsEditing()) EndEdit(false);
  // The file may hold items under the name already, and they may lead to groups not listed yet.
  DiscoverFrom(script_, registry_, name, screen_.frame.direction == Direction::Response);
  ListRegistry();
  SelectGroupEntry(name);
  screen_.buttons.addGroup = false;
  Publish();
  return true;
}

void MessageEditor::UpdateEditRoom() {
  const std::string& g = screen_.groupBox.text;
  screen_.buttons.editRoom = static_cast<bool>(windows_.editRoom) && InList() && g != kInfoGroup && g != kBeamGroup &&
                      g != kHailGroup && g != kInitGroup;
}

// ---- the list

void MessageEditor::SetItemCommands() {
  const bool any = screen_.selected.has_value() && InList();
  screen_.buttons.edit = any;
  screen_.buttons.remove = any;
  screen_.buttons.go = any;
  screen_.buttons.up = any && *screen_.selected > 0;
  screen_.buttons.down = any && *screen_.selected + 1 < static_cast<int>(screen_.lines.size());
  UpdateTestFrom(IsEditing());
}

void MessageEditor::UpdateTestFrom(bool editing) {
  // A name typed but not added is no group to start at, though the list still shows the last one.
  screen_.buttons.testFrom = windows_.testFrom && InList() && !editing && !screen_.lines.empty() &&
                             screen_.groupBox.text == listGroup_;
}

void MessageEditor::SelectLine(std::optional<int> line) {
  if (!InList() || IsEditing()) return;
  if (line && (*line < 0 || *line >= static_cast<int>(screen_.lines.size()))) line.reset();
  screen_.selected = line;
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
  screen_.selected.reset();
  screen_.buttons.del = false;
  // With no line selected there is no answer to go to.
  SetItemCommands();
  ClearPane();
  BeginEdit(-1);
  Publish();
}

void MessageEditor::Edit() {
  if (!InList() || IsEditing() || !screen_.selected) return;
  BeginEdit(*screen_.selected);
  Publish();
}

void MessageEditor::Remove() {
  if (!InList() || IsEditing() || !screen_.selected) return;
  if (prompter_.Message(std::string(kRemoveQuestion), platform::Buttons::YesNo, platform::Icon::Question) !=
      platform::Answer::Yes) {
    return;
  }
  RemoveItem(*screen_.selected);
  Publish();
}

std::string MessageEditor::StepName(std::string_view verb, int number) const {
  if (screen_.frame.direction == Direction::Information) return std::string(verb) + " information";
  return std::string(verb) + (screen_.frame.direction == Direction::Response ? " response " : " message ") +
         listGroup_ + " " + std::to_string(number);
}

void MessageEditor::RemoveItem(int line) {
  const int k = line + 1;
  const int n = static_cast<int>(screen_.lines.size());
  {
    store::EditAction action(script_.Store(), StepName("Remove", k));
    store::DescriptorBatch batch(script_.Store(), script_.Record().Name);
    for (int j = k + 1; j <= n; ++j) WriteItem(j - 1, ReadItem(j));
    script_.PutMessage(countKey_, std::to_string(n - 1));
  }
  screen_.lines.erase(screen_.lines.begin() + line);
  screen_.selected.reset();
  ClearPane();
  screen_.buttons.clearAll = !screen_.lines.empty();
  SetItemCommands();
  UpdateLength();
  Changed();
}

void MessageEditor::ClearAll() {
  if (!InList() || IsEditing() || screen_.lines.empty()) return;
  if (prompter_.Message(std::string(kClearQuestion), platform::Buttons::YesNo, platform::Icon::Question) !=
      platform::Answer::Yes) {
    return;
  }
  screen_.lines.clear();
  screen_.selected.reset();
  screen_.text.clear();
  ClearPane();
  {
    store::EditAction action(script_.Store(), std::string("Clear All ") +
                                                  (screen_.frame.direction == Direction::Response ? "responses "
                                                                                                 : "messages ") +
                                                  listGroup_);
    script_.PutMessage(countKey_, "0");
  }
  screen_.buttons.clearAll = false;
  SetItemCommands();
  UpdateLength();
  Changed();
  Publish();
}

void MessageEditor::MoveUp() {
  if (screen_.buttons.up) SwapWith(-1);
}

void MessageEditor::MoveDown() {
  if (screen_.buttons.down) SwapWith(1);
}

void MessageEditor::SwapWith(int offset) {
  if (!InList() || IsEditing() || !screen_.selected) return;
  const int a = *screen_.selected;
  const int b = a + offset;
  if (b < 0 || b >= static_cast<int>(screen_.lines.size())) return;
  {
    store::EditAction action(script_.Store(), StepName(offset < 0 ? "Move up" : "Move down", a + 1));
    store::DescriptorBatch batch(script_.Store(), script_.Record().Name);
    const std::string va = ReadItem(a + 1);
    const std::string vb = ReadItem(b + 1);
    WriteItem(a + 1, vb);
    WriteItem(b + 1, va);
  }
  std::swap(screen_.lines[static_cast<std::size_t>(a)], screen_.lines[static_cast<std::size_t>(b)]);
  screen_.selected = b;
  ShowItem(ReadItem(b + 1));
  SetItemCommands();
  UpdateLength();
  Changed();
  Publish();
}

void MessageEditor::GoToAnswer() {
  if (!InList() || !screen_.buttons.go || screen_.answerBox.text.empty()) return;
  const std::string target = screen_.answerBox.text;
  if (auto problem = KeyNameProblem(target)) {
    prompter_.Refuse(*problem);
    return;
  }
  if (!SettleEdit()) return;
  ChangeDirection(screen_.frame.direction == Direction::Message ? Direction::Response : Direction::Message);
  screen_.groupBox.text = target;
  if (GroupEntryIndex(target) < 0) {
    EnterGroup(target, screen_.frame.direction);
  }
  SelectGroupEntry(target);
  screen_.buttons.addGroup = false;
  Publish();
}

void MessageEditor::SetCustom(bool ticked) {
  screen_.custom = ticked;
  const auto& record = script_.Record();
  store::EditAction action(script_.Store(), ticked ? "Use Custom Messages" : "No Custom Messages");
  script_.Store().SetPlanetFlag(record, "Messages", script_.Planet(), record.PlanetCount, ticked);
  Changed();
  Publish();
}

// ---- the other windows

void MessageEditor::EditRoom() {
  if (!screen_.buttons.editRoom || IsEditing()) return;
  const std::string group = screen_.groupBox.text;
  if (group == kNoRoom) return;
  const std::string room = RoomOfGroup(group);
  if (auto problem = KeyNameProblem(room)) {
    prompter_.Refuse(*problem);
    return;
  }
  std::optional<std::string> ended;
  RunChildWindow([&] { ended = windows_.editRoom(script_.Planet(), room); });
  if (!ended) return;
  Changed();
  screen_.groupBox.text = *ended;
  FillGroupLists();
  if (GroupEntryIndex(*ended) < 0 && !KeyNameProblem(*ended)) EnterGroup(*ended, screen_.frame.direction);
  ApplyGroupText(*ended);
  if (GroupEntryIndex(*ended) < 0) RefreshList();
  Publish();
}

void MessageEditor::Wizard() {
  if (!windows_.wizard || IsEditing()) return;
  reloadRequested_ = true;
  windows_.wizard(script_.Planet());
  Activate();
  Changed();
}

void MessageEditor::Test() {
  if (!windows_.test || IsEditing()) return;
  RunChildWindow([&] { windows_.test(script_.Planet()); });
}

void MessageEditor::TestFromHere() {
  if (!screen_.buttons.testFrom) return;  // as a click on the disabled button
  const std::string group = listGroup_;
  const Direction direction = screen_.frame.direction;
  RunChildWindow([&] { windows_.testFrom(script_.Planet(), group, direction); });
}

void MessageEditor::Issues() {
  if (windows_.issues) windows_.issues(script_.Planet());
}

void MessageEditor::Map() {
  if (windows_.map) windows_.map(script_.Planet());
}

void MessageEditor::GoToItem(Direction direction, const std::string& group, int item) {
  if (!SettleEdit()) return;
  if (IsEditing()) EndEdit(false);
  if (screen_.frame.direction != direction) ChangeDirection(direction);
  if (direction != Direction::Information && !group.empty()) {
    if (GroupEntryIndex(group) < 0 && !KeyNameProblem(group)) EnterGroup(group, direction);
    if (GroupEntryIndex(group) >= 0 && listGroup_ != group) SelectGroupEntry(group);
    screen_.buttons.addGroup = false;
  }
  Publish();
  if (direction != Direction::Information && item >= 1 && item <= static_cast<int>(screen_.lines.size())) {
    SelectLine(item - 1);
  }
}

void MessageEditor::OpenRoom(const std::string& room) {
  if (!InList() || room.empty()) return;
  if (!SettleEdit()) return;
  if (IsEditing()) EndEdit(false);
  ApplyGroupText(room);
  Publish();
  EditRoom();
}

void MessageEditor::Changed() {
  UpdateWords();
  AskPlayed();
  if (windows_.scriptChanged) windows_.scriptChanged();
}

void MessageEditor::MarkUntested(bool on) {
  screen_.untested.on = on;
  played_.reset();
  AskPlayed();
  Publish();
}

void MessageEditor::AskPlayed() {
  if (screen_.untested.on && windows_.playedByTests) windows_.playedByTests(script_.Planet());
}

void MessageEditor::ShowPlayed(int planet, int recordings, std::set<std::string> keys) {
  if (!screen_.untested.on || planet != script_.Planet()) return;
  played_ = Played{recordings, std::move(keys)};
  Publish();
}

void MessageEditor::UpdateUntested() {
  UntestedMarks& marks = screen_.untested;
  marks.available = static_cast<bool>(windows_.playedByTests);
  marks.rows.assign(marks.on && InList() ? screen_.lines.size() : 0, false);
  if (!marks.on) {
    marks.summary.clear();
  } else if (!played_) {
    marks.summary = "Replaying the recorded tests...";
  } else if (played_->recordings == 0) {
    marks.summary = "No recorded test of this planet was found.";
  } else {
    int never = 0;
    for (std::size_t i = 0; i < marks.rows.size(); ++i) {
      const std::string key = platform::ToUpper1252(itemKey_ + std::to_string(i + 1));
      marks.rows[i] = played_->keys.count(key) == 0;
      never += marks.rows[i] ? 1 : 0;
    }
    const std::string tests =
        played_->recordings == 1 ? "the recorded test" : "the " + std::to_string(played_->recordings) + " recorded tests";
    marks.summary = InList() ? std::to_string(never) + " of " + std::to_string(marks.rows.size()) +
                                   " items here never played by " + tests + "."
                             : "Messages and responses are marked, not the information text.";
  }
}

void MessageEditor::UpdateWords() {
  screen_.words = windows_.wordCount ? windows_.wordCount(script_.Planet(), InList() ? listGroup_ : std::string()) : "";
}

void MessageEditor::Find(bool replacing) {
  if (windows_.find) windows_.find(script_.Planet(), replacing);
}

void MessageEditor::RenameGroup() {
  if (!windows_.renameGroup || !InList()) return;
  if (!SettleEdit()) {
    Publish();
    return;
  }
  if (IsEditing()) EndEdit(false);
  Publish();
  const Direction direction = screen_.frame.direction;
  const auto renamed = windows_.renameGroup(script_.Planet(), listGroup_);
  if (!renamed) return;
  // Every list holds the new name in the old one's place.
  ScriptRestored();
  GoToItem(direction, *renamed, 0);
  Changed();
  Publish();
}

std::string MessageEditor::GetFlagChar(const std::string& current) {
  return ChooseFlag(current).value_or(current.empty() ? std::string("A") : current);
}

std::optional<std::string> MessageEditor::ChooseFlag(const std::string& current) {
  if (!windows_.chooseFlag) return std::nullopt;
  return windows_.chooseFlag(script_.Planet(), current);
}

// ---- the view

void MessageEditor::Publish(bool force) {
  UpdateUntested();
  auto& now = screen_;
  auto& was = shown_;
  if (force || !(now.frame == was.frame)) view_.ShowFrame(was.frame = now.frame);
  if (force || !(now.groupBox == was.groupBox)) view_.ShowGroupBox(was.groupBox = now.groupBox);
  if (force || !(now.answerBox == was.answerBox)) view_.ShowAnswerBox(was.answerBox = now.answerBox);
  const bool linesShown = force || now.lines != was.lines;
  if (linesShown) {
    view_.ShowListLines(was.lines = now.lines);
    was.selected.reset();
    view_.ShowListSelection(std::nullopt);
  }
  if (force || now.selected != was.selected) view_.ShowListSelection(was.selected = now.selected);
  if (force || !(now.buttons == was.buttons)) view_.ShowButtons(was.buttons = now.buttons);
  if (force || now.text != was.text) view_.ShowText(was.text = now.text);
  if (force || !(now.pane == was.pane)) view_.ShowPane(was.pane = now.pane);
  if (force || !(now.actions == was.actions)) view_.ShowActions(was.actions = now.actions);
  if (force || !(now.length == was.length)) view_.ShowLength(was.length = now.length);
  if (force || now.infoPreview != was.infoPreview) view_.ShowInfoPreview(was.infoPreview = now.infoPreview);
  if (force || now.custom != was.custom) view_.ShowCustom(was.custom = now.custom);
  if (force || now.words != was.words) view_.ShowWords(was.words = now.words);
  if (linesShown || !(now.untested == was.untested)) view_.ShowUntested(was.untested = now.untested);
  if (std::exchange(focusText_, false)) view_.FocusTextAtEnd();
  if (std::exchange(focusTitle_, false)) view_.FocusTitle();
}

void MessageEditor::Repaint() { Publish(true); }

}  // namespace zelmora::messages
