// The simulator's costs on a planet holding a 10 x 10 adventure grid: starting a test at a group,
// taking back a command of a long test, and the coverage of 100 recordings. Each figure is
// printed against its target.
#include "adventure/grid_wizard.h"
#include "bench/bench_support.h"
#include "check/coverage.h"
#include "messages/planet_script.h"
#include "simulator/play_session.h"
#include "simulator/recorded_test.h"
#include "simulator/seeded_random.h"
#include "store/descriptor_store.h"
#include "ui/platform/number_asker.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <sstream>

namespace {

using namespace zelmora::bench;
namespace sim = zelmora::simulator;
using Clock = std::chrono::steady_clock;

// Planet 1: a greeting and a 10 x 10 grid written by the wizard.
void WriteGridGame(const GameFolder& f) {
  std::string bytes = kHeader;
  bytes += "[1]\r\nMessages=1\r\nMessage1=Welcome to the grid, %RK.\r\n";
  zelmora::platform::AtomicReplace(f.Descriptor("Grid"), bytes);
  zelmora::store::DescriptorStore store(f.root);
  zelmora::store::SolarSystemRecord record;
  store.LoadSystem("Grid", record);
  zelmora::messages::PlanetScript script(store, record, 1);
  zelmora::adventure::GridChoices choices;
  choices.sizeX = choices.sizeY = "10";
  zelmora::store::DescriptorBatch batch(store, record.Name);
  zelmora::adventure::FinishGrid(choices, script);
}

const GameFolder& GridGame() {
  static const GameFolder folder("play");
  static const bool written = (WriteGridGame(folder), true);
  (void)written;
  return folder;
}

// Beamed down, then `moves` times through the first door offered.
std::string Walk(int moves) {
  std::string input = "tick\nbeam\n";
  for (int i = 0; i < moves; ++i) input += "respond 1\ntick\n";
  return input;
}

sim::PlaySettings GridSettings(std::uint64_t seed) {
  sim::PlaySettings settings;
  settings.gameFolder = GridGame().root;
  settings.system = "Grid";
  settings.planet = 1;
  settings.seed = seed;
  return settings;
}

// ---- starting at a group

void BM_StartAtAGroup(benchmark::State& state) {
  sim::PlaySettings settings = GridSettings(1);
  settings.from = sim::StartPoint{"Area0505", sim::StartPoint::Kind::Responses};
  const auto start = Clock::now();
  for (auto _ : state) {
    std::istringstream in("1\ntick\n");
    std::ostringstream out;
    benchmark::DoNotOptimize(sim::RunPlaySession(settings, in, out));
  }
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count() /
                    static_cast<double>(state.iterations());
  Record(1, {"start at a response group of the grid, answer, one tick", ms, "ms", 50});
}

// ---- a step back in the windows' test

class Chooser : public sim::ControlPanelView {
 public:
  void SetOrbitBanner(const std::string&, bool) override {}
  void SetMessageTitle(const std::string&) override {}
  void SetMessageText(const std::string&) override {}
  void SetMessageVisible(bool) override {}
  void SetCommandEnabled(sim::PanelCommand, bool) override {}
  void SetStatusCaption(const std::string&) override {}
  void SetMessageClock(bool) override {}
  std::optional<int> ChooseResponse(const std::vector<sim::ResponseOption>& options) override {
    if (options.empty()) return std::nullopt;
    return options.front().index;
  }
  void FocusIdle() override {}
  void ClosePanel() override {}
};

class NoNumbers : public zelmora::platform::NumberAsker {
 public:
  float AskNumber(const std::string&, const std::string&, const std::string&, float, float minimum, float,
                  float) override {
    return minimum - 1;
  }
};

void BM_StepBackAfterALongWalk(benchmark::State& state) {
  const int moves = static_cast<int>(state.range(0));
  zelmora::store::DescriptorStore store(GridGame().root);
  zelmora::store::SolarSystemRecord record;
  store.LoadSystem("Grid", record);
  sim::StoreScriptReader script(store, record);
  sim::ShipState ship;
  sim::SeededRandom random;
  NoQuestions prompter;
  NoNumbers numbers;
  Chooser view;
  sim::TestOptions options(ship);
  options.planet = 1;
  sim::RecordedTest test({record, store.GetTables(), script, ship, random}, options,
                         {view, nullptr, prompter, numbers});
  test.Begin("Grid", 5);
  test.Enter();
  test.MessageTick();
  test.Command("beam");
  for (int i = 0; i < moves; ++i) {
    test.Command("respond");
    test.MessageTick();
  }
  double seconds = 0;
  for (auto _ : state) {
    state.PauseTiming();
    test.Command("respond");
    test.MessageTick();
    state.ResumeTiming();
    const auto t0 = Clock::now();
    test.StepBack();
    seconds += std::chrono::duration<double>(Clock::now() - t0).count();
  }
  Record(2 + moves, {"step back after " + std::to_string(moves) + " moves through the grid",
                     seconds / static_cast<double>(state.iterations()) * 1e3, "ms", 50});
}

// ---- coverage

void BM_CoverageOf100Recordings(benchmark::State& state) {
  std::vector<sim::TestRecording> recordings(100);
  for (std::size_t i = 0; i < recordings.size(); ++i) {
    std::istringstream in(Walk(10 + static_cast<int>(i % 20)));
    std::ostringstream out;
    sim::RunPlaySession(GridSettings(i), in, out, &recordings[i]);
  }
  double seconds = 0;
  std::size_t played = 0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    zelmora::check::CoverageCounter counter;
    for (const auto& r : recordings) counter.Add(r, GridGame().root);
    const auto report = counter.Report();
    seconds += std::chrono::duration<double>(Clock::now() - t0).count();
    played = report.empty() ? 0 : static_cast<std::size_t>(report[0].messages.played);
  }
  state.counters["messages_played"] = static_cast<double>(played);
  Record(100, {"coverage of 100 recordings (10 to 29 moves each)", seconds / static_cast<double>(state.iterations()),
               "s", 2});
}

}  // namespace

BENCHMARK(BM_StartAtAGroup)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StepBackAfterALongWalk)->Arg(10)->Arg(40)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CoverageOf100Recordings)->Unit(benchmark::kMillisecond)->Iterations(2);
