#include "simulator/interpreter.h"

#include "store/descriptor_store.h"
#include "ui/platform/text_rules.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zelmora::simulator {

namespace {

bool StartsWith(std::string_view text, std::string_view head) { return text.substr(0, head.size()) == head; }

// The leading decimal number of a text, cut to a whole number.
int NumberAfter(std::string_view rest) {
  double v = std::trunc(platform::LeadingNumber(rest));
  return static_cast<int>(std::clamp(v, static_cast<double>(std::numeric_limits<int>::min()),
                                     static_cast<double>(std::numeric_limits<int>::max())));
}

std::string UpperRun(std::string_view text) {
  std::size_t n = 0;
  while (n < text.size() && text[n] >= 'A' && text[n] <= 'Z') ++n;
  return std::string(text.substr(0, n));
}

std::string CutBefore(std::string text, char c) {
  auto at = text.find(c);
  if (at != std::string::npos) text.erase(at);
  return text;
}

}  // namespace

std::string ReplaceFirstNoCase(std::string text, std::string_view pattern, std::string_view value) {
  if (pattern.empty() || text.size() < pattern.size()) return text;
  for (std::size_t i = 0; i + pattern.size() <= text.size(); ++i) {
    if (platform::EqualsNoCase(std::string_view(text).substr(i, pattern.size()), pattern)) {
      text.replace(i, pattern.size(), value);
      return text;
    }
  }
  return text;
}

Interpreter::Interpreter(SimulatorServices services, ConversationState& state, PanelDisplay& display)
    : services_(services), state_(state), display_(display) {}

std::string Interpreter::ReadPlanetKey(std::string_view key) const {
  return services_.script.ReadPlanetKey(state_.planet, key);
}

int Interpreter::ReadCount(std::string_view key) const { return platform::ToInt16(ReadPlanetKey(key)); }

store::PlanetRecord& Interpreter::Planet() {
  if (state_.planet < 1 || state_.planet > store::kMaxPlanets) return outOfOrbit_ = store::PlanetRecord{};
  return services_.record.Planet(state_.planet);
}

std::string Interpreter::AlienName() {
  int index = store::PlanetAttributes::Decode(Planet().Attributes).AlienIndex;
  if (index < 0 || index >= store::kAlienNameCount) return {};
  return services_.tables.AlienNames[static_cast<std::size_t>(index)];
}

bool Interpreter::FlagSet(int flag) { return store::TestFlagBit(Planet(), flag); }

bool Interpreter::Sendable(std::string s) {
  bool ok = true;
  while (ok && !s.empty() && s[0] == '%') {
    ok = TestCondition(std::string_view(s).substr(1, 2));
    s.erase(0, std::min<std::size_t>(3, s.size()));
  }
  if (!ok) return false;
  s = platform::TrimSpaces(s);
  for (const auto& piece : StarPieces(s)) {
    if (!CanApply(piece)) return false;
  }
  return true;
}

int Interpreter::ChooseMessage(const std::string& prefix, int count) {
  std::vector<int> present = services_.script.PresentItems(state_.planet, prefix, count);
  std::erase_if(present, [count](int i) { return i < 1 || i > count; });
  // Every absent item reads the same "ERR", and testing it draws no random number, so it is tested
  // once: a count claiming thousands of items costs what its present items cost.
  const bool absentSendable =
      present.size() < static_cast<std::size_t>(std::max(count, 0)) && Sendable(store::kNoMessage);
  std::vector<bool> available(static_cast<std::size_t>(std::max(count, 0)) + 1, absentSendable);
  bool any = absentSendable;
  for (int i : present) {
    const bool ok = Sendable(ReadPlanetKey(prefix + std::to_string(i)));
    available[static_cast<std::size_t>(i)] = ok;
    any = any || ok;
  }
  if (!any) {
    services_.prompter.Inform("*** COMMUNICATION TERMINATED ***");
    return -1;
  }
  while (true) {
    int i = static_cast<int>(std::floor(services_.random.Next() * count + 1));
    if (i >= 1 && i <= count && available[static_cast<std::size_t>(i)]) return i;
  }
}

bool Interpreter::TestCondition(std::string_view code) {
  if (code == "00") return false;
  int n = 0;
  for (std::size_t i = 0; i < code.size() && code[i] >= '0' && code[i] <= '9'; ++i) n = n * 10 + (code[i] - '0');
  const ShipState& ship = services_.rules.Ship();
  auto level = [&](int kind) { return ship.UpgradeLevels[static_cast<std::size_t>(kind)]; };
  auto countSystems = [&](auto test) {
    int c = 0;
    for (int s = 1; s < kSystemCount; ++s) c += test(s) ? 1 : 0;
    return c;
  };
  const int energy = store::PlanetAttributes::Decode(Planet().Attributes).Energy;
  bool holds = true;
  if (n >= 1 && n <= 9) holds = services_.random.Next() * 10 <= n;
  else if (n >= 10 && n <= 14) holds = level(n - 9) == 1;
  else if (n >= 15 && n <= 19) holds = level(n - 14) != 1;
  else if (n >= 20 && n <= 23) holds = energy == n - 20;
  else if (n == 24) holds = energy != 0;
  else if (n == 25) holds = energy == 2 || energy == 3;
  else if (n >= 26 && n <= 30) holds = level(n - 25) >= 3;
  else if (n >= 31 && n <= 37) holds = FlagSet(n - 31);
  else if (n >= 38 && n <= 44) holds = !FlagSet(n - 38);
  else if (n == 45) holds = FlagSet(kTreatyFlag);
  else if (n == 46) holds = !FlagSet(kTreatyFlag);
  else if (n == 47) holds = countSystems([&](int s) { return ship.IsDamaged(s); }) >= 1;
  else if (n == 48) holds = countSystems([&](int s) { return ship.IsDamaged(s); }) >= 5;
  else if (n == 49) holds = countSystems([&](int s) { return ship.IsDestroyed(s); }) >= 1;
  else if (n == 50) holds = countSystems([&](int s) { return ship.IsDestroyed(s); }) >= 5;
  else if (n == 51) holds = countSystems([&](int s) { return ship.SystemDamage[static_cast<std::size_t>(s)] != 0; }) == 0;
  else if (n == 52) holds = !ship.UpgradesOption;
  else if (n == 53) holds = ship.BadGuyOption;
  else if (n == 54) holds = !ship.BadGuyOption;
  else if (n >= 55 && n <= 59) holds = level(n - 54) < kMaxUpgradeLevel;
  if (!holds) return false;
  if (!code.empty() && (code[0] == 'F' || code[0] == 'f')) {
    // A character that is no flag letter names a flag that is never set.
    int flag = code.size() > 1 ? FlagNumberOfLetter(code[1]) : -1;
    bool set = flag >= 0 && FlagSet(flag);
    return code[0] == 'F' ? set : !set;
  }
  return true;
}

bool Interpreter::CanApply(std::string_view piece) {
  const ShipState& ship = services_.rules.Ship();
  auto damage = [&](int s) -> float {
    return s >= 0 && s < kSystemCount ? ship.SystemDamage[static_cast<std::size_t>(s)] : 0.0f;
  };
  if (StartsWith(piece, "RS")) {
    float d = damage(NumberAfter(piece.substr(2)));
    return !(d == 0 || d >= kDestroyedDamage);
  }
  if (StartsWith(piece, "R!S")) return damage(NumberAfter(piece.substr(3))) >= kDestroyedDamage;
  if (StartsWith(piece, "-")) {
    std::string code = UpperRun(piece.substr(1));
    return services_.rules.HasSupply(code, NumberAfter(piece.substr(1 + code.size())));
  }
  return true;
}

void Interpreter::DisplayMessage(const std::string& text) {
  std::string_view rest = messages::WithoutPrefixCodes(text);
  const auto title = messages::TakeDisplayMarker(rest);
  const bool box = title && *title == messages::kBoxTitle;
  display_.SetTitle(title && !box ? *title : std::string(messages::kStandardTitle));
  std::string s(rest);

  s = " " + s + " ";
  s = ReplaceFirstNoCase(std::move(s), "%AN", AlienName());
  s = ReplaceFirstNoCase(std::move(s), "%NM", "<Player>");
  s = ReplaceFirstNoCase(std::move(s), "%RK", "Captain");
  s = ReplaceFirstNoCase(std::move(s), "%BG", "BadGuy");
  s = ReplaceFirstNoCase(std::move(s), "%KL", "Drevani");

  if (!box) state_.ResponseLevel = state_.MessageLevel;

  const std::string trimmed = platform::TrimSpaces(s);
  const std::string body = CutBefore(CutBefore(trimmed, '*'), '^');
  if (box) {
    services_.prompter.Inform(body);
  } else {
    display_.SetText(body);
    display_.SetVisible(true);
  }

  for (const auto& piece : StarPieces(trimmed)) ApplyAction(piece);

  std::string upgrades = " " + CutBefore(s, '*') + " ";
  for (auto at = upgrades.find('^'); at != std::string::npos; at = upgrades.find('^')) {
    std::string code = upgrades.substr(at + 1, 2);
    std::string sentence = services_.rules.ApplyUpgradeEffect(code);
    if (!sentence.empty()) display_.SetText(display_.Text() + sentence);
    upgrades.erase(at, 3);
  }
}

void Interpreter::ApplyAction(std::string_view piece) {
  ShipRules& rules = services_.rules;
  ShipState& ship = rules.Ship();
  if (StartsWith(piece, "M")) {
    state_.MessageLevel = std::string(piece.substr(1));
  } else if (StartsWith(piece, "R")) {
    state_.ResponseLevel = std::string(piece.substr(1));
  } else if (StartsWith(piece, "A")) {
    state_.EnergyAllowance = platform::RoundToInt16(NumberAfter(piece.substr(1)));
    display_.Enable(PanelCommand::Energy, true);
  } else if (StartsWith(piece, "H")) {
    rules.ShieldsHit(NumberAfter(piece.substr(1)));
  } else if (StartsWith(piece, "DS")) {
    rules.DamageAction(NumberAfter(piece.substr(2)));
  } else if (StartsWith(piece, "D!S")) {
    rules.DestroySystem(NumberAfter(piece.substr(3)));
  } else if (StartsWith(piece, "SP")) {
    int k = NumberAfter(piece.substr(2));
    if (k >= 0 && k < static_cast<int>(ship.RetrofitCounters.size())) {
      auto& counter = ship.RetrofitCounters[static_cast<std::size_t>(k)];
      counter = platform::RoundToInt16(counter + 1.0);
    }
  } else if (StartsWith(piece, "FALL")) {
    rules.RepairAll();
  } else if (StartsWith(piece, "FS")) {
    rules.RepairOne(NumberAfter(piece.substr(2)));
  } else if (StartsWith(piece, "F!S")) {
    rules.ReplaceOne(NumberAfter(piece.substr(3)));
  } else if (piece.size() >= 3 && piece[1] == 'F' && (piece[0] == 'S' || piece[0] == 'C' || piece[0] == 'T')) {
    int flag = FlagNumberOfLetter(piece[2]);
    if (flag < 0) return;
    bool on = piece[0] == 'S' ? true : piece[0] == 'C' ? false : !FlagSet(flag);
    store::SetFlagBit(Planet(), flag, on);
  } else if (StartsWith(piece, "TREATY")) {
    if (state_.planet != 0) rules.FormTreaty(Planet(), AlienName());
  } else if (StartsWith(piece, "NOTREATY")) {
    if (state_.planet != 0) rules.BreakTreaty(Planet(), AlienName());
  } else if (StartsWith(piece, "+") || StartsWith(piece, "-")) {
    std::string code = UpperRun(piece.substr(1));
    if (code.empty()) {
      services_.prompter.Inform("There is a syntax error in the message file: " + std::string(piece));
      return;
    }
    rules.ApplySupply(piece[0] == '-' ? -1 : 1, code, NumberAfter(piece.substr(1 + code.size())));
  }
}

}  // namespace zelmora::simulator
