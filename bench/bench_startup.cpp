// Start to mapped: the editor against a bare main window, both started as processes in turn within
// one run, so that the ratio holds on whatever machine runs it. Without a display the benchmark runs
// itself again under a virtual X server: the offscreen platform loads no fonts for a bare window,
// which would make the yardstick cheaper than any real start.
#include "bench/bench_support.h"
#include "bench/run.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using zelmora::bench::Figure;
using zelmora::bench::Record;
using Clock = std::chrono::steady_clock;

constexpr double kTargetRatio = 1.3;

// Seconds from starting `program` to its "mapped" line; a negative figure when it never said so.
double StartToMapped(const std::string& program, const std::vector<std::string>& args) {
  int out[2];
  if (pipe(out) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  std::vector<std::string> words{program};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);

  const auto start = Clock::now();
  pid_t pid = 0;
  const int failed = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  std::string said;
  char buffer[64];
  for (ssize_t n; failed == 0 && said.find('\n') == std::string::npos && (n = read(out[0], buffer, sizeof buffer)) > 0;) {
    said.append(buffer, static_cast<std::size_t>(n));
  }
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  close(out[0]);
  if (failed != 0) return -1;
  int status = 0;
  waitpid(pid, &status, 0);
  return said.rfind("mapped", 0) == 0 ? seconds : -1;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void BM_StartToMapped(benchmark::State& state) {
  const std::string dir = ZELMORA_BENCH_DIR;
  std::vector<double> bare;
  std::vector<double> editor;
  // One start of each before timing: the first start of a program pays for reading it from disk.
  StartToMapped(dir + "/startup_bare", {});
  StartToMapped(dir + "/startup_editor", {ZELMORA_GAME_DIR});
  for (auto _ : state) {
    const double b = StartToMapped(dir + "/startup_bare", {});
    const double e = StartToMapped(dir + "/startup_editor", {ZELMORA_GAME_DIR});
    if (b <= 0 || e <= 0) {
      state.SkipWithError("a program ended without mapping its window");
      return;
    }
    bare.push_back(b);
    editor.push_back(e);
    state.SetIterationTime(e);
  }
  const double b = Median(bare) * 1000;
  const double e = Median(editor) * 1000;
  Record(1, {"start to mapped: bare QMainWindow (median)", b, "ms", 0});
  Record(2, {"start to mapped: editor (median)", e, "ms", 0});
  Record(3, {"start to mapped: editor / bare QMainWindow", e / b, "x", kTargetRatio});
}

}  // namespace

BENCHMARK(BM_StartToMapped)->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  if (!std::getenv("DISPLAY") && !std::getenv("ZELMORA_BENCH_UNDER_XVFB")) {
    setenv("ZELMORA_BENCH_UNDER_XVFB", "1", 1);
    std::vector<char*> again{const_cast<char*>("xvfb-run"), const_cast<char*>("-a")};
    for (int i = 0; i < argc; ++i) again.push_back(argv[i]);
    again.push_back(nullptr);
    execvp("xvfb-run", again.data());
    // No virtual X server: the offscreen platform it is.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
  return zelmora::bench::RunBenchmarks(argc, argv);
}
