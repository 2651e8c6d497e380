#pragma once

#include "store/descriptor_store.h"
#include "store/system_record.h"
#include "ui/platform/prompter.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelmora::messages {

// What the flag chooser window shows and does, without the window: the planet it lists, its 36
// lines, the selected line and the chosen index (its result). Created once and reused; every use
// starts with LoadFlags, so it always reflects the file.
class FlagChooser {
 public:
  FlagChooser(store::DescriptorStore& store, const store::SolarSystemRecord& record);

  int Planet() const { return planet_; }
  void SetPlanet(int planet) { planet_ = planet; }
  int ChosenIndex() const { return chosenIndex_; }
  void SetChosenIndex(int index) { chosenIndex_ = index; }

  // Fills the list for the planet and selects the line of the chosen index.
  void LoadFlags();
  const std::vector<std::string>& Lines() const { return lines_; }
  std::optional<int> Selected() const { return selected_; }
  void Select(std::optional<int> index);

  // The description box: the selected line's text after its first " - "; empty and disabled
  // without a selection.
  std::string Description() const;
  bool DescriptionEnabled() const { return selected_.has_value(); }

  // "&OK" with the box's text: refuses an empty or "Unused" description with a message and
  // answers false (the window stays); otherwise writes the description, updates the line, makes
  // the selected line the chosen one and answers true (the window hides).
  bool Accept(std::string_view description, platform::Prompter& prompter);
  // Whether "&OK" chose a flag since the last LoadFlags (not so after the close box or Escape).
  bool Accepted() const { return accepted_; }

 private:
  store::DescriptorStore& store_;
  const store::SolarSystemRecord& record_;
  int planet_ = 1;
  int chosenIndex_ = 0;
  std::vector<std::string> lines_;
  std::optional<int> selected_;
  bool accepted_ = false;
};

// Picks a flag for `planet` starting from `current` (empty counts as "A"): prepares the chooser,
// runs `showChooser` (the modal window) and answers the flag of the chosen index. Closing the
// window without "&OK" leaves the chosen index, so the flag passed in comes back.
std::string GetFlagChar(std::string_view current, int planet, FlagChooser& chooser,
                        const std::function<void(FlagChooser&)>& showChooser);
// The same for callers to whom closing the window means "no flag": nothing unless "&OK" chose one.
std::optional<std::string> ChooseFlagChar(std::string_view current, int planet, FlagChooser& chooser,
                                          const std::function<void(FlagChooser&)>& showChooser);

}  // namespace zelmora::messages
