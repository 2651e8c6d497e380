#include "ui/platform/game_folder.h"

#include "ui/platform/code_page.h"
#include "ui/platform/file_rules.h"
#include "ui/platform/game_search.h"
#include "ui/platform/text_rules.h"

namespace zelmora::platform {

GameFolderChoice FindGameFolder(const std::string& programFolder, const std::optional<std::string>& commandLine,
                                SettingsStore& settings, const std::function<std::optional<std::string>()>& choose) {
  if (HoldsGame(programFolder)) return {programFolder, GameFolderSource::BesideProgram, {}};
  if (commandLine) {
    // Named on purpose: a wrong folder is said, not replaced by another one.
    if (auto problem = GameFolderProblem(*commandLine)) {
      return {{}, GameFolderSource::None, Cp1252ToUtf8(*problem)};
    }
    return {*commandLine, GameFolderSource::CommandLine, {}};
  }
  std::string last = folders::GameFolder.Read(settings);
  if (!last.empty() && HoldsGame(last)) return {last, GameFolderSource::LastChosen, {}};
  auto chosen = choose ? choose() : std::nullopt;
  if (!chosen || GameFolderProblem(*chosen)) return {};
  folders::GameFolder.Write(settings, *chosen);
  return {*chosen, GameFolderSource::Chooser, {}};
}

std::optional<std::string> GameFolderProblem(const std::string& folder) {
  std::string shown = Utf8ToCp1252(TrimBlanks(folder));
  if (shown.empty()) return std::string("Choose the folder where Quarvel is installed.");
  if (!FolderExists(folder)) return "The folder '" + shown + "' does not exist.";
  if (!HoldsGame(folder)) {
    return "There is no " + std::string(kGameProgram) + " in '" + shown + "'.  Choose the folder where Quarvel is installed.";
  }
  return std::nullopt;
}

ProgramArguments ParseProgramArguments(const std::vector<std::string>& args, std::size_t maxPlain) {
  ProgramArguments parsed;
  bool optionsEnd = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (optionsEnd || a.empty() || a[0] != '-' || a == "-") {
      parsed.plain.push_back(a);
    } else if (a == "--") {
      optionsEnd = true;
    } else if (a == "--help" || a == "-h") {
      parsed.help = true;
    } else if (a == "--version") {
      parsed.version = true;
    } else if (a == "--game") {
      if (i + 1 == args.size()) {
        parsed.problem = "option '--game' needs a folder";
        return parsed;
      }
      parsed.game = args[++i];
    } else if (a.starts_with("--game=")) {
      parsed.game = a.substr(7);
    } else {
      parsed.problem = "unknown option '" + a + "'";
      return parsed;
    }
  }
  if (parsed.game && parsed.game->empty()) parsed.problem = "option '--game' needs a folder";
  if (parsed.plain.size() > maxPlain) parsed.problem = "unexpected argument '" + parsed.plain[maxPlain] + "'";
  return parsed;
}

}  // namespace zelmora::platform
