#pragma once

#include "messages/special_actions.h"
#include "store/descriptor_store.h"
#include "store/system_record.h"
#include "writing/text_replace.h"
#include "writing/text_search.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zelmora::writing {

enum class SearchScope { Planet, System, GameFolder };

// One hit as the list shows it.
struct HitLine {
  std::string system;
  std::string planet;  // its number
  std::string group;
  std::string key;
  std::string found;    // the value around the hit
  std::string becomes;  // the same after replacing this hit, or why it is refused
  bool operator==(const HitLine&) const = default;
};

struct FindReplaceScreen {
  std::vector<HitLine> lines;
  std::optional<int> selected;
  std::string before, after;  // the selected hit's whole value, before and after replacing it
  std::string problem;        // why that replacement is refused; empty when it is not
  std::string status;
  bool planetScope = false;   // a planet to search in (the message editor's)
  bool systemScope = false;   // a system open
  SearchScope scope = SearchScope::System;
  bool replace = false, replaceAll = false;
  bool operator==(const FindReplaceScreen&) const = default;
};

// What the window shows; told only what changed.
class FindReplaceView {
 public:
  virtual ~FindReplaceView() = default;
  virtual void ShowHits(const std::vector<HitLine>& lines) = 0;
  virtual void ShowSelection(std::optional<int> row) = 0;
  virtual void ShowPreview(const std::string& before, const std::string& after, const std::string& problem) = 0;
  virtual void ShowStatus(const std::string& status) = 0;
  virtual void ShowScopes(bool planet, bool system, SearchScope scope) = 0;
  virtual void ShowCommands(bool replace, bool replaceAll) = 0;
};

// Where the window works: the open system (through the editor's store, so that every replace is a
// step of its history), the game folder around it, and the planet in view.
struct FindReplaceContext {
  store::DescriptorStore& store;
  const store::SolarSystemRecord& record;
  messages::SpecialActionList catalogue;
  // Opens the item of a hit (a double click).
  std::function<void(const TextValue& value)> open;
  // Told after a replace wrote the open system's script.
  std::function<void()> written;
};

// Find and replace over the prose of a planet, the open system or the whole game folder. Replacing
// writes only into the open system, each command one step of its history; a value whose result
// would not read back as written is refused, listed, and left as it is.
class FindReplace {
 public:
  FindReplace(FindReplaceContext context, FindReplaceView& view);

  // The planet in view (0: none); the scope follows it.
  void SetPlanet(int planet);
  void SetScope(SearchScope scope);
  // Code-page text: the window checks what was typed before it comes here.
  void SetPattern(std::string pattern);
  void SetReplacement(std::string replacement);
  void SetOptions(bool regex, bool matchCase, bool wholeWord);

  // Searches again; the hits are listed with what each would become.
  void Find();
  void Select(std::optional<int> row);
  void Open(int row);
  // The selected hit, then the list again.
  void ReplaceSelected();
  // Every hit of the list in the open system, as one step.
  void ReplaceAll();

  const FindReplaceScreen& Screen() const { return screen_; }
  int Planet() const { return planet_; }

 private:
  struct Row {
    TextValue value;
    Hit hit;
  };
  bool Writable(const TextValue& value) const;
  ValueChange ChangeFor(const Row& row) const;
  std::vector<TextValue> ValuesInScope() const;
  void Write(std::vector<ValueChange> changes, const std::string& step);
  void Preview();
  void Publish();

  FindReplaceContext c_;
  FindReplaceView& view_;
  FindReplaceScreen screen_;
  FindReplaceScreen shown_;
  bool published_ = false;
  int planet_ = 0;
  std::string pattern_, replacement_;
  bool regex_ = false, matchCase_ = false, wholeWord_ = false;
  std::optional<Matcher> matcher_;
  std::vector<Row> rows_;
  std::map<std::string, std::string> refused_;  // place -> why the last replace refused it
};

}  // namespace zelmora::writing
