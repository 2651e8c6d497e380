#pragma once

#include "simulator/test_recording.h"
#include "simulator/test_session.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace zelmora::simulator {

// A test played in the windows, kept as it is played: each button becomes a command line, each
// answer given in a box or dialog an answer line, the clock's ticks "tick N" lines, and the
// transcript is written as `zmd play` writes it, so that the recording replays exactly.
class RecordedTest : private TestAnswers {
 public:
  // How the windows show the test and ask its questions.
  struct Windows {
    ControlPanelView& panel;  // also the response chooser
    TestOptionsListener* options;
    platform::Prompter& prompter;
    platform::NumberAsker& numbers;
  };

  RecordedTest(TestSession::World world, TestOptions& options, Windows windows);

  // Begin of the Test Options; the seed was taken from the clock and is kept for the replay.
  void Begin(const std::string& system, std::uint64_t seed);
  // The panel has become active: orbit entry.
  void Enter();
  // A command button: "hail", "respond", "ignore", "beam", "energy", "phaser", "photon", "leave",
  // "exit" or "status".
  void Command(const std::string& name);
  // tmrMessage and tmrFlags. The clock keeps ticking while a command waits for an answer (the
  // response chooser, the number dialog, a question): the tick is played there and kept before
  // the answer's line. A tick while a box with only OK is open (or during orbit entry) is played
  // as soon as the command is over, since a box has no line to keep it before. A tick while the
  // clock's own box or question is open is skipped: it would show the same message again.
  void MessageTick();
  void StatusTick();

  // Takes back the last command with the ticks after it: the ship, the planet and the options are
  // put back as Begin found them and the test is played again, out of sight and with the same
  // seed, up to the command before; the panel shows where that leaves it. False when there is
  // no command to take back (or a dialog is open, or the test has ended).
  bool StepBack();
  bool CanStepBack() const { return !Busy() && entered_ && !Ended() && !commandStarts_.empty(); }

  // Why each message was chosen, into `sink` (null for none).
  void SetTraceSink(TraceSink* sink);
  // Told kind 1..5 and its level whenever an upgrade level changes (the options' markers).
  void SetUpgradeListener(std::function<void(int kind, int level)> listener);

  bool Busy() const { return activity_ != Activity::None; }
  bool Entered() const { return entered_; }
  bool Ended() const { return session_->Ended(); }
  TestSession& Session() { return *session_; }

  // The test so far, its clock ticks counted in.
  TestRecording Recording(const std::filesystem::path& gameFolder);

 private:
  void Box(const std::string& text, platform::Icon icon, const std::string& title) override;
  platform::Answer Question(const std::string& text, platform::Buttons buttons, platform::Icon icon,
                            const std::string& title, int defaultButton) override;
  float Number(const std::string& message, const std::string& title, const std::string& unit, float value,
               float minimum, float maximum, float step) override;
  std::optional<int> Response(const std::vector<ResponseOption>& options) override;

  enum class Activity { None, Entry, Command, Tick };
  enum class Dialog { None, Box, Question };
  // What runs and what it has open, for the length of one call.
  class During;

  void Answered(const std::string& word);
  std::unique_ptr<TestSession> NewSession();
  // The line a replayed question takes; ticks before it are played as they come.
  std::string NextAnswer();
  void ReplayTick(const std::string& line);
  // Writes the ticks counted since the last line as one "tick N" line.
  void FlushTicks();
  void PlayTick();
  // The ticks that came while a box was open, once the command is over.
  void PlayHeldTicks();

  TestSession::World world_;
  TestOptions& options_;
  Windows windows_;
  std::ostringstream out_;
  std::ostringstream tickOut_;
  Transcript t_;
  std::vector<std::string> lines_;
  std::vector<std::string> tickAnswers_;
  int pendingTicks_ = 0;
  int heldTicks_ = 0;
  Activity activity_ = Activity::None;
  Dialog dialog_ = Dialog::None;
  bool entered_ = false;
  // Where each button's command begins in lines_.
  std::vector<std::size_t> commandStarts_;
  // What Begin found, for a step back to start again from.
  std::string system_;
  std::uint64_t seed_ = 0;
  store::SolarSystemRecord startRecord_;
  ShipState startShip_;
  std::string startRetrofits_;
  // While a step back plays the test again: its lines, and the next one.
  bool replaying_ = false;
  std::vector<std::string> feed_;
  std::size_t fed_ = 0;
  TraceSink* traceSink_ = nullptr;
  std::function<void(int, int)> upgradeListener_;
  std::unique_ptr<TestSession> session_;
};

}  // namespace zelmora::simulator
