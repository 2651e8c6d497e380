#include "messages/flag_chooser.h"

#include "messages/flags.h"
#include "messages/planet_script.h"

namespace zelmora::messages {

FlagChooser::FlagChooser(store::DescriptorStore& store, const store::SolarSystemRecord& record)
    : store_(store), record_(record) {}

void FlagChooser::LoadFlags() {
  lines_ = LoadFlagLines(PlanetScript(store_, record_, planet_));
  accepted_ = false;
  Select(chosenIndex_);
}

void FlagChooser::Select(std::optional<int> index) {
  if (index && (*index < 0 || *index >= static_cast<int>(lines_.size()))) index.reset();
  selected_ = index;
}

std::string FlagChooser::Description() const {
  if (!selected_) return {};
  return FlagLineDescription(lines_[static_cast<std::size_t>(*selected_)]);
}

bool FlagChooser::Accept(std::string_view description, platform::Prompter& prompter) {
  if (!selected_ || !IsFlagDescriptionAccepted(description)) {
    prompter.Message(std::string(kDescribeFlagText), platform::Buttons::Ok, platform::Icon::None);
    return false;
  }
  const char flag = FlagChar(*selected_);
  lines_[static_cast<std::size_t>(*selected_)] = FlagChooserLine(flag, description);
  PlanetScript script(store_, record_, planet_);
  SetFlagDescription(script, flag, description);
  chosenIndex_ = *selected_;
  accepted_ = true;
  return true;
}

std::string GetFlagChar(std::string_view current, int planet, FlagChooser& chooser,
                        const std::function<void(FlagChooser&)>& showChooser) {
  chooser.SetPlanet(planet);
  chooser.SetChosenIndex(FlagChooserIndex(current));
  chooser.LoadFlags();
  showChooser(chooser);
  return FlagOfChooserIndex(chooser.ChosenIndex());
}

std::optional<std::string> ChooseFlagChar(std::string_view current, int planet, FlagChooser& chooser,
                                          const std::function<void(FlagChooser&)>& showChooser) {
  std::string flag = GetFlagChar(current, planet, chooser, showChooser);
  if (!chooser.Accepted()) return std::nullopt;
  return flag;
}

}  // namespace zelmora::messages
