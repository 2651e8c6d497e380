#pragma once

#include "simulator/test_recording.h"
#include "simulator/test_session.h"

#include <cstdint>
#include <filesystem>
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
  // tmrMessage and tmrFlags. A tick that fires while a command or a tick waits for its box or
  // dialog is skipped: it belongs to no line of the recording, and the transcript could not say
  // where it happened. The status is refreshed after every command and tick anyway.
  void MessageTick();
  void StatusTick();

  bool Busy() const { return busy_ > 0; }
  bool Entered() const { return entered_; }
  bool Ended() const { return session_.Ended(); }
  TestSession& Session() { return session_; }

  // The test so far, its clock ticks counted in.
  TestRecording Recording(const std::filesystem::path& gameFolder);

 private:
  void Box(const std::string& text, platform::Icon icon, const std::string& title) override;
  platform::Answer Question(const std::string& text, platform::Buttons buttons, platform::Icon icon,
                            const std::string& title, int defaultButton) override;
  float Number(const std::string& message, const std::string& title, const std::string& unit, float value,
               float minimum, float maximum, float step) override;
  std::optional<int> Response(const std::vector<ResponseOption>& options) override;

  void Answered(const std::string& word);
  // Writes the ticks counted since the last command as one "tick N" line.
  void FlushTicks();

  Windows windows_;
  std::ostringstream out_;
  std::ostringstream tickOut_;
  Transcript t_;
  std::vector<std::string> lines_;
  std::vector<std::string> tickAnswers_;
  int pendingTicks_ = 0;
  int busy_ = 0;
  bool inTick_ = false;
  bool entered_ = false;
  TestSession session_;
};

}  // namespace zelmora::simulator
