#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zelmora::simulator {

// Ship systems by number; 0 asks the operation to choose one at random.
inline constexpr int kSystemCount = 9;
extern const std::array<const char*, kSystemCount> kShipSystemCaptions;

// Damage of 7 or more means the system is destroyed.
inline constexpr float kDestroyedDamage = 7.0f;

// Upgrade kinds 1..5, in the order the condition codes count them.
inline constexpr int kUpgradeKinds = 5;
inline constexpr int kMaxUpgradeLevel = 5;
extern const std::array<const char*, kUpgradeKinds + 1> kUpgradeCodes;  // 0 empty, "EN".."TB"

// Kind 1..5 of an upgrade code, 0 for any other code.
int UpgradeKind(std::string_view code);

// The simulated ship. One lives for the whole program run: supplies and damage carry over from one
// test to the next.
struct ShipState {
  std::int32_t Energy = 0;
  std::int16_t MaxEnergy = 0;
  std::int16_t ShieldEnergy = 0;
  std::int16_t PhotonTorpedoes = 0;
  std::int16_t TorpedoBay = 0;
  std::int16_t PoSupply = 0;
  std::array<std::int16_t, kUpgradeKinds + 1> UpgradeLevels{};  // index 1..5
  std::array<float, kSystemCount> SystemDamage{};
  std::array<std::int16_t, 6> RetrofitCounters{};
  bool BadGuyOption = false;
  bool UpgradesOption = false;
  std::string PlayerRank;
  std::string PlayerName;
  std::int16_t CurrentPlanet = 0;

  bool IsDamaged(int system) const;    // above 0 and below 7
  bool IsDestroyed(int system) const;  // 7 or more
};

// Colours of an upgrade marker, as palette indexes; kButtonFace stands for the system colour.
inline constexpr int kButtonFace = -1;
struct MarkerColours {
  int border = 0;
  int fill = kButtonFace;
  bool operator==(const MarkerColours&) const = default;
};
MarkerColours UpgradeMarkerColours(int level);

// Flag numbers 0..36 of a planet; 7 is the treaty flag, which has no letter.
inline constexpr int kTreatyFlag = 7;
inline constexpr int kFlagNumbers = 37;
// "A".."Z" give 0..6 and 8..26, "0".."9" give 27..36; -1 for any other character.
int FlagNumberOfLetter(char letter);
// The caption of flag label i: the letter, or "Treaty" for flag 7.
std::string FlagLabelCaption(int flag);

}  // namespace zelmora::simulator
