#include "check/flag_uses.h"

#include "messages/message_parts.h"
#include "messages/script_keys.h"
#include "simulator/script_rules.h"
#include "simulator/ship_state.h"

namespace zelmora::check {

namespace {

using simulator::ActionRule;
using simulator::ConditionRule;

void Note(std::string& site, const std::string& key) {
  if (site.empty()) site = key;
}

void Scan(FlagUses& uses, const std::string& key, std::string_view value, bool pieces) {
  std::string_view rest = value;
  while (!rest.empty() && rest[0] == '%') {
    const ConditionRule rule = simulator::ClassifyCondition(rest.substr(1, 2));
    rest.remove_prefix(std::min<std::size_t>(3, rest.size()));
    if (rule.kind != ConditionRule::FlagSet && rule.kind != ConditionRule::FlagClear) continue;
    uses.tested |= FlagBit(rule.value);
    Note(uses.firstTest[static_cast<std::size_t>(rule.value)], key);
    Note(uses.firstUse[static_cast<std::size_t>(rule.value)], key);
  }
  if (!pieces) return;
  for (const std::string& piece : messages::StarPieces(rest)) {
    const ActionRule rule = simulator::ClassifyAction(piece);
    int flag = rule.number;
    bool sets = false, clears = false;
    switch (rule.kind) {
      case ActionRule::SetFlag: sets = true; break;
      case ActionRule::ClearFlag: clears = true; break;
      case ActionRule::ToggleFlag: sets = clears = true; break;
      case ActionRule::FormTreaty:
        flag = simulator::kTreatyFlag;
        sets = true;
        break;
      case ActionRule::BreakTreaty:
        flag = simulator::kTreatyFlag;
        clears = true;
        break;
      default: continue;
    }
    if (sets) {
      uses.set |= FlagBit(flag);
      Note(uses.firstSet[static_cast<std::size_t>(flag)], key);
    }
    if (clears) uses.cleared |= FlagBit(flag);
    Note(uses.firstUse[static_cast<std::size_t>(flag)], key);
  }
}

}  // namespace

FlagUses ScanFlags(ScriptIndex& index) {
  FlagUses uses;
  for (const ItemListInfo* list : index.CountedLists()) {
    for (int n : list->present) {
      const std::string key = list->Key(n);
      Scan(uses, key, index.Value(key), true);
    }
  }
  for (std::string_view key : {messages::kBeamFlagKey, messages::kSearchFlagKey, messages::kTriFlagKey}) {
    if (index.HasKey(key)) Scan(uses, std::string(key), index.Value(key), false);
  }
  return uses;
}

}  // namespace zelmora::check
