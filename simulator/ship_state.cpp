#include "simulator/ship_state.h"

#include "messages/flags.h"

namespace zelmora::simulator {

const std::array<const char*, kSystemCount> kShipSystemCaptions = {
    "Random System",  "Warp Engines",         "Short Range Scanners", "Long Range Scanners", "Phaser Control",
    "Photon Torpedo Tubes", "Shield Control", "Damage Control",       "Library Computer"};

const std::array<const char*, kUpgradeKinds + 1> kUpgradeCodes = {"", "EN", "SH", "PT", "SN", "TB"};

int UpgradeKind(std::string_view code) {
  for (int k = 1; k <= kUpgradeKinds; ++k) {
    if (code == kUpgradeCodes[static_cast<std::size_t>(k)]) return k;
  }
  return 0;
}

bool ShipState::IsDamaged(int system) const {
  if (system < 0 || system >= kSystemCount) return false;
  float d = SystemDamage[static_cast<std::size_t>(system)];
  return d > 0 && d < kDestroyedDamage;
}

bool ShipState::IsDestroyed(int system) const {
  if (system < 0 || system >= kSystemCount) return false;
  return SystemDamage[static_cast<std::size_t>(system)] >= kDestroyedDamage;
}

MarkerColours UpgradeMarkerColours(int level) {
  MarkerColours c;
  c.border = level >= kMaxUpgradeLevel ? 8 : 0;
  switch (level) {
    case 2: c.fill = 14; break;
    case 3: c.fill = 10; break;
    case 4: c.fill = 11; break;
    case 5: c.fill = 12; break;
    default: c.fill = kButtonFace; break;
  }
  return c;
}

int FlagNumberOfLetter(char letter) {
  // The treaty flag has no letter: the letters after it count from the flag above.
  int k = messages::FlagIndex(letter);
  if (k < 0) return -1;
  return k < kTreatyFlag ? k : k + 1;
}

std::string FlagLabelCaption(int flag) {
  if (flag == kTreatyFlag) return "Treaty";
  if (flag < 0 || flag >= kFlagNumbers) return {};
  int k = flag < kTreatyFlag ? flag : flag - 1;
  return std::string(1, k < 26 ? static_cast<char>('A' + k) : static_cast<char>('0' + (k - 26)));
}

}  // namespace zelmora::simulator
