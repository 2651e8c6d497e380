#include "store/tables.h"

#include "store/text_lines.h"
#include "ui/platform/file_rules.h"

namespace zelmora::store {

const std::array<const char*, 8> kStarTypeMenuCaptions = {
    "Yellow Sun",   "White Dwarf",  "Red Sun",           "Binary System (Black Hole)",
    "Binary System", "Neutron Star", "Flaring Yellow Sun", "Blue Giant"};

const std::array<const char*, 15> kClassCaptions = {
    "- - Asteroid Belt",
    "A - Radiates heat from its surface",
    "B - Non-radiant planet",
    "C - Very high surface temperature",
    "D - Appears to be a captured asteroid",
    "E - This planet has a large molten core",
    "F - This planet is very young (less than a billion yrs)",
    "G - Desert planet",
    "H - Geologically active",
    "I - A small, young planet",
    "J - This planet seems to be a captured moon",
    "K - Red planet, Carbon Dioxide atmosphere",
    "L - Geologically inactive similar to Earth",
    "M - Geologically active similar to Earth",
    "N - Water covered planet"};

const std::array<const char*, 4> kLifeNames = {"No Life", "Plant", "Animal", "Extinct"};
const std::array<const char*, 4> kAttitudeNames = {"En Aggressive", "En Passive", "Fr Business", "Fr Social"};
const std::array<const char*, 4> kAdvancementNames = {"Primitive", "Sub-Warp", "Warp", "Advanced"};
const std::array<const char*, 4> kEnergyNames = {"No Energy", "Fossil Fuels", "Nuclear", "Dylithium"};

void Tables::FillAlienPlaceholders() {
  for (int i = 1; i < kAlienNameCount; ++i) {
    if (AlienNames[static_cast<std::size_t>(i)].empty()) {
      AlienNames[static_cast<std::size_t>(i)] = "Alien # " + std::to_string(i);
    }
  }
}

const std::string& Tables::Roman(int n) const {
  static const std::string kNone;
  if (n < 0 || n >= static_cast<int>(RomanNumerals.size())) return kNone;
  return RomanNumerals[static_cast<std::size_t>(n)];
}

Tables InitTables(const std::filesystem::path& gameFolder) {
  Tables t;
  t.RomanNumerals = {"", "I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX", "X", "XI", "XII"};
  t.StarTypeNames = {"Yellow Sun",    "White Dwarf",  "Red Sun",            "Binary System",
                     "Binary System", "Neutron Star", "Flaring Yellow Sun", "Blue Giant"};
  t.ClassColours = {0, 14, 9, 2, 8, 4, 6, 6, 5, 5, 7, 12, 9, 9, 9};
  t.EnergyCost = {0, 0.5, 0.3, 0.1};

  auto file = platform::FindNoCase(gameFolder, "aliens.txt");
  std::string bytes;
  if (file && platform::ReadWholeFile(*file, bytes)) {
    int n = 1;
    ForEachLine(bytes, [&](const TextLine& line, std::size_t) {
      t.AlienNames[static_cast<std::size_t>(n)] = std::string(line.text);
      return ++n < kAlienNameCount;  // only 255 names fit
    });
  }
  return t;
}

}  // namespace zelmora::store
