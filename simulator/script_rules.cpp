#include "simulator/script_rules.h"

#include "ui/platform/text_rules.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zelmora::simulator {

namespace {

bool StartsWith(std::string_view text, std::string_view head) { return text.substr(0, head.size()) == head; }

std::string UpperRun(std::string_view text) {
  std::size_t n = 0;
  while (n < text.size() && text[n] >= 'A' && text[n] <= 'Z') ++n;
  return std::string(text.substr(0, n));
}

}  // namespace

int NumberAfter(std::string_view rest) {
  double v = std::trunc(platform::LeadingNumber(rest));
  return static_cast<int>(std::clamp(v, static_cast<double>(std::numeric_limits<int>::min()),
                                     static_cast<double>(std::numeric_limits<int>::max())));
}

ConditionRule ClassifyCondition(std::string_view code) {
  if (code == "00") return {ConditionRule::Never, 0};
  // The flag test applies whatever the number rules say; a code that begins with a letter has no
  // number, so it is the only rule for it.
  if (!code.empty() && (code[0] == 'F' || code[0] == 'f')) {
    const int flag = code.size() > 1 ? FlagNumberOfLetter(code[1]) : -1;
    // A character that is no flag letter names a flag that is never set.
    if (flag < 0) return {code[0] == 'F' ? ConditionRule::Never : ConditionRule::Always, 0};
    return {code[0] == 'F' ? ConditionRule::FlagSet : ConditionRule::FlagClear, flag};
  }
  int n = 0;
  for (std::size_t i = 0; i < code.size() && code[i] >= '0' && code[i] <= '9'; ++i) n = n * 10 + (code[i] - '0');
  if (n >= 1 && n <= 9) return {ConditionRule::Chance, n};
  if ((n >= 10 && n <= 19) || (n >= 26 && n <= 30) || (n >= 47 && n <= 59)) return {ConditionRule::Ship, n};
  if (n >= 20 && n <= 25) return {ConditionRule::PlanetEnergy, n};
  if (n >= 31 && n <= 37) return {ConditionRule::FlagSet, n - 31};
  if (n >= 38 && n <= 44) return {ConditionRule::FlagClear, n - 38};
  if (n == 45) return {ConditionRule::FlagSet, kTreatyFlag};
  if (n == 46) return {ConditionRule::FlagClear, kTreatyFlag};
  return {ConditionRule::Always, n};
}

bool ShipConditionHolds(int n, const ShipState& ship) {
  auto level = [&](int kind) { return ship.UpgradeLevels[static_cast<std::size_t>(kind)]; };
  auto countSystems = [&](auto test) {
    int c = 0;
    for (int s = 1; s < kSystemCount; ++s) c += test(s) ? 1 : 0;
    return c;
  };
  if (n >= 10 && n <= 14) return level(n - 9) == 1;
  if (n >= 15 && n <= 19) return level(n - 14) != 1;
  if (n >= 26 && n <= 30) return level(n - 25) >= 3;
  if (n == 47) return countSystems([&](int s) { return ship.IsDamaged(s); }) >= 1;
  if (n == 48) return countSystems([&](int s) { return ship.IsDamaged(s); }) >= 5;
  if (n == 49) return countSystems([&](int s) { return ship.IsDestroyed(s); }) >= 1;
  if (n == 50) return countSystems([&](int s) { return ship.IsDestroyed(s); }) >= 5;
  if (n == 51) return countSystems([&](int s) { return ship.SystemDamage[static_cast<std::size_t>(s)] != 0; }) == 0;
  if (n == 52) return !ship.UpgradesOption;
  if (n == 53) return ship.BadGuyOption;
  if (n == 54) return !ship.BadGuyOption;
  if (n >= 55 && n <= 59) return level(n - 54) < kMaxUpgradeLevel;
  return true;
}

bool PlanetEnergyHolds(int n, int energy) {
  if (n >= 20 && n <= 23) return energy == n - 20;
  if (n == 24) return energy != 0;
  if (n == 25) return energy == 2 || energy == 3;
  return true;
}

ActionRule ClassifyAction(std::string_view piece) {
  ActionRule rule;
  auto number = [&](std::size_t from) { return NumberAfter(piece.substr(std::min(from, piece.size()))); };
  if (StartsWith(piece, "M")) {
    rule.kind = ActionRule::MessageLevel;
    rule.text = std::string(piece.substr(1));
  } else if (StartsWith(piece, "R")) {
    rule.kind = ActionRule::ResponseLevel;
    rule.text = std::string(piece.substr(1));
  } else if (StartsWith(piece, "A")) {
    rule = {ActionRule::Allowance, {}, number(1)};
  } else if (StartsWith(piece, "H")) {
    rule = {ActionRule::ShieldsHit, {}, number(1)};
  } else if (StartsWith(piece, "DS")) {
    rule = {ActionRule::Damage, {}, number(2)};
  } else if (StartsWith(piece, "D!S")) {
    rule = {ActionRule::Destroy, {}, number(3)};
  } else if (StartsWith(piece, "SP")) {
    rule = {ActionRule::Retrofit, {}, number(2)};
  } else if (StartsWith(piece, "FALL")) {
    rule.kind = ActionRule::RepairAll;
  } else if (StartsWith(piece, "FS")) {
    rule = {ActionRule::RepairOne, {}, number(2)};
  } else if (StartsWith(piece, "F!S")) {
    rule = {ActionRule::ReplaceOne, {}, number(3)};
  } else if (piece.size() >= 3 && piece[1] == 'F' && (piece[0] == 'S' || piece[0] == 'C' || piece[0] == 'T')) {
    const int flag = FlagNumberOfLetter(piece[2]);
    if (flag < 0) {
      rule.kind = ActionRule::NoFlag;
    } else {
      rule.kind = piece[0] == 'S'   ? ActionRule::SetFlag
                  : piece[0] == 'C' ? ActionRule::ClearFlag
                                    : ActionRule::ToggleFlag;
      rule.number = flag;
    }
  } else if (StartsWith(piece, "TREATY")) {
    rule.kind = ActionRule::FormTreaty;
  } else if (StartsWith(piece, "NOTREATY")) {
    rule.kind = ActionRule::BreakTreaty;
  } else if (StartsWith(piece, "+") || StartsWith(piece, "-")) {
    std::string code = UpperRun(piece.substr(1));
    if (code.empty()) {
      rule.kind = ActionRule::SupplySyntaxError;
    } else {
      rule.kind = ActionRule::Supply;
      rule.number = number(1 + code.size());
      rule.text = std::move(code);
    }
    rule.sign = piece[0] == '-' ? -1 : 1;
  }
  return rule;
}

PieceRequirement RequirementOf(std::string_view piece) {
  if (StartsWith(piece, "RS")) return {PieceRequirement::SystemDamaged, NumberAfter(piece.substr(2)), {}};
  if (StartsWith(piece, "R!S")) return {PieceRequirement::SystemDestroyed, NumberAfter(piece.substr(3)), {}};
  if (StartsWith(piece, "-")) {
    std::string code = UpperRun(piece.substr(1));
    const int amount = NumberAfter(piece.substr(1 + code.size()));
    return {PieceRequirement::Supply, amount, std::move(code)};
  }
  return {};
}

}  // namespace zelmora::simulator
