#pragma once

#include "simulator/ship_state.h"
#include "simulator/script_rules.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zelmora::simulator {

// Where the lines of a trace go: the terminal's standard error, or the trace panel.
class TraceSink {
 public:
  virtual ~TraceSink() = default;
  // One line of code-page text, indented by two blanks a level.
  virtual void TraceLine(const std::string& line) = 0;
  // The test is being played again from its start (a step back): what was shown is void.
  virtual void TraceRestarted() {}
};

// Why a test does what it does: for each tick and command, the items considered with each
// condition and its outcome, the item chosen, what each action changed, the levels and the
// pending wait. Nothing is composed while no sink listens. It also tells whoever counts the
// items played (message keys shown, response keys sent).
class Trace {
 public:
  void SetSink(TraceSink* sink) { sink_ = sink; }
  TraceSink* Sink() const { return sink_; }
  bool On() const { return sink_ != nullptr; }

  void Line(const std::string& text);
  // A line that a clock with nothing to do would write every second: written once until
  // something else is traced.
  void Idle(const std::string& text);

  // The lines written while a Nest lives are one level deeper.
  class Nest {
   public:
    explicit Nest(Trace& trace) : trace_(trace) { ++trace_.depth_; }
    ~Nest() { --trace_.depth_; }
    Nest(const Nest&) = delete;
    Nest& operator=(const Nest&) = delete;

   private:
    Trace& trace_;
  };

  std::function<void(const std::string& key)> played;
  void Played(const std::string& key) const {
    if (played) played(key);
  }

 private:
  TraceSink* sink_ = nullptr;
  int depth_ = 0;
  std::string idle_;
};

// ---- the words of a trace

// What a prefix condition asks: "flag A set", "chance 50%", "EN not upgraded yet".
std::string DescribeCondition(std::string_view code);
// What a star piece asks of the ship and what the ship has: "takes 5 PT, the ship holds 3".
std::string DescribeRequirement(const PieceRequirement& need, const ShipState& ship);
// A level as the status button names it: INIT for the empty one.
std::string LevelName(std::string_view level);
// A random number as a trace shows it: three decimals.
std::string DrawText(double value);
// A stored value as a trace quotes it: cut after 70 characters.
std::string Quoted(std::string_view value);

// What an action can change: the ship, the planet's flags, the levels and the energy allowance.
struct TracedState {
  ShipState ship;
  std::uint64_t flags = 0;
  std::string messageLevel;
  std::string responseLevel;
  std::int16_t allowance = 0;
};
// "flag B set", "Energy 0 -> 1000", "damage of system 3 0 -> 120", ...; empty when nothing changed.
std::vector<std::string> Changes(const TracedState& before, const TracedState& after);
// The changes joined with commas, or "no change".
std::string ChangeText(const TracedState& before, const TracedState& after);

}  // namespace zelmora::simulator
