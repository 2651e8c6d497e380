#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace zelmora::simulator {

// A test of one planet driven by text commands, one a line, with a transcript of everything the
// panel and its boxes show. Questions (yes/no, a number, a response) take the next input line
// unless the command that raised them carried the answer ("respond 2", "energy 1.5").
struct PlaySettings {
  std::filesystem::path gameFolder;
  std::string system;  // descriptor name, Windows-1252
  int planet = 1;
  std::optional<std::uint64_t> seed;
  std::vector<int> flags;  // flag numbers 0..36 set at Begin
  int lastVisitTenths = 0;  // 0..50
  bool upgrades = true;
  bool badGuy = false;
};

// The flag number of a label caption ("A".."Z", "0".."9", "Treaty"); nothing when unknown.
std::optional<int> FlagOfCaption(const std::string& caption);

// 0 when every command was understood, 1 otherwise. The game folder and system must exist.
int RunPlaySession(const PlaySettings& settings, std::istream& in, std::ostream& out);

}  // namespace zelmora::simulator
