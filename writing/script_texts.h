#pragma once

#include "check/finding.h"
#include "messages/planet_script.h"
#include "messages/special_actions.h"
#include "store/descriptor_store.h"
#include "store/system_record.h"
#include "writing/text_parts.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace zelmora::writing {

// One stored value that holds prose: an item within its list's count, or the information text.
struct TextValue {
  std::string system;
  int planet = 0;
  std::string key;
  std::string group;  // the shown name the message editor lists it under; empty when it has none
  check::ItemList list = check::ItemList::None;
  int item = 0;
  ValueKind kind = ValueKind::Message;
  std::string value;  // whole, as stored (a value read back cut is still seen whole here)
};

// The prose-holding values of a planet in the order of its section's count keys, then "Info".
// Items above their count and keys no count claims are left out: no reader sees them.
std::vector<TextValue> PlanetTexts(const messages::PlanetScript& script);

// Every planet of the system (or only `planet`, when not 0) that has a section of its own, within
// one batch of the system's descriptor: the file is read once, and written once for what `visit`
// writes.
void ForEachPlanet(store::DescriptorStore& store, const store::SolarSystemRecord& record, int planet,
                   const std::function<void(messages::PlanetScript&)>& visit);

// The system the editor has open: visited through the editor's own store and record.
struct OpenSystem {
  store::DescriptorStore* store = nullptr;
  const store::SolarSystemRecord* record = nullptr;
};

// Every system of the game folder's descriptor folder, read from its working copy where
// `readWorkingCopies` and the editor has one.
void ForEachSystem(const std::filesystem::path& gameFolder, bool readWorkingCopies,
                   const std::function<void(store::DescriptorStore&, const store::SolarSystemRecord&)>& visit,
                   OpenSystem open = {});

}  // namespace zelmora::writing
