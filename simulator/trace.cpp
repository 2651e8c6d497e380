#include "simulator/trace.h"

#include "simulator/transcript.h"
#include "store/tables.h"

#include <cstdio>

namespace zelmora::simulator {

void Trace::Line(const std::string& text) {
  if (!sink_) return;
  idle_.clear();
  sink_->TraceLine(std::string(static_cast<std::size_t>(depth_) * 2, ' ') + text);
}

void Trace::Idle(const std::string& text) {
  if (!sink_ || text == idle_) return;
  Line(text);
  idle_ = text;
}

namespace {

std::string FlagWords(int flag) {
  return flag == kTreatyFlag ? std::string("the treaty flag") : "flag " + FlagLabelCaption(flag);
}

std::string KindCode(int kind) { return kUpgradeCodes[static_cast<std::size_t>(kind)]; }

std::string ShipCondition(int n) {
  if (n >= 10 && n <= 14) return KindCode(n - 9) + " not upgraded (level 1)";
  if (n >= 15 && n <= 19) return KindCode(n - 14) + " upgraded (level other than 1)";
  if (n >= 26 && n <= 30) return KindCode(n - 25) + " at level 3 or more";
  if (n >= 55 && n <= 59) return KindCode(n - 54) + " below level 5";
  switch (n) {
    case 47: return "a system damaged";
    case 48: return "five systems damaged";
    case 49: return "a system destroyed";
    case 50: return "five systems destroyed";
    case 51: return "no system damaged";
    case 52: return "Upgrades option off";
    case 53: return "BadGuy option on";
    case 54: return "BadGuy option off";
    default: return "no condition";
  }
}

std::string PlanetEnergyCondition(int n) {
  if (n >= 20 && n <= 23) return std::string("planet energy ") + store::kEnergyNames[static_cast<std::size_t>(n - 20)];
  if (n == 24) return "planet energy other than No Energy";
  return "planet energy Nuclear or Dylithium";
}

void Compare(std::vector<std::string>& out, const std::string& what, double before, double after) {
  if (before != after) out.push_back(what + " " + ShortNumber(before) + " -> " + ShortNumber(after));
}

void CompareDamage(std::vector<std::string>& out, std::size_t system, float before, float after) {
  if (before != after) {
    out.push_back("damage of system " + std::to_string(system) + " " + ShortNumber(before) + " -> " +
                  ShortNumber(after));
  }
}

}  // namespace

std::string DescribeCondition(std::string_view code) {
  const ConditionRule rule = ClassifyCondition(code);
  switch (rule.kind) {
    case ConditionRule::Never:
      return code == "00" ? "never" : "flag " + std::string(code.substr(1)) + " set, which names no flag";
    case ConditionRule::Always:
      if (!code.empty() && (code[0] == 'W' || code[0] == 'w')) {
        return "wait " + std::string(code.substr(1, 1)) + " seconds (no condition)";
      }
      return "no condition";
    case ConditionRule::Chance: return "chance " + std::to_string(rule.value * 10) + "%";
    case ConditionRule::Ship: return ShipCondition(rule.value);
    case ConditionRule::PlanetEnergy: return PlanetEnergyCondition(rule.value);
    case ConditionRule::FlagSet: return FlagWords(rule.value) + " set";
    case ConditionRule::FlagClear: return FlagWords(rule.value) + " clear";
  }
  return "no condition";
}

std::string DescribeRequirement(const PieceRequirement& need, const ShipState& ship) {
  const auto damage = [&](int s) {
    return s >= 0 && s < kSystemCount ? ShortNumber(ship.SystemDamage[static_cast<std::size_t>(s)]) : std::string("0");
  };
  switch (need.kind) {
    case PieceRequirement::SystemDamaged:
      return "system " + std::to_string(need.number) + " damaged and repairable (damage " + damage(need.number) + ")";
    case PieceRequirement::SystemDestroyed:
      return "system " + std::to_string(need.number) + " destroyed (damage " + damage(need.number) + ")";
    case PieceRequirement::Supply: {
      std::string held;
      if (need.code == "PTU") held = std::to_string(ship.TorpedoBay);
      else if (need.code == "PT") held = std::to_string(ship.PhotonTorpedoes);
      else if (need.code == "PO") held = std::to_string(ship.PoSupply);
      else if (need.code == "EN") held = std::to_string(ship.Energy);
      else if (need.code == "ENM") held = std::to_string(ship.MaxEnergy);
      else return "takes " + std::to_string(need.number) + " " + need.code + ", which is not counted";
      return "takes " + std::to_string(need.number) + " " + need.code + ", the ship holds " + held;
    }
    case PieceRequirement::None: break;
  }
  return "no requirement";
}

std::string DrawText(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.3f", value);
  return buffer;
}

std::string LevelName(std::string_view level) { return level.empty() ? std::string("INIT") : std::string(level); }

std::string Quoted(std::string_view value) {
  constexpr std::size_t kMost = 70;
  if (value.size() <= kMost) return std::string(value);
  return std::string(value.substr(0, kMost)) + "...";
}

std::vector<std::string> Changes(const TracedState& a, const TracedState& b) {
  std::vector<std::string> out;
  if (a.messageLevel != b.messageLevel) {
    out.push_back("message level " + LevelName(a.messageLevel) + " -> " + LevelName(b.messageLevel));
  }
  if (a.responseLevel != b.responseLevel) {
    out.push_back("response level " + LevelName(a.responseLevel) + " -> " + LevelName(b.responseLevel));
  }
  for (int f = 0; f < kFlagNumbers; ++f) {
    const bool was = (a.flags >> f) & 1u, now = (b.flags >> f) & 1u;
    if (was != now) out.push_back(FlagWords(f) + (now ? " set" : " cleared"));
  }
  const ShipState& x = a.ship;
  const ShipState& y = b.ship;
  Compare(out, "Energy", x.Energy, y.Energy);
  Compare(out, "MaxEnergy", x.MaxEnergy, y.MaxEnergy);
  Compare(out, "ShieldEnergy", x.ShieldEnergy, y.ShieldEnergy);
  Compare(out, "PhotonTorpedoes", x.PhotonTorpedoes, y.PhotonTorpedoes);
  Compare(out, "TorpedoBay", x.TorpedoBay, y.TorpedoBay);
  Compare(out, "PoSupply", x.PoSupply, y.PoSupply);
  for (int k = 1; k <= kUpgradeKinds; ++k) {
    const auto i = static_cast<std::size_t>(k);
    Compare(out, KindCode(k) + " upgrade level", x.UpgradeLevels[i], y.UpgradeLevels[i]);
  }
  for (std::size_t s = 0; s < x.SystemDamage.size(); ++s) {
    CompareDamage(out, s, x.SystemDamage[s], y.SystemDamage[s]);
  }
  for (std::size_t c = 0; c < x.RetrofitCounters.size(); ++c) {
    Compare(out, "retrofit counter " + std::to_string(c), x.RetrofitCounters[c], y.RetrofitCounters[c]);
  }
  Compare(out, "energy allowance", a.allowance, b.allowance);
  return out;
}

std::string ChangeText(const TracedState& before, const TracedState& after) {
  const auto changes = Changes(before, after);
  if (changes.empty()) return "no change";
  std::string text;
  for (const auto& c : changes) text += (text.empty() ? "" : ", ") + c;
  return text;
}

}  // namespace zelmora::simulator
