#pragma once

#include "ui/platform/settings_store.h"
#include "writing/spelling.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zelmora::writing {

class Dictionary;

// The editor's one speller: the dictionary chosen in the settings (opened on first use), the game's
// own words and the author's list. Whoever marks words asks it each time, so a change of dictionary
// or of the switch reaches every box.
class SpellingService {
 public:
  // Opens a dictionary by name; nothing when there is none of that name.
  using OpenDictionary = std::function<std::unique_ptr<Dictionary>(const std::string& name)>;

  SpellingService(platform::SettingsStore& settings, std::filesystem::path gameFolder,
                  std::filesystem::path userWords, OpenDictionary open);
  ~SpellingService();

  // Null while marking is switched off or no dictionary can be opened.
  Speller* Get();
  // The same whether or not marking is switched on (for lists asked for by name).
  Speller* Open();
  bool Enabled() const;
  void SetEnabled(bool on);
  std::string DictionaryName() const;
  void ChooseDictionary(const std::string& name);
  // "Add to Dictionary": the author's list takes the word, and every box marks again.
  void AddToDictionary(const std::string& word);
  // The game's names changed (a system, a planet or a flag described): read again on next use.
  void GameChanged();
  // Told after every change of what is marked.
  void OnChanged(std::function<void()> changed) { changed_.push_back(std::move(changed)); }

 private:
  void Changed();

  platform::SettingsStore& settings_;
  std::filesystem::path gameFolder_;
  UserWords userWords_;
  OpenDictionary open_;
  std::unique_ptr<Dictionary> dictionary_;
  std::unique_ptr<Speller> speller_;
  bool tried_ = false;  // the dictionary was looked for
  std::vector<std::function<void()>> changed_;
};

}  // namespace zelmora::writing
