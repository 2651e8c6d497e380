#include "packaging/launch_flows.h"
#include "packaging/star_argument.h"

#include "tests/support/fake_process_runner.h"
#include "tests/support/memory_settings_store.h"
#include "tests/support/open_demo_system.h"
#include "ui/platform/file_rules.h"
#include "ui/qt/code_page.h"
#include "ui/qt/qt_process_runner.h"

#include <gtest/gtest.h>

#include <functional>

namespace zelmora::packaging {
namespace {

using platform::Answer;
using platform::WindowState;
using testing::ScriptedPrompter;

using FakeRunner = testing::FakeProcessRunner;

class TestInQuarvelTest : public ::testing::Test, protected testing::OpenDemoSystem {
 protected:
  bool WorkingCopyExists() const { return game.Exists("ZMDescriptor/4Tessaly.edt"); }

  FakeRunner runner;
};

TEST_F(TestInQuarvelTest, SavesStartsTheGameOnTheSavedDescriptorAndReopens) {
  store.SetPlanetName(record, 1, "Edited World");
  ASSERT_TRUE(store.IsModified(record));
  bool workingCopyWhileRunning = true;
  std::string descriptorWhileRunning;
  runner.onStart = [&] {
    workingCopyWhileRunning = WorkingCopyExists();
    descriptorWhileRunning = game.ReadDescriptor("4Tessaly");
  };
  prompter.Answer(Answer::Ok);

  EXPECT_EQ(TestInQuarvel(ctx, runner), TestResult::Started);

  ASSERT_EQ(prompter.Calls().size(), 1u);
  EXPECT_EQ(prompter.Calls()[0].text,
            "Click OK to save this system and run Quarvel. Any games you\r\ncreate during this session will begin "
            "next to the 4Tessaly system.");
  EXPECT_EQ(prompter.Calls()[0].buttons, platform::Buttons::OkCancel);
  ASSERT_EQ(runner.started.size(), 1u);
  EXPECT_FALSE(runner.started[0].waited);
  EXPECT_EQ(runner.started[0].state, WindowState::Minimised);
  EXPECT_EQ(runner.started[0].commandLine,
            (game.Path() / "quarvel.exe").string() + " /star:" + *EncodeStarArgument("4Tessaly"));
  EXPECT_FALSE(workingCopyWhileRunning);
  EXPECT_NE(descriptorWhileRunning.find("Edited World"), std::string::npos);
  EXPECT_TRUE(store.IsWorkingCopyOpen());
  EXPECT_TRUE(WorkingCopyExists());
  EXPECT_FALSE(store.IsModified(record));
}

TEST_F(TestInQuarvelTest, CancelLeavesTheWorkingCopyOpenAndNothingSaved) {
  store.SetPlanetName(record, 1, "Edited World");
  prompter.Answer(Answer::Cancel);
  EXPECT_EQ(TestInQuarvel(ctx, runner), TestResult::Cancelled);
  EXPECT_TRUE(runner.started.empty());
  EXPECT_TRUE(store.IsModified(record));
  EXPECT_EQ(game.ReadDescriptor("4Tessaly").find("Edited World"), std::string::npos);
}

TEST_F(TestInQuarvelTest, AGameThatDoesNotStartIsReportedAndTheSystemStaysOpen) {
  runner.starts = false;
  prompter.Answer(Answer::Ok).AcceptOkBoxes();
  EXPECT_EQ(TestInQuarvel(ctx, runner), TestResult::StartFailed);
  ASSERT_EQ(prompter.Calls().size(), 2u);
  EXPECT_EQ(prompter.Calls()[1].text, "Cannot find the program '" + (game.Path() / "quarvel.exe").string() + "'.");
  EXPECT_TRUE(store.IsWorkingCopyOpen());
  EXPECT_TRUE(WorkingCopyExists());
}

TEST_F(TestInQuarvelTest, ANameTheGameCannotReadIsRefusedBeforeAnythingIsSaved) {
  record.Name = "An Unusually Long System";
  prompter.AcceptOkBoxes();
  EXPECT_EQ(TestInQuarvel(ctx, runner), TestResult::NameTooLong);
  ASSERT_EQ(prompter.Calls().size(), 1u);
  EXPECT_EQ(prompter.Calls()[0].buttons, platform::Buttons::Ok);
  EXPECT_TRUE(runner.started.empty());
  EXPECT_TRUE(WorkingCopyExists());
}

// The game under Wine opens "\xC6r\xF8.zmd" through its code page: on disk that is the UTF-8 name, and
// the argument reaches it as the code-page bytes the star encoding made.
TEST(TestInQuarvelNames, ACodePageNameIsSavedUnderItsUtf8FileAndPassedAsItsBytes) {
  testing::DemoGameFolder game;
  const std::string name = "\xC6r\xF8";
  game.Write("ZMDescriptor/\xC3\x86r\xC3\xB8.zmd", game.ReadDescriptor("4Tessaly"));
  store::DescriptorStore store(game.Path());
  store::SolarSystemRecord record;
  ScriptedPrompter prompter;
  store::NoSystemPictures pictures;
  store::flows::SystemContext ctx{store, record, prompter, pictures};
  store.OpenWorkingCopy(name, prompter);
  store.LoadSystem(name, record);
  store.SetPlanetName(record, 1, "N\xE9" "a");
  FakeRunner runner;
  std::string readByTheGame;
  runner.onStart = [&] { readByTheGame = game.Read("ZMDescriptor/\xC3\x86r\xC3\xB8.zmd"); };
  prompter.Answer(Answer::Ok);

  ASSERT_EQ(TestInQuarvel(ctx, runner), TestResult::Started);
  EXPECT_NE(readByTheGame.find("1=N\xE9" "a\r\n"), std::string::npos);
  EXPECT_TRUE(game.Exists("ZMDescriptor/\xC3\x86r\xC3\xB8.edt"));
  ASSERT_EQ(runner.started.size(), 1u);
  const std::string star = "/star:" + *EncodeStarArgument(name);
  EXPECT_EQ(runner.started[0].commandLine, (game.Path() / "quarvel.exe").string() + " " + platform::QuoteCommandWord(star));
  auto command = qt::ResolveCommand(qt::FromCp1252(runner.started[0].commandLine), QString());
  ASSERT_TRUE(command);
  ASSERT_EQ(command->arguments.size(), 1);
  EXPECT_EQ(qt::ToCp1252(command->arguments[0]), star);
  store.CloseWorkingCopy(record, false);
}

TEST(PaintCommandLine, ReplacesEveryPlaceholderOnceAndQuotesTheProgram) {
  EXPECT_EQ(PaintCommandLine("/usr/bin/paint", "\"%1\"", "/tmp/star.bmp"), "/usr/bin/paint /tmp/star.bmp");
  EXPECT_EQ(PaintCommandLine("/usr/bin/paint", "\"%1\"", "/tmp/my star.bmp"), "/usr/bin/paint \"/tmp/my star.bmp\"");
  EXPECT_EQ(PaintCommandLine("C:\\Program Files\\Paint.exe", "-a %1 -b %1", "x"),
            "\"C:\\Program Files\\Paint.exe\" -a x -b x");
  EXPECT_EQ(PaintCommandLine("\"C:\\My Paint\\p.exe\"", "%1", "x"), "\"C:\\My Paint\\p.exe\" x");
  // A file name holding the placeholder itself is put in once, not expanded for ever.
  EXPECT_EQ(PaintCommandLine("p", "%1", "/tmp/%1/s.bmp"), "p /tmp/%1/s.bmp");
}

class PaintProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    program = game.Write("paint.sh", "#!/bin/sh\n").string();
    platform::options::PaintProgram.Write(settings, program);
  }
  PaintResult Edit(const std::string& searchPath = "") {
    return EditInPaintProgram(settings, searchPath, prompter, runner, scratch, [&](const std::filesystem::path& file) {
      ++saves;
      testing::TempGameFolder::WriteFile(file, "BMold");
    });
  }

  testing::TempGameFolder game;
  testing::MemorySettingsStore settings;
  ScriptedPrompter prompter;
  FakeRunner runner;
  std::string program;
  std::filesystem::path scratch = game.Path() / "StarPic.bmp";
  int saves = 0;
};

TEST_F(PaintProgramTest, MissingProgramIsReportedByWhatWasLookedForAndNothingIsWritten) {
  prompter.AcceptOkBoxes();
  platform::options::PaintProgram.Write(settings, "C:\\Program Files\\Accessories\\MsPaint.exe");
  EXPECT_EQ(Edit(), PaintResult::ProgramMissing);
  settings = {};
  EXPECT_EQ(Edit(""), PaintResult::ProgramMissing);
  EXPECT_EQ(prompter.Texts(),
            (std::vector<std::string>{"Cannot find the program 'C:\\Program Files\\Accessories\\MsPaint.exe'.",
                                      "Cannot find the program 'kolourpaint, mtpaint, pinta or gimp'."}));
  EXPECT_EQ(saves, 0);
  EXPECT_TRUE(runner.started.empty());
}

TEST_F(PaintProgramTest, WithoutASettingThePlatformsPaintProgramIsFoundOnTheSearchPath) {
  settings = {};
  const auto bin = game.Path() / "bin";
  for (const char* name : {"gimp", "pinta"}) {
    auto file = game.Write(std::string("bin/") + name, "#!/bin/sh\n");
    std::filesystem::permissions(file, std::filesystem::perms::owner_all);
  }
  game.Write("bin/mtpaint", "not a program");  // not executable: passed over
  EXPECT_EQ(Edit("/nonexistent:" + bin.string()), PaintResult::Unchanged);
  ASSERT_EQ(runner.started.size(), 1u);
  EXPECT_EQ(runner.started[0].commandLine, (bin / "pinta").string() + " " + scratch.string());

  // A stored bare name is looked up the same way; the stored options go with it.
  platform::options::PaintProgram.Write(settings, "gimp");
  platform::options::PaintOptions.Write(settings, "-n %1");
  EXPECT_EQ(Edit(bin.string()), PaintResult::Unchanged);
  EXPECT_EQ(runner.started[1].commandLine, (bin / "gimp").string() + " -n " + scratch.string());
}

TEST_F(PaintProgramTest, UnchangedFileIsDeletedAfterTheProgramEnds) {
  EXPECT_EQ(Edit(), PaintResult::Unchanged);
  ASSERT_EQ(runner.started.size(), 1u);
  EXPECT_TRUE(runner.started[0].waited);
  EXPECT_EQ(runner.started[0].state, WindowState::Normal);
  EXPECT_EQ(runner.started[0].commandLine, program + " " + scratch.string());
  EXPECT_EQ(saves, 1);
  EXPECT_FALSE(platform::FileExists(scratch));
}

TEST_F(PaintProgramTest, RewrittenFileIsHandedBack) {
  runner.onStart = [&] {
    testing::TempGameFolder::WriteFile(scratch, "BMnew");
    platform::SetModificationTime(scratch, *platform::ModificationTime(scratch) + std::chrono::seconds(2));
  };
  EXPECT_EQ(Edit(), PaintResult::Changed);
  EXPECT_EQ(game.Read("StarPic.bmp"), "BMnew");
}

}  // namespace
}  // namespace zelmora::packaging
