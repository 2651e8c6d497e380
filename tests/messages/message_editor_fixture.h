#pragma once

#include "messages/message_editor.h"
#include "messages/planet_script.h"
#include "messages/special_actions.h"
#include "tests/support/open_demo_system.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zelmora::messages::testing {

// Remembers what the editor last told the window and how often.
struct RecordingView : MessageEditorView, EditorScreen {
  int lineUpdates = 0;
  int focusText = 0;
  int focusTitle = 0;
  bool hidden = false;

  void ShowFrame(const FrameState& f) override { frame = f; }
  void ShowGroupBox(const ComboState& b) override { groupBox = b; }
  void ShowAnswerBox(const ComboState& b) override { answerBox = b; }
  void ShowListLines(const std::vector<std::string>& l) override {
    lines = l;
    ++lineUpdates;
  }
  void ShowListSelection(std::optional<int> s) override { selected = s; }
  void ShowButtons(const ButtonState& b) override { buttons = b; }
  void ShowText(const std::string& t) override { text = t; }
  void ShowPane(const PaneState& p) override { pane = p; }
  void ShowActions(const ActionListState& a) override { actions = a; }
  void ShowLength(const LengthState& l) override { length = l; }
  void ShowInfoPreview(const std::string& t) override { infoPreview = t; }
  void ShowCustom(bool ticked) override { custom = ticked; }
  void ShowWords(const std::string& w) override { words = w; }
  void ShowUntested(const UntestedMarks& m) override { untested = m; }
  void FocusTextAtEnd() override { ++focusText; }
  void FocusTitle() override { ++focusTitle; }
  void SetBusy(bool) override {}
  void HideWindow() override { hidden = true; }
};

// The demo's 4Tessaly opened for editing, with the message editor over it. Planet 2 has a script;
// planets 1 and 3 have none.
struct EditorFixture {
  explicit EditorFixture(MessageEditorWindows windows = {}) : editor(script, LoadSpecialActions(demo.game.Path()), demo.prompter, view, std::move(windows)) {
    demo.prompter.AcceptOkBoxes();
  }

  zelmora::testing::OpenDemoSystem demo;
  PlanetScript script{demo.store, demo.record, 2};
  RecordingView view;
  MessageEditor editor;

  std::string Key(const std::string& key) const { return script.GetMessage(key); }
  void Put(const std::string& key, const std::string& value) { script.PutMessage(key, value); }
  // The index of a catalogue line that begins with `start`.
  int CatalogueIndex(std::string_view start) const {
    const auto& c = editor.Catalogue();
    for (std::size_t i = 0; i < c.size(); ++i) {
      if (c[i].Line.starts_with(start)) return static_cast<int>(i);
    }
    return -1;
  }
  void AddCatalogue(std::string_view start) {
    editor.ChooseCatalogue(CatalogueIndex(start));
    editor.AddAction();
  }
  int GroupIndex(const std::string& name) const {
    const auto& items = editor.GroupBox().items;
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (items[i] == name) return static_cast<int>(i);
    }
    return -1;
  }
  void Group(const std::string& name) { editor.ChooseGroup(GroupIndex(name)); }
};

}  // namespace zelmora::messages::testing
