#pragma once

#include "simulator/control_panel.h"
#include "simulator/ship_rules.h"
#include "simulator/test_options.h"
#include "simulator/transcript.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zelmora::simulator {

// The words of one command line, split at blanks.
std::vector<std::string> Words(const std::string& line);
// A whole text read as a number; nothing when any of it is not.
std::optional<double> ParseNumber(const std::string& text);

// What a test starts from: the Test Options of the planet, the seed and the ship.
struct TestStart {
  std::string system;  // descriptor name, Windows-1252
  int planet = 1;
  std::optional<std::uint64_t> seed;  // nothing: from the clock
  std::vector<int> flags;             // flag numbers 0..36 set at Begin
  int lastVisitTenths = 0;            // 0..50
  bool upgrades = true;
  bool badGuy = false;
  std::optional<StartPoint> from;  // nothing: the visit decides where the conversation starts
  // The ship as earlier tests of the run left it; nothing for a fresh ship with every upgrade at 1.
  std::optional<ShipState> ship;
};

// The ship's values that carry over from one test to the next, the only ones a recording keeps.
ShipState CarriedOver(const ShipState& ship);

// One test of one planet: the panel over the transcript, driven by command lines ("hail",
// "respond 2", "tick 3", ...). The terminal reads the lines from its input; the windows turn their
// buttons and timer ticks into the same lines, so both write the same transcript.
class TestSession {
 public:
  // What the test plays against.
  struct World {
    store::SolarSystemRecord& record;
    const store::Tables& tables;
    const PlanetScriptReader& script;
    ShipState& ship;
    platform::Random& random;
  };

  // `window` and `optionsWindow` show the test besides the transcript; either may be null. The
  // options' listener is the transcript while the session lives.
  TestSession(World world, TestOptions& options, TestAnswers& answers, Transcript& transcript,
              ControlPanelView* window = nullptr, TestOptionsListener* optionsWindow = nullptr);
  ~TestSession();
  TestSession(const TestSession&) = delete;
  TestSession& operator=(const TestSession&) = delete;

  // Begin of the Test Options: the header and the starting flags in the transcript, then the
  // options' Begin. With a seed, every seeding of the test (Begin, orbit entry) uses it; a seed
  // not shown is one drawn from the clock for this test, and the header says so.
  void Begin(const std::string& system, std::optional<std::uint64_t> seed, bool seedShown = true);
  // The panel becomes active: orbit entry and the first status refresh.
  void Enter();
  // One command line; what cannot be done is reported in the transcript.
  void Run(const std::string& line);

  // Why the test does what it does, from now on; null stops the trace. Also where the items
  // played are told.
  void SetTraceSink(TraceSink* sink) { trace_.SetSink(sink); }
  Trace& GetTrace() { return trace_; }

  // What Begin started from (the options, the seed and the ship).
  const TestStart& Start() const { return start_; }
  ControlPanel& Panel() { return *panel_; }
  ShipRules& Rules() { return rules_; }
  bool Ended() const { return panel_->IsClosed(); }
  // A tick may be played inside a command's question only: while orbit entry or another tick runs,
  // the clock's own box or question is open.
  bool TickMayInterrupt() const { return !entering_ && !ticking_; }

 private:
  // The seeding of one test: with a fixed seed, "from the clock" means the seed chosen at its start.
  class SeedOfTest : public platform::Random {
   public:
    explicit SeedOfTest(platform::Random& inner) : inner_(inner) {}
    double Next() override { return inner_.Next(); }
    void SeedFromClock() override {
      if (seed) inner_.Seed(*seed);
      else inner_.SeedFromClock();
    }
    void Seed(std::uint64_t s) override { inner_.Seed(s); }
    std::optional<std::uint64_t> seed;

   private:
    platform::Random& inner_;
  };

  // The status is refreshed as each box or question opens, as the 200 ms refresh does while it is
  // open; a transcript thus places it the same way whoever answers.
  class RefreshedAnswers : public TestAnswers {
   public:
    RefreshedAnswers(TestAnswers& inner, TestSession& session) : inner_(inner), session_(session) {}
    void Box(const std::string& text, platform::Icon icon, const std::string& title) override {
      session_.RefreshStatus();
      inner_.Box(text, icon, title);
    }
    platform::Answer Question(const std::string& text, platform::Buttons buttons, platform::Icon icon,
                              const std::string& title, int defaultButton) override {
      session_.RefreshStatus();
      return inner_.Question(text, buttons, icon, title, defaultButton);
    }
    float Number(const std::string& message, const std::string& title, const std::string& unit, float value,
                 float minimum, float maximum, float step) override {
      session_.RefreshStatus();
      return inner_.Number(message, title, unit, value, minimum, maximum, step);
    }
    std::optional<int> Response(const std::vector<ResponseOption>& options) override {
      session_.RefreshStatus();
      return inner_.Response(options);
    }
    void Preset(std::optional<std::string> answer) override { inner_.Preset(std::move(answer)); }

   private:
    TestAnswers& inner_;
    TestSession& session_;
  };

  void RefreshStatus() {
    if (panel_) panel_->StatusTick();
  }
  void PrintShip();
  void PrintFlags();

  World world_;
  TestOptions& options_;
  RefreshedAnswers answers_;
  Transcript& t_;
  TestOptionsListener* previousListener_;
  TranscriptView view_;
  TranscriptPrompter prompter_;
  TranscriptNumbers numbers_;
  SeedOfTest random_;
  ShipRules rules_;
  Trace trace_;
  std::unique_ptr<ControlPanel> panel_;
  TestStart start_;
  bool entering_ = false;
  bool ticking_ = false;
};

}  // namespace zelmora::simulator
