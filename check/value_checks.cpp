// Stored values and counts: what the reader cuts, what it never reads, what it reads as "ERR".
#include "check/planet_checker.h"
#include "messages/message_parts.h"
#include "ui/platform/text_rules.h"

#include <map>

namespace zelmora::check {

namespace {

// "5, 6 and 9" (at most a few numbers, then "and N more").
std::string NumberList(const std::vector<int>& numbers) {
  std::string out;
  const std::size_t shown = std::min<std::size_t>(numbers.size(), 5);
  for (std::size_t i = 0; i < shown; ++i) {
    if (i > 0) out += i + 1 == shown && shown == numbers.size() ? " and " : ", ";
    out += std::to_string(numbers[i]);
  }
  if (shown < numbers.size()) out += " and " + std::to_string(numbers.size() - shown) + " more";
  return out;
}

}  // namespace

void PlanetChecker::CheckValues() {
  for (const SectionEntry& e : index_.Entries()) {
    if (!messages::ExceedsLengthLimit(e.value)) continue;
    Add(Severity::Error, FindingKind::ValueTooLong, e.key,
        "the value has " + std::to_string(e.value.size()) + " characters: the game reads back only the first " +
            std::to_string(messages::kMaxValueLength),
        "shorten it to " + std::to_string(messages::kMaxValueLength) + " characters or fewer");
  }
  if (!options_.measureTwips) return;
  for (const Item& item : items_) {
    if (item.list->list != ItemList::Responses) continue;
    const std::string text = messages::MessageDisplayText(item.value);
    const int twips = options_.measureTwips(text);
    if (!messages::ExceedsResponseWidth(text, [&](std::string_view) { return twips; })) continue;
    Add(Severity::Warning, FindingKind::ResponseTooWide, item.key,
        "the response text is " + std::to_string(twips) + " twips wide: the response chooser shows less than " +
            std::to_string(messages::kMaxResponseTextTwips),
        "shorten the response text");
  }
}

void PlanetChecker::CheckCounts() {
  // Keys that a count does cover are no strays of another list whose prefix they happen to extend
  // (group "Area1"'s item 11 is also the key of group "Area11"'s item 1).
  std::set<std::string> covered;
  for (const Item& item : items_) covered.insert(platform::ToUpper1252(item.key));

  for (const ItemListInfo* list : index_.CountedLists()) {
    const char* what = list->list == ItemList::Messages ? "messages" : "responses";
    if (list->Absent() > 0) {
      const int present = static_cast<int>(list->present.size());
      const bool contiguous = present == 0 || list->present.back() == present;
      AddForList(Severity::Error, FindingKind::CountAboveItems, *list,
                 list->countKey + " says " + std::to_string(list->count) + " " + what + " but " +
                     std::to_string(present) + " are present: the game plays each missing one as \"ERR\"",
                 contiguous ? "set " + list->countKey + "=" + std::to_string(present)
                            : "add the missing items or lower " + list->countKey);
    }
    std::vector<int> beyond;
    for (int n : list->beyond) {
      // A message the clock waited with is read at whatever level play is at by then.
      const std::string key = platform::ToUpper1252(list->Key(n));
      if (!covered.count(key) && !play_.sent.count(key)) beyond.push_back(n);
    }
    if (beyond.empty()) continue;
    Finding& f = Add(Severity::Warning, FindingKind::ItemsBeyondCount, list->Key(beyond.front()),
                     std::string(beyond.size() == 1 ? "item " : "items ") + NumberList(beyond) +
                         (beyond.size() == 1 ? " lies" : " lie") + " above " +
                         list->countKey + "=" + std::to_string(list->count) + ": no reader sees " +
                         (beyond.size() == 1 ? "it" : "them"),
                     "raise " + list->countKey + " to " + std::to_string(beyond.back()) + " or delete " +
                         (beyond.size() == 1 ? "it" : "them"));
    f.group = list->group;
    f.list = list->group.empty() ? ItemList::None : list->list;
  }

  // Items of groups that have no count at all, one finding per group.
  std::map<std::string, std::vector<ScriptIndex::StrayItem>> strays;
  for (auto& stray : index_.StrayItems()) {
    const std::string key = platform::ToUpper1252(stray.key);
    if (covered.count(key) || play_.sent.count(key)) continue;
    strays[platform::ToUpper1252(stray.guess.countKey)].push_back(std::move(stray));
  }
  for (const auto& [id, list] : strays) {
    const ItemListInfo& guess = list.front().guess;
    const std::string message =
        list.size() == 1 ? "this item has no count key " + guess.countKey + ": no reader sees it"
                         : std::to_string(list.size()) +
                               " items of this group, this one among them, have no count key " + guess.countKey +
                               ": no reader sees them";
    Finding& f = Add(Severity::Warning, FindingKind::ItemsBeyondCount, list.front().key, message,
                     "add " + guess.countKey + " with the number of items");
    f.group = guess.group;
    f.list = guess.group.empty() ? ItemList::None : guess.list;
  }
}

}  // namespace zelmora::check
