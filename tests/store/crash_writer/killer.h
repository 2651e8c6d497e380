#pragma once

// Runs the crash writer in a child process and kills it at random moments; shared by the tests
// that check what a kill leaves on disk.
#include "tests/store/crash_writer/kill_points.h"
#include "tests/support/temp_game_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <map>
#include <random>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

namespace zelmora::crash {

namespace fs = std::filesystem;

// Starts the writer (CRASH_WRITER), lets it run into its loop, kills it after a random moment, and
// counts where the kills landed.
class Killer {
 public:
  Killer(std::string mode, std::vector<std::string> extra = {}) : mode_(std::move(mode)), extra_(std::move(extra)) {
    mark_ = zelmora::testing::UniqueTempFolder("crash-mark") / "mark";
    std::ofstream(mark_, std::ios::binary) << std::string(64, '\0');
  }
  ~Killer() {
    std::error_code ec;
    fs::remove_all(mark_.parent_path(), ec);
  }

  void Round(const fs::path& folder) {
    WriteMark(kStarting);
    std::vector<std::string> args = {CRASH_WRITER, mode_, folder.string(), mark_.string()};
    args.insert(args.end(), extra_.begin(), extra_.end());
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, CRASH_WRITER, nullptr, nullptr, argv.data(), environ), 0);
    // Start-up is no kill point worth the time: wait for the first step of the loop.
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (ReadMark() == kStarting && std::chrono::steady_clock::now() < until) {
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    std::this_thread::sleep_for(std::chrono::microseconds(pause_(random_)));
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer ended on its own";
    ++points_[kKillPointNames.at(static_cast<std::size_t>(ReadMark()))];
  }

  // "save: 20 kills: Save 14, edit 6", printed and kept with the test's results.
  void Report() const {
    std::string text;
    int total = 0;
    for (const auto& [name, n] : points_) {
      text += (text.empty() ? "" : ", ") + name + " " + std::to_string(n);
      total += n;
    }
    text = std::to_string(total) + " kills: " + text;
    std::printf("[ kill points ] %s: %s\n", mode_.c_str(), text.c_str());
    ::testing::Test::RecordProperty("kill_points_" + mode_, text);
  }

 private:
  void WriteMark(int v) {
    std::fstream f(mark_, std::ios::in | std::ios::out | std::ios::binary);
    f.write(reinterpret_cast<const char*>(&v), sizeof v);
  }
  int ReadMark() const {
    int v = 0;
    std::ifstream(mark_, std::ios::binary).read(reinterpret_cast<char*>(&v), sizeof v);
    return v >= 0 && v < kKillPointCount ? v : kStarting;
  }

  std::string mode_;
  std::vector<std::string> extra_;
  fs::path mark_;
  std::mt19937 random_{12345};
  std::uniform_int_distribution<int> pause_{0, 40000};  // microseconds
  std::map<std::string, int> points_;
};

}  // namespace zelmora::crash
