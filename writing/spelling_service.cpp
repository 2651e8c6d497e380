#include "writing/spelling_service.h"

namespace zelmora::writing {

SpellingService::SpellingService(platform::SettingsStore& settings, std::filesystem::path gameFolder,
                                 std::filesystem::path userWords, OpenDictionary open)
    : settings_(settings), gameFolder_(std::move(gameFolder)), userWords_(std::move(userWords)), open_(std::move(open)) {}

SpellingService::~SpellingService() = default;

Speller* SpellingService::Get() { return Enabled() ? Open() : nullptr; }

Speller* SpellingService::Open() {
  if (!speller_ && !tried_) {
    tried_ = true;
    dictionary_ = open_ ? open_(DictionaryName()) : nullptr;
    if (dictionary_) speller_ = std::make_unique<Speller>(*dictionary_, GameWords(gameFolder_), userWords_);
  }
  return speller_.get();
}

bool SpellingService::Enabled() const { return settings::CheckAsYouType.Read(settings_); }

void SpellingService::SetEnabled(bool on) {
  settings::CheckAsYouType.Write(settings_, on);
  Changed();
}

std::string SpellingService::DictionaryName() const { return settings::Dictionary.Read(settings_); }

void SpellingService::ChooseDictionary(const std::string& name) {
  settings::Dictionary.Write(settings_, name);
  speller_.reset();
  dictionary_.reset();
  tried_ = false;
  Changed();
}

void SpellingService::AddToDictionary(const std::string& word) {
  if (Speller* speller = Get()) speller->AddToDictionary(word);
  Changed();
}

void SpellingService::GameChanged() {
  speller_.reset();
  tried_ = false;
  dictionary_.reset();
}

void SpellingService::Changed() {
  for (const auto& changed : changed_) changed();
}

}  // namespace zelmora::writing
