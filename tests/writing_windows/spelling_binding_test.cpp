#include "tests/editor_dialogs/dialog_test_support.h"
#include "tests/support/memory_settings_store.h"
#include "tests/support/temp_game_folder.h"
#include "writing/spelling_binding.h"

#include <QAction>
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <set>

namespace zelmora::writing {
namespace {

struct FakeDictionary : Dictionary {
  std::set<std::string> words{"the", "storm", "is", "near", "go", "north"};
  bool Knows(std::string_view word) override {
    std::string lower(word);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return words.count(lower) > 0;
  }
  std::vector<std::string> Suggest(std::string_view word) override {
    return word == "stomr" ? std::vector<std::string>{"storm", "stoma"} : std::vector<std::string>{};
  }
};

struct Spelling {
  Spelling() { testing::App(); }
  testing::TempGameFolder game;
  testing::MemorySettingsStore settings;
  SpellingService service{settings, game.Path(), game.Path() / "data" / "words.txt",
                          [](const std::string& name) -> std::unique_ptr<Dictionary> {
                            if (name != "en_US") return nullptr;
                            return std::make_unique<FakeDictionary>();
                          }};
};

// The words a syntax highlighter marked in a block, as text.
std::vector<std::string> Underlined(QPlainTextEdit& box) {
  std::vector<std::string> words;
  const QTextBlock block = box.document()->firstBlock();
  for (const QTextLayout::FormatRange& r : block.layout()->formats()) {
    if (r.format.underlineStyle() == QTextCharFormat::SpellCheckUnderline) {
      words.push_back(block.text().mid(r.start, r.length).toStdString());
    }
  }
  return words;
}

TEST(SpellingBinding, MarksProseAsTypedAndMendsFromTheMenu) {
  Spelling s;
  QPlainTextEdit box;
  auto* binding = new SpellingBinding(&box, s.service, BoxKind::RoomDescription);
  box.setPlainText(QStringLiteral("$BOX$The stomr is near, %RK.^EN"));
  using V = std::vector<std::string>;
  EXPECT_EQ(Underlined(box), V{"stomr"});  // not the marker, the placeholder or the upgrade code

  std::unique_ptr<QMenu> menu(binding->MenuAt(12));
  const QList<QAction*> actions = menu->actions();
  ASSERT_GE(actions.size(), 4);
  EXPECT_EQ(actions[0]->text().toStdString(), "storm");
  EXPECT_EQ(actions[1]->text().toStdString(), "stoma");
  EXPECT_EQ(actions[2]->text().toStdString(), "Add to Dictionary");
  EXPECT_TRUE(actions[3]->isSeparator());
  actions[0]->trigger();
  EXPECT_EQ(box.toPlainText().toStdString(), "$BOX$The storm is near, %RK.^EN");
  EXPECT_EQ(Underlined(box), V{});

  // A word the dictionary lacks is added for good; the switch turns marking off everywhere.
  box.setPlainText(QStringLiteral("Go north to Zarn."));
  EXPECT_EQ(Underlined(box), V{"Zarn"});
  std::unique_ptr<QMenu> again(binding->MenuAt(13));
  EXPECT_EQ(again->actions()[0]->text().toStdString(), "(No Suggestions)");
  again->actions()[1]->trigger();
  EXPECT_EQ(Underlined(box), V{});
  EXPECT_EQ(s.game.Read("data/words.txt"), "Zarn\n");
  box.setPlainText(QStringLiteral("Go north to Blarg."));
  s.service.SetEnabled(false);
  EXPECT_EQ(Underlined(box), V{});
  EXPECT_TRUE(binding->Marked().empty());
  // A position on a correct word gives the box's own menu only.
  s.service.SetEnabled(true);
  std::unique_ptr<QMenu> plain(binding->MenuAt(1));
  EXPECT_NE(plain->actions()[0]->text().toStdString(), "Add to Dictionary");
}

TEST(SpellingBinding, AOneLineBoxIsMarkedWithoutTouchingItsTextOrUndo) {
  Spelling s;
  QLineEdit box;
  auto* binding = new SpellingBinding(&box, s.service, BoxKind::RoomAction);
  std::vector<QString> edited;
  QObject::connect(&box, &QLineEdit::textEdited, [&](const QString& t) { edited.push_back(t); });
  box.setText(QStringLiteral("Go nroth, %NM."));
  box.setCursorPosition(4);
  box.setSelection(0, 2);
  QApplication::processEvents();  // the marks follow once the box has taken the change
  EXPECT_EQ(binding->Marked(), (std::vector<std::pair<int, int>>{{3, 5}}));
  EXPECT_EQ(box.text().toStdString(), "Go nroth, %NM.");
  EXPECT_EQ(box.selectedText().toStdString(), "Go");
  EXPECT_FALSE(box.isUndoAvailable());
  EXPECT_TRUE(edited.empty());

  // While an input method composes, its preedit text is left alone; the marks come back after.
  box.deselect();
  QInputMethodEvent compose(QStringLiteral("\u00E9"), {});
  QCoreApplication::sendEvent(&box, &compose);
  binding->Refresh();
  QApplication::processEvents();
  QInputMethodEvent commit;
  commit.setCommitString(QString());
  QCoreApplication::sendEvent(&box, &commit);
  QApplication::processEvents();
  EXPECT_EQ(box.text().toStdString(), "Go nroth, %NM.");

  s.service.ChooseDictionary("xx_NOPE");  // no such dictionary: nothing is marked
  EXPECT_TRUE(binding->Marked().empty());
  s.service.ChooseDictionary("en_US");
  ASSERT_EQ(binding->Marked().size(), 1u);
  // Replacing from the menu is an edit of the author's, as typing is.
  box.setFocus();
  std::unique_ptr<QMenu> menu(binding->MenuAt(4));
  menu->actions()[0]->trigger();  // "(No Suggestions)" is disabled: Add to Dictionary comes next
  EXPECT_EQ(box.text().toStdString(), "Go nroth, %NM.");
  menu->actions()[1]->trigger();
  EXPECT_TRUE(binding->Marked().empty());

  box.setText(QStringLiteral("The stomr is near."));
  QApplication::processEvents();
  box.resize(300, 30);
  testing::SaveScreenshot(box, "spelling_line");
  std::unique_ptr<QMenu> fix(binding->MenuAt(5));
  fix->actions()[0]->trigger();
  EXPECT_EQ(box.text().toStdString(), "The storm is near.");
  ASSERT_FALSE(edited.empty());
  EXPECT_EQ(edited.back().toStdString(), "The storm is near.");
}

}  // namespace
}  // namespace zelmora::writing
