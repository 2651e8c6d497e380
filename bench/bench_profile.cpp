// Profile-file access on a descriptor of the size a finished 10-planet system reaches.
#include "store/descriptor_store.h"
#include "store/profile_file.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

namespace {

namespace fs = std::filesystem;
using zelmora::store::DescriptorStore;
using zelmora::store::SolarSystemRecord;

// About 200 KB and 3,000 keys: ten planet sections of messages and responses.
std::string GeneratedDescriptor() {
  std::string s = "[General]\r\nPlanetPics=NNNNNNNNNN\r\nMessages=YYYYYYYYYY\r\n\r\n;SolarSystem\r\n";
  s += ";\"Benchmark           \",0,10\r\n";
  for (int i = 1; i <= 10; ++i) s += ";" + std::to_string(370 + 30 * i) + ",2,1,16384,13,0\r\n";
  s += "[Names]\r\nS=Bench\r\n";
  std::mt19937 random(1);
  for (int p = 1; p <= 10; ++p) {
    s += "[" + std::to_string(p) + "]\r\n";
    for (int k = 1; k <= 300; ++k) {
      std::string group = "Area" + std::to_string(k % 30);
      std::string text(20 + random() % 80, 'a' + static_cast<char>(k % 26));
      s += (k % 2 ? "Message" : "Response") + group + std::to_string(k) + "=%W2" + text + "*R" + group + "\r\n";
    }
  }
  return s;
}

struct Fixture {
  Fixture() {
    root = fs::temp_directory_path() / ("zelmora-bench-" + std::to_string(::getpid()));
    fs::create_directories(root / "ZMDescriptor");
    bytes = GeneratedDescriptor();
    Reset();
  }
  ~Fixture() { fs::remove_all(root); }
  void Reset() const { zelmora::platform::AtomicReplace(root / "ZMDescriptor" / "Bench.zmd", bytes); }
  fs::path root;
  std::string bytes;
};

const Fixture& Shared() {
  static Fixture f;
  return f;
}

void BM_ReadKey(benchmark::State& state) {
  const auto& f = Shared();
  f.Reset();
  DescriptorStore store(f.root);
  for (auto _ : state) benchmark::DoNotOptimize(store.ReadKey("Bench", "10", "ResponseArea9299", "Not Used"));
  state.counters["bytes"] = static_cast<double>(f.bytes.size());
}

void BM_WriteKey(benchmark::State& state) {
  const auto& f = Shared();
  f.Reset();
  DescriptorStore store(f.root);
  int n = 0;
  for (auto _ : state) store.WriteKey("Bench", "10", "MessageArea9299", "changed " + std::to_string(n++));
}

void BM_WriteSystemRecord(benchmark::State& state) {
  const auto& f = Shared();
  f.Reset();
  DescriptorStore store(f.root);
  store.RefreshSystemNames();
  SolarSystemRecord record;
  record.Name = "Bench";
  store.ReadSystemRecord(record);
  for (auto _ : state) {
    record.Planet(1).Orbit = static_cast<std::int16_t>(record.Planet(1).Orbit ^ 1);
    store.WriteSystemRecord(record);
  }
}

void WriteThousand(DescriptorStore& store) {
  for (int k = 0; k < 1000; ++k) store.WriteKey("Bench", std::to_string(1 + k % 10), "Extra" + std::to_string(k), "v");
}

void BM_Write1000Keys(benchmark::State& state) {
  const auto& f = Shared();
  for (auto _ : state) {
    state.PauseTiming();
    f.Reset();
    DescriptorStore store(f.root);
    state.ResumeTiming();
    WriteThousand(store);
  }
}

void BM_Write1000KeysInOneBatch(benchmark::State& state) {
  const auto& f = Shared();
  for (auto _ : state) {
    state.PauseTiming();
    f.Reset();
    DescriptorStore store(f.root);
    state.ResumeTiming();
    zelmora::store::DescriptorBatch batch(store, "Bench");
    WriteThousand(store);
  }
}

// The floor: writing the same bytes to a scratch file, flushing them and renaming.
void BM_FloorWriteAndRename(benchmark::State& state) {
  const auto& f = Shared();
  for (auto _ : state) {
    zelmora::platform::AtomicReplace(f.root / "ZMDescriptor" / "Floor.zmd", f.bytes,
                                     f.root / "ZMDescriptor" / "Floor.tmp");
  }
}

// The in-memory part of one write, without any file.
void BM_WriteProfileValueInMemory(benchmark::State& state) {
  const auto& f = Shared();
  for (auto _ : state) {
    benchmark::DoNotOptimize(zelmora::store::WriteProfileValue(f.bytes, "10", "MessageArea9299", "changed"));
  }
}

BENCHMARK(BM_ReadKey)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WriteKey)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WriteSystemRecord)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Write1000Keys)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Write1000KeysInOneBatch)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FloorWriteAndRename)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WriteProfileValueInMemory)->Unit(benchmark::kMicrosecond);

}  // namespace
