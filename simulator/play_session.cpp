#include "simulator/play_session.h"

#include "simulator/test_session.h"

#include "simulator/seeded_random.h"
#include "store/descriptor_store.h"
#include "ui/platform/code_page.h"
#include "ui/platform/text_rules.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <iostream>
#include <sstream>

namespace zelmora::simulator {

namespace {

// The input lines: each echoed into the transcript as it is read, and kept when recording.
class InputLines {
 public:
  InputLines(std::istream& in, Transcript& t, std::vector<std::string>* kept) : in_(in), t_(t), kept_(kept) {}

  // The next command or answer line; blank lines are skipped, comments echoed and skipped.
  bool Next(std::string& line) {
    while (std::getline(in_, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      std::string trimmed = platform::TrimBlanks(line);
      if (trimmed.empty()) continue;
      t_.Echo(trimmed);
      if (kept_) kept_->push_back(trimmed);
      if (trimmed[0] == '#') continue;
      line = platform::Utf8ToCp1252(trimmed);
      return true;
    }
    return false;
  }

 private:
  std::istream& in_;
  Transcript& t_;
  std::vector<std::string>* kept_;
};

// Questions answered by the next input line, or by the command's own argument.
class LineAnswers : public TestAnswers {
 public:
  LineAnswers(InputLines& lines, Transcript& t) : lines_(lines), t_(t) {}

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

 private:
  bool Answer(std::string& answer) {
    if (preset_) {
      answer = *preset_;
      preset_.reset();
      return true;
    }
    while (lines_.Next(answer)) {
      if (!tick_ || !tick_(answer)) return true;
    }
    return false;
  }

  InputLines& lines_;
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
  const int p = settings.planet;

  std::ostringstream copy;
  TeeBuffer tee(out.rdbuf(), copy.rdbuf());
  std::ostream teeOut(&tee);
  Transcript t(recording ? teeOut : out);
  InputLines lines(in, t, recording ? &recording->lines : nullptr);
  LineAnswers answers(lines, t);

  // A recording must replay exactly: a seed from the clock is chosen once and kept.
  std::optional<std::uint64_t> seed = settings.seed;
  if (recording && !seed) seed = ClockSeed();
  SeededRandom random;
  ShipState ship;
  if (settings.ship) {
    ship = CarriedOver(*settings.ship);
  } else {
    for (int k = 1; k <= kUpgradeKinds; ++k) ship.UpgradeLevels[static_cast<std::size_t>(k)] = 1;
  }
  StoreScriptReader script(store, record);
  TestOptions options(ship);
  options.planet = p;
  options.LoadFlagNames(script);
  for (int f : settings.flags) options.SetFlagLabel(f, true);
  options.lastVisit = settings.lastVisitTenths;
  options.upgrades = settings.upgrades;
  options.badGuy = settings.badGuy;
  options.from = settings.from;

  TestSession session({record, store.GetTables(), script, ship, random}, options, answers, t);
  answers.SetClock([&session](const std::string& line) {
    const auto words = Words(line);
    if (words.empty() || words[0] != "tick" || !session.TickMayInterrupt()) return false;
    session.Run(line);
    return true;
  });
  session.SetTraceSink(settings.trace);
  session.GetTrace().played = settings.played;
  session.Begin(settings.system, seed);
  session.Enter();
  for (std::string line; lines.Next(line);) session.Run(line);
  if (recording) {
    teeOut.flush();
    recording->gameFolder = settings.gameFolder;
    recording->start = session.Start();
    recording->transcript = copy.str();
  }
  return t.failed ? 1 : 0;
}

Replay ReplayRecording(const TestRecording& recording, const std::filesystem::path& gameFolder) {
  PlaySettings settings;
  static_cast<TestStart&>(settings) = recording.start;
  settings.gameFolder = gameFolder;
  settings.workingCopy = true;
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
