#pragma once

#include "writing/spelling.h"
#include "writing/spelling_service.h"

#include <QObject>
#include <QPointer>

#include <memory>
#include <utility>
#include <vector>

class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QSyntaxHighlighter;
class QTimer;
class QWidget;

namespace zelmora::writing {

// Marks the misspelt words of an editor's text box as they are typed (a wavy red underline), and
// puts their suggestions and "Add to Dictionary" at the top of the box's right-button menu. Only
// the box's prose is checked: placeholders, display markers and upgrade codes never are. A
// multi-line box is marked through a syntax highlighter; a one-line box has none, so its marks
// reach it as the formats an input method gives its text, which leave text, caret and undo alone.
class SpellingBinding : public QObject {
  Q_OBJECT

 public:
  SpellingBinding(QPlainTextEdit* box, SpellingService& service, BoxKind kind);
  SpellingBinding(QLineEdit* box, SpellingService& service, BoxKind kind);
  ~SpellingBinding() override;

  // Marks the box again; done by itself whenever the service says what is marked changed.
  void Refresh();
  // The misspelt words of the box now: their positions in its text and their lengths.
  std::vector<std::pair<int, int>> Marked() const;
  // The right-button menu for the text position `position`; the caller owns it.
  QMenu* MenuAt(int position);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QString Text() const;
  std::vector<Span> Misspelt(const QString& text) const;
  void MarkLine();
  void ReplaceWord(int start, int length, const QString& with);

  QPointer<QPlainTextEdit> plain_;
  QPointer<QLineEdit> line_;
  SpellingService& service_;
  BoxKind kind_;
  QSyntaxHighlighter* highlighter_ = nullptr;
  QTimer* lineTimer_ = nullptr;
  bool sending_ = false;    // our own marks on their way to the one-line box
  bool composing_ = false;  // an input method is composing in it: its text is not ours to mark
};

}  // namespace zelmora::writing
