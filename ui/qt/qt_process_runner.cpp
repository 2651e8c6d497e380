#include "ui/qt/qt_process_runner.h"

#include "ui/qt/code_page.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace zelmora::qt {

namespace {

bool IsNativeExecutable(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  QByteArray head = file.read(4);
  return head.startsWith("\x7f" "ELF") || head.startsWith("#!");
}

QString ExistingFile(const QString& program) {
  if (program.contains(QLatin1Char('/'))) return QFileInfo(program).isFile() ? program : QString();
  return QStandardPaths::findExecutable(program);
}

std::optional<ProcessCommand> CommandFor(const std::string& commandLine) {
  return ResolveCommand(FromCp1252(commandLine), QStandardPaths::findExecutable(QStringLiteral("wine")));
}

}  // namespace

std::optional<ProcessCommand> ResolveCommand(const QString& commandLine, const QString& wineProgram) {
  QStringList words = QProcess::splitCommand(commandLine);
  if (words.isEmpty()) return std::nullopt;
  ProcessCommand command{words.takeFirst(), words};
  if (wineProgram.isEmpty() || !command.program.endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive)) {
    return command;
  }
  QString file = ExistingFile(command.program);
  if (file.isEmpty() || IsNativeExecutable(file)) return command;
  command.arguments.prepend(file);
  command.program = wineProgram;
  return command;
}

bool QtProcessRunner::Start(const std::string& commandLine, platform::WindowState) {
  auto command = CommandFor(commandLine);
  if (!command) return false;
  return QProcess::startDetached(command->program, command->arguments);
}

bool QtProcessRunner::StartAndWait(const std::string& commandLine, platform::WindowState) {
  auto command = CommandFor(commandLine);
  if (!command) return false;
  QProcess process;
  process.setProcessChannelMode(QProcess::ForwardedChannels);
  process.setInputChannelMode(QProcess::ForwardedInputChannel);
  process.start(command->program, command->arguments);
  if (!process.waitForStarted(-1)) return false;
  process.waitForFinished(-1);
  return true;
}

}  // namespace zelmora::qt
