#include "check/script_index.h"

#include "messages/script_keys.h"
#include "store/profile_file.h"
#include "ui/platform/text_rules.h"

#include <climits>

namespace zelmora::check {

namespace {

using platform::ToUpper1252;

bool StartsNoCase(std::string_view text, std::string_view head) {
  return text.size() >= head.size() && platform::EqualsNoCase(text.substr(0, head.size()), head);
}

bool EndsNoCase(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && platform::EqualsNoCase(text.substr(text.size() - tail.size()), tail);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A count holds a number; a key of the count's form whose value is text is an item of a group
// whose name begins with "s" ("Messagesun1" is item 1 of "sun").
bool LooksLikeCount(std::string_view value) {
  const std::string v = platform::TrimBlanks(value);
  return !v.empty() && (IsDigit(v[0]) || v[0] == '-' || v[0] == '+');
}

}  // namespace

ScriptIndex::ScriptIndex(const messages::PlanetScript& script) : script_(script) {
  std::string bytes;
  if (!script.Store().LoadDescriptor(script.Record().Name, bytes)) return;
  const std::string section = script.Section();
  bool seen = false;
  bool inPlanet = false;
  store::ForEachProfileEntry(
      bytes,
      [&](std::string_view name) {
        // The reader answers from the first section of a name only.
        inPlanet = !seen && platform::EqualsNoCase(name, section);
        seen = seen || inPlanet;
      },
      [&](std::string_view key, std::string&& value) {
        if (!inPlanet) return;
        auto [it, added] = byKey_.emplace(ToUpper1252(key), entries_.size());
        if (added) entries_.push_back({std::string(key), std::move(value)});
      });
}

bool ScriptIndex::HasKey(std::string_view key) const { return byKey_.count(ToUpper1252(key)) > 0; }

const ItemListInfo& ScriptIndex::List(ItemList list, std::string group, std::string level, std::string countKey,
                                      std::string prefix) {
  const std::string id = ToUpper1252(countKey);
  auto found = lists_.find(id);
  if (found != lists_.end()) return found->second;
  ItemListInfo info;
  info.group = std::move(group);
  info.level = std::move(level);
  info.list = list;
  info.hasCountKey = HasKey(countKey);
  info.count = info.hasCountKey ? script_.ReadCount(countKey) : 0;
  info.present = script_.PresentItems(prefix, info.count);
  for (int n : script_.PresentItems(prefix, INT_MAX)) {
    if (n > info.count) info.beyond.push_back(n);
  }
  info.countKey = std::move(countKey);
  info.prefix = std::move(prefix);
  return lists_.emplace(id, std::move(info)).first->second;
}

const ItemListInfo& ScriptIndex::MessagesOf(const std::string& level) {
  // Play reads level "Beam" from "MessagesBeam" and level "INIT" from "MessagesINIT": neither is
  // a list the editor shows under that name.
  const bool shown = level != messages::kBeamGroup && level != messages::kInitGroup;
  return List(ItemList::Messages, shown ? messages::ShownName(level) : std::string(), level, "Messages" + level,
              "Message" + level);
}

const ItemListInfo& ScriptIndex::ResponsesOf(const std::string& level) {
  const bool shown = level != messages::kInitGroup;
  return List(ItemList::Responses, shown ? messages::ShownName(level) : std::string(), level,
              "Responses" + level, "Response" + level);
}

const ItemListInfo& ScriptIndex::BeamOf(const std::string& level) {
  return List(ItemList::Messages, level.empty() ? std::string(messages::kBeamGroup) : std::string(), level,
              "Beam" + level + "Messages", "Beam" + level);
}

std::vector<const ItemListInfo*> ScriptIndex::CountedLists() {
  if (!countedRead_) {
    countedRead_ = true;
    for (const SectionEntry& e : entries_) {
      const std::string_view key = e.key;
      if (!LooksLikeCount(e.value)) continue;
      const ItemListInfo* info = nullptr;
      if (StartsNoCase(key, "Messages")) {
        info = &MessagesOf(std::string(key.substr(8)));
      } else if (StartsNoCase(key, "Responses")) {
        info = &ResponsesOf(std::string(key.substr(9)));
      } else if (StartsNoCase(key, "Beam") && EndsNoCase(key, "Messages")) {
        info = &BeamOf(std::string(key.substr(4, key.size() - 12)));
      }
      if (info) countedOrder_.push_back(ToUpper1252(info->countKey));
    }
  }
  std::vector<const ItemListInfo*> lists;
  for (const auto& id : countedOrder_) lists.push_back(&lists_.at(id));
  return lists;
}

std::optional<ItemPlace> ScriptIndex::Locate(std::string_view key) {
  if (!locateRead_) {
    // The counted lists by prefix, once: a finding per item must not walk every list.
    locateRead_ = true;
    for (const ItemListInfo* info : CountedLists()) byPrefix_[ToUpper1252(info->prefix)].push_back(info);
  }
  const std::string upper = ToUpper1252(key);
  std::size_t digits = 0;
  while (digits < upper.size() && IsDigit(upper[upper.size() - 1 - digits])) ++digits;
  // The longest prefix first; the number after it has no leading zero and at most nine digits.
  for (std::size_t take = 1; take <= std::min<std::size_t>(digits, 9); ++take) {
    const std::size_t split = upper.size() - take;
    if (upper[split] == '0') continue;
    const auto found = byPrefix_.find(upper.substr(0, split));
    if (found == byPrefix_.end()) continue;
    const int n = std::stoi(upper.substr(split));
    for (auto it = found->second.rbegin(); it != found->second.rend(); ++it) {
      const ItemListInfo* info = *it;
      if (n <= info->count && !info->group.empty()) return ItemPlace{info->group, info->list, n};
    }
  }
  return std::nullopt;
}

std::vector<ScriptIndex::StrayItem> ScriptIndex::StrayItems() {
  std::map<std::string, bool> claimed;
  for (const ItemListInfo* info : CountedLists()) {
    for (int n : info->present) claimed[ToUpper1252(info->Key(n))] = true;
    for (int n : info->beyond) claimed[ToUpper1252(info->Key(n))] = true;
    claimed[ToUpper1252(info->countKey)] = true;
  }
  std::vector<StrayItem> strays;
  for (const SectionEntry& e : entries_) {
    const std::string_view key = e.key;
    if (key.empty() || !IsDigit(key.back()) || claimed.count(ToUpper1252(key))) continue;
    std::string_view kind;
    for (std::string_view head : {"Message", "Response", "Beam"}) {
      if (StartsNoCase(key, head)) kind = head;
    }
    if (kind.empty()) continue;
    // The shortest number that can end the key: items are numbered from 1.
    std::size_t split = key.size() - 1;
    while (split > kind.size() && key[split] == '0') --split;
    if (split <= kind.size() - 1 || !IsDigit(key[split]) || key[split] == '0') continue;
    const std::string prefix(key.substr(0, split));
    const std::string group(key.substr(kind.size(), split - kind.size()));
    ItemListInfo guess;
    guess.level = group;
    guess.prefix = prefix;
    if (kind == "Message") {
      guess.group = messages::ShownName(group);
      guess.countKey = "Messages" + group;
    } else if (kind == "Response") {
      guess.group = messages::ShownName(group);
      guess.list = ItemList::Responses;
      guess.countKey = "Responses" + group;
    } else {
      guess.group = group.empty() ? std::string(messages::kBeamGroup) : std::string();
      guess.countKey = "Beam" + group + "Messages";
    }
    strays.push_back({std::string(key), std::move(guess)});
  }
  return strays;
}

}  // namespace zelmora::check
