#include "simulator/recorded_test.h"

#include <algorithm>

namespace zelmora::simulator {

namespace {
// The most seconds one "tick" line of a session may hold.
constexpr int kMostTicksALine = 3600;
}  // namespace

class RecordedTest::During {
 public:
  During(RecordedTest& test, Activity activity, Dialog dialog)
      : test_(test), activity_(test.activity_), dialog_(test.dialog_) {
    test.activity_ = activity;
    test.dialog_ = dialog;
  }
  During(RecordedTest& test, Dialog dialog) : During(test, test.activity_, dialog) {}
  ~During() {
    test_.activity_ = activity_;
    test_.dialog_ = dialog_;
  }
  During(const During&) = delete;
  During& operator=(const During&) = delete;

 private:
  RecordedTest& test_;
  Activity activity_;
  Dialog dialog_;
};

RecordedTest::RecordedTest(TestSession::World world, TestOptions& options, Windows windows)
    : windows_(windows), t_(out_), session_(world, options, *this, t_, &windows.panel, windows.options) {}

void RecordedTest::Begin(const std::string& system, std::uint64_t seed) { session_.Begin(system, seed); }

void RecordedTest::Enter() {
  if (entered_) return;
  entered_ = true;
  {
    During entry(*this, Activity::Entry, Dialog::None);
    session_.Enter();
  }
  PlayHeldTicks();
}

void RecordedTest::Command(const std::string& name) {
  if (Busy() || !entered_ || Ended()) return;
  FlushTicks();
  {
    During command(*this, Activity::Command, Dialog::None);
    t_.Echo(name);
    lines_.push_back(name);
    session_.Run(name);
  }
  PlayHeldTicks();
}

void RecordedTest::MessageTick() {
  if (!entered_ || Ended()) return;
  switch (activity_) {
    case Activity::None: return PlayTick();
    case Activity::Tick: return;
    case Activity::Entry: ++heldTicks_; return;
    case Activity::Command:
      if (dialog_ == Dialog::Question) return PlayTick();
      ++heldTicks_;
      return;
  }
}

void RecordedTest::PlayTick() {
  if (pendingTicks_ == kMostTicksALine) FlushTicks();
  During tick(*this, Activity::Tick, Dialog::None);
  ++pendingTicks_;
  std::ostream& before = t_.Redirect(tickOut_);
  session_.Run("tick");
  t_.Redirect(before);
}

void RecordedTest::PlayHeldTicks() {
  for (; heldTicks_ > 0 && !Ended(); --heldTicks_) PlayTick();
  heldTicks_ = 0;
}

void RecordedTest::StatusTick() {
  // The status shown when a box or dialog opened stays right while it is open: refreshing again
  // changes nothing and writes nothing.
  if (!entered_ || Ended()) return;
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
  // Ticks played while the question was open come before its answer.
  if (activity_ != Activity::Tick) FlushTicks();
  t_.Echo(word);
  (activity_ == Activity::Tick ? tickAnswers_ : lines_).push_back(word);
}

void RecordedTest::Box(const std::string& text, platform::Icon icon, const std::string& title) {
  During box(*this, Dialog::Box);
  windows_.prompter.Message(text, platform::Buttons::Ok, icon, title, 1);
}

platform::Answer RecordedTest::Question(const std::string& text, platform::Buttons buttons, platform::Icon icon,
                                        const std::string& title, int defaultButton) {
  platform::Answer answer;
  {
    During question(*this, Dialog::Question);
    answer = windows_.prompter.Message(text, buttons, icon, title, defaultButton);
  }
  // A box closed without a button answers as its flow reads it: no, or cancel.
  if (buttons == platform::Buttons::YesNo && answer != platform::Answer::Yes) answer = platform::Answer::No;
  if (buttons == platform::Buttons::OkCancel && answer != platform::Answer::Ok) answer = platform::Answer::Cancel;
  Answered(AnswerWord(answer));
  return answer;
}

float RecordedTest::Number(const std::string& message, const std::string& title, const std::string& unit,
                           float value, float minimum, float maximum, float step) {
  float number;
  {
    During question(*this, Dialog::Question);
    number = windows_.numbers.AskNumber(message, title, unit, value, minimum, maximum, step);
  }
  // Only a number the session would take is an answer; anything else is the dialog's cancel.
  if (!(number >= minimum && number <= maximum)) number = minimum - 1;
  Answered(NumberWord(number, minimum));
  return number;
}

std::optional<int> RecordedTest::Response(const std::vector<ResponseOption>& options) {
  std::optional<int> choice;
  {
    During chooser(*this, Dialog::Question);
    choice = windows_.panel.ChooseResponse(options);
  }
  if (choice && std::none_of(options.begin(), options.end(), [&](const auto& o) { return o.index == *choice; })) {
    choice.reset();
  }
  Answered(ResponseWord(choice));
  return choice;
}

}  // namespace zelmora::simulator
