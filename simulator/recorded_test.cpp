#include "simulator/recorded_test.h"

#include <algorithm>

namespace zelmora::simulator {

namespace {
// The most seconds one "tick" line of a session may hold.
constexpr int kMostTicksALine = 3600;
}  // namespace

RecordedTest::RecordedTest(TestSession::World world, TestOptions& options, Windows windows)
    : windows_(windows), t_(out_), session_(world, options, *this, t_, &windows.panel, windows.options) {}

void RecordedTest::Begin(const std::string& system, std::uint64_t seed) { session_.Begin(system, seed); }

void RecordedTest::Enter() {
  if (entered_) return;
  entered_ = true;
  ++busy_;
  session_.Enter();
  --busy_;
}

void RecordedTest::Command(const std::string& name) {
  if (Busy() || !entered_ || Ended()) return;
  FlushTicks();
  ++busy_;
  t_.Echo(name);
  lines_.push_back(name);
  session_.Run(name);
  --busy_;
}

void RecordedTest::MessageTick() {
  if (Busy() || !entered_ || Ended()) return;
  if (pendingTicks_ == kMostTicksALine) FlushTicks();
  ++busy_;
  inTick_ = true;
  ++pendingTicks_;
  std::ostream& before = t_.Redirect(tickOut_);
  session_.Run("tick");
  t_.Redirect(before);
  inTick_ = false;
  --busy_;
}

void RecordedTest::StatusTick() {
  if (Busy() || !entered_ || Ended()) return;
  session_.Panel().StatusTick();
}

void RecordedTest::FlushTicks() {
  if (pendingTicks_ == 0) return;
  const std::string line = pendingTicks_ == 1 ? std::string("tick") : "tick " + std::to_string(pendingTicks_);
  t_.Echo(line);
  out_ << tickOut_.str();
  tickOut_.str({});
  lines_.push_back(line);
  lines_.insert(lines_.end(), tickAnswers_.begin(), tickAnswers_.end());
  tickAnswers_.clear();
  pendingTicks_ = 0;
}

TestRecording RecordedTest::Recording(const std::filesystem::path& gameFolder) {
  if (!Busy()) FlushTicks();
  TestRecording r;
  r.gameFolder = gameFolder;
  r.start = session_.Start();
  r.lines = lines_;
  r.transcript = out_.str();
  return r;
}

// ---- the answers, given in the windows

void RecordedTest::Answered(const std::string& word) {
  t_.Echo(word);
  (inTick_ ? tickAnswers_ : lines_).push_back(word);
}

void RecordedTest::Box(const std::string& text, platform::Icon icon, const std::string& title) {
  windows_.prompter.Message(text, platform::Buttons::Ok, icon, title, 1);
}

platform::Answer RecordedTest::Question(const std::string& text, platform::Buttons buttons, platform::Icon icon,
                                        const std::string& title, int defaultButton) {
  platform::Answer answer = windows_.prompter.Message(text, buttons, icon, title, defaultButton);
  // A box closed without a button answers as its flow reads it: no, or cancel.
  if (buttons == platform::Buttons::YesNo && answer != platform::Answer::Yes) answer = platform::Answer::No;
  if (buttons == platform::Buttons::OkCancel && answer != platform::Answer::Ok) answer = platform::Answer::Cancel;
  Answered(AnswerWord(answer));
  return answer;
}

float RecordedTest::Number(const std::string& message, const std::string& title, const std::string& unit,
                           float value, float minimum, float maximum, float step) {
  float number = windows_.numbers.AskNumber(message, title, unit, value, minimum, maximum, step);
  // Only a number the session would take is an answer; anything else is the dialog's cancel.
  if (!(number >= minimum && number <= maximum)) number = minimum - 1;
  Answered(NumberWord(number, minimum));
  return number;
}

std::optional<int> RecordedTest::Response(const std::vector<ResponseOption>& options) {
  std::optional<int> choice = windows_.panel.ChooseResponse(options);
  if (choice && std::none_of(options.begin(), options.end(), [&](const auto& o) { return o.index == *choice; })) {
    choice.reset();
  }
  Answered(ResponseWord(choice));
  return choice;
}

}  // namespace zelmora::simulator
