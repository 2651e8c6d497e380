#pragma once

#include "store/descriptor_store.h"

#include <string>

// The rules of the planet properties dialog, without the window.
namespace zelmora::editor {

enum class OptionGroup { Life, Attitude, Advancement, Energy };

inline constexpr int kMinSize = 1;
inline constexpr int kMaxSize = 5;
inline constexpr int kMaxMoons = 25;

// What the dialog shows for one planet and hands back on OK. Attributes.AlienIndex is the entry
// selected in the alien list, whether or not the list is enabled.
struct PlanetProperties {
  store::PlanetAttributes Attributes;
  int Size = kMinSize;
  int Moons = 0;
  bool CustomPicture = false;
  bool CustomPictureEnabled = false;
  bool CustomMessages = false;
  bool CustomMessagesEnabled = false;
};

// The four codes after option `index` of `group` was clicked: below Animal there is no attitude
// or advancement, and an extinct race has no attitude left.
store::PlanetAttributes ClickOption(store::PlanetAttributes codes, OptionGroup group, int index);
// The same rules applied to codes as they are (the dialog's selection on opening).
store::PlanetAttributes ApplyOptionRules(store::PlanetAttributes codes);
inline bool AlienListEnabled(const store::PlanetAttributes& codes) { return codes.Life >= 2; }

// An asteroid belt (size 0) has neither size nor moons to change.
inline bool SizeControlsEnabled(int size) { return size != 0; }
int StepSize(int size, int step);    // kept within 1..5
int StepMoons(int moons, int step);  // kept within 0..25

// Whether the pictures box may be used: the system has picture files or the picture form holds
// pictures. The messages box needs the planet's own section in the descriptor.
bool CustomPictureAllowed(const store::DescriptorStore& store, const store::SolarSystemRecord& record,
                          bool picturesHeld);
bool CustomMessagesAllowed(const store::DescriptorStore& store, const store::SolarSystemRecord& record, int h);

// What the dialog opens with for planet h of the open system.
PlanetProperties ReadPlanetProperties(const store::DescriptorStore& store, const store::SolarSystemRecord& record,
                                      int h, bool picturesHeld);

// Closing with OK: the record's fields (AlienIndex 0 when the list was disabled), the two flags
// whose boxes were enabled, then the system block.
void ApplyPlanetProperties(store::DescriptorStore& store, store::SolarSystemRecord& record, int h,
                           const PlanetProperties& chosen);

std::string PlanetPropertiesCaption(const std::string& planetName);

}  // namespace zelmora::editor
