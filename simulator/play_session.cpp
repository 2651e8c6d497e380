#include "simulator/play_session.h"

#include "simulator/panel_screen.h"
#include "simulator/seeded_random.h"
#include "store/descriptor_store.h"
#include "ui/platform/code_page.h"
#include "ui/platform/text_rules.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <iostream>
#include <memory>
#include <sstream>

namespace zelmora::simulator {

namespace {

// The input lines: each echoed into the transcript as it is read, and kept when recording.
class InputLines {
 public:
  // `kept`: every line, as a recording keeps it; `history`: the lines that are no comments.
  InputLines(std::istream& in, Transcript& t, std::vector<std::string>* kept,
             std::vector<std::string>* history = nullptr)
      : in_(in), t_(t), kept_(kept), history_(history) {}

  // The next command or answer line; blank lines are skipped, comments echoed and skipped.
  bool Next(std::string& line) {
    while (std::getline(in_, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      std::string trimmed = platform::TrimBlanks(line);
      if (trimmed.empty()) continue;
      t_.Echo(trimmed);
      if (kept_) kept_->push_back(trimmed);
      if (trimmed[0] == '#') continue;
      if (history_) history_->push_back(trimmed);
      line = platform::Utf8ToCp1252(trimmed);
      return true;
    }
    return false;
  }

 private:
  std::istream& in_;
  Transcript& t_;
  std::vector<std::string>* kept_;
  std::vector<std::string>* history_;
};

// Questions answered by the next input line, or by the command's own argument.
class LineAnswers : public TestAnswers {
 public:
  LineAnswers(InputLines& lines, Transcript& t) : lines_(&lines), t_(t) {}

  void Box(const std::string&, platform::Icon, const std::string&) override {}

  platform::Answer Question(const std::string&, platform::Buttons buttons, platform::Icon, const std::string&,
                            int) override {
    const bool okButton = buttons == platform::Buttons::OkCancel;
    const bool cancel = okButton || buttons == platform::Buttons::YesNoCancel;
    std::string line;
    while (Answer(line)) {
      std::string a = platform::ToLower1252(line);
      if (!okButton && (a == "yes" || a == "y")) return platform::Answer::Yes;
      if (!okButton && (a == "no" || a == "n")) return platform::Answer::No;
      if (okButton && a == "ok") return platform::Answer::Ok;
      if (cancel && a == "cancel") return platform::Answer::Cancel;
      t_.Error("answer the question first");
    }
    return cancel ? platform::Answer::Cancel : platform::Answer::No;
  }

  float Number(const std::string&, const std::string&, const std::string&, float, float minimum, float maximum,
               float) override {
    std::string line;
    while (Answer(line)) {
      auto words = Words(line);
      if (words.size() == 2 && words[0] == "energy") words.erase(words.begin());
      if (words.size() == 1 && words[0] == "cancel") break;
      auto value = words.size() == 1 ? ParseNumber(words[0]) : std::nullopt;
      // Compared as the dialog holds it, so the shortest text of a bound reads as that bound.
      const float number = value ? static_cast<float>(*value) : 0;
      if (value && number >= minimum && number <= maximum) return number;
      t_.Error("answer a number from " + ShortNumber(static_cast<double>(minimum)) + " to " +
               ShortNumber(static_cast<double>(maximum)) + ", or cancel");
    }
    return minimum - 1;
  }

  std::optional<int> Response(const std::vector<ResponseOption>& options) override {
    std::string line;
    while (Answer(line)) {
      auto words = Words(line);
      if (words.size() == 2 && words[0] == "respond") words.erase(words.begin());
      if (words.size() == 1 && words[0] == "close") return std::nullopt;
      auto value = words.size() == 1 ? ParseNumber(words[0]) : std::nullopt;
      const bool offered = value && std::any_of(options.begin(), options.end(),
                                                [&](const ResponseOption& o) { return o.index == *value; });
      if (offered) return static_cast<int>(*value);
      t_.Error("answer one of the offered response numbers, or close");
    }
    return std::nullopt;
  }

  void Preset(std::optional<std::string> answer) override { preset_ = std::move(answer); }
  // Plays a line that is no answer but a tick of the clock while the question is open; false
  // when the line is something else.
  void SetClock(std::function<bool(const std::string&)> tick) { tick_ = std::move(tick); }
  // Where the answers are read from now.
  void SetLines(InputLines& lines) { lines_ = &lines; }

 private:
  bool Answer(std::string& answer) {
    if (preset_) {
      answer = *preset_;
      preset_.reset();
      return true;
    }
    while (lines_->Next(answer)) {
      if (!tick_ || !tick_(answer)) return true;
    }
    return false;
  }

  InputLines* lines_;
  Transcript& t_;
  std::optional<std::string> preset_;
  std::function<bool(const std::string&)> tick_;
};

// Writes to two streams at once: the terminal and the recording's copy.
class TeeBuffer : public std::streambuf {
 public:
  TeeBuffer(std::streambuf* a, std::streambuf* b) : a_(a), b_(b) {}

 protected:
  int overflow(int c) override {
    if (c == traits_type::eof()) return traits_type::not_eof(c);
    const bool ok = a_->sputc(static_cast<char>(c)) != traits_type::eof() &&
                    b_->sputc(static_cast<char>(c)) != traits_type::eof();
    return ok ? c : traits_type::eof();
  }
  std::streamsize xsputn(const char* s, std::streamsize n) override {
    a_->sputn(s, n);
    return b_->sputn(s, n);
  }
  int sync() override { return a_->pubsync() | b_->pubsync(); }

 private:
  std::streambuf* a_;
  std::streambuf* b_;
};

// Compares the transcript line by line as it is written, keeping the first difference.
class ComparingBuffer : public std::streambuf {
 public:
  explicit ComparingBuffer(const std::string& recorded) {
    std::istringstream in(recorded);
    for (std::string line; std::getline(in, line);) lines_.push_back(line);
  }
  const std::optional<TranscriptDifference>& Difference() const { return difference_; }
  int Agreed() const { return static_cast<int>(next_); }
  void Finish() {
    if (!line_.empty()) Compare();
    if (!difference_ && next_ < lines_.size()) {
      difference_ = TranscriptDifference{static_cast<int>(next_) + 1, lines_[next_], std::nullopt};
    }
  }

 protected:
  int overflow(int c) override {
    if (c == traits_type::eof()) return traits_type::not_eof(c);
    if (c == '\n') Compare();
    else line_.push_back(static_cast<char>(c));
    return c;
  }

 private:
  void Compare() {
    if (!line_.empty() && line_.back() == '\r') line_.pop_back();
    if (!difference_) {
      if (next_ >= lines_.size()) {
        difference_ = TranscriptDifference{static_cast<int>(next_) + 1, std::nullopt, line_};
      } else if (lines_[next_] != line_) {
        difference_ = TranscriptDifference{static_cast<int>(next_) + 1, lines_[next_], line_};
      } else {
        ++next_;
      }
    }
    line_.clear();
  }

  std::vector<std::string> lines_;
  std::size_t next_ = 0;
  std::string line_;
  std::optional<TranscriptDifference> difference_;
};

// The recorded input, a line at a time, ending as soon as the transcript has departed.
class StoppingInput : public std::streambuf {
 public:
  StoppingInput(const std::vector<std::string>& lines, const ComparingBuffer& out) : lines_(lines), out_(out) {}

 protected:
  int underflow() override {
    if (out_.Difference() || next_ >= lines_.size()) return traits_type::eof();
    current_ = lines_[next_++] + "\n";
    setg(current_.data(), current_.data(), current_.data() + current_.size());
    return traits_type::to_int_type(current_[0]);
  }

 private:
  const std::vector<std::string>& lines_;
  const ComparingBuffer& out_;
  std::size_t next_ = 0;
  std::string current_;
};

// One test over its own copies of the system record and the ship: a step back plays the test
// again from its start beside the one it replaces.
class PlayRun {
 public:
  PlayRun(const PlaySettings& settings, store::DescriptorStore& store, const store::SolarSystemRecord& record,
          const ShipState& ship, platform::Random& random, TestAnswers& answers, Transcript& t)
      : record_(record), ship_(ship), script_(store, record_), options_(ship_) {
    options_.planet = settings.planet;
    options_.LoadFlagNames(script_);
    for (int f : settings.flags) options_.SetFlagLabel(f, true);
    options_.lastVisit = settings.lastVisitTenths;
    options_.upgrades = settings.upgrades;
    options_.badGuy = settings.badGuy;
    options_.from = settings.from;
    session_ = std::make_unique<TestSession>(TestSession::World{record_, store.GetTables(), script_, ship_, random},
                                             options_, answers, t);
  }
  TestSession& Session() { return *session_; }
  const TestOptions& Options() const { return options_; }

 private:
  store::SolarSystemRecord record_;
  ShipState ship_;
  StoreScriptReader script_;
  TestOptions options_;
  std::unique_ptr<TestSession> session_;
};

bool UseWorkingCopy(const PlaySettings& settings, const store::DescriptorStore& store) {
  return settings.workingCopy && platform::FileExists(store.DescriptorPath(settings.system, store::kWorkingExtension));
}

}  // namespace

int RunPlaySession(const PlaySettings& settings, std::istream& in, std::ostream& out, TestRecording* recording) {
  store::DescriptorStore store(settings.gameFolder);
  if (UseWorkingCopy(settings, store)) store.SetCurrentExtension(store::kWorkingExtension);
  store.RefreshSystemNames();
  store::SolarSystemRecord record;
  store.LoadSystem(settings.system, record);

  std::ostringstream copy;
  TeeBuffer tee(out.rdbuf(), copy.rdbuf());
  std::ostream teeOut(&tee);
  Transcript t(recording ? teeOut : out);
  // The lines the test now stands on: its commands with their answers, without those taken back.
  std::vector<std::string> history;
  InputLines lines(in, t, recording ? &recording->lines : nullptr, &history);
  LineAnswers answers(lines, t);

  // A step back plays the test again with the seed it began with, so a seed from the clock is
  // chosen once; a recording keeps it, to replay exactly.
  const std::uint64_t seed = settings.seed ? *settings.seed : ClockSeed();
  const bool seedShown = settings.seed || recording;
  SeededRandom random;
  ShipState ship;
  if (settings.ship) {
    ship = CarriedOver(*settings.ship);
  } else {
    for (int k = 1; k <= kUpgradeKinds; ++k) ship.UpgradeLevels[static_cast<std::size_t>(k)] = 1;
  }

  PlayRun* active = nullptr;
  answers.SetClock([&active](const std::string& line) {
    const auto words = Words(line);
    if (words.empty() || words[0] != "tick" || !active->Session().TickMayInterrupt()) return false;
    active->Session().Run(line);
    return true;
  });
  const auto begin = [&](PlayRun& run) {
    active = &run;
    run.Session().Begin(settings.system, seed, seedShown);
    run.Session().Enter();
  };
  std::vector<std::size_t> commandStarts;  // where in the history each command begins
  // What each command played, told only once the test is over: a command taken back by a step
  // back played nothing.
  std::vector<std::pair<std::size_t, std::string>> played;  // commands run before it, key
  const auto keep = [&played, &commandStarts](const std::string& key) { played.emplace_back(commandStarts.size(), key); };
  const auto playedBy = settings.played ? std::function<void(const std::string&)>(keep) : nullptr;

  auto run = std::make_unique<PlayRun>(settings, store, record, ship, random, answers, t);
  run->Session().SetTraceSink(settings.trace);
  run->Session().GetTrace().played = playedBy;
  begin(*run);

  const auto stepBack = [&] {
    if (commandStarts.empty()) return t.Error("there is no command to take back");
    const std::size_t cut = commandStarts.back();
    commandStarts.pop_back();
    std::erase_if(played, [&commandStarts](const auto& p) { return p.first > commandStarts.size(); });
    const std::string undone = history[cut];
    history.resize(cut);
    const PanelScreen before = ScreenOf(run->Session().Panel(), run->Options());
    // Played again out of sight: what it shows was shown before, and its errors were reported.
    const bool failed = t.failed;
    std::ostringstream hidden;
    std::ostream& shown = t.Redirect(hidden);
    std::string input;
    for (const auto& line : history) input += line + "\n";
    std::istringstream replayIn(input);
    InputLines replayLines(replayIn, t, nullptr);
    answers.SetLines(replayLines);
    auto again = std::make_unique<PlayRun>(settings, store, record, ship, random, answers, t);
    begin(*again);
    for (std::string line; replayLines.Next(line);) again->Session().Run(line);
    answers.SetLines(lines);
    t.Redirect(shown);
    t.failed = failed;
    again->Session().SetTraceSink(settings.trace);
    again->Session().GetTrace().played = playedBy;
    run = std::move(again);
    t.Print("back", "the test as it stood before \"" + undone + "\"");
    PrintScreenChanges(t, before, ScreenOf(run->Session().Panel(), run->Options()));
    Trace& trace = run->Session().GetTrace();
    if (trace.On()) trace.Line("command: back (played again from the start without \"" + undone + "\")");
  };
  for (std::string line; lines.Next(line);) {
    const auto words = Words(line);
    if (words.size() == 1 && words[0] == "back") {
      history.pop_back();
      stepBack();
      continue;
    }
    // What only prints changes nothing to take back.
    if (!words.empty() && words[0] != "ship" && words[0] != "flags") commandStarts.push_back(history.size() - 1);
    run->Session().Run(line);
  }
  for (const auto& [command, key] : played) settings.played(key);
  if (recording) {
    teeOut.flush();
    // Kept whole, so that the recording replays from wherever it is checked.
    std::error_code ec;
    recording->gameFolder = std::filesystem::absolute(settings.gameFolder, ec);
    if (ec) recording->gameFolder = settings.gameFolder;
    recording->start = run->Session().Start();
    recording->transcript = copy.str();
  }
  return t.failed ? 1 : 0;
}

Replay ReplayRecording(const TestRecording& recording, const std::filesystem::path& gameFolder,
                       std::function<void(const std::string& key)> played) {
  PlaySettings settings;
  static_cast<TestStart&>(settings) = recording.start;
  settings.gameFolder = gameFolder;
  settings.workingCopy = true;
  settings.played = std::move(played);
  std::string input;
  for (const auto& line : recording.lines) input += line + "\n";
  std::istringstream in(input);
  std::ostringstream out;
  Replay replay;
  replay.workingCopy = UseWorkingCopy(settings, store::DescriptorStore(gameFolder));
  replay.understood = RunPlaySession(settings, in, out) == 0;
  replay.transcript = out.str();
  return replay;
}

ReplayCheck CheckReplay(const TestRecording& recording, const std::filesystem::path& gameFolder) {
  PlaySettings settings;
  static_cast<TestStart&>(settings) = recording.start;
  settings.gameFolder = gameFolder;
  settings.workingCopy = true;
  ComparingBuffer compare(recording.transcript);
  std::ostream out(&compare);
  StoppingInput input(recording.lines, compare);
  std::istream in(&input);
  RunPlaySession(settings, in, out);
  out.flush();
  compare.Finish();
  ReplayCheck check;
  check.difference = compare.Difference();
  check.agreed = compare.Agreed();
  check.workingCopy = UseWorkingCopy(settings, store::DescriptorStore(gameFolder));
  return check;
}

}  // namespace zelmora::simulator
