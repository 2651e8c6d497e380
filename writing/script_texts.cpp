#include "writing/script_texts.h"

#include "check/script_index.h"
#include "messages/script_keys.h"
#include "ui/platform/file_rules.h"
#include "ui/platform/text_rules.h"

#include <map>

namespace zelmora::writing {

std::vector<TextValue> PlanetTexts(const messages::PlanetScript& script) {
  check::ScriptIndex index(script);
  std::map<std::string, const std::string*> whole;  // upper-cased key -> value as stored
  for (const check::SectionEntry& e : index.Entries()) whole.emplace(platform::ToUpper1252(e.key), &e.value);
  auto stored = [&](const std::string& key) -> const std::string* {
    auto found = whole.find(platform::ToUpper1252(key));
    return found == whole.end() ? nullptr : found->second;
  };

  std::vector<TextValue> texts;
  auto add = [&](std::string key, const check::ItemListInfo* list, int item, ValueKind kind, const std::string& value) {
    TextValue t;
    t.system = script.Record().Name;
    t.planet = script.Planet();
    t.key = std::move(key);
    if (list) {
      t.group = list->group;
      t.list = list->group.empty() ? check::ItemList::None : list->list;
    }
    t.item = item;
    t.kind = kind;
    t.value = value;
    texts.push_back(std::move(t));
  };
  for (const check::ItemListInfo* list : index.CountedLists()) {
    const ValueKind kind = list->list == check::ItemList::Responses ? ValueKind::Response : ValueKind::Message;
    for (int n : list->present) {
      std::string key = list->Key(n);
      if (const std::string* value = stored(key)) add(std::move(key), list, n, kind, *value);
    }
  }
  if (const std::string* info = stored(std::string(messages::kInfoKey))) {
    add(std::string(messages::kInfoKey), nullptr, 0, ValueKind::Info, *info);
  }
  return texts;
}

void ForEachPlanet(store::DescriptorStore& store, const store::SolarSystemRecord& record, int planet,
                   const std::function<void(messages::PlanetScript&)>& visit) {
  store::DescriptorBatch batch(store, record.Name);
  for (int n = 1; n <= record.PlanetCount; ++n) {
    if (planet != 0 && n != planet) continue;
    if (!store.SectionExists(record.Name, std::to_string(n))) continue;
    messages::PlanetScript script(store, record, n);
    visit(script);
  }
}

void ForEachSystem(const std::filesystem::path& gameFolder, bool readWorkingCopies,
                   const std::function<void(store::DescriptorStore&, const store::SolarSystemRecord&)>& visit,
                   OpenSystem open) {
  store::DescriptorStore store(gameFolder);
  store.RefreshSystemNames();
  const std::vector<std::string> names = store.SystemNames();
  for (const std::string& name : names) {
    if (open.store && open.record && open.record->Name == name) {
      visit(*open.store, *open.record);
      continue;
    }
    const bool working =
        readWorkingCopies && platform::FileExists(store.DescriptorPath(name, store::kWorkingExtension));
    store.SetCurrentExtension(working ? store::kWorkingExtension : store::kSavedExtension);
    store::SolarSystemRecord record;
    store.LoadSystem(name, record);
    visit(store, record);
  }
}

}  // namespace zelmora::writing
