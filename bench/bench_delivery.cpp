// Planning an install from a hostile list: 100,000 lines naming files missing from the package or
// in another case, over a package of 2,000 files. Target: at most 2 s.
#include "installer/delivery.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace zelmora;

constexpr int kFiles = 2000;
constexpr int kLines = 100000;

struct Package {
  Package() {
    root = fs::temp_directory_path() / ("zelmora-bench-delivery-" + std::to_string(::getpid()));
    fs::create_directories(root / "package");
    fs::create_directories(root / "game/PICTURES");
    std::ofstream(root / "game/quarvel.exe") << "game";
    for (int i = 0; i < kFiles; ++i) std::ofstream(root / "package" / ("File" + std::to_string(i) + ".bmp")) << "x";
    std::string text;
    for (int i = 0; i < kLines; ++i) {
      text += i % 2 ? "\"missing" + std::to_string(i) + ".bmp\",\"\\PICTURES\\\"\r\n"
                    : "\"FILE" + std::to_string(i % kFiles) + ".BMP\",\"\\pictures\\\"\r\n";
    }
    list = installer::ParseSetupList(text);
  }
  ~Package() {
    std::error_code ec;
    fs::remove_all(root, ec);
  }
  fs::path root;
  installer::SetupList list;
};

void BM_PlanHostileList(benchmark::State& state) {
  static Package package;
  for (auto _ : state) {
    auto plan = installer::PlanDelivery(package.root / "package", package.root / "game", package.list);
    benchmark::DoNotOptimize(plan);
  }
  state.counters["lines"] = kLines;
  state.counters["target_s"] = 2;
}
BENCHMARK(BM_PlanHostileList)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
