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
    : world_(world), options_(options), windows_(windows), t_(out_), session_(NewSession()) {}

std::unique_ptr<TestSession> RecordedTest::NewSession() {
  TestAnswers& answers = *this;
  auto session = std::make_unique<TestSession>(world_, options_, answers, t_, &windows_.panel, windows_.options);
  session->SetTraceSink(traceSink_);
  session->Rules().onUpgradeChanged = upgradeListener_;
  return session;
}

void RecordedTest::SetTraceSink(TraceSink* sink) {
  traceSink_ = sink;
  session_->SetTraceSink(sink);
}

void RecordedTest::SetUpgradeListener(std::function<void(int kind, int level)> listener) {
  upgradeListener_ = std::move(listener);
  session_->Rules().onUpgradeChanged = upgradeListener_;
}

void RecordedTest::Begin(const std::string& system, std::uint64_t seed) {
  system_ = system;
  seed_ = seed;
  startRecord_ = world_.record;
  startShip_ = world_.ship;
  startRetrofits_ = options_.RetrofitCaption();
  session_->Begin(system, seed);
}

void RecordedTest::Enter() {
  if (entered_) return;
  entered_ = true;
  {
    During entry(*this, Activity::Entry, Dialog::None);
    session_->Enter();
  }
  PlayHeldTicks();
}

void RecordedTest::Command(const std::string& name) {
  if (Busy() || !entered_ || Ended()) return;
  FlushTicks();
  {
    During command(*this, Activity::Command, Dialog::None);
    commandStarts_.push_back(lines_.size());
    t_.Echo(name);
    lines_.push_back(name);
    session_->Run(name);
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
  session_->Run("tick");
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
  session_->Panel().StatusTick();
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
  r.start = session_->Start();
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

bool RecordedTest::StepBack() {
  if (!CanStepBack()) return false;
  FlushTicks();
  feed_.assign(lines_.begin(), lines_.begin() + static_cast<std::ptrdiff_t>(commandStarts_.back()));
  fed_ = 0;
  const std::vector<int> flags = session_->Start().flags;

  // The world as Begin found it. The old session goes first, handing the options back to their window.
  session_.reset();
  world_.record = startRecord_;
  world_.ship = startShip_;
  for (int f = 0; f < kFlagNumbers; ++f) {
    options_.SetFlagLabel(f, std::find(flags.begin(), flags.end(), f) != flags.end());
  }
  options_.SetRetrofitCaption(startRetrofits_);
  if (upgradeListener_) {
    for (int k = 1; k <= kUpgradeKinds; ++k) {
      upgradeListener_(k, world_.ship.UpgradeLevels[static_cast<std::size_t>(k)]);
    }
  }
  ShowNewPanel(windows_.panel);
  if (traceSink_) traceSink_->TraceRestarted();
  out_.str({});
  tickOut_.str({});
  lines_.clear();
  tickAnswers_.clear();
  commandStarts_.clear();
  pendingTicks_ = 0;
  heldTicks_ = 0;

  // Played again with the same seed: every line is a command, a tick or an answer as first played.
  replaying_ = true;
  session_ = NewSession();
  session_->Begin(system_, seed_);
  {
    During entry(*this, Activity::Entry, Dialog::None);
    session_->Enter();
  }
  while (fed_ < feed_.size()) {
    const std::string line = feed_[fed_++];
    if (line.rfind("tick", 0) == 0) {
      ReplayTick(line);
    } else {
      Command(line);
    }
  }
  replaying_ = false;
  feed_.clear();
  return true;
}

void RecordedTest::ReplayTick(const std::string& line) {
  During tick(*this, Activity::Command, Dialog::None);
  t_.Echo(line);
  lines_.push_back(line);
  session_->Run(line);
}

std::string RecordedTest::NextAnswer() {
  while (fed_ < feed_.size()) {
    const std::string line = feed_[fed_++];
    if (line.rfind("tick", 0) == 0 && session_->TickMayInterrupt()) {
      ReplayTick(line);
      continue;
    }
    return line;
  }
  return "cancel";  // the lines ran out: no answer, as a closed dialog gives
}

void RecordedTest::Box(const std::string& text, platform::Icon icon, const std::string& title) {
  if (replaying_) return;
  During box(*this, Dialog::Box);
  windows_.prompter.Message(text, platform::Buttons::Ok, icon, title, 1);
}

platform::Answer RecordedTest::Question(const std::string& text, platform::Buttons buttons, platform::Icon icon,
                                        const std::string& title, int defaultButton) {
  platform::Answer answer;
  if (replaying_) {
    const std::string word = NextAnswer();
    answer = word == "yes"  ? platform::Answer::Yes
             : word == "ok" ? platform::Answer::Ok
             : word == "no" ? platform::Answer::No
                            : platform::Answer::Cancel;
  } else {
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
  if (replaying_) {
    const auto read = ParseNumber(NextAnswer());
    number = read ? static_cast<float>(*read) : minimum - 1;
  } else {
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
  if (replaying_) {
    const auto read = ParseNumber(NextAnswer());
    if (read) choice = static_cast<int>(*read);
  } else {
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
