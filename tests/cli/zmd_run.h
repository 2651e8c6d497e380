#pragma once

#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace zelmora::testing {

// One run of the real zmd binary: exit status and what it printed (stderr included).
struct ZmdRun {
  int status;
  std::string out;
};

inline std::string ShellQuote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// `input`: a file for its standard input (none: the test's own).
inline ZmdRun Zmd(const std::vector<std::string>& args, const std::string& input = {}) {
  std::string command = ZMD;
  for (const auto& a : args) command += " " + ShellQuote(a);
  if (!input.empty()) command += " < " + ShellQuote(input);
  command += " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  ZmdRun r{-1, {}};
  if (!pipe) return r;
  char buffer[4096];
  std::size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) r.out.append(buffer, n);
  const int status = pclose(pipe);
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

}  // namespace zelmora::testing
