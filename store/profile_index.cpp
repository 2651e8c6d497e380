#include "store/profile_index.h"

#include "store/profile_file.h"
#include "ui/platform/text_rules.h"

#include <algorithm>

namespace zelmora::store {

namespace {
// The reader compares names without regard to case in the code page; equal upper-case forms are
// exactly the names it takes for equal.
std::string Folded(std::string_view text) { return platform::ToUpper1252(text); }

constexpr std::size_t kMaxDigits = 9;  // fits an int
}  // namespace

ProfileIndex::ProfileIndex(std::string_view bytes) {
  Section* current = nullptr;
  ForEachProfileEntry(
      bytes,
      [&](std::string_view name) {
        // A later section of a name already seen is never read.
        auto [it, added] = sections_.try_emplace(Folded(name));
        current = added ? &it->second : nullptr;
      },
      [&](std::string_view key, std::string&& value) {
        if (!current) return;
        auto [it, added] = current->values.try_emplace(Folded(key), std::move(value));
        if (added) AddNumbers(*current, it->first);
      });
  for (auto& [name, section] : sections_) {
    for (auto& [prefix, numbers] : section.numbered) std::sort(numbers.begin(), numbers.end());
  }
}

// A key ending in digits is prefix & n for every split of its last digits that reads as a number
// without a leading zero: "MessageA12" is item 2 of "MessageA1" and item 12 of "MessageA".
void ProfileIndex::AddNumbers(Section& section, const std::string& key) {
  std::size_t digits = 0;
  while (digits < key.size() && key[key.size() - 1 - digits] >= '0' && key[key.size() - 1 - digits] <= '9') ++digits;
  int value = 0;
  int scale = 1;
  for (std::size_t k = 1; k <= std::min(digits, kMaxDigits); ++k) {
    const char digit = key[key.size() - k];
    value += (digit - '0') * scale;
    scale *= 10;
    if (digit != '0') section.numbered[key.substr(0, key.size() - k)].push_back(value);
  }
}

const ProfileIndex::Section* ProfileIndex::FindSection(std::string_view name) const {
  auto it = sections_.find(Folded(name));
  return it == sections_.end() ? nullptr : &it->second;
}

const std::string* ProfileIndex::Find(std::string_view section, std::string_view key) const {
  const Section* s = FindSection(section);
  if (!s) return nullptr;
  auto it = s->values.find(Folded(key));
  return it == s->values.end() ? nullptr : &it->second;
}

const std::vector<int>& ProfileIndex::Numbers(std::string_view section, std::string_view prefix) const {
  static const std::vector<int> kNone;
  const Section* s = FindSection(section);
  if (!s) return kNone;
  auto it = s->numbered.find(Folded(prefix));
  return it == s->numbered.end() ? kNone : it->second;
}

}  // namespace zelmora::store
