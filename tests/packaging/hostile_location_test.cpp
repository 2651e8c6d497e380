// Package locations and files chosen to break out: a folder name that would add arguments to the
// archive program, pictures that are links, names too long for the copy's scratch name.
#include "packaging/package_builder.h"
#include "packaging/package_check.h"

#include "tests/support/fake_process_runner.h"
#include "tests/support/memory_settings_store.h"
#include "tests/support/temp_game_folder.h"
#include "ui/platform/file_rules.h"
#include "ui/platform/spawn_process_runner.h"
#include "ui/qt/code_page.h"
#include "ui/qt/qt_process_runner.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <map>

namespace zelmora::packaging {
namespace {

namespace fs = std::filesystem;
using testing::DemoGameFolder;
using testing::FakeProcessRunner;
using testing::TempGameFolder;

const std::vector<std::string> kHostileFolders = {
    "/out/o\" -T -TT \"touch PWNED",
    "/out/a\"\"b",
    "/out/\"",
    "/out/x \"\"\" y",
    "/out/ends with a quote\"",
    "/out/\"starts with one",
    "/out/tab\there",
    "/out/%1 twice %1",
    "/out/no-break\xA0space",
};

// The words every runner takes from the line are the program, the options' words, and the folder
// as one word wherever "%1" stood, whatever the folder's name holds.
TEST(ArchiveCommandLine, TheFolderIsAlwaysOneArgumentForEveryRunner) {
  for (const std::string& options : {std::string(kZipOptions), std::string("-min -a \"%1.zip\" \"%1\"")}) {
    for (const auto& folder : kHostileFolders) {
      auto line = ArchiveCommandLine("C:\\Program Files\\WinZip\\WinZip32.exe", options, folder);
      ASSERT_TRUE(line) << folder;
      auto words = platform::SplitCommandLine(*line);
      ASSERT_GE(words.size(), 3u) << *line;
      EXPECT_EQ(words[0], "C:\\Program Files\\WinZip\\WinZip32.exe");
      EXPECT_EQ(words[words.size() - 2], folder + ".zip") << *line;
      EXPECT_EQ(words.back(), folder) << *line;
      // The editor's runner splits the line as zmd's does.
      auto qtCommand = qt::ResolveCommand(qt::FromCp1252(*line), QString());
      ASSERT_TRUE(qtCommand);
      ASSERT_EQ(static_cast<std::size_t>(qtCommand->arguments.size()), words.size() - 1) << *line;
      EXPECT_EQ(qt::ToCp1252(qtCommand->arguments.back()), folder) << *line;
    }
  }
}

// A zip program that really runs, in a location whose name once ran a command through it.
TEST(ArchiveCommandLine, AHostileLocationWritesNothingOutsideItAndTheArchiveHoldsExactlyThePackage) {
  if (!platform::FileExists("/usr/bin/zip") || !platform::FileExists("/usr/bin/unzip")) {
    GTEST_SKIP() << "zip and unzip are needed";
  }
  DemoGameFolder game;
  game.Write("ZMDInst.dat", "installer");
  game.Write("PICTURES/4Tessaly.bmp", "strip");
  store::DescriptorStore store(game.Path());
  store.RefreshSystemNames();
  TempGameFolder out(false);
  const fs::path location = out.Path() / "o\" -T -TT \"touch PWNED";
  fs::create_directories(location);
  auto outside = [&] {
    std::vector<std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(out.Path())) {
      const fs::path relative = fs::relative(entry.path(), out.Path());
      if (*relative.begin() != location.filename()) found.push_back(relative.string());
    }
    return found;
  };
  const auto outsideBefore = outside();
  // A command that ran would work in the current folder.
  const fs::path before = fs::current_path();
  fs::current_path(out.Path());
  testing::MemorySettingsStore settings;
  platform::SpawnProcessRunner runner;
  const auto zip = ZipProgram(settings, "");
  auto built = BuildPackage(PackageContents(store, "4Tessaly"), PackageFolder(location, "4Tessaly"), &zip, runner);
  fs::current_path(before);
  ASSERT_TRUE(built.ok) << built.problem;
  EXPECT_EQ(built.archiveProblem, "");

  EXPECT_EQ(outside(), outsideBefore);
  std::vector<std::string> inside;
  for (const auto& entry : fs::directory_iterator(location)) inside.push_back(entry.path().filename().string());
  std::sort(inside.begin(), inside.end());
  EXPECT_EQ(inside, (std::vector<std::string>{"4Tessaly", "4Tessaly.zip"}));

  TempGameFolder unpacked(false);
  ASSERT_TRUE(runner.StartAndWait("/usr/bin/unzip -q " + platform::QuoteCommandWord((location / "4Tessaly.zip").string()) +
                                      " -d " + platform::QuoteCommandWord(unpacked.Path().string()),
                                  platform::WindowState::Default));
  std::map<std::string, std::string> archived, packaged;
  for (const auto& e : fs::recursive_directory_iterator(unpacked.Path())) {
    if (e.is_regular_file()) archived[fs::relative(e.path(), unpacked.Path()).string()] = TempGameFolder::ReadFile(e.path());
  }
  for (const auto& e : fs::directory_iterator(location / "4Tessaly")) {
    packaged[e.path().filename().string()] = TempGameFolder::ReadFile(e.path());
  }
  EXPECT_EQ(archived, packaged);
  EXPECT_EQ(packaged.size(), 4u);
}

class HostileFiles : public ::testing::Test {
 protected:
  HostileFiles() {
    game.Write("ZMDInst.dat", "installer");
    store.RefreshSystemNames();
  }
  DemoGameFolder game;
  store::DescriptorStore store{game.Path()};
  TempGameFolder out{false};
  FakeProcessRunner runner;
};

// A picture that is a link would put another file's bytes (of the author's machine) into the package.
TEST_F(HostileFiles, LinksAmongThePackagedFilesAreNamedBeforeAnythingIsMade) {
  game.Write("private/hostname", "the author's machine");
  fs::create_symlink(game.Path() / "private/hostname", game.Pictures() / "4Tessaly.bmp");
  fs::create_symlink(game.Path() / "private/hostname", game.Pictures() / "4TessalySun.bmp");
  fs::create_symlink("/dev/zero", game.Pictures() / "4Tessaly1.avi");  // no picture at all: never listed
  auto files = PackageContents(store, "4Tessaly");
  EXPECT_EQ(files.size(), 4u);
  EXPECT_EQ(PackageProblems(files),
            (std::vector<std::string>{"'4Tessaly.bmp' is a link; a package takes only the files themselves.",
                                      "'4TessalySun.bmp' is a link; a package takes only the files themselves."}));
  // Built all the same, the copy refuses the link, and the folder it made goes again.
  auto built = BuildPackage(files, PackageFolder(out.Path(), "4Tessaly"), nullptr, runner);
  EXPECT_FALSE(built.ok);
  EXPECT_FALSE(out.Exists("4Tessaly"));
}

// The copy is first written as ".NAME.copy": a name that fits alone but not with that is refused
// before the package folder is made.
TEST_F(HostileFiles, ANameTooLongForItsScratchCopyIsRefused) {
  const std::string fits = "4Tessaly." + std::string(255 - platform::kScratchNameExtra - 9, 'x');
  const std::string tooLong = "4Tessaly." + std::string(255 - 9, 'y');
  ASSERT_EQ(tooLong.size(), 255u);
  game.Write("PICTURES/" + fits, "fits");
  auto files = PackageContents(store, "4Tessaly");
  ASSERT_EQ(files.size(), 3u);
  EXPECT_TRUE(PackageProblems(files).empty());
  EXPECT_TRUE(BuildPackage(files, PackageFolder(out.Path(), "4Tessaly"), nullptr, runner).ok);
  game.Write("PICTURES/" + tooLong, "too long");
  auto problems = PackageProblems(PackageContents(store, "4Tessaly"));
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0], "The name '" + tooLong + "' cannot be installed on another machine.  The name is too long for a file name.");
}

TEST_F(HostileFiles, EveryWayTheArchiveIsNotMadeIsSaid) {
  const auto files = PackageContents(store, "4Tessaly");
  const fs::path folder = out.Path() / "4Tessaly";
  OutsideProgram zip{"/usr/bin/zip", kZipOptions, "/usr/bin/zip"};
  struct Case {
    const char* what;
    std::function<void()> prepare;
    std::string said;
  };
  const std::string made = "The package folder was made, but no archive of it: ";
  const std::vector<Case> cases = {
      {"not found", [&] { zip.program.clear(); }, made + "the archive program '/usr/bin/zip' was not found."},
      {"not started", [&] { runner.starts = false; }, made + "the archive program '/usr/bin/zip' could not be started."},
      {"wrote nothing", [] {}, made + "the archive program did not write '" + folder.string() + ".zip'."},
      {"left an old archive as it was", [&] { out.Write("4Tessaly.zip", "old"); },
       made + "the archive program did not write '" + folder.string() + ".zip'."},
  };
  for (const auto& c : cases) {
    zip.program = "/usr/bin/zip";
    runner.starts = true;
    c.prepare();
    auto built = BuildPackage(files, folder, &zip, runner, ExistingFolder::Replace);
    EXPECT_TRUE(built.ok) << c.what;
    EXPECT_EQ(built.archiveProblem, c.said) << c.what;
  }
  // An existing folder is never filled without being emptied first.
  auto refused = BuildPackage(files, folder, nullptr, runner);
  EXPECT_FALSE(refused.ok);
  EXPECT_EQ(refused.problem, "The folder '" + folder.string() + "' exists already.");
  EXPECT_TRUE(out.Exists("4Tessaly/SETUP.LST"));
}

}  // namespace
}  // namespace zelmora::packaging
