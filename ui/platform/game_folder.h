#pragma once

#include "ui/platform/settings_store.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zelmora::platform {

// Where a program's game folder came from.
enum class GameFolderSource { BesideProgram, CommandLine, LastChosen, Chooser, None };

struct GameFolderChoice {
  std::string folder;  // empty: none; the program ends
  GameFolderSource source = GameFolderSource::None;
  std::string problem;  // why the folder named on the command line cannot be used (UTF-8)
};

// The game folder, in this order: the program's own folder when the game is beside it; the folder
// named on the command line; the folder chosen last time, while it still holds the game; else what
// `choose` answers (the window that asks), which is kept for the next start.
GameFolderChoice FindGameFolder(const std::string& programFolder, const std::optional<std::string>& commandLine,
                                SettingsStore& settings, const std::function<std::optional<std::string>()>& choose);

// Why `folder` cannot be the game folder (code-page text), or nothing when it holds the game.
std::optional<std::string> GameFolderProblem(const std::string& folder);

// The arguments the two window programs take: --game DIR (or --game=DIR), --help, --version, and
// at most one plain argument where the program takes one.
struct ProgramArguments {
  std::optional<std::string> game;
  std::vector<std::string> plain;
  bool help = false;
  bool version = false;
  std::string problem;  // a bad command line, said as "PROGRAM: problem" on standard error
};
ProgramArguments ParseProgramArguments(const std::vector<std::string>& args, std::size_t maxPlain);

}  // namespace zelmora::platform
