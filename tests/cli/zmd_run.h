#pragma once

#include <cstdio>
#include <string>
#include <vector>
#include <sys/wait.h>

namespace zelmora::testing {

// Runs zmd with the arguments (each quoted for the shell); its exit status and all it printed.
struct ZmdRun {
  int status;
  std::string out;
};

inline std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

inline ZmdRun Zmd(const std::vector<std::string>& args) {
  std::string command = ZMD;
  for (const auto& a : args) command += " " + Quote(a);
  command += " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  ZmdRun r{-1, {}};
  char buffer[4096];
  std::size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) r.out.append(buffer, n);
  int status = pclose(pipe);
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

}  // namespace zelmora::testing
