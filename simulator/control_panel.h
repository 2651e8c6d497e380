#pragma once

#include "simulator/control_panel_view.h"
#include "simulator/interpreter.h"
#include "simulator/start_point.h"
#include "simulator/test_options.h"

#include <string>
#include <vector>

namespace zelmora::simulator {

// The simulated bridge as a state machine: orbit entry, the message clock, the status refresh and
// the commands. A window (or the command line) forwards its buttons and timer ticks here.
class ControlPanel {
 public:
  // options may be null when no options dialog shows the flags.
  ControlPanel(SimulatorServices services, ControlPanelView& view, TestOptions* options = nullptr);

  // The panel becomes active with the planet number in its tag.
  void Activate(int tag);
  // Right after orbit entry: the test goes on from a group of the author's choosing. A message
  // group is the one the clock plays first; a response group is offered at once, as if a message
  // of that group had just been shown ("Hail" is hailed, and "Beam" beams down, as their commands do).
  void StartAt(const StartPoint& from);

  // tmrMessage, every 1000 ms while it runs.
  void MessageTick();
  // tmrFlags, every 200 ms while the test runs.
  void StatusTick();

  // Commands whose button is disabled or hidden do nothing, as a click on it would.
  void Hail();
  void Respond();
  void Ignore();
  void Beam();
  void Energy();
  void Phaser();
  void Photon();
  void Leave();
  void Exit();
  void ToggleStatus();
  void SendResponse(int k);
  void ClearMessage();

  // The responses that AddResponseOption would offer for the texts read by the last Respond.
  std::vector<ResponseOption> OfferedResponses();
  // The message and response levels and the pending wait, into the trace.
  void TraceLevels();

  const ConversationState& State() const { return state_; }
  ConversationState& State() { return state_; }
  const PanelDisplay& Display() const { return display_; }
  Interpreter& GetInterpreter() { return interpreter_; }
  bool IsClosed() const { return closed_; }

  // "Back" after a visit of less than a day, "Returned" after a longer one, empty when never.
  static std::string VisitState(std::int32_t stateValue);

 private:
  bool InOrbit() const { return !closed_ && state_.planet != 0; }
  void StartClock();
  void RespondTo();
  void HailNow();
  void BeamDown(const std::string& prefix, int count);

  SimulatorServices services_;
  TestOptions* options_;
  ConversationState state_;
  PanelDisplay display_;
  Interpreter interpreter_;
  int testPlanet_ = 0;
  bool activated_ = false;
  bool closed_ = false;
};

}  // namespace zelmora::simulator
