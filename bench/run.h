#pragma once

namespace zelmora::bench {

// Runs the benchmarks the command line selects (Google Benchmark's options), then prints the
// figures they recorded, if any. The program's exit status: 1 for an option it does not know.
int RunBenchmarks(int argc, char** argv);

}  // namespace zelmora::bench
