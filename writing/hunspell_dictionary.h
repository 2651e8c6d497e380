#pragma once

#include "writing/spelling.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class Hunspell;

namespace zelmora::writing {

// An installed Hunspell dictionary: its name ("en_US") and its two files.
struct DictionaryFiles {
  std::string name;
  std::filesystem::path aff, dic;
};

// The dictionaries in Hunspell's usual folders ($DICPATH first, then /usr/share/hunspell and
// /usr/share/myspell), each name once, in name order.
std::vector<DictionaryFiles> InstalledDictionaries(std::vector<std::filesystem::path> folders = {});

// A Hunspell dictionary behind the Dictionary port; the only place that reads Hunspell's headers.
class HunspellDictionary : public Dictionary {
 public:
  // Nothing when the files cannot be read.
  static std::unique_ptr<HunspellDictionary> Open(const DictionaryFiles& files);
  // The installed dictionary of that name; nothing when there is none.
  static std::unique_ptr<HunspellDictionary> OpenInstalled(const std::string& name);
  ~HunspellDictionary() override;

  bool Knows(std::string_view word) override;
  std::vector<std::string> Suggest(std::string_view word) override;

 private:
  HunspellDictionary(std::unique_ptr<Hunspell> hunspell, bool utf8);
  std::string ToDictionary(std::string_view word) const;

  std::unique_ptr<Hunspell> hunspell_;
  bool utf8_;
};

}  // namespace zelmora::writing
