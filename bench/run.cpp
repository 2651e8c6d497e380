#include "bench/run.h"

#include "bench/figures.h"

#include <benchmark/benchmark.h>

namespace zelmora::bench {

int RunBenchmarks(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (!Figures().empty()) PrintFigures();
  return 0;
}

}  // namespace zelmora::bench
