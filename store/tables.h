#pragma once

#include <array>
#include <filesystem>
#include <string>

namespace zelmora::store {

inline constexpr int kAlienNameCount = 256;

// The fixed tables that give the record's codes their names.
struct Tables {
  std::array<std::string, 13> RomanNumerals;  // 0 empty, 1..12 "I".."XII"
  std::array<std::string, 8> StarTypeNames;
  std::array<int, 15> ClassColours{};  // palette index per class; 0 (belt) is not painted as a disc
  std::array<std::string, kAlienNameCount> AlienNames;  // 0 stays empty
  std::array<double, 4> EnergyCost{};                   // the simulator's energy-cost table

  // "Alien # 7" for every empty entry 1..255 (done when the planet dialog is first loaded).
  void FillAlienPlaceholders();
  // The roman numeral, or "" outside 0..12.
  const std::string& Roman(int n) const;
};

// Fills the tables and reads aliens.txt (at most 255 lines; a missing file leaves them empty).
Tables InitTables(const std::filesystem::path& gameFolder);

// Captions of the star type menu items and of the class menu items.
extern const std::array<const char*, 8> kStarTypeMenuCaptions;
extern const std::array<const char*, 15> kClassCaptions;
// Names of the attribute codes.
extern const std::array<const char*, 4> kLifeNames;
extern const std::array<const char*, 4> kAttitudeNames;
extern const std::array<const char*, 4> kAdvancementNames;
extern const std::array<const char*, 4> kEnergyNames;

}  // namespace zelmora::store
