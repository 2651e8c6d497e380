#include "ui/qt/qt_prompter.h"
#include "ui/qt/qt_settings_store.h"

#include "tests/support/temp_game_folder.h"
#include "tests/support/test_application.h"

#include <QApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace zelmora::qt {
namespace {

using platform::Answer;
using platform::Buttons;
using platform::Icon;

using testing::App;

// Acts on the next modal box once it is shown.
template <typename F>
void WhenShown(F&& act) {
  QTimer::singleShot(0, [act]() mutable {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (w->isVisible() && w->isModal()) {
        act(w);
        return;
      }
    }
  });
}

TEST(QtPrompter, MessageBoxHasTheAskedTextsButtonsAndDefault) {
  App();
  QtPrompter prompter;
  QString title, text;
  bool defaultIsNo = false;
  int buttons = 0;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  WhenShown([&](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(box, nullptr);
    title = box->windowTitle();
    text = box->text();
    icon = box->icon();
    buttons = static_cast<int>(box->buttons().size());
    defaultIsNo = box->defaultButton() == box->button(QMessageBox::No);
    box->button(QMessageBox::No)->click();
  });
  Answer a = prompter.Message("Delete Caf\xE9?", Buttons::YesNoCancel, Icon::Exclamation, "Zelmora", 2);
  EXPECT_EQ(a, Answer::No);
  EXPECT_EQ(title, QStringLiteral("Zelmora"));
  EXPECT_EQ(text, QStringLiteral("Delete Caf\u00E9?"));
  EXPECT_EQ(icon, QMessageBox::Warning);
  EXPECT_EQ(buttons, 3);
  EXPECT_TRUE(defaultIsNo);
}

TEST(QtPrompter, InputBoxGivesNoAnswerWhenEmptyOrCancelled) {
  App();
  QtPrompter prompter;
  WhenShown([](QWidget* w) {
    auto* dialog = qobject_cast<QInputDialog*>(w);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->textValue(), QStringLiteral("Vega"));
    dialog->setTextValue(QStringLiteral("Vega Prime"));
    dialog->accept();
  });
  EXPECT_EQ(prompter.Input("Name?", "Zelmora", "Vega"), "Vega Prime");
  WhenShown([](QWidget* w) {
    auto* dialog = qobject_cast<QInputDialog*>(w);
    dialog->setTextValue(QString());
    dialog->accept();
  });
  EXPECT_EQ(prompter.Input("Name?", "Zelmora", "Vega"), std::nullopt);
  WhenShown([](QWidget* w) { qobject_cast<QInputDialog*>(w)->reject(); });
  EXPECT_EQ(prompter.Input("Name?", "Zelmora", "Vega"), std::nullopt);
}

// What the user types reaches the flows only when the code page can hold it: otherwise the box
// says which characters it cannot hold and asks again, keeping the typed text for mending.
TEST(QtPrompter, InputTheCodePageCannotHoldIsRefusedNamingTheCharacters) {
  App();
  QtPrompter prompter;
  const QString typed = QString::fromUtf8("\xC5\x8Csaka \xE6\x97\xA5\xE6\x9C\xAC");
  QString refusal, askedAgainWith;
  WhenShown([&](QWidget* w) {
    auto* dialog = qobject_cast<QInputDialog*>(w);
    ASSERT_NE(dialog, nullptr);
    dialog->setTextValue(typed);
    dialog->accept();
    WhenShown([&](QWidget* box) {
      auto* message = qobject_cast<QMessageBox*>(box);
      ASSERT_NE(message, nullptr);
      refusal = message->text();
      message->button(QMessageBox::Ok)->click();
      WhenShown([&](QWidget* again) {
        auto* second = qobject_cast<QInputDialog*>(again);
        ASSERT_NE(second, nullptr);
        askedAgainWith = second->textValue();
        second->setTextValue(QString::fromUtf8("\xC3\x96saka"));
        second->accept();
      });
    });
  });
  EXPECT_EQ(prompter.Input("Name?", "Zelmora", "Vega"), "\xD6saka");
  // The characters are shown as typed as well as by code point.
  EXPECT_EQ(refusal, QString::fromUtf8("The game cannot store the characters \"\xC5\x8C\" (U+014C), \"\xE6\x97\xA5\" "
                                       "(U+65E5) and \"\xE6\x9C\xAC\" (U+672C).  Please type the text without them."));
  EXPECT_EQ(askedAgainWith, typed);

  // Cancelling the second box gives no answer at all.
  WhenShown([&](QWidget* w) {
    qobject_cast<QInputDialog*>(w)->setTextValue(typed);
    qobject_cast<QInputDialog*>(w)->accept();
    WhenShown([&](QWidget* box) {
      qobject_cast<QMessageBox*>(box)->button(QMessageBox::Ok)->click();
      WhenShown([](QWidget* again) { qobject_cast<QInputDialog*>(again)->reject(); });
    });
  });
  EXPECT_EQ(prompter.Input("Name?", "Zelmora", "Vega"), std::nullopt);
}

TEST(QtPrompter, KeysTypedOnAsARefusalAppearsDoNotAnswerIt) {
  App();
  QtPrompter prompter;
  bool openAfterTyping = false;
  QString text;
  WhenShown([&](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(box, nullptr);
    text = box->text();
    // The rest of the word being typed, and the space after it, arrive at the box.
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : box;
    for (int key : {Qt::Key_A, Qt::Key_Space, Qt::Key_Return, Qt::Key_Escape}) {
      QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, key == Qt::Key_A ? QStringLiteral("a") : QString());
      QApplication::sendEvent(target, &press);
      QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
      QApplication::sendEvent(target, &release);
    }
    QApplication::processEvents();
    openAfterTyping = box->isVisible();
    box->button(QMessageBox::Ok)->click();
  });
  prompter.RefuseCharacters(std::u32string{0x0141});
  EXPECT_TRUE(openAfterTyping);
  EXPECT_EQ(text, QString::fromUtf8("The game cannot store the character \"\xC5\x81\" (U+0141).  Please type the text "
                                    "without it."));

  // A box that is no refusal answers its keys as ever.
  WhenShown([&](QWidget* w) {
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(QApplication::focusWidget() ? QApplication::focusWidget() : w, &escape);
  });
  EXPECT_EQ(prompter.Message("Remove it?", Buttons::YesNo, Icon::Question, "Zelmora", 1), Answer::No);
}

TEST(QtSettingsStore, ValuesPersistInAnIniFileUnderTheApplicationName) {
  App();
  testing::TempGameFolder folder(false);
  QString dir = QString::fromStdString(folder.Path().string());
  {
    QtSettingsStore store(dir);
    EXPECT_EQ(store.Get("Zelmora", "Options", "Display Asteroids", "dflt"), "dflt");
    EXPECT_TRUE(platform::options::DisplayAsteroids.Read(store));
    platform::options::DisplayAsteroids.Write(store, false);
    store.Set("Zelmora", "Options", "Paint Program", "C:\\Paint\\p\xE9.exe");
  }
  QtSettingsStore again(dir);
  EXPECT_EQ(again.Get("Zelmora", "Options", "Display Asteroids", ""), "0");
  EXPECT_FALSE(platform::options::DisplayAsteroids.Read(again));
  EXPECT_EQ(platform::options::PaintProgram.Read(again), "C:\\Paint\\p\xE9.exe");
  EXPECT_EQ(platform::options::ZipOptions.Read(again), "-min -a \"%1.zip\" \"%1\"");
  EXPECT_TRUE(folder.Exists("Zelmora.ini"));
  platform::options::DisplayAsteroids.Write(again, true);
  EXPECT_EQ(again.Get("Zelmora", "Options", "Display Asteroids", ""), "-1");
}

}  // namespace
}  // namespace zelmora::qt
