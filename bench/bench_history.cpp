// The undo history on a planet holding a 10 x 10 grid: what recording adds to an edit (at most 20%),
// and one undo or redo, of a one-key edit and of the wizard's whole grid (at most 20 ms each).
#include "adventure/grid_wizard.h"
#include "bench/bench_support.h"
#include "history/history_recorder.h"
#include "messages/planet_script.h"
#include "store/descriptor_store.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

namespace {

using namespace zelmora;
using bench::Record;
using Clock = std::chrono::steady_clock;

// The system "Grid" opened for editing, planet 1 holding a 10 x 10 grid, with or without a history.
struct OpenGrid {
  OpenGrid(const std::string& stem, bool withHistory) : folder(stem), store(folder.root) {
    platform::AtomicReplace(folder.Descriptor("Grid"), bench::kHeader);
    if (withHistory) recorder = std::make_unique<history::HistoryRecorder>(store, folder.root / "history");
    store.OpenWorkingCopy("Grid", prompter);
    store.LoadSystem("Grid", record);
  }
  void Grid() {
    adventure::GridChoices choices;
    choices.sizeX = choices.sizeY = "10";
    store::EditAction action(store, "Wizard 10 x 10");
    store::DescriptorBatch batch(store, record.Name);
    adventure::FinishGrid(choices, script);
  }
  void Edit(int i) {
    script.PutMessage("MessageArea01011", "This is Area 1, 1, seen for the " + std::to_string(i) + ". time");
    if (recorder) recorder->CloseStep();
  }

  bench::GameFolder folder;
  bench::NoQuestions prompter;
  store::DescriptorStore store;
  store::SolarSystemRecord record;
  messages::PlanetScript script{store, record, 1};
  std::unique_ptr<history::HistoryRecorder> recorder;
};

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// The same edit with and without the history, taken in turns so both see the same machine.
void BM_EditRecorded(benchmark::State& state) {
  OpenGrid plain("history-plain", false);
  OpenGrid recorded("history-recorded", true);
  plain.Grid();
  recorded.Grid();
  Clock::duration without{}, with{};
  int i = 0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    plain.Edit(i);
    const auto t1 = Clock::now();
    recorded.Edit(i);
    const auto t2 = Clock::now();
    without += t1 - t0;
    with += t2 - t1;
    ++i;
  }
  const double n = static_cast<double>(state.iterations());
  Record(1, {"edit of one message, without a history", Ms(without) / n, "ms", 0});
  Record(2, {"edit of one message, recorded", Ms(with) / n, "ms", 0});
  Record(3, {"recording's share of the edit", 100.0 * (Ms(with) - Ms(without)) / Ms(without), "%", 20});
  state.counters["steps"] = static_cast<double>(recorded.recorder->StepCount());
}

void UndoRedo(benchmark::State& state, bool wholeGrid, int order, const char* what) {
  OpenGrid open(wholeGrid ? "history-grid" : "history-edit", true);
  open.Grid();
  if (!wholeGrid) open.Edit(0);
  Clock::duration undo{}, redo{};
  for (auto _ : state) {
    const auto t0 = Clock::now();
    if (open.recorder->Undo() != history::Move::Done) state.SkipWithError("undo failed");
    open.store.LoadSystem("Grid", open.record);
    const auto t1 = Clock::now();
    if (open.recorder->Redo() != history::Move::Done) state.SkipWithError("redo failed");
    open.store.LoadSystem("Grid", open.record);
    undo += t1 - t0;
    redo += Clock::now() - t1;
  }
  const double n = static_cast<double>(state.iterations());
  Record(order, {std::string("undo of ") + what, Ms(undo) / n, "ms", 20});
  Record(order + 1, {std::string("redo of ") + what, Ms(redo) / n, "ms", 20});
}

void BM_UndoRedoOneMessage(benchmark::State& state) { UndoRedo(state, false, 4, "one message (10 x 10 grid planet)"); }
void BM_UndoRedoWholeGrid(benchmark::State& state) { UndoRedo(state, true, 6, "the wizard's 10 x 10 grid"); }

}  // namespace

BENCHMARK(BM_EditRecorded)->Unit(benchmark::kMillisecond)->Iterations(600);
BENCHMARK(BM_UndoRedoOneMessage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoRedoWholeGrid)->Unit(benchmark::kMillisecond);
