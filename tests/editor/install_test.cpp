// cmake --install into a game folder: the programs land beside quarvel.exe, the user gets a desktop
// entry and an icon, and the editor starts there and finds the game.
#include "tests/editor/editor_window_support.h"

#include <QProcess>
#include <QStringList>

#include <cstdlib>
#include <fstream>

namespace zelmora::editor::testing {
namespace {

namespace fs = std::filesystem;

std::string Quoted(const std::string& s) { return "'" + s + "'"; }

// Runs cmake --install of this build into `prefix`, with the desktop files under `dataHome`.
int RunInstall(const fs::path& prefix, const fs::path& dataHome) {
  const std::string command = "XDG_DATA_HOME=" + Quoted(dataHome.string()) + " " + Quoted(ZELMORA_CMAKE) +
                              " --install " + Quoted(ZELMORA_BINARY_DIR) + " --prefix " + Quoted(prefix.string()) +
                              " >" + Quoted((dataHome / "install.log").string()) + " 2>&1";
  return std::system(command.c_str());
}

bool Executable(const fs::path& file) {
  std::error_code ec;
  auto perms = fs::status(file, ec).permissions();
  return !ec && fs::is_regular_file(file) && (perms & fs::perms::owner_exec) != fs::perms::none;
}

class Install : public ::testing::Test {
 protected:
  void SetUp() override {
    App();
    // A folder name with a blank and a percent sign, which the desktop entry must quote.
    game = base / "Quarvel 100%";
    fs::copy(ZELMORA_SOURCE_DIR "/demo", game, fs::copy_options::recursive);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(base, ec);
    fs::remove_all(data, ec);
  }
  fs::path base = zelmora::testing::UniqueTempFolder("install");
  fs::path data = zelmora::testing::UniqueTempFolder("data-home");
  fs::path game;
};

TEST_F(Install, PutsTheProgramsAndADesktopEntryIntoTheGameFolder) {
  ASSERT_EQ(RunInstall(game, data), 0) << TempGameFolder::ReadFile(data / "install.log");
  for (const char* program : {"ZMDEdit", "zmd", "Fendrel", "ZMDInst.dat"}) {
    EXPECT_TRUE(Executable(game / program)) << program;
  }
  EXPECT_EQ(TempGameFolder::ReadFile(game / "ZMDInst.dat"), TempGameFolder::ReadFile(game / "Fendrel"));
#ifdef ZELMORA_ANIMATION_MODULE
  // The editor's animation player, where the editor looks for it.
  EXPECT_TRUE(fs::is_regular_file(game / fs::path(ZELMORA_ANIMATION_MODULE).filename()));
#endif

  const fs::path icon = data / "icons/hicolor/scalable/apps/zelmora.svg";
  EXPECT_EQ(TempGameFolder::ReadFile(icon), TempGameFolder::ReadFile(ZELMORA_SOURCE_DIR "/desktop/zelmora.svg"));
  const std::string entry = TempGameFolder::ReadFile(data / "applications/zelmora.desktop");
  EXPECT_NE(entry.find("[Desktop Entry]\nType=Application\n"), std::string::npos) << entry;
  EXPECT_NE(entry.find("\nName=Zelmora\n"), std::string::npos) << entry;
  // Quoted as one argument, the "%" doubled so no field code is read into it.
  std::string exec = (game / "ZMDEdit").string();
  exec.replace(exec.find('%'), 1, "%%");
  EXPECT_NE(entry.find("\nExec=\"" + exec + "\"\n"), std::string::npos) << entry;
  EXPECT_NE(entry.find("\nPath=" + game.string() + "\n"), std::string::npos) << entry;
  EXPECT_NE(entry.find("\nIcon=" + icon.string() + "\n"), std::string::npos) << entry;
}

TEST_F(Install, TheInstalledEditorStartsThereAndFindsTheGame) {
  ASSERT_EQ(RunInstall(game, data), 0) << TempGameFolder::ReadFile(data / "install.log");
  // The editor on the installed folder, as the program starts it from its own folder.
  ScriptedPrompter prompter;
  MemorySettingsStore settings;
  FakeProcessRunner runner;
  frmSSEdit window(game, prompter, settings, runner);
  EXPECT_TRUE(window.Load());
  EXPECT_TRUE(prompter.Calls().empty());
  EXPECT_GE(window.cboSystems->findText(QStringLiteral("4Tessaly")), 0);

  // The installed program itself runs there, offscreen, until it is ended.
  QProcess editor;
  auto env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  env.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromStdString(data.string()));
  editor.setProcessEnvironment(env);
  editor.start(QString::fromStdString((game / "ZMDEdit").string()), {});
  ASSERT_TRUE(editor.waitForStarted(10000));
  EXPECT_FALSE(editor.waitForFinished(3000)) << "the installed editor ended: " << editor.exitCode();
  editor.kill();
  editor.waitForFinished(5000);
}

TEST_F(Install, RefusesAFolderWithoutTheGame) {
  fs::path elsewhere = base / "not a game";
  fs::create_directories(elsewhere);
  EXPECT_NE(RunInstall(elsewhere, data), 0);
  EXPECT_FALSE(fs::exists(elsewhere / "ZMDEdit"));
  EXPECT_FALSE(fs::exists(data / "applications/zelmora.desktop"));
  EXPECT_NE(TempGameFolder::ReadFile(data / "install.log").find("holds no quarvel.exe"), std::string::npos);
}

}  // namespace
}  // namespace zelmora::editor::testing
