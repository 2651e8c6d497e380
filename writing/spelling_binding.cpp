#include "writing/spelling_binding.h"

#include "ui/qt/code_page.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSyntaxHighlighter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>

namespace zelmora::writing {

namespace {

QTextCharFormat MisspeltFormat() {
  QTextCharFormat format;
  format.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
  format.setUnderlineColor(Qt::red);
  return format;
}

// The box's text in the code page, one byte for each QChar, so that positions agree; what the
// code page cannot hold is no letter.
std::string PerUnit(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(text.size()));
  for (QChar c : text) {
    const std::string one = c.isSurrogate() ? std::string("?") : qt::ToCp1252(QString(c));
    bytes += one.size() == 1 ? one[0] : '?';
  }
  return bytes;
}

class Highlighter : public QSyntaxHighlighter {
 public:
  Highlighter(QTextDocument* document, std::function<std::vector<Span>(const QString&)> misspelt)
      : QSyntaxHighlighter(document), misspelt_(std::move(misspelt)) {}

 protected:
  void highlightBlock(const QString& text) override {
    const QTextCharFormat format = MisspeltFormat();
    for (const Span& s : misspelt_(text)) setFormat(static_cast<int>(s.start), static_cast<int>(s.length), format);
  }

 private:
  std::function<std::vector<Span>(const QString&)> misspelt_;
};

}  // namespace

SpellingBinding::SpellingBinding(QPlainTextEdit* box, SpellingService& service, BoxKind kind)
    : QObject(box), plain_(box), service_(service), kind_(kind) {
  highlighter_ = new Highlighter(box->document(), [this](const QString& text) { return Misspelt(text); });
  box->viewport()->installEventFilter(this);
  service_.OnChanged([self = QPointer<SpellingBinding>(this)] {
    if (self) self->Refresh();
  });
}

SpellingBinding::SpellingBinding(QLineEdit* box, SpellingService& service, BoxKind kind)
    : QObject(box), line_(box), service_(service), kind_(kind) {
  // Marked once the box has taken in the change, never from inside its own signal.
  lineTimer_ = new QTimer(this);
  lineTimer_->setSingleShot(true);
  lineTimer_->setInterval(0);
  connect(lineTimer_, &QTimer::timeout, this, &SpellingBinding::MarkLine);
  connect(box, &QLineEdit::textChanged, lineTimer_, qOverload<>(&QTimer::start));
  box->installEventFilter(this);
  lineTimer_->start();
  service_.OnChanged([self = QPointer<SpellingBinding>(this)] {
    if (self) self->Refresh();
  });
}

SpellingBinding::~SpellingBinding() = default;

QString SpellingBinding::Text() const {
  if (plain_) return plain_->toPlainText();
  if (line_) return line_->text();
  return {};
}

std::vector<Span> SpellingBinding::Misspelt(const QString& text) const {
  Speller* speller = service_.Get();
  if (!speller || text.isEmpty()) return {};
  const std::string bytes = PerUnit(text);
  return speller->Misspelt(bytes, BoxProse(bytes, kind_));
}

std::vector<std::pair<int, int>> SpellingBinding::Marked() const {
  std::vector<std::pair<int, int>> marked;
  if (plain_) {
    for (QTextBlock block = plain_->document()->begin(); block.isValid(); block = block.next()) {
      for (const Span& s : Misspelt(block.text())) {
        marked.emplace_back(block.position() + static_cast<int>(s.start), static_cast<int>(s.length));
      }
    }
    return marked;
  }
  for (const Span& s : Misspelt(Text())) marked.emplace_back(static_cast<int>(s.start), static_cast<int>(s.length));
  return marked;
}

void SpellingBinding::Refresh() {
  if (highlighter_) highlighter_->rehighlight();
  if (line_) MarkLine();
}

void SpellingBinding::MarkLine() {
  // Marks sent now would end the composition the input method has under way.
  if (!line_ || composing_) return;
  QList<QInputMethodEvent::Attribute> attributes;
  const int cursor = line_->cursorPosition();
  const QTextCharFormat format = MisspeltFormat();
  for (const auto& [start, length] : Marked()) {
    attributes.append(QInputMethodEvent::Attribute(QInputMethodEvent::TextFormat, start - cursor, length,
                                                   QVariant::fromValue<QTextFormat>(format)));
  }
  QInputMethodEvent event(QString(), attributes);
  sending_ = true;
  QCoreApplication::sendEvent(line_, &event);
  sending_ = false;
}

void SpellingBinding::ReplaceWord(int start, int length, const QString& with) {
  if (plain_) {
    QTextCursor cursor(plain_->document());
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    cursor.insertText(with);
    plain_->setTextCursor(cursor);
  } else if (line_) {
    line_->setSelection(start, length);
    line_->insert(with);
  }
}

QMenu* SpellingBinding::MenuAt(int position) {
  QMenu* menu = plain_ ? plain_->createStandardContextMenu() : line_ ? line_->createStandardContextMenu() : new QMenu;
  Speller* speller = service_.Get();
  if (!speller) return menu;
  const QString text = Text();
  for (const auto& mark : Marked()) {
    // Named copies: older compilers cannot capture the parts of a structured binding.
    const int start = mark.first;
    const int length = mark.second;
    if (position < start || position > start + length) continue;
    const std::string word = PerUnit(text.mid(start, length));
    QAction* first = menu->actions().value(0);
    const std::vector<std::string> suggestions = speller->Suggestions(word);
    for (const std::string& suggestion : suggestions) {
      QAction* use = new QAction(qt::FromCp1252(suggestion), menu);
      use->setObjectName(QStringLiteral("mnuSuggestion"));
      connect(use, &QAction::triggered, this,
              [this, start, length, with = qt::FromCp1252(suggestion)] { ReplaceWord(start, length, with); });
      menu->insertAction(first, use);
    }
    if (suggestions.empty()) {
      QAction* none = new QAction(QStringLiteral("(No Suggestions)"), menu);
      none->setEnabled(false);
      menu->insertAction(first, none);
    }
    QAction* add = new QAction(QStringLiteral("Add to Dictionary"), menu);
    add->setObjectName(QStringLiteral("mnuAddToDictionary"));
    connect(add, &QAction::triggered, this, [this, word] { service_.AddToDictionary(word); });
    menu->insertAction(first, add);
    menu->insertSeparator(first);
    break;
  }
  return menu;
}

bool SpellingBinding::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::InputMethod && line_ && watched == line_ && !sending_) {
    composing_ = !static_cast<QInputMethodEvent*>(event)->preeditString().isEmpty();
    if (!composing_) lineTimer_->start();
  }
  if (event->type() != QEvent::ContextMenu || !service_.Get()) return QObject::eventFilter(watched, event);
  auto* menuEvent = static_cast<QContextMenuEvent*>(event);
  int position = -1;
  if (plain_ && watched == plain_->viewport()) position = plain_->cursorForPosition(menuEvent->pos()).position();
  if (line_ && watched == line_) position = line_->cursorPositionAt(menuEvent->pos());
  if (position < 0) return QObject::eventFilter(watched, event);
  QMenu* menu = MenuAt(position);
  menu->exec(menuEvent->globalPos());
  delete menu;
  return true;
}

}  // namespace zelmora::writing
