#pragma once

#include "ui/platform/process_runner.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace zelmora::qt {

// The program QProcess starts for a command line, and its arguments.
struct ProcessCommand {
  QString program;
  QStringList arguments;
};

// Splits the command line; a ".exe" that is not a native executable (no ELF header, no "#!"
// line) goes through `wineProgram` when one is given. Nothing for an empty command line.
std::optional<ProcessCommand> ResolveCommand(const QString& commandLine, const QString& wineProgram);

// Starts programs with QProcess in the editor's current folder. Window states cannot be imposed
// on another program's windows here; they are left to the program.
class QtProcessRunner : public platform::ProcessRunner {
 public:
  bool Start(const std::string& commandLine, platform::WindowState state) override;
  bool StartAndWait(const std::string& commandLine, platform::WindowState state) override;
};

}  // namespace zelmora::qt
