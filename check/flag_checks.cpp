// Flags that are set and never tested, tested and never set, or used without a description.
#include "check/planet_checker.h"
#include "messages/script_keys.h"
#include "simulator/ship_state.h"

namespace zelmora::check {

void PlanetChecker::CheckFlags() {
  for (int flag = 0; flag < kFlagNumbers; ++flag) {
    const FlagBits bit = FlagBit(flag);
    const std::size_t i = static_cast<std::size_t>(flag);
    const bool treaty = flag == simulator::kTreatyFlag;
    const std::string name = treaty ? std::string("the treaty flag") : "flag " + FlagName(flag);
    if ((flags_.tested & bit) && !(flags_.set & bit)) {
      if (treaty) {
        Add(Severity::Warning, FindingKind::FlagNeverSet, flags_.firstTest[i],
            "the treaty flag is tested here but no message forms a treaty (*TREATY)",
            "form the treaty with *TREATY where it should hold, or remove the test");
      } else {
        Add(Severity::Warning, FindingKind::FlagNeverSet, flags_.firstTest[i],
            name + " is tested here but nothing sets it (*SF" + FlagName(flag) + " or *TF" + FlagName(flag) + ")",
            "set it with *SF" + FlagName(flag) + " where it should become true, or remove the test");
      }
    }
    if ((flags_.set & bit) && !(flags_.tested & bit)) {
      Add(Severity::Note, FindingKind::FlagNeverTested, flags_.firstSet[i],
          name + " is set here but nothing tests it",
          treaty ? "test it with %45 or %46, or leave it to the game"
                 : "test it with %F" + FlagName(flag) + " or %f" + FlagName(flag) + ", or stop setting it");
    }
    if (!treaty && !flags_.firstUse[i].empty()) {
      const std::string key = messages::FlagDescriptionKey(FlagName(flag)[0]);
      if (!index_.HasKey(key)) {
        Add(Severity::Note, FindingKind::FlagUndescribed, flags_.firstUse[i],
            name + " is used here but has no description (key " + key + ")", "describe it in the flag chooser");
      }
    }
  }
}

}  // namespace zelmora::check
