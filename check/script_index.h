#pragma once

#include "check/finding.h"
#include "messages/planet_script.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelmora::check {

// One key of the planet's section as the reader finds it, with its whole value (not cut).
struct SectionEntry {
  std::string key;
  std::string value;
};

// A list of items as a reader walks it: a count key and the prefix of the item keys.
struct ItemListInfo {
  std::string group;  // the shown name the message editor lists it under; empty when it has none
  std::string level;  // the level play reads it at (a group's name as keys spell it)
  ItemList list = ItemList::Messages;
  std::string countKey;
  std::string prefix;
  bool hasCountKey = false;
  int count = 0;
  std::vector<int> present;  // numbers 1..count whose keys are present
  std::vector<int> beyond;   // numbers above the count whose keys are present

  std::string Key(int number) const { return prefix + std::to_string(number); }
  // What the Beam command reads ("BeamMessages", or "Beam" & level & "Messages").
  bool IsBeamList() const { return countKey.size() >= 4 && (countKey[0] == 'B' || countKey[0] == 'b'); }
  int Absent() const { return count - static_cast<int>(present.size()); }
};

// Where an item key sits in the editor.
struct ItemPlace {
  std::string group;
  ItemList list = ItemList::None;
  int item = 0;
};

// The planet's section read once: every key with its value, and the item lists behind the count
// keys. Values that play reads come from the script (cut as the reader cuts them); item numbers
// from its index of present keys, so a count of 32,767 costs what the present items cost.
class ScriptIndex {
 public:
  explicit ScriptIndex(const messages::PlanetScript& script);

  const messages::PlanetScript& Script() const { return script_; }
  const std::vector<SectionEntry>& Entries() const { return entries_; }
  bool HasKey(std::string_view key) const;
  // The value as every reader gets it: "ERR" when absent, cut to 254 characters.
  std::string Value(std::string_view key) const { return script_.GetMessage(key); }

  // The lists that play reads for a level (a group's name as it appears in keys, empty for INIT).
  const ItemListInfo& MessagesOf(const std::string& level);
  const ItemListInfo& ResponsesOf(const std::string& level);
  // What the Beam command reads at a level: "Beam" & level & "Messages"; at INIT the Beam group.
  const ItemListInfo& BeamOf(const std::string& level);

  // Every list whose count key the section holds, in the order of the keys.
  std::vector<const ItemListInfo*> CountedLists();
  // Item keys that no list's count covers, each with the list it most likely belongs to.
  struct StrayItem {
    std::string key;
    ItemListInfo guess;
  };
  std::vector<StrayItem> StrayItems();

  // The editor's place of an item key of a counted list.
  std::optional<ItemPlace> Locate(std::string_view key);

 private:
  const ItemListInfo& List(ItemList list, std::string group, std::string level, std::string countKey,
                           std::string prefix);

  const messages::PlanetScript& script_;
  std::vector<SectionEntry> entries_;
  std::map<std::string, std::size_t> byKey_;     // upper-cased key -> entry
  std::map<std::string, ItemListInfo> lists_;    // upper-cased count key -> list
  bool countedRead_ = false;
  std::vector<std::string> countedOrder_;        // upper-cased count keys of CountedLists
  bool locateRead_ = false;
  std::map<std::string, std::vector<const ItemListInfo*>> byPrefix_;  // upper-cased prefix -> counted lists
};

}  // namespace zelmora::check
