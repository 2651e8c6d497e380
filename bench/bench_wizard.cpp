// The grid wizard's Finish on a 10 x 10 grid (about 1,100 keys), each key its own file rewrite or
// all of them in one descriptor batch.
#include "adventure/grid_wizard.h"
#include "messages/planet_script.h"
#include "store/descriptor_store.h"
#include "ui/platform/file_rules.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using zelmora::adventure::FinishGrid;
using zelmora::adventure::GridChoices;

constexpr const char* kDescriptor =
    "[General]\r\nPlanetPics=NN\r\nMessages=NN\r\n\r\n;SolarSystem\r\n;\"Wizard              \",0,2\r\n"
    ";520,4,0,0,1,420\r\n;674,3,2,43523,13,465\r\n[2]\r\nMessages=1\r\nMessage1=Hello.\r\n";

struct Folder {
  Folder() {
    root = fs::temp_directory_path() / ("zelmora-bench-wizard-" + std::to_string(::getpid()));
    fs::create_directories(root / "ZMDescriptor");
  }
  ~Folder() { fs::remove_all(root); }
  void Reset() const { zelmora::platform::AtomicReplace(root / "ZMDescriptor" / "Wizard.zmd", kDescriptor); }
  fs::path root;
};

void RunFinish(benchmark::State& state, bool batched) {
  static const Folder folder;
  GridChoices choices;
  choices.sizeX = choices.sizeY = "10";
  for (auto _ : state) {
    state.PauseTiming();
    folder.Reset();
    zelmora::store::DescriptorStore store(folder.root);
    zelmora::store::SolarSystemRecord record;
    store.LoadSystem("Wizard", record);
    zelmora::messages::PlanetScript script(store, record, 1);
    state.ResumeTiming();
    if (batched) {
      zelmora::store::DescriptorBatch batch(store, record.Name);
      FinishGrid(choices, script);
    } else {
      FinishGrid(choices, script);
    }
  }
}

void BM_Finish10x10OneRewritePerKey(benchmark::State& state) { RunFinish(state, false); }
void BM_Finish10x10InOneBatch(benchmark::State& state) { RunFinish(state, true); }

}  // namespace

BENCHMARK(BM_Finish10x10OneRewritePerKey)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Finish10x10InOneBatch)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
