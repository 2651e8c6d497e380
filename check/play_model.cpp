#include "check/play_model.h"

#include "messages/message_parts.h"
#include "simulator/interpreter.h"
#include "simulator/script_rules.h"
#include "store/descriptor_store.h"
#include "ui/platform/text_rules.h"

namespace zelmora::check {

namespace {

using simulator::ActionRule;
using simulator::ConditionRule;

// What the simulator puts in for the placeholders; none of them is empty, as in the game.
constexpr const char* kRank = "Captain";
constexpr const char* kPlayer = "<Player>";

std::string CutBefore(std::string text, char c) {
  auto at = text.find(c);
  if (at != std::string::npos) text.erase(at);
  return text;
}

}  // namespace

FlagBits TestedFlags(const ScriptIndex& index) {
  FlagBits tested = 0;
  for (const SectionEntry& e : index.Entries()) {
    std::string_view rest = e.value;
    while (!rest.empty() && rest[0] == '%') {
      const ConditionRule rule = simulator::ClassifyCondition(rest.substr(1, 2));
      if (rule.kind == ConditionRule::FlagSet || rule.kind == ConditionRule::FlagClear) tested |= FlagBit(rule.value);
      rest.remove_prefix(std::min<std::size_t>(3, rest.size()));
    }
  }
  return tested;
}

PlayModel::PlayModel(ScriptIndex& index, const store::PlanetRecord& planet, std::string alienName, FlagBits relevant,
                     bool flagsUnknown)
    : index_(index),
      energy_(store::PlanetAttributes::Decode(planet.Attributes).Energy),
      alienName_(std::move(alienName)),
      relevant_(flagsUnknown ? 0 : relevant),
      flagsUnknown_(flagsUnknown) {}

bool PlayModel::AnyBeam() {
  if (index_.BeamOf("").count > 0) return true;
  for (const ItemListInfo* list : index_.CountedLists()) {
    if (list->IsBeamList() && list->count > 0) return true;
  }
  return false;
}

int PlayModel::Level(const std::string& name) {
  auto [it, added] = levels_.emplace(name, static_cast<int>(names_.size()));
  if (added) {
    names_.push_back(name);
    messages_.emplace_back();
    responses_.emplace_back();
    beams_.emplace_back();
  }
  return it->second;
}

// The prefix codes at the front of `rest`, as the message chooser and the response offer test
// them; `rest` loses them.
void PlayModel::Conditions(std::string_view& rest, PlayItem& item) const {
  while (!rest.empty() && rest[0] == '%') {
    const ConditionRule rule = simulator::ClassifyCondition(rest.substr(1, 2));
    rest.remove_prefix(std::min<std::size_t>(3, rest.size()));
    switch (rule.kind) {
      case ConditionRule::Never: item.never = true; break;
      case ConditionRule::Always: break;
      case ConditionRule::Chance:
      case ConditionRule::Ship: item.certain = false; break;
      case ConditionRule::PlanetEnergy:
        if (!simulator::PlanetEnergyHolds(rule.value, energy_)) item.never = true;
        break;
      case ConditionRule::FlagSet:
        if (flagsUnknown_) item.certain = false;
        else item.needSet |= FlagBit(rule.value);
        break;
      case ConditionRule::FlagClear:
        if (flagsUnknown_) item.certain = false;
        else item.needClear |= FlagBit(rule.value);
        break;
    }
  }
  if (item.needSet & item.needClear) item.never = true;
}

void PlayModel::Pieces(std::string_view text, PlayItem& item) {
  for (const std::string& piece : messages::StarPieces(text)) {
    const ActionRule rule = simulator::ClassifyAction(piece);
    const bool relevant = rule.number >= 0 && rule.number < 64 && (relevant_ & FlagBit(rule.number));
    switch (rule.kind) {
      case ActionRule::MessageLevel: item.effects.push_back({Effect::MessageLevel, Level(rule.text)}); break;
      case ActionRule::ResponseLevel: item.effects.push_back({Effect::ResponseLevel, Level(rule.text)}); break;
      case ActionRule::SetFlag:
        if (relevant) item.effects.push_back({Effect::SetFlag, rule.number});
        break;
      case ActionRule::ClearFlag:
        if (relevant) item.effects.push_back({Effect::ClearFlag, rule.number});
        break;
      case ActionRule::ToggleFlag:
        if (relevant) item.effects.push_back({Effect::ToggleFlag, rule.number});
        break;
      case ActionRule::FormTreaty:
        if (relevant_ & FlagBit(simulator::kTreatyFlag)) {
          item.effects.push_back({Effect::SetFlag, simulator::kTreatyFlag});
        }
        break;
      case ActionRule::BreakTreaty:
        if (relevant_ & FlagBit(simulator::kTreatyFlag)) {
          item.effects.push_back({Effect::ClearFlag, simulator::kTreatyFlag});
        }
        break;
      default: break;
    }
  }
}

PlayItem PlayModel::Message(int number, const std::string& key, const std::string& value) {
  PlayItem item;
  item.number = number;
  item.key = key;
  // The clock waits only for a "%W" and a digit that come first.
  item.wait = value.size() >= 3 && (value[0] == '%') && (value[1] == 'W' || value[1] == 'w') && value[2] >= '1' &&
              value[2] <= '9';
  // Whether it may be sent: its prefix conditions, then what its pieces ask of the ship.
  std::string_view rest = value;
  Conditions(rest, item);
  for (const std::string& piece : messages::StarPieces(platform::TrimSpaces(rest))) {
    if (simulator::RequirementOf(piece).kind != simulator::PieceRequirement::None) item.certain = false;
  }
  // What showing it does.
  std::string_view shown = messages::WithoutPrefixCodes(value);
  const auto title = messages::TakeDisplayMarker(shown);
  item.box = title && *title == messages::kBoxTitle;
  if (!item.box) item.effects.push_back({Effect::ResponseFromMessage, 0});
  std::string s = " " + std::string(shown) + " ";
  s = simulator::ReplaceFirstNoCase(std::move(s), "%AN", alienName_);
  s = simulator::ReplaceFirstNoCase(std::move(s), "%NM", kPlayer);
  s = simulator::ReplaceFirstNoCase(std::move(s), "%RK", kRank);
  s = simulator::ReplaceFirstNoCase(std::move(s), "%BG", "BadGuy");
  s = simulator::ReplaceFirstNoCase(std::move(s), "%KL", "Drevani");
  Pieces(platform::TrimSpaces(s), item);
  return item;
}

PlayItem PlayModel::Response(int number, const std::string& key, const std::string& value) {
  PlayItem item;
  item.number = number;
  item.key = key;
  // The offer replaces the placeholders before it tests the prefix codes.
  std::string text = value;
  text = simulator::ReplaceFirstNoCase(std::move(text), "%RK", kRank);
  text = simulator::ReplaceFirstNoCase(std::move(text), "%NM", kPlayer);
  text = simulator::ReplaceFirstNoCase(std::move(text), "%AN", alienName_);
  std::string_view rest = text;
  Conditions(rest, item);
  item.offered = !value.empty() && !CutBefore(std::string(rest), '*').empty();
  Pieces(messages::WithoutPrefixCodes(value), item);
  return item;
}

PlayList PlayModel::Compile(const ItemListInfo& info) {
  PlayList list;
  list.info = &info;
  list.count = info.count;
  const bool messages = info.list == ItemList::Messages;
  for (int n : info.present) {
    const std::string key = info.Key(n);
    const std::string value = index_.Value(key);
    list.items.push_back(messages ? Message(n, key, value) : Response(n, key, value));
  }
  if (info.Absent() > 0) {
    list.items.push_back(messages ? Message(0, info.prefix, store::kNoMessage)
                                  : Response(0, info.prefix, store::kNoMessage));
  }
  return list;
}

const PlayList& PlayModel::Messages(int level) {
  if (!messages_[static_cast<std::size_t>(level)]) {
    // Compiling meets new levels, which grow the tables: the slot is looked up afterwards.
    auto list = std::make_unique<PlayList>(Compile(index_.MessagesOf(LevelName(level))));
    messages_[static_cast<std::size_t>(level)] = std::move(list);
  }
  return *messages_[static_cast<std::size_t>(level)];
}

const PlayList& PlayModel::Responses(int level) {
  if (!responses_[static_cast<std::size_t>(level)]) {
    // Compiling meets new levels, which grow the tables: the slot is looked up afterwards.
    auto list = std::make_unique<PlayList>(Compile(index_.ResponsesOf(LevelName(level))));
    responses_[static_cast<std::size_t>(level)] = std::move(list);
  }
  return *responses_[static_cast<std::size_t>(level)];
}

const PlayList& PlayModel::Beam(int level) {
  if (!beams_[static_cast<std::size_t>(level)]) {
    // Compiling meets new levels, which grow the tables: the slot is looked up afterwards.
    auto list = std::make_unique<PlayList>(Compile(index_.BeamOf(LevelName(level))));
    beams_[static_cast<std::size_t>(level)] = std::move(list);
  }
  return *beams_[static_cast<std::size_t>(level)];
}

const PlayItem& PlayModel::MessageAt(int level, int n) {
  auto& slot = at_[{level, n}];
  if (!slot) {
    const std::string key = "Message" + LevelName(level) + std::to_string(n);
    auto item = index_.HasKey(key) ? Message(n, key, index_.Value(key))
                                   : Message(0, "Message" + LevelName(level), store::kNoMessage);
    item.wait = false;
    slot = std::make_unique<PlayItem>(std::move(item));
  }
  return *slot;
}

}  // namespace zelmora::check
