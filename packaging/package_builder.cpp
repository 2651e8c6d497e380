#include "packaging/package_builder.h"

#include "packaging/launch_flows.h"
#include "ui/platform/code_page.h"
#include "ui/platform/file_rules.h"
#include "ui/platform/text_rules.h"

#include <algorithm>
#include <system_error>

namespace zelmora::packaging {

namespace {

// The system's own picture files: "Vega*.*" would also take the pictures of "Vegas".
std::vector<fs::path> OwnPictures(const store::DescriptorStore& store, const std::string& name) {
  std::vector<fs::path> files = store.MatchingPictures(name + ".*");
  for (auto& star : store.MatchingPictures(name + "Sun.*")) files.push_back(std::move(star));
  for (int n = 1; n <= store::kMaxPlanets; ++n) {
    for (auto& avi : store.MatchingPictures(name + std::to_string(n) + ".avi")) files.push_back(std::move(avi));
  }
  return files;
}

std::string CodePageName(const fs::path& file) {
  return platform::Utf8ToCp1252Exact(file.filename().string()).value_or(file.filename().string());
}

}  // namespace

fs::path InstallerToShip(const fs::path& gameFolder, const fs::path& programFolder) {
  const fs::path inGame = platform::ResolveNoCase(gameFolder, kInstallerInGame);
  if (platform::FileExists(inGame) || programFolder.empty()) return inGame;
  for (const fs::path& other : {programFolder / kInstallerInGame,
                                programFolder.parent_path() / "share" / "zelmora" / kInstallerInGame}) {
    // The system package links its installer to the program it is; the program is what ships.
    std::error_code ec;
    if (platform::FileExists(other)) {
      const fs::path real = fs::canonical(other, ec);
      return ec ? other : real;
    }
  }
  return inGame;
}

std::vector<PackageFile> PackageContents(const store::DescriptorStore& store, std::string_view systemName,
                                         const fs::path& programFolder) {
  const std::string name(systemName);
  std::vector<PackageFile> pictures;
  for (const auto& file : OwnPictures(store, name)) pictures.push_back({file, CodePageName(file), kPicturesTarget});
  // In name order, as the game's own folders list them.
  std::sort(pictures.begin(), pictures.end(), [](const PackageFile& a, const PackageFile& b) {
    return platform::ToUpper1252(a.name) < platform::ToUpper1252(b.name);
  });
  pictures.erase(std::unique(pictures.begin(), pictures.end()), pictures.end());

  std::vector<PackageFile> files = std::move(pictures);
  const fs::path descriptor = store.DescriptorPath(name, store::kSavedExtension);
  files.push_back({descriptor, CodePageName(descriptor), kDescriptorTarget});
  files.push_back({InstallerToShip(store.GameFolder(), programFolder), kSetupProgram, ""});
  return files;
}

std::string SetupListText(const std::vector<PackageFile>& files) {
  std::string text;
  for (const auto& file : files) {
    if (file.target.empty()) continue;
    text += "\"" + file.name + "\",\"" + file.target + "\"\r\n";
  }
  return text;
}

fs::path PackageFolder(const fs::path& location, std::string_view systemName) {
  return platform::CodePageFilePath(location, systemName);
}

std::string ShownFolder(const fs::path& folder) { return platform::Utf8ToCp1252(folder.string()); }

namespace {

constexpr const char* kNoArchive = "The package folder was made, but no archive of it: ";

// Runs the archive program on the made folder; an empty text when the archive was written.
std::string MakeArchive(const fs::path& folder, const OutsideProgram& archiver, platform::ProcessRunner& runner,
                        bool& run) {
  const std::string shown = ShownFolder(folder);
  if (!archiver.Found()) return kNoArchive + ("the archive program '" + archiver.lookedFor + "' was not found.");
  auto folderText = CommandLinePath(folder);
  if (!folderText) {
    return kNoArchive + ("the folder '" + shown + "' holds characters outside the code page.");
  }
  auto command = ArchiveCommandLine(archiver.program, archiver.options, *folderText);
  if (!command) {
    return kNoArchive + ("the folder '" + shown + "' cannot be passed to the archive program as one argument.");
  }
  const fs::path archive = folder.string() + ".zip";
  const auto before = platform::ModificationTime(archive);
  run = runner.StartAndWait(*command, platform::WindowState::Minimised);
  if (!run) return kNoArchive + ("the archive program '" + archiver.program + "' could not be started.");
  const auto after = platform::ModificationTime(archive);
  if (!platform::FileExists(archive) || (before && after == before)) {
    return kNoArchive + ("the archive program did not write '" + ShownFolder(archive) + "'.");
  }
  return {};
}

}  // namespace

BuildResult BuildPackage(const std::vector<PackageFile>& files, const fs::path& folderAsGiven,
                         const OutsideProgram* archiver, platform::ProcessRunner& runner, ExistingFolder existing) {
  BuildResult result;
  // Absolute, so that no argument of the archive program can start with "-".
  std::error_code ec;
  const fs::path folder = fs::absolute(folderAsGiven, ec).lexically_normal();
  const std::string shownFolder = ShownFolder(folder);
  bool made = false;
  auto fail = [&](std::string problem) {
    if (made) fs::remove_all(folder, ec);
    result.ok = false;
    result.problem = std::move(problem);
    return result;
  };
  if (ec) return fail("The folder '" + shownFolder + "' cannot be created.");
  // A link would have its target emptied and filled.
  if (platform::IsLink(folder)) return fail("The folder '" + shownFolder + "' is a link.");
  if (platform::FolderExists(folder)) {
    if (existing == ExistingFolder::Refuse) return fail("The folder '" + shownFolder + "' exists already.");
    if (!platform::EmptyFolder(folder)) return fail("The folder '" + shownFolder + "' cannot be emptied.");
  } else {
    fs::create_directories(folder, ec);
    if (!platform::FolderExists(folder)) return fail("The folder '" + shownFolder + "' cannot be created.");
    made = true;
  }
  for (const auto& file : files) {
    const fs::path target = platform::CodePageFilePath(folder, file.name);
    if (!platform::CopyKeepingTime(file.source, target, true)) {
      return fail("'" + file.name + "' cannot be copied into '" + shownFolder + "'.");
    }
    // The installer must still run once unpacked on another machine.
    if (file.target.empty()) {
      auto permissions = fs::status(file.source, ec).permissions();
      if (!ec) fs::permissions(target, permissions, ec);
    }
  }
  if (!platform::AtomicReplace(platform::CodePageFilePath(folder, kSetupList), SetupListText(files))) {
    return fail(std::string("'") + kSetupList + "' cannot be written into '" + shownFolder + "'.");
  }
  if (archiver) result.archiveProblem = MakeArchive(folder, *archiver, runner, result.archiveRun);
  return result;
}

}  // namespace zelmora::packaging
