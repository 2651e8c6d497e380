// The writing aids' costs: find across the demo game folder, and the spelling of a planet holding
// the wizard's 10 x 10 grid (every value's prose through the dictionary, nothing remembered from a
// run before). Each figure is printed against its target.
#include "adventure/grid_wizard.h"
#include "bench/bench_support.h"
#include "messages/planet_script.h"
#include "store/descriptor_store.h"
#include "writing/hunspell_dictionary.h"
#include "writing/script_texts.h"
#include "writing/spelling.h"
#include "writing/text_search.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>

namespace {

using namespace zelmora::bench;
using Clock = std::chrono::steady_clock;
namespace writing = zelmora::writing;

double Milliseconds(Clock::time_point start, benchmark::State& state) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count() /
         static_cast<double>(state.iterations());
}

const GameFolder& Demo() {
  static const GameFolder folder("writing-demo");
  static const bool copied = [] {
    std::filesystem::copy(ZELMORA_SOURCE_DIR "/demo", folder.root,
                          std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
    return true;
  }();
  (void)copied;
  return folder;
}

void BM_FindDemoFolder(benchmark::State& state) {
  const auto matcher = writing::Matcher::Make({"the"});
  std::size_t hits = 0;
  const auto start = Clock::now();
  for (auto _ : state) {
    hits = 0;
    writing::ForEachSystem(Demo().root, true, [&](zelmora::store::DescriptorStore& store,
                                                  const zelmora::store::SolarSystemRecord& record) {
      writing::ForEachPlanet(store, record, 0, [&](zelmora::messages::PlanetScript& script) {
        for (const auto& value : writing::PlanetTexts(script)) hits += writing::FindHits(value, *matcher).size();
      });
    });
    benchmark::DoNotOptimize(hits);
  }
  Record(1, {"find: \"the\" across the demo game folder", Milliseconds(start, state), "ms", 50});
  Record(2, {"  hits", static_cast<double>(hits), "hits", 0});
}

const GameFolder& Grid() {
  static const GameFolder folder("writing-grid");
  static const bool written = [] {
    zelmora::platform::AtomicReplace(folder.Descriptor("Bench"), std::string(kHeader) + "[1]\r\n");
    zelmora::store::DescriptorStore store(folder.root);
    zelmora::store::SolarSystemRecord record;
    store.LoadSystem("Bench", record);
    zelmora::messages::PlanetScript script(store, record, 1);
    zelmora::store::DescriptorBatch batch(store, record.Name);
    zelmora::adventure::GridChoices choices;
    choices.sizeX = choices.sizeY = "10";
    zelmora::adventure::FinishGrid(choices, script);
    return true;
  }();
  (void)written;
  return folder;
}

void BM_SpellGridPlanet(benchmark::State& state) {
  auto dictionary = writing::HunspellDictionary::OpenInstalled("en_US");
  if (!dictionary) {
    state.SkipWithError("no en_US Hunspell dictionary");
    return;
  }
  zelmora::store::DescriptorStore store(Grid().root);
  zelmora::store::SolarSystemRecord record;
  store.LoadSystem("Bench", record);
  const zelmora::messages::PlanetScript script(store, record, 1);
  writing::UserWords user(Grid().root / "words.txt");
  const writing::WordList game = writing::GameWords(Grid().root);
  std::size_t words = 0, wrong = 0;
  const auto start = Clock::now();
  for (auto _ : state) {
    writing::Speller speller(*dictionary, game, user);
    words = wrong = 0;
    for (const auto& value : writing::PlanetTexts(script)) {
      wrong += speller.Misspelt(value.value, value.kind).size();
      for (const auto& part : writing::SplitValue(value.value, value.kind)) {
        if (writing::IsProse(part.role)) words += writing::Words(std::string_view(value.value).substr(part.span.start, part.span.length)).size();
      }
    }
    benchmark::DoNotOptimize(wrong);
  }
  Record(3, {"spelling: a planet holding a 10 x 10 grid", Milliseconds(start, state), "ms", 100});
  Record(4, {"  words checked", static_cast<double>(words), "words", 0});
  Record(5, {"  words misspelt", static_cast<double>(wrong), "words", 0});
}

}  // namespace

BENCHMARK(BM_FindDemoFolder)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpellGridPlanet)->Unit(benchmark::kMillisecond);
