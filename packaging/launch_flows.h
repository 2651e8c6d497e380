#pragma once

#include "store/system_flows.h"
#include "ui/platform/process_runner.h"
#include "ui/platform/settings_store.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// Starting the game on the open system and the outside programs the editor waits for.
namespace zelmora::packaging {

// The game's command line for a system: the game program of the game folder and "/star:" with
// the encoded name. Nothing when the name is too long for the game.
std::optional<std::string> GameCommandLine(const store::DescriptorStore& store, std::string_view systemName);

enum class TestResult { Started, Cancelled, NameTooLong, StartFailed };
// Test in Quarvel: asks, saves the open system and closes its working copy (the game reads the
// descriptor), starts the game without waiting, then opens a fresh working copy.
TestResult TestInQuarvel(store::flows::SystemContext& ctx, platform::ProcessRunner& runner);

// The paint program's command line: the program and the options with every "%1" replaced by the file,
// each word quoted as the runners split it (OutsideCommandLine); nothing when the file cannot be
// passed as one argument.
std::optional<std::string> PaintCommandLine(const std::string& program, const std::string& options,
                                            const std::string& file);

// A native path as command-line text (code page); nothing when the code page cannot hold it.
std::optional<std::string> CommandLinePath(const std::filesystem::path& path);

enum class PaintResult { ProgramMissing, Unchanged, Changed };
// Writes the picture to `scratch` with `savePicture`, runs the paint program of the settings (found
// on `searchPath` while the setting is absent) on it and waits. Changed when the program rewrote
// the file: the caller loads it and deletes it. Otherwise the scratch file is gone; a missing
// program was reported and nothing was written.
PaintResult EditInPaintProgram(const platform::SettingsStore& settings, std::string_view searchPath,
                               platform::Prompter& prompter, platform::ProcessRunner& runner,
                               const std::filesystem::path& scratch,
                               const std::function<void(const std::filesystem::path&)>& savePicture);
// The same with this process's search path.
PaintResult EditInPaintProgram(const platform::SettingsStore& settings, platform::Prompter& prompter,
                               platform::ProcessRunner& runner, const std::filesystem::path& scratch,
                               const std::function<void(const std::filesystem::path&)>& savePicture);

// The tutorial in the platform's help viewer, without waiting.
bool StartTutorial(platform::ProcessRunner& runner, const std::filesystem::path& programFolder);

}  // namespace zelmora::packaging
