#include "packaging/launch_flows.h"

#include "packaging/outside_programs.h"
#include "packaging/star_argument.h"
#include "ui/platform/code_page.h"
#include "ui/platform/file_rules.h"
#include "ui/platform/program_search.h"

namespace fs = std::filesystem;

namespace zelmora::packaging {

using platform::Answer;
using platform::Buttons;
using platform::Icon;
using platform::QuoteCommandWord;

namespace {

void ReportMissingProgram(platform::Prompter& prompter, const std::string& program) {
  prompter.Message("Cannot find the program '" + program + "'.", Buttons::Ok, Icon::None);
}

fs::path GameProgram(const store::DescriptorStore& store) {
  return platform::ResolveNoCase(store.GameFolder(), "quarvel.exe");
}

}  // namespace

std::optional<std::string> GameCommandLine(const store::DescriptorStore& store, std::string_view systemName) {
  auto star = EncodeStarArgument(systemName);
  if (!star) return std::nullopt;
  return QuoteCommandWord(GameProgram(store).string()) + " " + QuoteCommandWord("/star:" + *star);
}

TestResult TestInQuarvel(store::flows::SystemContext& ctx, platform::ProcessRunner& runner) {
  const std::string name = ctx.record.Name;
  // Checked before anything is saved: the game could not find a name it cannot read whole.
  auto command = GameCommandLine(ctx.store, name);
  if (!command) {
    ctx.prompter.Message("The name '" + name + "' is too long to be passed to Quarvel.", Buttons::Ok,
                         Icon::Exclamation);
    return TestResult::NameTooLong;
  }
  if (ctx.prompter.Message("Click OK to save this system and run Quarvel. Any games you\r\ncreate during this "
                           "session will begin next to the " + name + " system.",
                           Buttons::OkCancel, Icon::None) != Answer::Ok) {
    return TestResult::Cancelled;
  }
  store::flows::SaveSystem(ctx);
  ctx.store.CloseWorkingCopy(ctx.record, true);
  bool started = runner.Start(*command, platform::WindowState::Minimised);
  ctx.store.OpenWorkingCopy(name, ctx.prompter);
  if (!started) {
    ReportMissingProgram(ctx.prompter, GameProgram(ctx.store).string());
    return TestResult::StartFailed;
  }
  return TestResult::Started;
}

std::optional<std::string> PaintCommandLine(const std::string& program, const std::string& options,
                                            const std::string& file) {
  return OutsideCommandLine(program, options, file);
}

std::optional<std::string> CommandLinePath(const fs::path& path) {
  return platform::Utf8ToCp1252Exact(path.string());
}

PaintResult EditInPaintProgram(const platform::SettingsStore& settings, platform::Prompter& prompter,
                               platform::ProcessRunner& runner, const fs::path& scratch,
                               const std::function<void(const fs::path&)>& savePicture) {
  return EditInPaintProgram(settings, platform::ProgramSearchPath(), prompter, runner, scratch, savePicture);
}

PaintResult EditInPaintProgram(const platform::SettingsStore& settings, std::string_view searchPath,
                               platform::Prompter& prompter, platform::ProcessRunner& runner, const fs::path& scratch,
                               const std::function<void(const fs::path&)>& savePicture) {
  OutsideProgram paint = PaintProgram(settings, searchPath);
  if (!paint.Found()) {
    ReportMissingProgram(prompter, paint.lookedFor);
    return PaintResult::ProgramMissing;
  }
  // The command line is code-page text: a scratch path it cannot carry would name another file.
  auto scratchText = CommandLinePath(scratch);
  auto command = scratchText ? PaintCommandLine(paint.program, paint.options, *scratchText) : std::nullopt;
  if (!command) {
    prompter.Message("The paint program cannot be given the file '" + platform::Utf8ToCp1252(scratch.string()) + "'.",
                     Buttons::Ok, Icon::Exclamation);
    return PaintResult::ProgramMissing;
  }
  savePicture(scratch);
  auto before = platform::ModificationTime(scratch);
  runner.StartAndWait(*command, platform::WindowState::Normal);
  auto after = platform::ModificationTime(scratch);
  if (after && after != before) return PaintResult::Changed;
  platform::RemoveFile(scratch);
  return PaintResult::Unchanged;
}

bool StartTutorial(platform::ProcessRunner& runner, const fs::path& programFolder) {
  return runner.Start("winhlp32 " + QuoteCommandWord((programFolder / "zmdtut.hlp").string()),
                      platform::WindowState::Normal);
}

}  // namespace zelmora::packaging
