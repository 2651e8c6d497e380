#include "packaging/make_package.h"
#include "packaging/package_check.h"

#include "installer/delivery.h"
#include "tests/support/fake_process_runner.h"
#include "tests/support/memory_settings_store.h"
#include "tests/support/open_demo_system.h"
#include "ui/platform/file_rules.h"
#include "ui/platform/spawn_process_runner.h"

#include <gtest/gtest.h>

#include <map>

namespace zelmora::packaging {
namespace {

namespace fs = std::filesystem;
using platform::Answer;
using platform::Buttons;
using testing::FakeProcessRunner;
using testing::MemorySettingsStore;
using testing::TempGameFolder;

// Every regular file below a folder, by its path relative to the folder, with its bytes.
std::map<std::string, std::string> Files(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) {
      files[fs::relative(entry.path(), folder).string()] = TempGameFolder::ReadFile(entry.path());
    }
  }
  return files;
}

class PackageTest : public ::testing::Test, protected testing::OpenDemoSystem {
 protected:
  PackageTest() {
    game.Write("ZMDInst.dat", "\x7F" "ELF installer");
    fs::permissions(game.Path() / "ZMDInst.dat", fs::perms::owner_all);
    prompter.AcceptOkBoxes();  // the word about the archive that ends most packages
  }
  ~PackageTest() override {
    if (store.IsWorkingCopyOpen()) store.CloseWorkingCopy(record, false);
  }
  PackageReport Make() {
    PackageServices services{settings, runner, "", [this](bool on) { busy.push_back(on); }};
    return MakePackage(ctx, services);
  }
  // A zip program the settings name; it writes nothing.
  void ConfigureZip() {
    platform::options::ZipProgram.Write(settings, game.Write("zip tool/zip.exe", "").string());
  }

  TempGameFolder out{false};
  MemorySettingsStore settings;
  FakeProcessRunner runner;
  std::vector<bool> busy;
};

TEST_F(PackageTest, ASystemWithoutPicturesListsOnlyItsDescriptor) {
  platform::options::ZipProgram.Write(settings, "C:\\Program Files\\WinZip\\WinZip32.exe");
  prompter.Reply(out.Path().string()).AcceptOkBoxes();
  auto report = Make();
  ASSERT_EQ(report.outcome, PackageOutcome::Made);
  EXPECT_EQ(report.folder, out.Path() / "4Tessaly");
  EXPECT_EQ(out.Read("4Tessaly/SETUP.LST"), "\"4Tessaly.zmd\",\"\\ZMDescriptor\\\"\r\n");
  EXPECT_EQ(out.Read("4Tessaly/4Tessaly.zmd"), game.ReadDescriptor("4Tessaly"));
  EXPECT_EQ(out.Read("4Tessaly/SETUP.EXE"), "\x7F" "ELF installer");
  // Unpacked elsewhere, the installer must still run.
  EXPECT_NE(fs::status(out.Path() / "4Tessaly/SETUP.EXE").permissions() & fs::perms::owner_exec, fs::perms::none);
  EXPECT_EQ(busy, (std::vector<bool>{true, false}));
  // Without the zip program the folder stays as it is, and the user is told there is no archive.
  EXPECT_TRUE(runner.started.empty());
  EXPECT_FALSE(report.archived);
  ASSERT_EQ(prompter.Calls().size(), 2u);
  EXPECT_EQ(prompter.Calls()[1].text,
            "The package folder was made, but no archive of it: the archive program "
            "'C:\\Program Files\\WinZip\\WinZip32.exe' was not found.");
  EXPECT_EQ(prompter.Calls()[0].kind, testing::ScriptedPrompter::Kind::Folder);
  EXPECT_EQ(prompter.Calls()[0].title,
            "Please choose a location to make the package.  The package will be named '4Tessaly'.");
  EXPECT_TRUE(store.IsWorkingCopyOpen());
  EXPECT_TRUE(game.Exists("ZMDescriptor/4Tessaly.edt"));
}

TEST_F(PackageTest, PicturesOfTheSystemComeFirstInNameOrderAndNoOtherSystemsPictures) {
  game.Write("PICTURES/4TessalySun.bmp", "star");
  game.Write("PICTURES/4Tessaly.bmp", "strip");
  // Planet animations of the first, second and tenth planet; "11" is planet 1 of "4Tessaly1".
  for (const char* planet : {"1", "2", "10", "11"}) {
    game.Write("PICTURES/4Tessaly" + std::string(planet) + ".avi", planet);
  }
  game.Write("PICTURES/4Tessalyx.bmp", "another system's strip");
  game.Write("PICTURES/4Tessaly.txt", "a note left beside the strip");
  auto files = PackageContents(store, "4Tessaly");
  EXPECT_EQ(SetupListText(files),
            "\"4Tessaly.bmp\",\"\\PICTURES\\\"\r\n"
            "\"4Tessaly.txt\",\"\\PICTURES\\\"\r\n"
            "\"4Tessaly1.avi\",\"\\PICTURES\\\"\r\n"
            "\"4Tessaly10.avi\",\"\\PICTURES\\\"\r\n"
            "\"4Tessaly2.avi\",\"\\PICTURES\\\"\r\n"
            "\"4TessalySun.bmp\",\"\\PICTURES\\\"\r\n"
            "\"4Tessaly.zmd\",\"\\ZMDescriptor\\\"\r\n");
  ASSERT_EQ(files.size(), 8u);
  EXPECT_EQ(files.back().name, "SETUP.EXE");
  EXPECT_TRUE(PackageProblems(files).empty());
}

TEST_F(PackageTest, TheChosenLocationAndTheNameGiveTheFolderAndTheArchive) {
  ConfigureZip();
  prompter.Reply(out.Path().string() + "/");
  fs::path seen;
  const std::string folder = (out.Path() / "4Tessaly").string();
  runner.onStart = [&] {
    seen = out.Path() / "4Tessaly" / "SETUP.LST";
    TempGameFolder::WriteFile(folder + ".zip", "PK");
  };
  auto report = Make();
  ASSERT_EQ(report.outcome, PackageOutcome::Made);
  EXPECT_TRUE(report.archived);
  EXPECT_EQ(prompter.Calls().size(), 1u);  // nothing to say: the archive is there
  ASSERT_EQ(runner.started.size(), 1u);
  EXPECT_EQ(runner.started[0].commandLine, "\"" + (game.Path() / "zip tool/zip.exe").string() + "\" -min -a " +
                                               folder + ".zip " + folder);
  EXPECT_TRUE(runner.started[0].waited);
  EXPECT_EQ(runner.started[0].state, platform::WindowState::Minimised);
  EXPECT_TRUE(platform::FileExists(seen));  // the list is written before the archive is made
  // The program's own options with the platform's zip, while no program is stored.
  settings = {};
  MemorySettingsStore stored;
  platform::options::ZipOptions.Write(stored, "-r %1.zip %1");
  EXPECT_EQ(ZipProgram(stored, "").options, "-r %1.zip %1");
  EXPECT_EQ(ZipProgram(settings, "").options, kZipOptions);
  EXPECT_EQ(ZipProgram(settings, "").lookedFor, "/usr/bin/zip");
  EXPECT_EQ(ArchiveCommandLine("/usr/bin/zip", kZipOptions, "/out/Vega"),
            "/usr/bin/zip -q -j -r -FS /out/Vega.zip /out/Vega");
}

TEST_F(PackageTest, AModifiedSystemAsksFirstAndCancelChangesNothing) {
  store.SetPlanetName(record, 1, "Packed World");
  ASSERT_TRUE(store.IsModified(record));
  const std::string saved = game.ReadDescriptor("4Tessaly");
  prompter.Answer(Answer::Cancel);
  EXPECT_EQ(Make().outcome, PackageOutcome::Cancelled);
  ASSERT_EQ(prompter.Calls().size(), 1u);
  EXPECT_EQ(prompter.Calls()[0].text, "This system will be saved before making a package.");
  EXPECT_EQ(prompter.Calls()[0].title, "Confirmation");
  EXPECT_EQ(prompter.Calls()[0].buttons, Buttons::OkCancel);
  EXPECT_EQ(prompter.Calls()[0].icon, platform::Icon::Information);
  EXPECT_EQ(game.ReadDescriptor("4Tessaly"), saved);
  EXPECT_TRUE(store.IsModified(record));
  EXPECT_FALSE(fs::exists(out.Path() / "4Tessaly"));

  prompter.Answer(Answer::Ok).Reply(out.Path().string());
  EXPECT_EQ(Make().outcome, PackageOutcome::Made);
  EXPECT_NE(out.Read("4Tessaly/4Tessaly.zmd").find("1=Packed World"), std::string::npos);
  EXPECT_FALSE(store.IsModified(record));
  EXPECT_TRUE(store.IsWorkingCopyOpen());
}

TEST_F(PackageTest, TheWorkingCopyIsBackAfterACancelledChoiceAndAFolderThatCannotBeMade) {
  prompter.Reply(std::nullopt);
  EXPECT_EQ(Make().outcome, PackageOutcome::Cancelled);
  EXPECT_TRUE(store.IsWorkingCopyOpen());
  EXPECT_TRUE(game.Exists("ZMDescriptor/4Tessaly.edt"));

  // A file where the package folder would go.
  out.Write("4Tessaly", "in the way");
  prompter.Reply(out.Path().string()).AcceptOkBoxes();
  EXPECT_EQ(Make().outcome, PackageOutcome::Failed);
  EXPECT_EQ(prompter.Texts().back(),
            "The package could not be made.  The folder '" + (out.Path() / "4Tessaly").string() +
                "' cannot be created.");
  EXPECT_TRUE(store.IsWorkingCopyOpen());
  EXPECT_TRUE(game.Exists("ZMDescriptor/4Tessaly.edt"));
}

// Old files left in an existing package folder would be shipped with the new ones.
TEST_F(PackageTest, AnExistingPackageFolderIsReplacedOnlyWhenTheUserSaysSo) {
  out.Write("4Tessaly/SETUP.LST", "an old list");
  out.Write("4Tessaly/4Tessaly.zmd", "an old descriptor");
  out.Write("4Tessaly/Stale.bmp", "a picture of another time");
  out.Write("4Tessaly/old/inside.txt", "an old folder");
  const std::string question = "Replace the folder '" + (out.Path() / "4Tessaly").string() +
                               "'?  Everything in it will be deleted.";
  prompter.Reply(out.Path().string()).Answer(Answer::No);
  EXPECT_EQ(Make().outcome, PackageOutcome::Cancelled);
  EXPECT_EQ(prompter.Calls().back().text, question);
  EXPECT_EQ(prompter.Calls().back().buttons, Buttons::YesNo);
  EXPECT_EQ(out.Read("4Tessaly/Stale.bmp"), "a picture of another time");
  EXPECT_EQ(out.Read("4Tessaly/SETUP.LST"), "an old list");
  EXPECT_TRUE(store.IsWorkingCopyOpen());

  store.SetPlanetName(record, 2, "Renamed");
  prompter.Answer(Answer::Ok).Reply(out.Path().string()).Answer(Answer::Yes);
  EXPECT_EQ(Make().outcome, PackageOutcome::Made);
  EXPECT_EQ(Files(out.Path() / "4Tessaly").size(), 3u);  // the descriptor, SETUP.EXE, SETUP.LST
  EXPECT_FALSE(out.Exists("4Tessaly/Stale.bmp"));
  EXPECT_FALSE(out.Exists("4Tessaly/old"));
  EXPECT_EQ(out.Read("4Tessaly/SETUP.LST"), "\"4Tessaly.zmd\",\"\\ZMDescriptor\\\"\r\n");
  EXPECT_NE(out.Read("4Tessaly/4Tessaly.zmd").find("2=Renamed"), std::string::npos);
  EXPECT_TRUE(store.IsWorkingCopyOpen());
  EXPECT_EQ(store.GetPlanetName(record, 2, "X"), "Renamed");
}

TEST_F(PackageTest, WhatCouldNotInstallElsewhereStopsBeforeTheLocationIsAskedFor) {
  fs::remove(game.Path() / "ZMDInst.dat");
  game.Write("PICTURES/4TESSALY.BMP", "strip");
  game.Write("PICTURES/4Tessaly.bmp", "the same name on Windows");
  prompter.AcceptOkBoxes();
  EXPECT_EQ(Make().outcome, PackageOutcome::Refused);
  ASSERT_EQ(prompter.Calls().size(), 1u);
  EXPECT_EQ(prompter.Calls()[0].text,
            "The package cannot be made:\r\n"
            "'4TESSALY.BMP' and '4Tessaly.bmp' differ only in the case of their letters; another machine can "
            "hold only one.\r\n"
            "The installer 'ZMDInst.dat' is not in the game folder.");
  EXPECT_TRUE(fs::is_empty(out.Path() / "PICTURES"));
  EXPECT_TRUE(store.IsWorkingCopyOpen());
}

TEST(PackageCheck, TheSystemBlockMustReadBackWhole) {
  const std::string good = testing::CrLf({"[General]", ";SolarSystem", ";\"Vega, the bright \",0,2",
                                          ";400,2,0,0,1,0", ";430,3,1,-5,13,0", "[Names]"});
  EXPECT_EQ(SystemBlockProblem(good), std::nullopt);
  auto damaged = [](std::initializer_list<std::string_view> lines) {
    return SystemBlockProblem(testing::CrLf(lines)).value_or("");
  };
  EXPECT_EQ(damaged({"[General]"}), "it has no system block");
  EXPECT_EQ(damaged({";SolarSystem"}), "the star's line is missing");
  EXPECT_EQ(damaged({";SolarSystem", ";Vega,0,1"}),
            "the star's line is not a quoted name, a star type and a planet count");
  EXPECT_EQ(damaged({";SolarSystem", ";\"Vega\",9,0"}), "the star type 9 is not one of the eight types");
  EXPECT_EQ(damaged({";SolarSystem", ";\"Vega\",0,11"}), "the planet count 11 is not between 0 and 10");
  EXPECT_EQ(damaged({";SolarSystem", ";\"Vega\",0,2", ";400,2,0,0,1,0", "[1]"}), "the line of planet 2 is missing");
  EXPECT_EQ(damaged({";SolarSystem", ";\"Vega\",0,1", ";400,2,0,0,1"}), "the line of planet 1 is not six whole numbers");
  EXPECT_EQ(damaged({";SolarSystem", ";\"Vega\",0,1", ";400,2,x,0,1,0"}),
            "the line of planet 1 is not six whole numbers");
}

TEST_F(PackageTest, ADamagedDescriptorIsNotPackaged) {
  store.CloseWorkingCopy(record, false);
  game.WriteDescriptor("4Tessaly", testing::CrLf({"[General]", ";SolarSystem", ";\"Tessaly\",0,4", ";520,4,0,0,1,420"}));
  store.OpenWorkingCopy("4Tessaly", prompter);
  prompter.AcceptOkBoxes();
  EXPECT_EQ(Make().outcome, PackageOutcome::Refused);
  EXPECT_EQ(prompter.Texts().back(),
            "The package cannot be made:\r\nThe descriptor '4Tessaly.zmd' is damaged: the line of planet 2 is "
            "missing.");
}

// A system whose name is beyond ASCII: UTF-8 names on disk, code-page names in SETUP.LST, and the
// installer delivers every file under the name the game looks for.
TEST(PackageNames, ACodePageNamedSystemIsPackagedAndInstalledByteForByte) {
  testing::DemoGameFolder game;
  game.Write("ZMDInst.dat", "installer");
  const std::string name = "\xC6r\xF8";      // the system as the game names it
  const std::string onDisk = "\xC3\x86r\xC3\xB8";  // its UTF-8 file names
  game.Write("ZMDescriptor/" + onDisk + ".zmd", game.ReadDescriptor("4Tessaly"));
  game.Write("PICTURES/" + onDisk + ".bmp", "strip");
  game.Write("PICTURES/" + onDisk + "Sun.bmp", "star");
  store::DescriptorStore store(game.Path());
  store.RefreshSystemNames();
  auto files = PackageContents(store, name);
  ASSERT_TRUE(PackageProblems(files).empty());
  TempGameFolder out(false);
  FakeProcessRunner runner;
  auto built = BuildPackage(files, PackageFolder(out.Path(), name), nullptr, runner);
  ASSERT_TRUE(built.ok) << built.problem;
  EXPECT_EQ(out.Read(onDisk + "/SETUP.LST"), "\"" + name + ".bmp\",\"\\PICTURES\\\"\r\n\"" + name +
                                                 "Sun.bmp\",\"\\PICTURES\\\"\r\n\"" + name +
                                                 ".zmd\",\"\\ZMDescriptor\\\"\r\n");

  TempGameFolder other;
  auto delivered = installer::Deliver(out.Path() / onDisk, other.Path().string());
  EXPECT_TRUE(delivered.notInstalled.empty());
  EXPECT_EQ(other.Read("PICTURES/" + onDisk + ".bmp"), "strip");
  EXPECT_EQ(other.Read("PICTURES/" + onDisk + "Sun.bmp"), "star");
  EXPECT_EQ(other.ReadDescriptor(onDisk), game.ReadDescriptor("4Tessaly"));
}

// The whole road with the real archive program: package, zip, unpack elsewhere, install into a
// fresh game folder, and every file arrives as it left.
TEST(PackageEndToEnd, ZippedUnpackedAndInstalledFilesMatchTheOriginals) {
  if (!platform::FileExists("/usr/bin/zip") || !platform::FileExists("/usr/bin/unzip")) {
    GTEST_SKIP() << "zip and unzip are needed";
  }
  testing::DemoGameFolder game;
  game.Write("ZMDInst.dat", "installer");
  std::string strip;
  for (int i = 0; i < 5000; ++i) strip += static_cast<char>(i * 7);
  game.Write("PICTURES/Kestrel Verge.bmp", strip);
  game.Write("PICTURES/Kestrel VergeSun.bmp", "BM star");
  game.Write("PICTURES/Kestrel Verge3.avi", "RIFF animation");
  store::DescriptorStore store(game.Path());
  store.RefreshSystemNames();
  TempGameFolder out(false);
  MemorySettingsStore settings;
  platform::SpawnProcessRunner runner;
  const auto zip = ZipProgram(settings, "");
  ASSERT_TRUE(zip.Found());
  auto built = BuildPackage(PackageContents(store, "Kestrel Verge"), PackageFolder(out.Path(), "Kestrel Verge"), &zip,
                            runner);
  ASSERT_TRUE(built.ok) << built.problem;
  ASSERT_TRUE(built.archiveRun);
  const fs::path archive = out.Path() / "Kestrel Verge.zip";
  ASSERT_TRUE(platform::FileExists(archive));

  TempGameFolder unpacked(false);
  ASSERT_TRUE(runner.StartAndWait("/usr/bin/unzip -q " + platform::QuoteCommandWord(archive.string()) + " -d " +
                                      platform::QuoteCommandWord(unpacked.Path().string()),
                                  platform::WindowState::Default));
  EXPECT_EQ(Files(unpacked.Path()), Files(out.Path() / "Kestrel Verge"));  // flat, and nothing else

  TempGameFolder other;
  auto delivered = installer::Deliver(unpacked.Path().string(), other.Path().string());
  EXPECT_TRUE(delivered.notInstalled.empty());
  EXPECT_EQ(delivered.copied.size(), 4u);
  for (const char* picture : {"Kestrel Verge.bmp", "Kestrel VergeSun.bmp", "Kestrel Verge3.avi"}) {
    EXPECT_EQ(other.Read(std::string("PICTURES/") + picture), game.Read(std::string("PICTURES/") + picture)) << picture;
  }
  EXPECT_EQ(other.ReadDescriptor("Kestrel Verge"), game.ReadDescriptor("Kestrel Verge"));
}

}  // namespace
}  // namespace zelmora::packaging
