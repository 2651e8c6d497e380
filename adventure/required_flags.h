#pragma once

#include "messages/planet_script.h"

#include <array>
#include <functional>
#include <string>

namespace zelmora::adventure {

// The option of a required-flag row: "Set" (%F), "Clear" (%f), "None" (empty), or nothing
// selected for a stored value of another form.
enum class NeedOption { Set, Clear, None, Unselected };

// Asks for a flag code (as GetFlagChar does), starting from the given one; answers the chosen
// code, empty when none was chosen.
using FlagChooser = std::function<std::string(const std::string& current)>;

// One row of the advanced room options: the value written back, the flag code it keeps for a
// later Set or Clear, and the option shown.
class RequiredFlagRow {
 public:
  // The flag code is the stored value without its first two characters, whatever its length, so
  // an untouched row writes the stored value back. A stored "%F" or "%f" without a code selects
  // its option, which asks for a code first.
  void Load(const std::string& stored, const FlagChooser& choose = {});
  // Selecting Set or Clear without a flag code asks for one first.
  void Select(NeedOption option, const FlagChooser& choose);
  // A new flag code; shown at once only when the row was on None (it then becomes Set).
  void Choose(const FlagChooser& choose);

  const std::string& Value() const { return value_; }
  std::string Label() const { return label_; }
  NeedOption Option() const { return option_; }
  const std::string& Flag() const { return flag_; }

 private:
  std::string value_;
  std::string label_;
  std::string flag_;
  NeedOption option_ = NeedOption::Unselected;
};

// Beam up, search and tricorder rows over the planet's three keys.
struct RequiredFlags {
  std::array<RequiredFlagRow, 3> rows;

  void Load(const messages::PlanetScript& script, const FlagChooser& choose = {});
  void Save(messages::PlanetScript& script) const;
};

}  // namespace zelmora::adventure
