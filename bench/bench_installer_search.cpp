// The installer's search over a generated tree of 100,000 folders, beside find(1) on the same tree.
#include "bench/run.h"
#include "installer/search_session.h"
#include "ui/platform/machine.h"
#include "ui/platform/prompter.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace zelmora;

constexpr int kFolders = 100000;

// Breadth first, eight subfolders a folder until the count is reached; every folder holds one
// small file, and one deep folder holds the game, so both searches list and match the same.
// Made once in the build folder and kept: removing 100,000 folders from a disk takes minutes.
struct Tree {
  Tree() {
    root = fs::path(ZELMORA_BINARY_DIR) / "bench" / "search-tree";
    if (fs::exists(root / ".complete")) return;
    fs::remove_all(root);
    std::vector<fs::path> level{root};
    fs::create_directories(root);
    int made = 0;
    fs::path last;
    for (std::size_t next = 0; made < kFolders; ++next) {
      for (int i = 0; i < 8 && made < kFolders; ++i, ++made) {
        fs::path folder = level[next] / ("Folder " + std::to_string(i));
        fs::create_directory(folder);
        std::ofstream(folder / "readme.txt") << "x";
        level.push_back(folder);
        last = folder;
      }
    }
    std::ofstream(last / "quarvel.exe") << "game";
    std::ofstream(root / ".complete") << kFolders;
  }
  fs::path root;
};

// Best time of one run of each, for the comparison printed at the end.
double bestOurs = 1e9, bestFind = 1e9;

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

Tree& TheTree() {
  static Tree tree;
  return tree;
}

struct NoMachine : platform::Machine {
  std::string AppPath(const std::string&) const override { return {}; }
  std::string NativeFolder(const std::string&) const override { return {}; }
  std::string ProgramFilesFolder() const override { return {}; }
  std::string WindowsFolder() const override { return "/nowhere/windows"; }
  std::vector<platform::Drive> Drives() const override { return {}; }
  std::vector<std::string> FoldersNotEntered() const override { return {"/proc", "/sys", "/dev", "/run"}; }
};

struct NoView : installer::InstallerView {
  void ShowStatus(const std::string&, bool) override {}
  void EnableButtons(bool) override {}
  void StopAnimation() override {}
  void ProcessEvents() override {}
  void WaitForEvents() override {}
  void EndProgram() override {}
};

// Says No to every folder found, as a user looking for another copy would.
struct SayNo : platform::Prompter {
  int asked = 0;
  platform::Answer Message(const std::string&, platform::Buttons, platform::Icon, const std::string&, int) override {
    ++asked;
    return platform::Answer::No;
  }
  std::optional<std::string> Input(const std::string&, const std::string&, const std::string&) override { return {}; }
  std::optional<std::string> ChooseOpenFile(const std::string&, const std::string&, const std::string&) override {
    return {};
  }
  std::optional<std::string> ChooseFolder(const std::string&, const std::string&) override { return {}; }
};

void BM_InstallerSearch(benchmark::State& state) {
  const std::string root = TheTree().root.string();
  NoMachine machine;
  NoView view;
  SayNo prompter;
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    installer::SearchSession session(machine, prompter, view, "/nowhere/package");
    session.Load();
    session.Search(root);
    bestOurs = std::min(bestOurs, Seconds(start));
  }
  if (prompter.asked != static_cast<int>(state.iterations())) state.SkipWithError("the game was not found once a run");
  state.counters["folders"] = kFolders;
}

void BM_FindName(benchmark::State& state) {
  const std::string command = "find '" + TheTree().root.string() + "' -name quarvel.exe > /dev/null";
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    if (std::system(command.c_str()) != 0) state.SkipWithError("find failed");
    bestFind = std::min(bestFind, Seconds(start));
  }
  state.counters["folders"] = kFolders;
}

}  // namespace

// Alternating, so a change of load on the machine falls on both.
BENCHMARK(BM_FindName)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_InstallerSearch)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_FindName)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_InstallerSearch)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

int main(int argc, char** argv) {
  // The tree is made by the first benchmark run, before its timed loop.
  const int status = zelmora::bench::RunBenchmarks(argc, argv);
  if (bestOurs < 1e9 && bestFind < 1e9) {
    std::printf("best run: search %.0f ms, find %.0f ms; search speed = %.2f of find's (target 0.70)\n",
                bestOurs * 1000, bestFind * 1000, bestFind / bestOurs);
  }
  return status;
}
