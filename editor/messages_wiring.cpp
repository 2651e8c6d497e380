#include "editor/messages_wiring.h"

#include "adventure/frm_advanced_room.h"
#include "adventure/frm_edit_room.h"
#include "adventure/frm_lock.h"
#include "adventure/frm_wizard.h"
#include "adventure/wizard_model.h"
#include "editor/frm_adventure_map.h"
#include "editor/frm_issues.h"
#include "editor/frm_script_map.h"
#include "editor/lazy_window.h"
#include "editor/script_worker_binding.h"
#include "check/coverage.h"
#include "messages/flag_chooser.h"
#include "messages/frm_flag.h"
#include "messages/frm_messages.h"
#include "messages/planet_script.h"
#include "messages/script_keys.h"
#include "messages/special_actions.h"
#include "writing/frm_find_replace.h"
#include "writing/group_rename.h"
#include "writing/word_counts.h"

#include <QCheckBox>
#include <QTimer>

namespace zelmora::editor {

namespace {
// Which notes the issues list adds to the checker's.
constexpr platform::BoolSetting kIssuesSpelling{"Script Issues", "Spelling", false};
constexpr platform::BoolSetting kIssuesUntested{"Script Issues", "Untested", false};
}  // namespace

// One system's script and the windows over it. A window behind the editor is built on its first
// opening; the main window is the parent of each, except the issues list and the script map, which
// close with the editor and stay usable while it runs.
struct MessagesWiring::Windows {
  Windows(const WiringContext& c, const Outside& outside);

  messages::MessageEditorWindows EditorWindows(const Outside& outside);
  adventure::RoomEditorWindows RoomWindows();
  std::string ChooseRoomFlag(const std::string& current) { return editor->Model().GetFlagChar(current); }
  void OpenFinding(const check::Finding& finding);
  // An edit of the message or room editor was written: the issues list and the script map follow.
  void ScriptChanged();
  // Runs the editor on the script's planet, `then` done once it is open.
  void RunEditor(const std::function<void()>& then);
  void OpenFromMap(const check::OpenTarget& target);
  std::string PlanetName() const { return c.store.GetPlanetName(c.record, script.Planet(), c.record.StarName); }
  void OpenFound(const writing::TextValue& value);
  std::optional<std::string> RenameGroup(int planet, const std::string& group);
  std::string WordCount(int planet, const std::string& group);
  // What the recorded tests of the script's planet play, replayed away from the window's thread.
  check::PlanetPlayed PlayedByTests(const messages::PlanetScript& copy) const;

  const WiringContext& c;
  messages::SpecialActionList catalogue;
  messages::PlanetScript script;
  messages::FlagChooser flagChooser;
  LazyWindow<messages::frmFlag> flag;
  LazyWindow<adventure::frmAdvancedRoom> advanced;
  LazyWindow<adventure::frmLock> lock;
  LazyWindow<check::frmAdventureMap> map;
  LazyWindow<adventure::frmEditRoom> room;
  // Read once, so that the replays away from the window's thread touch nothing shared.
  std::optional<std::vector<std::filesystem::path>> recordingFolders;
  std::filesystem::path gameFolder;
  std::unique_ptr<messages::frmMessages> editor;
  std::unique_ptr<ScriptWorker> played;  // replays the recorded tests for the editor's marks
  // After the editor, its parent, so that they go first.
  LazyWindow<check::frmIssues> issues;
  LazyWindow<check::frmScriptMap> scriptMap;
  bool mapRunning = false;  // run from the main window: it outlives the editor's runs
  LazyWindow<writing::frmFindReplace> find;
};

MessagesWiring::Windows::Windows(const WiringContext& context, const Outside& outside)
    : c(context),
      catalogue(messages::LoadSpecialActions(c.store.GameFolder())),
      script(c.store, c.record, 1),
      flagChooser(c.store, c.record),
      flag([this] { return std::make_unique<messages::frmFlag>(flagChooser, c.prompter, &c.parent); }),
      advanced([this] {
        return std::make_unique<adventure::frmAdvancedRoom>(
            script, [this](const std::string& current) { return ChooseRoomFlag(current); }, &c.parent);
      }),
      lock([this] { return std::make_unique<adventure::frmLock>(c.prompter, &c.parent); }),
      map([this] { return std::make_unique<check::frmAdventureMap>(script, catalogue, &c.parent); }),
      room([this, built = outside.built] {
        auto window = std::make_unique<adventure::frmEditRoom>(script, c.prompter, RoomWindows(), &c.parent);
        if (built) built(*window);
        return window;
      }),
      issues([this, spelling = outside.spelling, recorded = static_cast<bool>(outside.recordingFolders)] {
        auto list = std::make_unique<check::frmIssues>(script, editor->Model().Catalogue(), editor.get());
        list->SetOpen([this](const check::Finding& finding) { OpenFinding(finding); });
        if (spelling) list->SetSpelling(spelling);
        if (recorded) {
          list->SetUntested([this](const messages::PlanetScript& copy) {
            return check::UntestedFindings(copy, PlayedByTests(copy));
          });
        }
        // The author's choice of notes is kept for the next list.
        list->chkSpelling->setChecked(kIssuesSpelling.Read(c.settings));
        list->chkUntested->setChecked(kIssuesUntested.Read(c.settings));
        list->OnSwitched([this, shown = list.get()] {
          kIssuesSpelling.Write(c.settings, shown->chkSpelling->isChecked());
          kIssuesUntested.Write(c.settings, shown->chkUntested->isChecked());
        });
        return list;
      }),
      scriptMap([this] {
        // A window of the editor's, so that it stays usable while the editor runs; the editor gets
        // its own window now, so that a map shown before it knows whose it is.
        editor->winId();
        auto map = std::make_unique<check::frmScriptMap>(script, editor->Model().Catalogue(), c.prompter, editor.get());
        map->SetOpen([this](const check::OpenTarget& target) { OpenFromMap(target); });
        return map;
      }),
      find([this] {
        return std::make_unique<writing::frmFindReplace>(
            writing::FindReplaceContext{c.store, c.record, catalogue,
                                        [this](const writing::TextValue& value) { OpenFound(value); },
                                        [this] {
                                          editor->Model().ScriptRestored();
                                          if (auto* list = issues.IfBuilt()) list->Refresh();
                                        }},
            c.prompter, editor.get());
      }) {
  if (outside.recordingFolders) recordingFolders = outside.recordingFolders();
  gameFolder = c.store.GameFolder();
  editor = std::make_unique<messages::frmMessages>(script, catalogue, c.prompter, EditorWindows(outside), &c.parent);
  played = std::make_unique<ScriptWorker>(script);
  if (outside.built) outside.built(*editor);
}

check::PlanetPlayed MessagesWiring::Windows::PlayedByTests(const messages::PlanetScript& copy) const {
  return check::PlayedByRecordings(check::RecordingFiles(*recordingFolders), gameFolder, copy.Record().Name,
                                   copy.Planet());
}

messages::MessageEditorWindows MessagesWiring::Windows::EditorWindows(const Outside& outside) {
  messages::MessageEditorWindows windows;
  windows.chooseFlag = [this](int planet, const std::string& current) {
    return messages::ChooseFlagChar(current, planet, flagChooser, [this](messages::FlagChooser&) { flag->Run(); });
  };
  windows.chooseShipSystem = outside.chooseShipSystem;
  windows.test = outside.test;
  if (outside.testFrom) {
    windows.testFrom = [testFrom = outside.testFrom](int planet, const std::string& group,
                                                     messages::Direction direction) {
      testFrom(planet, {group, direction == messages::Direction::Response ? simulator::StartPoint::Kind::Responses
                                                                           : simulator::StartPoint::Kind::Messages});
    };
  }
  windows.editRoom = [this](int, const std::string& name) { return room->Run(name); };
  windows.wizard = [this](int) {
    // Finish ticks the editor's custom-messages box inside the grid's one rewrite.
    adventure::ScriptWizardCaller caller(script, [this] { editor->Model().SetCustom(true); });
    adventure::frmWizard wizard(c.prompter, editor.get());
    advanced->Load();
    wizard.SetAdvanced([this] { advanced->Run(); });
    wizard.Go(caller);
  };
  // The issues list stays open beside the message editor and follows its edits.
  windows.issues = [this](int planet) {
    issues->ShowFor(c.store.GetPlanetName(c.record, planet, c.record.StarName));
  };
  windows.map = [this](int planet) { scriptMap->ShowFor(c.store.GetPlanetName(c.record, planet, c.record.StarName)); };
  windows.scriptChanged = [this] { ScriptChanged(); };
  windows.find = [this](int planet, bool replacing) { find->ShowFor(planet, replacing); };
  windows.renameGroup = [this](int planet, const std::string& group) { return RenameGroup(planet, group); };
  windows.wordCount = [this](int planet, const std::string& group) { return WordCount(planet, group); };
  if (outside.recordingFolders) {
    windows.playedByTests = [this](int) {
      played->Start([this](const messages::PlanetScript& copy) {
        auto found = std::make_shared<check::PlanetPlayed>(PlayedByTests(copy));
        return [this, found, planet = copy.Planet()] {
          editor->Model().ShowPlayed(planet, found->recordings, std::move(found->keys));
        };
      });
    };
  }
  return windows;
}

// A hit of this planet is shown in the editor; one elsewhere cannot be, while the editor holds
// this planet.
void MessagesWiring::Windows::OpenFound(const writing::TextValue& value) {
  if (value.system != c.record.Name || value.planet != script.Planet()) {
    c.prompter.Inform("This text is in " + value.system + ", planet " + std::to_string(value.planet) +
                      ". Close the message editor and open that planet's messages to edit it.");
    return;
  }
  GoToFoundText(editor->Model(), value);
}

void GoToFoundText(messages::MessageEditor& editor, const writing::TextValue& value) {
  if (value.list == check::ItemList::None) {
    if (value.key == messages::kInfoKey) editor.GoToItem(messages::Direction::Information, {}, 0);
    return;
  }
  editor.GoToItem(value.list == check::ItemList::Responses ? messages::Direction::Response
                                                          : messages::Direction::Message,
                  value.group, value.item);
}

std::optional<std::string> MessagesWiring::Windows::RenameGroup(int planet, const std::string& group) {
  if (writing::IsFixedGroupName(group)) {
    c.prompter.Inform("The group \"" + group + "\" has a fixed role in play: it cannot be renamed.",
                      platform::Icon::Exclamation);
    return std::nullopt;
  }
  const auto name = c.prompter.Input("Rename the group \"" + group +
                                         "\", its companion groups and every answer code that leads to them.\n\n"
                                         "New name:",
                                     "Rename Group", group);
  if (!name || *name == group) return std::nullopt;
  messages::PlanetScript planetScript(c.store, c.record, planet);
  const writing::RenamePlan plan = writing::PlanRename(planetScript, group, *name, catalogue);
  if (plan.refused) {
    c.prompter.Refuse(*plan.refused);
    return std::nullopt;
  }
  writing::ApplyRename(planetScript, plan);
  return name;
}

std::string MessagesWiring::Windows::WordCount(int planet, const std::string& group) {
  const messages::PlanetScript planetScript(c.store, c.record, planet);
  const writing::PlanetCounts counts = writing::CountPlanet(planetScript);
  int inGroup = 0;
  for (const auto& g : counts.groups) {
    if (g.group == group) inGroup += g.counts.words;
  }
  auto words = [](int n) { return std::to_string(n) + (n == 1 ? " word" : " words"); };
  if (group.empty()) return words(counts.total.words) + " on this planet";
  return words(inGroup) + " in " + group + ", " + words(counts.total.words) + " on this planet";
}

// The room editor, its two dialogs and the wizard choose flags through the message editor.
adventure::RoomEditorWindows MessagesWiring::Windows::RoomWindows() {
  adventure::RoomEditorWindows windows;
  windows.advanced = [this] {
    advanced->Load();
    advanced->Run();
  };
  windows.lock = [this](const std::vector<adventure::LockChoice>& choices) { return lock->Run(choices); };
  // A lock whose flag chooser is closed without a flag is not made.
  windows.chooseFlag = [this](const std::string& current) { return editor->Model().ChooseFlag(current); };
  windows.map = [this](const std::string& current) { return map->Run(current); };
  // The map and the list beside the message editor follow each edit while the room editor is open.
  windows.changed = [this] {
    ScriptChanged();
    editor->Model().ScriptChangedElsewhere();
  };
  return windows;
}

void MessagesWiring::Windows::ScriptChanged() {
  if (auto* list = issues.IfBuilt()) list->Refresh();
  if (auto* map = scriptMap.IfBuilt()) map->Refresh();
}

void MessagesWiring::Windows::OpenFinding(const check::Finding& finding) {
  auto& model = editor->Model();
  if (!finding.room.empty()) {
    model.OpenRoom(finding.room);
  } else if (finding.list != check::ItemList::None) {
    model.GoToItem(finding.list == check::ItemList::Responses ? messages::Direction::Response
                                                             : messages::Direction::Message,
                   finding.group, finding.item);
  } else if (finding.key == "Info") {
    model.GoToItem(messages::Direction::Information, {}, 0);
  }
}

void MessagesWiring::Windows::RunEditor(const std::function<void()>& then) {
  const int planet = script.Planet();
  editor->Prepare(planet, c.store.GetPlanetFlag(c.record, "Messages", planet) == 1, PlanetName());
  then();
  editor->exec();
  if (auto* list = issues.IfBuilt()) list->hide();
}

// A group chosen on the map opens in the editor, which is run for it when it is not open.
void MessagesWiring::Windows::OpenFromMap(const check::OpenTarget& target) {
  auto go = [this, target] {
    auto& model = editor->Model();
    switch (target.kind) {
      case check::OpenTarget::Kind::Messages: model.GoToItem(messages::Direction::Message, target.group, 0); break;
      case check::OpenTarget::Kind::Responses: model.GoToItem(messages::Direction::Response, target.group, 0); break;
      // The room editor runs modally from the message editor: once that one is on the screen.
      case check::OpenTarget::Kind::Room: QTimer::singleShot(0, editor.get(), [this, target] {
          editor->Model().OpenRoom(target.group);
        });
        break;
    }
  };
  if (editor->isVisible()) {
    go();
    editor->raise();
    editor->activateWindow();
  } else {
    RunEditor(go);
  }
}

MessagesWiring::MessagesWiring(WiringContext context, Outside outside)
    : context_(context), outside_(std::move(outside)) {}

MessagesWiring::~MessagesWiring() = default;

bool MessagesWiring::Run(int planet, bool customTicked, const std::string& planetName) {
  return RunAt(planet, customTicked, planetName, {});
}

bool MessagesWiring::RunAt(int planet, bool customTicked, const std::string& planetName,
                           const std::function<void(messages::MessageEditor&)>& first) {
  if (!windows_) windows_ = std::make_unique<Windows>(context_, outside_);
  Windows& w = *windows_;
  w.editor->Prepare(planet, customTicked, planetName);
  if (first) first(w.editor->Model());
  w.editor->exec();
  if (auto* list = w.issues.IfBuilt()) list->hide();
  if (auto* map = w.scriptMap.IfBuilt(); map && !w.mapRunning) map->hide();
  if (auto* find = w.find.IfBuilt()) find->hide();
  return w.editor->Model().Custom();
}

void MessagesWiring::RunMap(int planet, const std::string& planetName) {
  if (!windows_) windows_ = std::make_unique<Windows>(context_, outside_);
  Windows& w = *windows_;
  w.script.SetPlanet(planet);
  w.mapRunning = true;
  w.scriptMap->RunFor(planetName);
  w.mapRunning = false;
}

void MessagesWiring::Forget() { windows_.reset(); }

void MessagesWiring::ScriptRestored() {
  if (!windows_) return;
  Windows& w = *windows_;
  if (auto* room = w.room.IfBuilt(); room && room->isVisible()) room->Model().ScriptRestored();
  if (w.editor->isVisible()) w.editor->Model().ScriptRestored();
  if (auto* list = w.issues.IfBuilt()) list->Refresh();
  if (auto* map = w.scriptMap.IfBuilt()) map->Refresh();
}

messages::frmMessages* MessagesWiring::Editor() const { return windows_ ? windows_->editor.get() : nullptr; }

}  // namespace zelmora::editor
