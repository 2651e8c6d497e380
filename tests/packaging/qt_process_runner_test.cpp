#include "packaging/launch_flows.h"
#include "packaging/star_argument.h"
#include "ui/qt/code_page.h"
#include "ui/qt/qt_process_runner.h"

#include "tests/support/null_pictures.h"
#include "tests/support/scripted_prompter.h"
#include "tests/support/temp_game_folder.h"

#include <QCoreApplication>
#include <QProcess>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace zelmora::qt {
namespace {

namespace fs = std::filesystem;

QCoreApplication& App() {
  static int argc = 1;
  static char name[] = "test_packaging";
  static char* argv[] = {name, nullptr};
  static QCoreApplication app(argc, argv);
  return app;
}

fs::path WriteProgram(const testing::TempGameFolder& game, const std::string& name, std::string_view bytes) {
  fs::path path = game.Write(name, bytes);
  fs::permissions(path, fs::perms::owner_all);
  return path;
}

// The stand-in writes once it runs; a detached start gives no other sign of that.
std::string WaitForFile(const fs::path& path) {
  for (int i = 0; i < 200 && !fs::exists(path); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  std::string bytes;
  platform::ReadWholeFile(path, bytes);
  return bytes;
}

TEST(CommandWords, QuotedWordsComeBackWholeFromTheSplitter) {
  for (std::string word : {std::string("plain"), std::string("two words"), std::string("say \"hi\""),
                           std::string("tab\there"), std::string("nbsp\xA0here"), std::string("\xDF\xDF")}) {
    QString line = FromCp1252("prog " + platform::QuoteCommandWord(word) + " last");
    QStringList words = QProcess::splitCommand(line);
    ASSERT_EQ(words.size(), 3) << word;
    EXPECT_EQ(ToCp1252(words[1]), word);
  }
  EXPECT_EQ(platform::QuoteCommandWord("/usr/bin/x"), "/usr/bin/x");
}

TEST(ResolveCommand, WindowsProgramsGoThroughWineOnlyWhenTheyAreNotNative) {
  testing::TempGameFolder game;
  fs::path windows = WriteProgram(game, "win dows.exe", "MZ\x90\x00");
  fs::path script = WriteProgram(game, "quarvel.exe", "#!/bin/sh\n");
  QString wine = QStringLiteral("/usr/bin/wine");
  QString windowsWord = FromCp1252(platform::QuoteCommandWord(windows.string()));

  auto viaWine = ResolveCommand(windowsWord + QStringLiteral(" /star:x"), wine);
  ASSERT_TRUE(viaWine);
  EXPECT_EQ(viaWine->program, wine);
  EXPECT_EQ(viaWine->arguments, (QStringList{FromCp1252(windows.string()), QStringLiteral("/star:x")}));

  auto withoutWine = ResolveCommand(windowsWord, QString());
  ASSERT_TRUE(withoutWine);
  EXPECT_EQ(withoutWine->program, FromCp1252(windows.string()));

  auto native = ResolveCommand(FromCp1252(script.string()) + QStringLiteral(" a"), wine);
  ASSERT_TRUE(native);
  EXPECT_EQ(native->program, FromCp1252(script.string()));
  EXPECT_EQ(native->arguments, QStringList{QStringLiteral("a")});

  EXPECT_FALSE(ResolveCommand(QStringLiteral("   "), wine));
}

TEST(QtProcessRunner, StartAndWaitReturnsOnlyAfterTheProgramEnded) {
  App();
  testing::TempGameFolder game;
  fs::path done = game.Path() / "done";
  fs::path program = WriteProgram(game, "slow.sh", "#!/bin/sh\nsleep 0.3\necho ok > \"$1\"\n");
  QtProcessRunner runner;
  EXPECT_TRUE(runner.StartAndWait(program.string() + " " + done.string(), platform::WindowState::Normal));
  EXPECT_TRUE(fs::exists(done));
  EXPECT_FALSE(runner.StartAndWait((game.Path() / "missing.exe").string(), platform::WindowState::Normal));
  EXPECT_FALSE(runner.Start((game.Path() / "missing").string(), platform::WindowState::Default));
}

// The demo's game stand-in records its command line in quarvel.log beside it.
TEST(QtProcessRunner, TestInQuarvelStartsTheDemoGameWithTheEncodedName) {
  App();
  testing::TempGameFolder temp(false);
  fs::path folder = temp.Path() / "Quarvel Game";  // a blank in the path must survive the command line
  fs::copy(fs::path(ZELMORA_SOURCE_DIR) / "demo", folder, fs::copy_options::recursive);
  store::DescriptorStore store(folder);
  store::SolarSystemRecord record;
  testing::ScriptedPrompter prompter;
  testing::SwapRecordingPictures pictures;
  store::flows::SystemContext ctx{store, record, prompter, pictures};
  // Its name has a blank and letters whose encoded bytes the code page leaves undefined.
  store.OpenWorkingCopy("Kestrel Verge", prompter);
  store.LoadSystem("Kestrel Verge", record);
  prompter.Answer(platform::Answer::Ok);
  QtProcessRunner runner;

  ASSERT_EQ(packaging::TestInQuarvel(ctx, runner), packaging::TestResult::Started);

  std::string log = WaitForFile(folder / "quarvel.log");
  EXPECT_EQ(ToCp1252(QString::fromUtf8(log.data(), static_cast<qsizetype>(log.size()))),
            "/star:" + *packaging::EncodeStarArgument("Kestrel Verge") + "\n");
  EXPECT_TRUE(store.IsWorkingCopyOpen());
}

}  // namespace
}  // namespace zelmora::qt
