#include "simulator/interpreter.h"

#include "simulator/script_rules.h"
#include "simulator/transcript.h"
#include "store/descriptor_store.h"
#include "ui/platform/text_rules.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace zelmora::simulator {

namespace {

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

bool Interpreter::Sendable(const std::string& key, std::string s) {
  Trace& trace = GetTrace();
  if (trace.On()) trace.Line(key + ": " + Quoted(s));
  Trace::Nest nest(trace);
  bool ok = true;
  while (ok && !s.empty() && s[0] == '%') {
    ok = TestCondition(std::string_view(s).substr(1, 2));
    s.erase(0, std::min<std::size_t>(3, s.size()));
  }
  if (ok) {
    s = platform::TrimSpaces(s);
    for (const auto& piece : StarPieces(s)) {
      if (!CanApply(piece)) {
        ok = false;
        break;
      }
    }
  }
  if (trace.On()) trace.Line(ok ? "available" : "not available");
  return ok;
}

TracedState Interpreter::Traced() {
  return {services_.rules.Ship(), Planet().FlagBits, state_.MessageLevel, state_.ResponseLevel,
          state_.EnergyAllowance};
}

int Interpreter::ChooseMessage(const std::string& prefix, int count) {
  Trace& trace = GetTrace();
  if (trace.On()) trace.Line("choose one of " + prefix + "1.." + std::to_string(count));
  std::vector<int> present = services_.script.PresentItems(state_.planet, prefix, count);
  std::erase_if(present, [count](int i) { return i < 1 || i > count; });
  std::vector<bool> available(static_cast<std::size_t>(std::max(count, 0)) + 1, false);
  bool any = false;
  {
    Trace::Nest nest(trace);
    // Every absent item reads the same "ERR", and testing it draws no random number, so it is
    // tested once: a count claiming thousands of items costs what its present items cost.
    const std::size_t absent = static_cast<std::size_t>(std::max(count, 0)) - present.size();
    const bool absentSendable =
        absent > 0 &&
        Sendable(std::to_string(absent) + " absent, each reading " + store::kNoMessage, store::kNoMessage);
    std::fill(available.begin(), available.end(), absentSendable);
    any = absentSendable;
    for (int i : present) {
      const std::string key = prefix + std::to_string(i);
      const bool ok = Sendable(key, ReadPlanetKey(key));
      available[static_cast<std::size_t>(i)] = ok;
      any = any || ok;
    }
  }
  if (!any) {
    if (trace.On()) trace.Line("none available: the conversation ends");
    services_.prompter.Inform("*** COMMUNICATION TERMINATED ***");
    return -1;
  }
  for (int draws = 1;; ++draws) {
    const double r = services_.random.Next();
    int i = static_cast<int>(std::floor(r * count + 1));
    if (i >= 1 && i <= count && available[static_cast<std::size_t>(i)]) {
      if (trace.On()) {
        const auto n = std::count(available.begin() + 1, available.end(), true);
        trace.Line("chose " + prefix + std::to_string(i) + ": " + std::to_string(n) + " of " + std::to_string(count) +
                   " available, drew " + DrawText(r) + (draws > 1 ? " after " + std::to_string(draws - 1) +
                                                                           " draw" + (draws > 2 ? "s" : "") +
                                                                           " of unavailable ones"
                                                                     : std::string()));
      }
      return i;
    }
  }
}

bool Interpreter::TestCondition(std::string_view code) {
  const ConditionRule rule = ClassifyCondition(code);
  bool holds = true;
  std::optional<double> drew;
  switch (rule.kind) {
    case ConditionRule::Never: holds = false; break;
    case ConditionRule::Always: break;
    case ConditionRule::Chance:
      drew = services_.random.Next();
      holds = *drew * 10 <= rule.value;
      break;
    case ConditionRule::Ship: holds = ShipConditionHolds(rule.value, services_.rules.Ship()); break;
    case ConditionRule::PlanetEnergy:
      holds = PlanetEnergyHolds(rule.value, store::PlanetAttributes::Decode(Planet().Attributes).Energy);
      break;
    case ConditionRule::FlagSet: holds = FlagSet(rule.value); break;
    case ConditionRule::FlagClear: holds = !FlagSet(rule.value); break;
  }
  Trace& trace = GetTrace();
  if (trace.On()) {
    trace.Line("%" + std::string(code) + " " + DescribeCondition(code) + ": " + (holds ? "passed" : "failed") +
               (drew ? " (drew " + DrawText(*drew) + "; up to " + ShortNumber(rule.value / 10.0) + " passes)"
                     : std::string()));
  }
  return holds;
}

bool Interpreter::CanApply(std::string_view piece) {
  const ShipState& ship = services_.rules.Ship();
  auto damage = [&](int s) -> float {
    return s >= 0 && s < kSystemCount ? ship.SystemDamage[static_cast<std::size_t>(s)] : 0.0f;
  };
  const PieceRequirement need = RequirementOf(piece);
  bool ok = true;
  switch (need.kind) {
    case PieceRequirement::SystemDamaged: {
      const float d = damage(need.number);
      ok = !(d == 0 || d >= kDestroyedDamage);
      break;
    }
    case PieceRequirement::SystemDestroyed: ok = damage(need.number) >= kDestroyedDamage; break;
    case PieceRequirement::Supply: ok = services_.rules.HasSupply(need.code, need.number); break;
    case PieceRequirement::None: return true;
  }
  Trace& trace = GetTrace();
  if (trace.On()) {
    trace.Line("*" + std::string(piece) + " " + DescribeRequirement(need, ship) + ": " + (ok ? "passed" : "failed"));
  }
  return ok;
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
    Trace& trace = GetTrace();
    const TracedState before = trace.On() ? Traced() : TracedState{};
    std::string sentence = services_.rules.ApplyUpgradeEffect(code);
    if (trace.On()) trace.Line("^" + code + ": " + ChangeText(before, Traced()));
    if (!sentence.empty()) display_.SetText(display_.Text() + sentence);
    upgrades.erase(at, 3);
  }
}

void Interpreter::ApplyAction(std::string_view piece) {
  ShipRules& rules = services_.rules;
  ShipState& ship = rules.Ship();
  const ActionRule action = ClassifyAction(piece);
  Trace& trace = GetTrace();
  const TracedState before = trace.On() ? Traced() : TracedState{};
  switch (action.kind) {
    case ActionRule::MessageLevel: state_.MessageLevel = action.text; break;
    case ActionRule::ResponseLevel: state_.ResponseLevel = action.text; break;
    case ActionRule::Allowance:
      state_.EnergyAllowance = platform::RoundToInt16(action.number);
      display_.Enable(PanelCommand::Energy, true);
      break;
    case ActionRule::ShieldsHit: rules.ShieldsHit(action.number); break;
    case ActionRule::Damage: rules.DamageAction(action.number); break;
    case ActionRule::Destroy: rules.DestroySystem(action.number); break;
    case ActionRule::Retrofit:
      if (action.number >= 0 && action.number < static_cast<int>(ship.RetrofitCounters.size())) {
        auto& counter = ship.RetrofitCounters[static_cast<std::size_t>(action.number)];
        counter = platform::RoundToInt16(counter + 1.0);
      }
      break;
    case ActionRule::RepairAll: rules.RepairAll(); break;
    case ActionRule::RepairOne: rules.RepairOne(action.number); break;
    case ActionRule::ReplaceOne: rules.ReplaceOne(action.number); break;
    case ActionRule::SetFlag: store::SetFlagBit(Planet(), action.number, true); break;
    case ActionRule::ClearFlag: store::SetFlagBit(Planet(), action.number, false); break;
    case ActionRule::ToggleFlag: store::SetFlagBit(Planet(), action.number, !FlagSet(action.number)); break;
    case ActionRule::FormTreaty:
      if (state_.planet != 0) rules.FormTreaty(Planet(), AlienName());
      break;
    case ActionRule::BreakTreaty:
      if (state_.planet != 0) rules.BreakTreaty(Planet(), AlienName());
      break;
    case ActionRule::Supply: rules.ApplySupply(action.sign, action.text, action.number); break;
    case ActionRule::SupplySyntaxError:
      services_.prompter.Inform("There is a syntax error in the message file: " + std::string(piece));
      break;
    case ActionRule::NoFlag:
    case ActionRule::Nothing: break;
  }
  if (trace.On()) trace.Line("*" + std::string(piece) + ": " + ChangeText(before, Traced()));
}

}  // namespace zelmora::simulator
