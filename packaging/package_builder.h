#pragma once

#include "packaging/outside_programs.h"
#include "store/descriptor_store.h"
#include "ui/platform/process_runner.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A system gathered into a folder that the installer can deliver on another machine.
namespace zelmora::packaging {

namespace fs = std::filesystem;

// The installer as the game folder keeps it, and the names it has in a package.
inline constexpr const char* kInstallerInGame = "ZMDInst.dat";
inline constexpr const char* kSetupProgram = "SETUP.EXE";
inline constexpr const char* kSetupList = "SETUP.LST";
// Where the installer puts the listed files, below the game folder.
inline constexpr const char* kPicturesTarget = "\\PICTURES\\";
inline constexpr const char* kDescriptorTarget = "\\ZMDescriptor\\";

// One file of a package.
struct PackageFile {
  fs::path source;
  std::string name;    // in the package, code-page text (UTF-8 on disk as every game file)
  std::string target;  // the game folder's subfolder it is installed into; empty: not listed
  bool operator==(const PackageFile&) const = default;
};

// The installer to ship: the game folder's, else the one beside the program, else the one a system
// install keeps in share/zelmora beside the program's bin folder. The game folder's path when none
// is there, so the problem names it.
fs::path InstallerToShip(const fs::path& gameFolder, const fs::path& programFolder);

// A system's package in list order: its own pictures (the planet strip, the star picture, the
// planet animations) by name, the saved descriptor, then the installer as SETUP.EXE (found from
// `programFolder` as InstallerToShip says).
std::vector<PackageFile> PackageContents(const store::DescriptorStore& store, std::string_view systemName,
                                         const fs::path& programFolder = {});

// SETUP.LST: `"name","\folder\"` and CR LF for every listed file, in order.
std::string SetupListText(const std::vector<PackageFile>& files);

// The package folder for a chosen location: the location and the system's name.
fs::path PackageFolder(const fs::path& location, std::string_view systemName);

struct BuildResult {
  bool ok = true;
  std::string problem;          // why it failed (code-page text)
  bool archiveRun = false;      // the archive program was started and waited for
  std::string archiveProblem;   // why no archive was made, when one was asked for
};

// What becomes of a package folder that exists already: its old files would be shipped too.
enum class ExistingFolder { Refuse, Replace };

// Makes the folder (an existing one is refused, or emptied first), copies the files into it under
// their names, keeping their times (and the installer's permission to run), writes SETUP.LST, then
// runs the archive program when one is given, in a minimised window, waits for it and checks that
// the archive (the folder's path and ".zip") was written. Links and other files that are not
// regular files are never copied. A folder this call made is removed again when it fails.
BuildResult BuildPackage(const std::vector<PackageFile>& files, const fs::path& folder,
                         const OutsideProgram* archiver, platform::ProcessRunner& runner,
                         ExistingFolder existing = ExistingFolder::Refuse);

// The folder's text as messages show it.
std::string ShownFolder(const fs::path& folder);

}  // namespace zelmora::packaging
