// System > Game Folder...: the editor's own command that points it at another game folder.
#include "tests/editor/editor_window_support.h"

#include "store/system_record.h"

#include <QSignalSpy>

namespace zelmora::editor::testing {
namespace {

using platform::Answer;

struct GameFolderCommand : ::testing::Test, EditorOnDemo {
  // The window answers with `answer` and records what it was shown.
  void Choose(std::optional<std::string> answer) {
    window->GetDialogs().chooseGameFolder = [this, answer](const std::string& current) {
      shown = current;
      return answer;
    };
    window->mnuFGameFolder->trigger();
  }
  std::string Stored() const { return platform::folders::GameFolder.Read(settings); }

  std::string shown;
  TempGameFolder other;
  QSignalSpy changed{window.get(), &frmSSEdit::GameFolderChanged};
};

TEST(GameFolderMenu, SitsBeforeExitWithEveryOtherCaptionAsItWas) {
  EditorOnDemo editor;
  QStringList names, captions;
  for (QAction* a : editor.window->mnuFile->actions()) {
    names << a->objectName();
    captions << a->text();
  }
  EXPECT_EQ(names.join(QLatin1Char(' ')),
            QStringLiteral("mnuFNew mnuFSep1 mnuFSave mnuFSaveAs mnuFTest mnuFSep2 mnuFClear mnuFDelete mnuFSep3 "
                           "mnuFPackage mnuFGameFolder mnuFSep4 mnuFExit"));
  EXPECT_EQ(captions.filter(QStringLiteral("&")).join(QLatin1Char('|')),
            QStringLiteral("&New|&Save|Save &As...|&Test in Quarvel|&Clear Planets|&Delete|&Make Package|"
                           "&Game Folder...|E&xit"));
  // Reachable with no system open.
  EXPECT_TRUE(editor.window->mnuFGameFolder->isEnabled());
}

TEST_F(GameFolderCommand, AnotherFolderClosesTheWindowKeepsTheChoiceAndNamesItForTheNextWindow) {
  Pick("Mirefall");
  Choose(other.Path().string());
  EXPECT_EQ(shown, game.Path().string());
  ASSERT_EQ(changed.count(), 1);
  EXPECT_EQ(changed[0][0].toString().toStdString(), other.Path().string());
  EXPECT_EQ(Stored(), other.Path().string());
  EXPECT_FALSE(window->Store().IsWorkingCopyOpen());  // left as Exit leaves it
}

TEST_F(GameFolderCommand, CancellingTheOpenSystemsQuestionKeepsEverything) {
  Pick("Mirefall");
  window->Record().StarType = (window->Record().StarType + 1) % 8;
  window->Store().WriteSystemRecord(window->Record());
  prompter.Answer(Answer::Cancel);
  Choose(other.Path().string());
  EXPECT_EQ(prompter.Texts(), (std::vector<std::string>{"Do you want to save before exiting?"}));
  EXPECT_EQ(changed.count(), 0);
  EXPECT_EQ(Stored(), "");
  EXPECT_TRUE(window->Store().IsWorkingCopyOpen());
}

TEST_F(GameFolderCommand, TheSameFolderOrACancelledWindowChangesNothingButTheRememberedChoice) {
  Choose(std::nullopt);
  EXPECT_EQ(Stored(), "");
  Choose(game.Path().string() + "/");
  EXPECT_EQ(changed.count(), 0);
  EXPECT_EQ(Stored(), game.Path().string() + "/");
}

}  // namespace
}  // namespace zelmora::editor::testing
