#pragma once

#include "check/play_model.h"
#include "check/script_index.h"

#include <array>
#include <string>

namespace zelmora::check {

inline constexpr int kFlagNumbers = 37;

// Where a planet's script sets, clears and tests its flags: every item within its count, and the
// requirement keys of the rooms' beam-up, search and tricorder actions.
struct FlagUses {
  FlagBits set = 0;      // "*SF", "*TF", "*TREATY"
  FlagBits cleared = 0;  // "*CF", "*TF", "*NOTREATY"
  FlagBits tested = 0;   // "%F", "%f", the numbered flag conditions
  std::array<std::string, kFlagNumbers> firstSet;   // the key of the first item that sets each flag
  std::array<std::string, kFlagNumbers> firstTest;  // ... that tests it
  std::array<std::string, kFlagNumbers> firstUse;   // ... that uses it at all
};

FlagUses ScanFlags(ScriptIndex& index);

}  // namespace zelmora::check
