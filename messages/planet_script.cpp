#include "messages/planet_script.h"

#include "messages/script_keys.h"
#include "ui/platform/text_rules.h"

#include <algorithm>

namespace zelmora::messages {

PlanetScript::PlanetScript(store::DescriptorStore& store, const store::SolarSystemRecord& record, int planet)
    : store_(store), record_(record), planet_(planet) {}

std::string StoredValue(std::string_view value) {
  // The reader takes one pair of matching quotes off a value; an author's quoted line keeps its
  // own pair behind a second one. Blanks at the ends are left alone: no reader of a script keeps them.
  const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
  return quoted ? "\"" + std::string(value) + "\"" : std::string(value);
}

std::string PlanetScript::Section() const { return std::to_string(planet_); }

std::string PlanetScript::GetMessage(std::string_view key) const {
  return store_.GetPlanetMessage(record_, planet_, key, true);
}

void PlanetScript::PutMessage(std::string_view key, std::string_view value) {
  if (value.empty()) {
    store_.DeleteKey(record_.Name, Section(), key);
    return;
  }
  store_.WriteKey(record_.Name, Section(), key, StoredValue(value));
}

std::string PlanetScript::OptionalValue(std::string_view key) const {
  std::string value = GetMessage(key);
  return value == store::kNoMessage ? std::string() : value;
}

std::string PlanetScript::BeamFlag() const { return OptionalValue(kBeamFlagKey); }
void PlanetScript::SetBeamFlag(std::string_view value) { PutMessage(kBeamFlagKey, value); }
std::string PlanetScript::SearchFlag() const { return OptionalValue(kSearchFlagKey); }
void PlanetScript::SetSearchFlag(std::string_view value) { PutMessage(kSearchFlagKey, value); }
std::string PlanetScript::TriFlag() const { return OptionalValue(kTriFlagKey); }
void PlanetScript::SetTriFlag(std::string_view value) { PutMessage(kTriFlagKey, value); }

int PlanetScript::ReadCount(std::string_view key) const {
  return std::max<int>(0, platform::ToInt16(GetMessage(key)));
}

int PlanetScript::MessageCount(std::string_view group) const { return ReadCount(MessageCountKey(group)); }
int PlanetScript::ResponseCount(std::string_view group) const { return ReadCount(ResponseCountKey(group)); }

void PlanetScript::SetMessageCount(std::string_view group, int count) {
  PutMessage(MessageCountKey(group), std::to_string(count));
}

void PlanetScript::SetResponseCount(std::string_view group, int count) {
  PutMessage(ResponseCountKey(group), std::to_string(count));
}

std::string PlanetScript::Message(std::string_view group, int i) const { return GetMessage(MessageKey(group, i)); }
std::string PlanetScript::Response(std::string_view group, int i) const { return GetMessage(ResponseKey(group, i)); }

std::vector<int> PlanetScript::PresentItems(std::string_view prefix, int count) const {
  std::vector<int> items = store_.KeyNumbers(record_.Name, Section(), prefix);
  items.erase(std::upper_bound(items.begin(), items.end(), count), items.end());
  return items;
}

std::vector<std::string> PlanetScript::Items(std::string_view prefix, int count) const {
  store::DescriptorBatch batch(store_, record_.Name);
  std::vector<std::string> values(static_cast<std::size_t>(std::max(count, 0)), store::kNoMessage);
  for (int i : PresentItems(prefix, count)) {
    values[static_cast<std::size_t>(i - 1)] = GetMessage(std::string(prefix) + std::to_string(i));
  }
  return values;
}

}  // namespace zelmora::messages
