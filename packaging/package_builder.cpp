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
    if (platform::FileExists(other)) return other;
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

BuildResult BuildPackage(const std::vector<PackageFile>& files, const fs::path& folder,
                         const OutsideProgram* archiver, platform::ProcessRunner& runner) {
  BuildResult result;
  auto fail = [&result](std::string problem) {
    result.ok = false;
    result.problem = std::move(problem);
    return result;
  };
  const std::string shownFolder = platform::Utf8ToCp1252(folder.string());
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (!platform::FolderExists(folder)) return fail("The folder '" + shownFolder + "' cannot be created.");
  for (const auto& file : files) {
    const fs::path target = platform::CodePageFilePath(folder, file.name);
    if (!platform::CopyKeepingTime(file.source, target)) {
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
  if (!archiver || !archiver->Found()) return result;
  auto folderText = CommandLinePath(folder);
  if (!folderText) {
    result.archiveProblem = "The archive program cannot be given the folder '" + shownFolder +
                            "': its path holds characters outside the code page.";
    return result;
  }
  result.archiveRun = runner.StartAndWait(ArchiveCommandLine(archiver->program, archiver->options, *folderText),
                                          platform::WindowState::Minimised);
  return result;
}

}  // namespace zelmora::packaging
