#include "ui/platform/program_search.h"
#include "ui/platform/settings_store.h"
#include "ui/platform/spawn_process_runner.h"
#include "ui/qt/code_page.h"

#include "tests/support/memory_settings_store.h"
#include "tests/support/temp_game_folder.h"

#include <QProcess>

#include <gtest/gtest.h>

namespace zelmora::platform {
namespace {

namespace fs = std::filesystem;

// zmd splits its command lines itself; the window programs leave it to Qt. Both must read a line
// the same way.
TEST(SplitCommandLine, ReadsALineAsTheWindowProgramsDo) {
  for (std::string line : {std::string("\"/usr/bin/zip\" -q -j \"/out/Kestrel Verge.zip\" \"/out/Kestrel Verge\""),
                           std::string("  plain   words\there "), std::string("say \"\"\"hi\"\"\" there"),
                           std::string("empty \"\" word"), std::string("glued\"quoted part\"on"),
                           std::string("\"unclosed quote"), std::string("nbsp\xA0splits \xC6r\xF8")}) {
    std::vector<std::string> expected;
    for (const QString& word : QProcess::splitCommand(qt::FromCp1252(line))) expected.push_back(qt::ToCp1252(word));
    EXPECT_EQ(SplitCommandLine(line), expected) << line;
  }
}

TEST(SpawnProcessRunner, WaitsForTheProgramAndHandsItsWordsOverInUtf8) {
  testing::TempGameFolder folder(false);
  const fs::path script = folder.Write("show args.sh", "#!/bin/sh\nsleep 0.2\nprintf '%s|' \"$@\" > \"$1\"\n");
  fs::permissions(script, fs::perms::owner_all);
  const fs::path log = folder.Path() / "log";
  SpawnProcessRunner runner;
  ASSERT_TRUE(runner.StartAndWait(QuoteCommandWord(script.string()) + " " + QuoteCommandWord(log.string()) +
                                      " \"\xC6r\xF8 one\" two",
                                  WindowState::Minimised));
  EXPECT_EQ(testing::TempGameFolder::ReadFile(log), log.string() + "|\xC3\x86r\xC3\xB8 one|two|");
  EXPECT_FALSE(runner.StartAndWait("/nonexistent/program", WindowState::Normal));
  EXPECT_FALSE(runner.StartAndWait("   ", WindowState::Normal));
}

TEST(FindProgram, TakesTheFirstExecutableOnTheSearchPath) {
  testing::TempGameFolder folder(false);
  auto a = folder.Path() / "a", b = folder.Path() / "b";
  folder.Write("a/paint", "not executable");
  auto found = folder.Write("b/paint", "#!/bin/sh\n");
  fs::permissions(found, fs::perms::owner_all);
  EXPECT_EQ(FindProgram("paint", a.string() + ":" + b.string()), found);
  EXPECT_EQ(FindProgram("paint", a.string()), std::nullopt);
  EXPECT_EQ(FindProgram("paint", ""), std::nullopt);
  // A path is taken as it is, never searched for.
  EXPECT_EQ(FindProgram(found.string(), ""), found);
  EXPECT_EQ(FindProgram("b/paint", folder.Path().string()), std::nullopt);
}

TEST(TextSetting, KnowsAnAbsentKeyFromAStoredDefault) {
  testing::MemorySettingsStore settings;
  EXPECT_FALSE(options::ZipProgram.IsSet(settings));
  for (std::string stored : {"0", "1", "", options::ZipProgram.defaultValue}) {
    options::ZipProgram.Write(settings, stored);
    EXPECT_TRUE(options::ZipProgram.IsSet(settings)) << stored;
  }
}

}  // namespace
}  // namespace zelmora::platform
