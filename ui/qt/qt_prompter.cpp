#include "ui/qt/qt_prompter.h"

#include "ui/platform/code_page.h"
#include "ui/qt/code_page.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

#include <vector>

namespace zelmora::qt {

using platform::Answer;
using platform::Buttons;
using platform::Icon;

namespace {
std::vector<std::pair<QMessageBox::StandardButton, Answer>> ButtonsOf(Buttons buttons) {
  switch (buttons) {
    case Buttons::Ok: return {{QMessageBox::Ok, Answer::Ok}};
    case Buttons::OkCancel: return {{QMessageBox::Ok, Answer::Ok}, {QMessageBox::Cancel, Answer::Cancel}};
    case Buttons::YesNo: return {{QMessageBox::Yes, Answer::Yes}, {QMessageBox::No, Answer::No}};
    case Buttons::YesNoCancel:
      return {{QMessageBox::Yes, Answer::Yes}, {QMessageBox::No, Answer::No},
              {QMessageBox::Cancel, Answer::Cancel}};
  }
  return {{QMessageBox::Ok, Answer::Ok}};
}

QMessageBox::Icon IconOf(Icon icon) {
  switch (icon) {
    case Icon::Information: return QMessageBox::Information;
    case Icon::Question: return QMessageBox::Question;
    case Icon::Exclamation: return QMessageBox::Warning;
    case Icon::Critical: return QMessageBox::Critical;
    case Icon::None: break;
  }
  return QMessageBox::NoIcon;
}

// The answer a box gives when closed with Escape or its close box.
Answer EscapeAnswer(Buttons buttons) {
  switch (buttons) {
    case Buttons::Ok: return Answer::Ok;
    case Buttons::YesNo: return Answer::No;
    case Buttons::OkCancel:
    case Buttons::YesNoCancel: return Answer::Cancel;
  }
  return Answer::Cancel;
}
// Keys that reach a refusal box within this time were typed before the user could see it: they
// belong to the text being typed, and must not answer (or dismiss) the box.
constexpr qint64 kTypingGraceMs = 700;

class SwallowTypedKeys : public QObject {
 public:
  explicit SwallowTypedKeys(QWidget* box) : box_(box) { shown_.start(); }

  bool eventFilter(QObject* watched, QEvent* event) override {
    const auto type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    return widget && widget->window() == box_ && shown_.elapsed() < kTypingGraceMs;
  }

 private:
  QWidget* box_;
  QElapsedTimer shown_;
};
}  // namespace

Answer QtPrompter::Message(const std::string& text, Buttons buttons, Icon icon, const std::string& title,
                           int defaultButton) {
  return Show(FromCp1252(text), buttons, icon, FromCp1252(title), defaultButton, false);
}

void QtPrompter::Refuse(const std::string& text) {
  Show(FromCp1252(text), Buttons::Ok, Icon::Exclamation, QStringLiteral("Zelmora"), 1, true);
}

void QtPrompter::RefuseCharacters(std::u32string_view characters) {
  Show(QString::fromStdString(platform::CodePageRefusal(characters)), Buttons::Ok, Icon::Exclamation,
       QStringLiteral("Zelmora"), 1, true);
}

Answer QtPrompter::Show(const QString& text, Buttons buttons, Icon icon, const QString& title, int defaultButton,
                        bool refusal) {
  QMessageBox box(IconOf(icon), title, text, QMessageBox::NoButton, parent_);
  SwallowTypedKeys swallow(&box);
  if (refusal) {
    box.setObjectName(QStringLiteral("refusal"));
    qApp->installEventFilter(&swallow);
  }
  auto set = ButtonsOf(buttons);
  QMessageBox::StandardButtons all;
  for (auto& b : set) all |= b.first;
  box.setStandardButtons(all);
  int index = defaultButton - 1;
  if (index >= 0 && index < static_cast<int>(set.size())) box.setDefaultButton(set[index].first);
  box.exec();
  if (refusal) qApp->removeEventFilter(&swallow);
  auto* clicked = box.clickedButton();
  for (auto& b : set) {
    if (clicked == box.button(b.first)) return b.second;
  }
  return EscapeAnswer(buttons);
}

std::optional<std::string> QtPrompter::Input(const std::string& prompt, const std::string& title,
                                             const std::string& defaultValue) {
  QString shown = FromCp1252(defaultValue);
  for (;;) {
    bool ok = false;
    QString answer =
        QInputDialog::getText(parent_, FromCp1252(title), FromCp1252(prompt), QLineEdit::Normal, shown, &ok);
    if (!ok || answer.isEmpty()) return std::nullopt;
    auto checked = ToCp1252Checked(answer);
    if (checked.ok()) return checked.bytes;
    // Refused, never stored with substitutes; asked again with the typed text kept for mending.
    RefuseCharacters(checked.refused);
    shown = answer;
  }
}

std::optional<std::string> QtPrompter::ChooseOpenFile(const std::string& title, const std::string& startFolder,
                                                      const std::string& filter) {
  QString file = QFileDialog::getOpenFileName(parent_, FromCp1252(title), QString::fromStdString(startFolder),
                                              FromCp1252(filter));
  if (file.isEmpty()) return std::nullopt;
  return file.toStdString();
}

std::optional<std::string> QtPrompter::ChooseSaveFile(const std::string& title, const std::string& startFile,
                                                      const std::string& filter) {
  QString file = QFileDialog::getSaveFileName(parent_, FromCp1252(title), QString::fromStdString(startFile),
                                              FromCp1252(filter));
  if (file.isEmpty()) return std::nullopt;
  return file.toStdString();
}

std::optional<std::string> QtPrompter::ChooseFolder(const std::string& title, const std::string& startFolder) {
  QString folder =
      QFileDialog::getExistingDirectory(parent_, FromCp1252(title), QString::fromStdString(startFolder));
  if (folder.isEmpty()) return std::nullopt;
  return folder.toStdString();
}

}  // namespace zelmora::qt
