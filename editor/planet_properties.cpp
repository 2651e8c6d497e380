#include "editor/planet_properties.h"

#include "ui/platform/file_rules.h"

#include <algorithm>

namespace zelmora::editor {

store::PlanetAttributes ApplyOptionRules(store::PlanetAttributes codes) {
  codes.SetLife(codes.Life);
  return codes;
}

store::PlanetAttributes ClickOption(store::PlanetAttributes codes, OptionGroup group, int index) {
  index = std::clamp(index, 0, 3);
  switch (group) {
    case OptionGroup::Life: codes.Life = index; break;
    case OptionGroup::Attitude: codes.Attitude = index; break;
    case OptionGroup::Advancement: codes.Advancement = index; break;
    case OptionGroup::Energy: codes.Energy = index; break;
  }
  return ApplyOptionRules(codes);
}

int StepSize(int size, int step) { return std::clamp(size + step, kMinSize, kMaxSize); }
int StepMoons(int moons, int step) { return std::clamp(moons + step, 0, kMaxMoons); }

bool CustomPictureAllowed(const store::DescriptorStore& store, const store::SolarSystemRecord& record,
                          bool picturesHeld) {
  return picturesHeld || !store.MatchingPictures(record.Name + ".*").empty();
}

bool CustomMessagesAllowed(const store::DescriptorStore& store, const store::SolarSystemRecord& record, int h) {
  return store.SectionExists(record.Name, std::to_string(h));
}

PlanetProperties ReadPlanetProperties(const store::DescriptorStore& store, const store::SolarSystemRecord& record,
                                      int h, bool picturesHeld) {
  const store::PlanetRecord& planet = record.Planet(h);
  PlanetProperties p;
  p.Attributes = ApplyOptionRules(store::PlanetAttributes::Decode(planet.Attributes));
  p.Size = planet.Size;
  p.Moons = planet.Moons;
  p.CustomPictureEnabled = CustomPictureAllowed(store, record, picturesHeld);
  p.CustomPicture = p.CustomPictureEnabled && store.GetPlanetFlag(record, "PlanetPics", h) != 0;
  p.CustomMessagesEnabled = CustomMessagesAllowed(store, record, h);
  p.CustomMessages = p.CustomMessagesEnabled && store.GetPlanetFlag(record, "Messages", h) == 1;
  return p;
}

void ApplyPlanetProperties(store::DescriptorStore& store, store::SolarSystemRecord& record, int h,
                           const PlanetProperties& chosen) {
  if (h < 1 || h > record.PlanetCount) return;
  store::PlanetAttributes codes = ApplyOptionRules(chosen.Attributes);
  if (!AlienListEnabled(codes)) codes.AlienIndex = 0;
  store::PlanetRecord& planet = record.Planet(h);
  planet.Attributes = codes.Encode();
  planet.Size = static_cast<std::int16_t>(chosen.Size);
  planet.Moons = static_cast<std::int16_t>(chosen.Moons);
  store::EditAction action(store, "Properties of planet " + std::to_string(h));
  store::DescriptorBatch batch(store, record.Name);
  if (chosen.CustomPictureEnabled) {
    store.SetPlanetFlag(record, "PlanetPics", h, record.PlanetCount, chosen.CustomPicture);
  }
  if (chosen.CustomMessagesEnabled) {
    store.SetPlanetFlag(record, "Messages", h, record.PlanetCount, chosen.CustomMessages);
  }
  store.WriteSystemRecord(record);
}

std::string PlanetPropertiesCaption(const std::string& planetName) { return "Planet Properties - " + planetName; }

}  // namespace zelmora::editor
