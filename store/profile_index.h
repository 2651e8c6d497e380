#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zelmora::store {

// Every answer the profile reader can give for one content, built in one pass: the first section
// of each name and, in it, the first line of each key, both found without regard to case.
class ProfileIndex {
 public:
  explicit ProfileIndex(std::string_view bytes);

  // The value (not cut), or null when the reader would answer with its default.
  const std::string* Find(std::string_view section, std::string_view key) const;

  // The numbers n >= 1 (up to nine digits) for which `prefix` & n, n in decimal, is a key of the
  // section, ascending: the items of a key prefix without asking for each number.
  const std::vector<int>& Numbers(std::string_view section, std::string_view prefix) const;

 private:
  struct Section {
    std::unordered_map<std::string, std::string> values;         // by upper-cased key
    std::unordered_map<std::string, std::vector<int>> numbered;  // by upper-cased prefix
  };
  void AddNumbers(Section& section, const std::string& key);
  const Section* FindSection(std::string_view name) const;

  std::unordered_map<std::string, Section> sections_;  // by upper-cased name
};

}  // namespace zelmora::store
