#include "writing/hunspell_dictionary.h"

#include "ui/platform/code_page.h"
#include "ui/platform/file_rules.h"

#include <hunspell.hxx>

#include <algorithm>
#include <cstdlib>
#include <map>

namespace zelmora::writing {

std::vector<DictionaryFiles> InstalledDictionaries(std::vector<std::filesystem::path> folders) {
  if (folders.empty()) {
    if (const char* dicpath = std::getenv("DICPATH"); dicpath && *dicpath) {
      std::string list(dicpath);
      for (std::size_t at = 0; at <= list.size();) {
        std::size_t end = list.find(':', at);
        if (end == std::string::npos) end = list.size();
        if (end > at) folders.emplace_back(list.substr(at, end - at));
        at = end + 1;
      }
    }
    for (const char* f : {"/usr/share/hunspell", "/usr/share/myspell", "/usr/share/myspell/dicts"}) folders.emplace_back(f);
  }
  std::map<std::string, DictionaryFiles> found;
  for (const auto& folder : folders) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
      const auto& path = entry.path();
      if (path.extension() != ".dic") continue;
      auto aff = path;
      aff.replace_extension(".aff");
      const std::string name = path.stem().string();
      if (!platform::FileExists(aff) || found.count(name)) continue;
      found.emplace(name, DictionaryFiles{name, aff, path});
    }
  }
  std::vector<DictionaryFiles> list;
  for (auto& [name, files] : found) list.push_back(std::move(files));
  return list;
}

HunspellDictionary::HunspellDictionary(std::unique_ptr<Hunspell> hunspell, bool utf8)
    : hunspell_(std::move(hunspell)), utf8_(utf8) {}

HunspellDictionary::~HunspellDictionary() = default;

std::unique_ptr<HunspellDictionary> HunspellDictionary::Open(const DictionaryFiles& files) {
  if (!platform::FileExists(files.aff) || !platform::FileExists(files.dic)) return nullptr;
  auto hunspell = std::make_unique<Hunspell>(files.aff.c_str(), files.dic.c_str());
  const bool utf8 = hunspell->get_dict_encoding() == "UTF-8";
  return std::unique_ptr<HunspellDictionary>(new HunspellDictionary(std::move(hunspell), utf8));
}

std::unique_ptr<HunspellDictionary> HunspellDictionary::OpenInstalled(const std::string& name) {
  for (const DictionaryFiles& files : InstalledDictionaries()) {
    if (files.name == name) return Open(files);
  }
  return nullptr;
}

// A dictionary in another single-byte encoding gets the code page's bytes, which Latin-1 shares.
std::string HunspellDictionary::ToDictionary(std::string_view word) const {
  return utf8_ ? platform::Cp1252ToUtf8(word) : std::string(word);
}

bool HunspellDictionary::Knows(std::string_view word) { return hunspell_->spell(ToDictionary(word)); }

std::vector<std::string> HunspellDictionary::Suggest(std::string_view word) {
  std::vector<std::string> suggestions;
  for (const std::string& s : hunspell_->suggest(ToDictionary(word))) {
    // A suggestion the code page cannot hold could not be stored.
    if (!utf8_) {
      suggestions.push_back(s);
    } else if (auto bytes = platform::Utf8ToCp1252Exact(s)) {
      suggestions.push_back(*bytes);
    }
  }
  return suggestions;
}

}  // namespace zelmora::writing
