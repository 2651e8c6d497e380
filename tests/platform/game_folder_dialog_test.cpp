// The window that asks for the game folder: what it offers, what it refuses.
#include "ui/qt/game_folder_dialog.h"

#include "tests/support/scripted_prompter.h"
#include "tests/support/temp_game_folder.h"
#include "tests/support/test_application.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

namespace zelmora::qt {
namespace {

using testing::ScriptedPrompter;
using testing::TempGameFolder;

// Reports the folders a test gives, as the machine's search would.
struct ListedFinder : platform::GameFolderFinder {
  std::vector<std::string> folders;
  void Find(const std::function<bool(const std::string&)>& found, const std::function<bool()>& keepGoing) const override {
    for (const auto& f : folders) {
      if (!found(f) || !keepGoing()) return;
    }
  }
};

QString Q(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }

class GameFolderWindow : public ::testing::Test {
 protected:
  void Searched() {
    QSignalSpy ended(&window, &frmGameFolder::SearchEnded);
    window.StartSearch();
    ASSERT_TRUE(ended.wait(5000));
  }

  QApplication& app = testing::App();  // before the window
  TempGameFolder wine;
  TempGameFolder drive;
  TempGameFolder noGame{false};
  ListedFinder finder;
  ScriptedPrompter prompter;
  frmGameFolder window{finder, prompter};
};

TEST_F(GameFolderWindow, OffersTheFoldersTheSearchFindsEachOnceAndProposesTheFirst) {
  finder.folders = {wine.Path().string() + "/", drive.Path().string(), wine.Path().string()};
  window.show();
  Searched();
  ASSERT_EQ(window.lstFolders->count(), 2);
  EXPECT_EQ(window.lstFolders->item(0)->text(), Q(wine.Path()));
  EXPECT_EQ(window.lstFolders->item(1)->text(), Q(drive.Path()));
  EXPECT_EQ(window.txtFolder->text(), Q(wine.Path()));
  EXPECT_EQ(window.lblStatus->text(), QStringLiteral("Quarvel found in 2 folders."));
  window.lstFolders->setCurrentRow(1);
  EXPECT_EQ(window.txtFolder->text(), Q(drive.Path()));
  window.grab().save(QStringLiteral(ZELMORA_SCREENSHOT_DIR "/frmGameFolder.png"));
}

TEST_F(GameFolderWindow, RefusesAFolderWithoutTheGameAndStaysOpenUntilAGameFolderIsChosen) {
  prompter.AcceptOkBoxes();
  std::optional<std::string> chosen;
  QTimer::singleShot(0, &window, [&] {
    window.txtFolder->setText(Q(noGame.Path()));
    window.cmdOK->click();
    EXPECT_TRUE(window.isVisible());
    // Browse goes through the chooser and takes its answer at once when it holds the game.
    prompter.Reply(drive.Path().string());
    window.cmdBrowse->click();
  });
  chosen = window.Run(wine.Path().string());
  EXPECT_EQ(chosen, drive.Path().string());
  ASSERT_EQ(prompter.Calls().size(), 2u);
  EXPECT_EQ(prompter.Calls()[0].text,
            "There is no quarvel.exe in '" + noGame.Path().string() + "'.  Choose the folder where Quarvel is installed.");
  EXPECT_EQ(prompter.Calls()[0].icon, platform::Icon::Exclamation);
  EXPECT_EQ(prompter.Calls()[1].kind, ScriptedPrompter::Kind::Folder);
  EXPECT_EQ(prompter.Calls()[1].defaultValue, noGame.Path().string());
}

TEST_F(GameFolderWindow, CancelGivesNoFolderAndAnEmptySearchSaysSo) {
  Searched();
  EXPECT_EQ(window.lstFolders->count(), 0);
  EXPECT_EQ(window.lblStatus->text(), QStringLiteral("Quarvel not found.  Browse for its folder."));
  QTimer::singleShot(0, &window, [&] { window.cmdCancel->click(); });
  EXPECT_EQ(window.Run(wine.Path().string()), std::nullopt);
  EXPECT_TRUE(prompter.Calls().empty());
}

}  // namespace
}  // namespace zelmora::qt
