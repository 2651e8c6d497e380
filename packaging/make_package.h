#pragma once

#include "packaging/package_builder.h"
#include "store/system_flows.h"
#include "ui/platform/process_runner.h"
#include "ui/platform/settings_store.h"

#include <filesystem>
#include <functional>
#include <string>

// The System menu's Make Package command.
namespace zelmora::packaging {

struct PackageServices {
  const platform::SettingsStore& settings;
  platform::ProcessRunner& runner;
  std::string searchPath;                // where a stored program without a path is looked for
  std::function<void(bool busy)> busy;   // the hourglass while the files are copied and zipped
  std::filesystem::path programFolder = {};  // where the installer is looked for after the game folder
};

enum class PackageOutcome { Made, Cancelled, Refused, Failed };

struct PackageReport {
  PackageOutcome outcome = PackageOutcome::Cancelled;
  std::filesystem::path folder;  // the package folder, once chosen
  bool archived = false;         // the archive program ran
};

// Saves the open system after asking when it holds changes (its pictures too), checks what the
// package needs, asks for a location, makes the package folder there and hands it to the archive
// program. The working copy is open again afterwards, however the command ended.
PackageReport MakePackage(store::flows::SystemContext& ctx, const PackageServices& services);

std::string PackageLocationTitle(const std::string& systemName);
// Asked when the package folder exists already: Yes empties it, No ends the command.
std::string ReplaceFolderQuestion(const std::filesystem::path& folder);

}  // namespace zelmora::packaging
