#include "ui/platform/program_search.h"

#include <cstdlib>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#endif

namespace zelmora::platform {

namespace fs = std::filesystem;

namespace {

bool IsExecutableFile(const fs::path& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return false;
#if defined(__unix__) || defined(__APPLE__)
  return ::access(path.c_str(), X_OK) == 0;
#else
  return true;
#endif
}

}  // namespace

std::optional<fs::path> FindProgram(std::string_view program, std::string_view searchPath) {
  if (program.empty()) return std::nullopt;
  if (program.find_first_of("/\\") != std::string_view::npos) {
    fs::path path{std::string(program)};
    if (IsExecutableFile(path)) return path;
    return std::nullopt;
  }
  if (searchPath.empty()) return std::nullopt;
  std::size_t start = 0;
  while (start <= searchPath.size()) {
    std::size_t end = searchPath.find(':', start);
    if (end == std::string_view::npos) end = searchPath.size();
    // An empty entry is the current folder, as shells read it.
    fs::path folder = end > start ? fs::path(std::string(searchPath.substr(start, end - start))) : fs::path(".");
    fs::path candidate = folder / std::string(program);
    if (IsExecutableFile(candidate)) return candidate;
    start = end + 1;
  }
  return std::nullopt;
}

std::string ProgramSearchPath() {
  const char* path = std::getenv("PATH");
  return path ? path : "";
}

std::filesystem::path RunningProgramFolder() {
  std::error_code ec;
  auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path() : self.parent_path();
}

}  // namespace zelmora::platform
