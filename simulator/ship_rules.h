#pragma once

#include "simulator/ship_state.h"
#include "store/system_record.h"
#include "ui/platform/number_asker.h"
#include "ui/platform/prompter.h"
#include "ui/platform/random.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace zelmora::simulator {

// What energy extraction asks of the panel afterwards.
enum class ExtractionResult { Declined, Extracted, DisableEnergy };
// Outcome of the photon torpedo attack.
enum class PhotonResult { Refused, Declined, Destroyed };

// The rules that change the ship: upgrades, hits and damage, supplies, repairs, treaties, energy
// extraction and the photon attack. Every box goes through the prompter, every number question
// through the number asker, every chance through the random port.
class ShipRules {
 public:
  // energyRates: days per 100 units by the planet's Energy code.
  ShipRules(ShipState& ship, platform::Random& random, platform::Prompter& prompter,
            platform::NumberAsker& numbers, const std::array<double, 4>& energyRates);

  ShipState& Ship() { return ship_; }
  const ShipState& Ship() const { return ship_; }

  // Called with kind 1..5 and its new level whenever AddUpgrade raises a level (the markers).
  std::function<void(int kind, int level)> onUpgradeChanged;

  // Raises the level of "EN", "SH", "PT", "SN" or "TB"; false when refused at level 5 or unknown.
  bool AddUpgrade(std::string_view code);
  // All five levels back to 1, as a test started from the message editor begins.
  void ResetUpgradeLevels();
  void ShieldsHit(int units);
  void DamageSystem(int amount, int system);
  void DestroySystem(int system);
  // The "DS" action: a random amount of 50..299.
  void DamageAction(int system);
  float AskNumber(const std::string& message, const std::string& caption, const std::string& unit, float value,
                  float minimum, float maximum, float step);

  // The effect of one "^" code; returns the sentence to append to the shown message (maybe empty).
  std::string ApplyUpgradeEffect(std::string_view code);
  // A "+" (sign 1) or "-" (sign -1) supply action on one store.
  void ApplySupply(int sign, std::string_view code, double amount);
  // Whether the store named by a supply code holds at least amount (other codes: always).
  bool HasSupply(std::string_view code, double amount) const;

  void RepairAll();
  void RepairOne(int system);
  void ReplaceOne(int system);

  void FormTreaty(store::PlanetRecord& planet, const std::string& alienName);
  void BreakTreaty(store::PlanetRecord& planet, const std::string& alienName);

  // energyAllowance: the days the "A" action allows, 0 = not limited; lowered by the stay.
  ExtractionResult ExtractEnergy(const store::PlanetRecord& planet, std::int16_t& energyAllowance);
  // Changes the planet in memory only.
  PhotonResult FirePhotons(store::PlanetRecord& planet);

 private:
  void Show(const std::string& text);
  int DrawSystem(double spread, int offset);

  ShipState& ship_;
  platform::Random& random_;
  platform::Prompter& prompter_;
  platform::NumberAsker& numbers_;
  std::array<double, 4> energyRates_;
};

// A number as ".00" formats it: two decimals, no leading zero before the point.
std::string FormatPoint00(double value);

}  // namespace zelmora::simulator
