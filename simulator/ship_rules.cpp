#include "simulator/ship_rules.h"

#include "ui/platform/text_rules.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace zelmora::simulator {

using platform::RoundToInt16;
using platform::RoundToInt32;

namespace {

constexpr std::array<const char*, kUpgradeKinds + 1> kUpgradeNames = {"",       "energy", "shields",
                                                                       "photon", "sensor", "torpedo bay"};

bool ValidSystem(int system) { return system >= 0 && system < kSystemCount; }

float& Damage(ShipState& ship, int system) { return ship.SystemDamage[static_cast<std::size_t>(system)]; }

std::int16_t Clamp16(double value, double low, double high) {
  return RoundToInt16(std::clamp(std::nearbyint(value), low, high));
}

// The shortest decimal form of a number ("5", "-5", "2.5").
std::string ShortNumber(double value) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

}  // namespace

std::string FormatPoint00(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.2f", value);
  std::string text(buffer);
  if (text.rfind("0.", 0) == 0) text.erase(0, 1);
  else if (text.rfind("-0.", 0) == 0) text.erase(1, 1);
  return text;
}

ShipRules::ShipRules(ShipState& ship, platform::Random& random, platform::Prompter& prompter,
                     platform::NumberAsker& numbers, const std::array<double, 4>& energyRates)
    : ship_(ship), random_(random), prompter_(prompter), numbers_(numbers), energyRates_(energyRates) {}

void ShipRules::Show(const std::string& text) { prompter_.Inform(text); }

int ShipRules::DrawSystem(double spread, int offset) {
  return static_cast<int>(std::floor(random_.Next() * spread)) + offset;
}

bool ShipRules::AddUpgrade(std::string_view code) {
  int kind = UpgradeKind(code);
  if (kind == 0) return false;
  auto& level = ship_.UpgradeLevels[static_cast<std::size_t>(kind)];
  if (level >= kMaxUpgradeLevel) {
    Show(std::string("You cannot take another ") + kUpgradeNames[static_cast<std::size_t>(kind)] + " upgrade.");
    return false;
  }
  ++level;
  if (onUpgradeChanged) onUpgradeChanged(kind, level);
  return true;
}

void ShipRules::ResetUpgradeLevels() {
  for (int k = 1; k <= kUpgradeKinds; ++k) ship_.UpgradeLevels[static_cast<std::size_t>(k)] = 0;
  for (int k = 1; k <= kUpgradeKinds; ++k) AddUpgrade(kUpgradeCodes[static_cast<std::size_t>(k)]);
}

void ShipRules::ShieldsHit(int units) {
  Show("Your shields have been hit with " + std::to_string(units) + " units.");
  ship_.ShieldEnergy = RoundToInt16(static_cast<double>(ship_.ShieldEnergy) - units);
}

void ShipRules::DamageSystem(int amount, int system) {
  if (system == 0) system = DrawSystem(7, 1);
  if (!ValidSystem(system)) return;
  Show("System " + std::to_string(system) + " damaged.");
  Damage(ship_, system) += static_cast<float>(amount);
}

void ShipRules::DestroySystem(int system) {
  if (!ValidSystem(system)) return;
  bool anyLeft = false;
  for (int s = 1; s < kSystemCount; ++s) anyLeft = anyLeft || !ship_.IsDestroyed(s);
  if (anyLeft) {
    while (system == 0 || ship_.IsDestroyed(system)) system = DrawSystem(7.99, 1);
  }
  Show("System " + std::to_string(system) + " destroyed!");
  Damage(ship_, system) = 8;
}

void ShipRules::DamageAction(int system) {
  DamageSystem(static_cast<int>(std::floor(random_.Next() * 250 + 50)), system);
}

float ShipRules::AskNumber(const std::string& message, const std::string& caption, const std::string& unit,
                           float value, float minimum, float maximum, float step) {
  value = std::max(minimum, std::min(value, maximum));
  float answer = numbers_.AskNumber(message, caption, unit, value, minimum, maximum, step);
  return answer <= maximum ? answer : minimum - 1;
}

std::string ShipRules::ApplyUpgradeEffect(std::string_view code) {
  AddUpgrade(code);
  if (code == "EN") {
    ship_.Energy = ship_.MaxEnergy;
    ship_.ShieldEnergy = 0;
    return "We will fill your dylithium crystals to test their integrity.";
  }
  if (code == "PT") {
    ship_.TorpedoBay = 20;
    if (ship_.PhotonTorpedoes > 60) ship_.PhotonTorpedoes = 60;
    return "We will fill your photon bay to test new containment fields.";
  }
  if (code == "TB") {
    if (ship_.TorpedoBay < 20) {
      ship_.TorpedoBay = 20;
      return "We will fill your extra photon bay to capacity for testing.";
    }
    if (ship_.PhotonTorpedoes < 60) {
      double have = ship_.PhotonTorpedoes;
      ship_.PhotonTorpedoes = std::min<std::int16_t>(RoundToInt16((60 - have) * random_.Next() * 1.2 + have), 60);
      return "We will give you some Class 1 photons we had laying around.";
    }
  }
  return {};
}

void ShipRules::ApplySupply(int sign, std::string_view code, double amount) {
  const double change = sign * amount;
  if (code == "PTU") {
    ship_.TorpedoBay = Clamp16(ship_.TorpedoBay + change, 0, 20);
  } else if (code == "PT") {
    ship_.PhotonTorpedoes = Clamp16(ship_.PhotonTorpedoes + change, 0, 60);
  } else if (code == "PO") {
    ship_.PoSupply = Clamp16(ship_.PoSupply + change, 0, 10);
  } else if (code == "EN") {
    std::int32_t energy = RoundToInt32(ship_.Energy + change);
    ship_.Energy = std::max<std::int32_t>(0, std::min<std::int32_t>(energy, ship_.MaxEnergy));
  } else if (code == "ENM") {
    ship_.MaxEnergy = Clamp16(ship_.MaxEnergy + change, 1000, 32767);
  } else if (code == "TI") {
    Show("Time has gone down by " + ShortNumber(-change + 0.0));
  }
}

bool ShipRules::HasSupply(std::string_view code, double amount) const {
  double store;
  if (code == "PTU") store = ship_.TorpedoBay;
  else if (code == "PT") store = ship_.PhotonTorpedoes;
  else if (code == "PO") store = ship_.PoSupply;
  else if (code == "EN") store = ship_.Energy;
  else if (code == "ENM") store = ship_.MaxEnergy;
  else return true;
  return amount <= store;
}

void ShipRules::RepairAll() {
  ship_.SystemDamage.fill(0);
  Show("All systems repaired!");
}

void ShipRules::RepairOne(int system) {
  if (!ValidSystem(system)) return;
  if (system == 0) {
    std::int32_t sum = 0;
    for (float d : ship_.SystemDamage) sum = RoundToInt32(sum + static_cast<double>(d));
    if (sum == 0) return;
    bool any = false;
    for (int s = 0; s < kSystemCount; ++s) any = any || ship_.IsDamaged(s);
    if (!any) return;
    do system = DrawSystem(8.99, 0);
    while (!ship_.IsDamaged(system));
  }
  Show("System " + std::to_string(system) + " repaired!");
  Damage(ship_, system) = 0;
}

void ShipRules::ReplaceOne(int system) {
  if (!ValidSystem(system)) return;
  if (system == 0) {
    bool any = false;
    for (int s = 0; s < kSystemCount; ++s) any = any || ship_.IsDestroyed(s);
    if (!any) return;
    do system = DrawSystem(8.99, 0);
    while (!ship_.IsDestroyed(system));
  }
  Show("System " + std::to_string(system) + " replaced!");
  Damage(ship_, system) = 0;
}

void ShipRules::FormTreaty(store::PlanetRecord& planet, const std::string& alienName) {
  Show("A treaty has been formed with the " + alienName +
       ".\r\nThis will allow you more time to complete\r\nyour mission.  (It will also look pretty good\r\n"
       "on your record.)");
  store::SetFlagBit(planet, kTreatyFlag, true);
}

void ShipRules::BreakTreaty(store::PlanetRecord& planet, const std::string& alienName) {
  Show("The " + alienName +
       " have broken the treaty with Corvane.\r\nThis will take extra time away from your mission.");
  store::SetFlagBit(planet, kTreatyFlag, false);
}

ExtractionResult ShipRules::ExtractEnergy(const store::PlanetRecord& planet, std::int16_t& energyAllowance) {
  const auto attributes = store::PlanetAttributes::Decode(planet.Attributes);
  const int kind = attributes.Energy;
  if (kind <= 0 || kind >= static_cast<int>(energyRates_.size())) {
    Show("You cannot extract any energy from this planet.");
    return ExtractionResult::DisableEnergy;
  }
  if (ship_.Energy == ship_.MaxEnergy) {
    Show("You have as much energy as you can hold.");
    return ExtractionResult::DisableEnergy;
  }
  const double divisor = attributes.Life == 2 ? std::max(attributes.Advancement, 1) : 1;
  const double rate = energyRates_[static_cast<std::size_t>(kind)];
  const double perHundred = rate / divisor;
  const std::int32_t total = ship_.Energy + ship_.ShieldEnergy;
  const double need = static_cast<double>(ship_.MaxEnergy) - total;
  double maxDays = std::floor(rate * need / divisor + 0.99 + 0.5) / 100;
  bool limited = false;
  if (energyAllowance > 0 && maxDays > energyAllowance) {
    maxDays = energyAllowance;
    limited = true;
  }
  const float stay = AskNumber("How long do you want to stay?\r\n" + FormatPoint00(perHundred) +
                                   " days per 100 units of energy.\r\nYou have " + std::to_string(total) +
                                   " total units of energy.",
                               "", "days", 1, 0, static_cast<float>(maxDays), 0.01f);
  if (stay <= 0) return ExtractionResult::Declined;
  ExtractionResult result = ExtractionResult::Extracted;
  if (limited) {
    energyAllowance = RoundToInt16(energyAllowance - static_cast<double>(stay));
    if (energyAllowance <= 0) {
      energyAllowance = 0;
      result = ExtractionResult::DisableEnergy;
    }
  }
  ship_.Energy = RoundToInt32(static_cast<double>(stay) / perHundred * 100 + ship_.Energy);
  if (ship_.Energy + ship_.ShieldEnergy > ship_.MaxEnergy) ship_.Energy = ship_.MaxEnergy - ship_.ShieldEnergy;
  return result;
}

PhotonResult ShipRules::FirePhotons(store::PlanetRecord& planet) {
  if (planet.Size > ship_.PhotonTorpedoes) {
    Show("You don't have enough Class 1 torpedos to destroy this planet.");
    return PhotonResult::Refused;
  }
  if (prompter_.Message("Are you sure you wish to DESTROY this planet?", platform::Buttons::YesNo,
                        platform::Icon::Exclamation) != platform::Answer::Yes) {
    return PhotonResult::Declined;
  }
  ship_.PhotonTorpedoes = static_cast<std::int16_t>(ship_.PhotonTorpedoes - planet.Size);
  planet.Orbit = 0;
  planet.Size = 0;
  planet.Moons = 0;
  planet.Attributes = 0;
  planet.StateValue = -1000;
  planet.Class = random_.Next() > 0.6 ? 4 : 0;
  return PhotonResult::Destroyed;
}

}  // namespace zelmora::simulator
