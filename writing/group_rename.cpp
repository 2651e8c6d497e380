#include "writing/group_rename.h"

#include "check/script_index.h"
#include "messages/message_parts.h"
#include "messages/script_keys.h"
#include "messages/typed_text.h"
#include "ui/platform/text_rules.h"
#include "writing/text_parts.h"

#include <algorithm>
#include <array>
#include <map>

namespace zelmora::writing {

namespace {

using platform::EqualsNoCase;
using platform::ToUpper1252;

constexpr std::string_view kIgnorePrefix = "Ignore";
// The groups that go with a group: play's Phaser group, and a room's search, tricorder and locked
// effects, which the room editor and the message editor's Edit Room pair with it.
constexpr std::array<std::string_view, 4> kCompanionSuffixes = {"Phaser", "Search", "Tri", "Locked"};

bool StartsNoCase(std::string_view text, std::string_view head) {
  return text.size() > head.size() && EqualsNoCase(text.substr(0, head.size()), head);
}

bool EndsNoCase(std::string_view text, std::string_view tail) {
  return text.size() > tail.size() && EqualsNoCase(text.substr(text.size() - tail.size()), tail);
}

// The name `name` takes when `from` becomes `to`; nothing when it is not `from` or one of its
// companions (to any depth: "IgnoreCavePhaser").
std::optional<std::string> Renamed(std::string_view name, std::string_view from, std::string_view to) {
  if (EqualsNoCase(name, from)) return std::string(to);
  if (StartsNoCase(name, kIgnorePrefix)) {
    if (auto rest = Renamed(name.substr(kIgnorePrefix.size()), from, to)) {
      return std::string(name.substr(0, kIgnorePrefix.size())) + *rest;
    }
  }
  for (std::string_view suffix : kCompanionSuffixes) {
    if (!EndsNoCase(name, suffix)) continue;
    const std::size_t cut = name.size() - suffix.size();
    if (auto head = Renamed(name.substr(0, cut), from, to)) return *head + std::string(name.substr(cut));
  }
  return std::nullopt;
}

// Whether `name` is `owner` or one of its companions.
bool BelongsTo(std::string_view name, std::string_view owner) {
  return Renamed(name, owner, owner).has_value();
}

struct Item {
  std::string key;
  std::string value;
  ValueKind kind;
};

std::string Quoted(std::string_view name) { return "\"" + std::string(name) + "\""; }

}  // namespace

bool IsFixedGroupName(std::string_view name) {
  for (std::string_view fixed : {messages::kInitGroup, messages::kBackGroup, messages::kReturnedGroup,
                                 messages::kHailGroup, messages::kBeamGroup, messages::kPhaserGroup,
                                 messages::kIgnoreGroup, std::string_view("BeamUp"), std::string_view("None")}) {
    if (EqualsNoCase(name, fixed)) return true;
  }
  return false;
}

RenamePlan PlanRename(const messages::PlanetScript& script, std::string_view from, std::string_view to,
                      const messages::SpecialActionList& catalogue) {
  RenamePlan plan;
  auto refuse = [&](std::string why) {
    plan.refused = std::move(why);
    plan.groups.clear();
    plan.keys.clear();
    plan.references = 0;
    return plan;
  };
  if (to.empty()) return refuse("Enter the group's new name.");
  if (auto problem = messages::KeyNameProblem(to)) return refuse(*problem);
  if (from == to) return refuse("The group is already named " + Quoted(to) + ".");
  if (IsFixedGroupName(from)) return refuse(Quoted(from) + " has a fixed role in play: it cannot be renamed.");
  if (IsFixedGroupName(to)) return refuse(Quoted(to) + " has a fixed role in play: no group can take it.");
  if (messages::AnswerPlaysAsCondition(to)) {
    return refuse("An answer code naming " + Quoted(to) +
                  " would be read as a repair condition: a name cannot begin with \"S\" or \"!S\".");
  }

  check::ScriptIndex index(script);
  std::map<std::string, std::string> stored;  // upper-cased key -> whole value
  for (const check::SectionEntry& e : index.Entries()) stored.emplace(ToUpper1252(e.key), e.value);
  auto value = [&](const std::string& key) {
    auto found = stored.find(ToUpper1252(key));
    return found == stored.end() ? std::string() : found->second;
  };

  // Every item any list holds (within its count or above it) and every key no count claims.
  std::vector<Item> items;
  std::vector<std::string> used;  // the levels with lists and every name an answer code gives
  const auto lists = index.CountedLists();
  for (const check::ItemListInfo* list : lists) {
    const ValueKind kind = list->list == check::ItemList::Responses ? ValueKind::Response : ValueKind::Message;
    if (!list->level.empty()) used.push_back(list->level);
    for (const auto* numbers : {&list->present, &list->beyond}) {
      for (int n : *numbers) items.push_back({list->Key(n), value(list->Key(n)), kind});
    }
  }
  for (const auto& stray : index.StrayItems()) {
    const ValueKind kind = stray.guess.list == check::ItemList::Responses ? ValueKind::Response : ValueKind::Message;
    items.push_back({stray.key, value(stray.key), kind});
  }

  // The answer codes to rewrite, item by item.
  std::map<std::string, Item> edited;  // upper-cased key -> the item with its new value
  for (const Item& item : items) {
    std::vector<PartEdit> edits;
    for (const ValuePart& part : SplitValue(item.value, item.kind, &catalogue)) {
      if (part.role != PartRole::AnswerName) continue;
      const std::string name = item.value.substr(part.span.start, part.span.length);
      used.push_back(name);
      if (auto renamed = Renamed(name, from, to)) edits.push_back({part.span, *renamed});
    }
    if (edits.empty()) continue;
    plan.references += static_cast<int>(edits.size());
    edited[ToUpper1252(item.key)] = {item.key, ApplyEdits(item.value, edits), item.kind};
  }

  // The family of the group, and every other name in use.
  std::vector<std::string> others;
  auto known = [](const std::vector<RenamePlan::Name>& names, const std::string& name) {
    for (const auto& n : names) {
      if (EqualsNoCase(n.from, name)) return true;
    }
    return false;
  };
  for (const std::string& name : used) {
    if (auto renamed = Renamed(name, from, to)) {
      if (!known(plan.groups, name)) plan.groups.push_back({name, *renamed});
    } else {
      others.push_back(name);
    }
  }
  if (plan.groups.empty()) return refuse("This planet has no group " + Quoted(from) + ".");
  std::stable_partition(plan.groups.begin(), plan.groups.end(),
                        [&](const RenamePlan::Name& n) { return EqualsNoCase(n.from, from); });
  for (const auto& group : plan.groups) {
    for (const std::string& other : others) {
      if (EqualsNoCase(group.to, other)) {
        return refuse("The name " + Quoted(group.to) + " is taken: the planet has a group or an answer code " +
                      Quoted(other) + ".");
      }
      if (BelongsTo(group.to, other) || BelongsTo(other, group.to)) {
        return refuse("The name " + Quoted(group.to) + " is taken: the planet's " + Quoted(other) +
                      " would go with it (Ignore, Phaser, Search, Tri and Locked groups belong to their group).");
      }
    }
  }

  // Count and item keys of every list of the family, with the values rewritten above.
  std::map<std::string, bool> leaving;  // upper-cased keys that move away
  for (const check::ItemListInfo* list : lists) {
    const auto renamed = list->level.empty() ? std::nullopt : Renamed(list->level, from, to);
    if (!renamed) continue;
    std::string countKey, prefix;
    if (list->IsBeamList()) {
      countKey = "Beam" + *renamed + "Messages";
      prefix = "Beam" + *renamed;
    } else if (list->list == check::ItemList::Responses) {
      countKey = "Responses" + *renamed;
      prefix = "Response" + *renamed;
    } else {
      countKey = "Messages" + *renamed;
      prefix = "Message" + *renamed;
    }
    auto move = [&](const std::string& oldKey, const std::string& newKey) {
      const std::string id = ToUpper1252(oldKey);
      const std::string before = value(oldKey);
      auto found = edited.find(id);
      const std::string after = found == edited.end() ? before : found->second.value;
      if (found != edited.end()) edited.erase(found);
      plan.keys.push_back({oldKey, newKey, before, after});
      leaving[id] = true;
    };
    if (list->hasCountKey) move(list->countKey, countKey);
    for (const auto* numbers : {&list->present, &list->beyond}) {
      for (int n : *numbers) move(list->Key(n), prefix + std::to_string(n));
    }
  }
  for (const RenamePlan::Key& key : plan.keys) {
    const std::string id = ToUpper1252(key.to);
    if (stored.count(id) && !leaving.count(id)) {
      return refuse("The key " + Quoted(key.to) + " is already in the planet's section.");
    }
  }
  for (auto& [id, item] : edited) plan.keys.push_back({item.key, item.key, value(item.key), item.value});

  for (const RenamePlan::Key& key : plan.keys) {
    if (key.after != key.before && key.after.size() > messages::kMaxValueLength) {
      return refuse("The value of " + Quoted(key.to) + " would be " + std::to_string(key.after.size()) +
                    " characters long: the reader gives back only the first " +
                    std::to_string(messages::kMaxValueLength) + ".");
    }
  }
  return plan;
}

void ApplyRename(messages::PlanetScript& script, const RenamePlan& plan) {
  if (plan.refused || plan.groups.empty()) return;
  store::DescriptorStore& store = script.Store();
  const std::string& system = script.Record().Name;
  const std::string section = script.Section();
  store::EditAction action(store, "Rename group " + plan.groups.front().from + " to " + plan.groups.front().to);
  store::DescriptorBatch batch(store, system);
  for (const RenamePlan::Key& key : plan.keys) {
    if (key.from != key.to) store.DeleteKey(system, section, key.from);
  }
  // Written as stored, so that an empty value stays empty instead of turning into an absent key.
  for (const RenamePlan::Key& key : plan.keys) store.WriteKey(system, section, key.to, messages::StoredValue(key.after));
}

}  // namespace zelmora::writing
