#include "ui/platform/spawn_process_runner.h"

#include "ui/platform/code_page.h"

#if defined(__unix__) || defined(__APPLE__)
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>

extern char** environ;
#define ZELMORA_SPAWN 1
#endif

namespace zelmora::platform {

namespace {

#ifdef ZELMORA_SPAWN
// The started process, or -1.
pid_t Spawn(const std::string& commandLine) {
  std::vector<std::string> words;
  for (const auto& word : SplitCommandLine(commandLine)) words.push_back(Cp1252ToUtf8(word));
  if (words.empty()) return -1;
  std::vector<char*> argv;
  for (auto& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
  return pid;
}
#endif

}  // namespace

bool SpawnProcessRunner::Start(const std::string& commandLine, WindowState) {
#ifdef ZELMORA_SPAWN
  return Spawn(commandLine) > 0;
#else
  (void)commandLine;
  return false;
#endif
}

bool SpawnProcessRunner::StartAndWait(const std::string& commandLine, WindowState) {
#ifdef ZELMORA_SPAWN
  pid_t pid = Spawn(commandLine);
  if (pid <= 0) return false;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return true;
#else
  (void)commandLine;
  return false;
#endif
}

}  // namespace zelmora::platform
