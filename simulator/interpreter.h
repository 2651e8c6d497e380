#pragma once

#include "messages/message_parts.h"
#include "simulator/control_panel_view.h"
#include "simulator/planet_script_reader.h"
#include "simulator/ship_rules.h"
#include "simulator/trace.h"
#include "store/system_record.h"
#include "store/tables.h"
#include "ui/platform/prompter.h"
#include "ui/platform/random.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zelmora::simulator {

// Everything a test plays against: the open system, its tables, the script, the ship's rules.
struct SimulatorServices {
  store::SolarSystemRecord& record;
  const store::Tables& tables;
  const PlanetScriptReader& script;
  platform::Random& random;
  platform::Prompter& prompter;
  ShipRules& rules;
  Trace* trace = nullptr;  // nothing: no one asks why
};

// The message that the clock has chosen and is waiting to show.
struct PendingMessage {
  int ticks = 0;
  int wait = 0;
  std::string text;
  std::string code;
};

// The conversation with the planet in orbit; lives as long as the panel.
struct ConversationState {
  int planet = 0;  // 0 = not in orbit
  std::string MessageLevel;
  std::string ResponseLevel;
  std::int16_t EnergyAllowance = 0;
  int CurrentMessage = 0;  // 0 none chosen, n chosen and waiting, -1 shown or terminated
  PendingMessage Pending;
  std::vector<std::string> ResponseTexts;  // response i at index i - 1
  int statusTag = 0;                       // 0 shows the message level, 1 the response level
};

using messages::StarPieces;
// Replaces the first occurrence of pattern, found without regard to case.
std::string ReplaceFirstNoCase(std::string text, std::string_view pattern, std::string_view value);

// Plays the messages of a planet's script: which may be sent, what they show, what they do.
class Interpreter {
 public:
  Interpreter(SimulatorServices services, ConversationState& state, PanelDisplay& display);

  // A random available message number 1..count of the messages prefix & i, or -1 after the
  // "*** COMMUNICATION TERMINATED ***" box when none is available.
  int ChooseMessage(const std::string& prefix, int count);
  bool TestCondition(std::string_view code);
  bool CanApply(std::string_view piece);
  void DisplayMessage(const std::string& text);
  void ApplyAction(std::string_view piece);

  std::string ReadPlanetKey(std::string_view key) const;
  int ReadCount(std::string_view key) const;
  store::PlanetRecord& Planet();
  std::string AlienName();

  Trace& GetTrace() { return services_.trace ? *services_.trace : noTrace_; }
  // What an action may change, for the trace to compare.
  TracedState Traced();

 private:
  bool FlagSet(int flag);
  // Whether a message with this stored value may be sent now (its conditions hold).
  bool Sendable(const std::string& key, std::string value);

  SimulatorServices services_;
  ConversationState& state_;
  PanelDisplay& display_;
  store::PlanetRecord outOfOrbit_;
  Trace noTrace_;
};

}  // namespace zelmora::simulator
