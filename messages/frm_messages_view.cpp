// The message editor window's bindings: control events to the model, the model's view to the
// controls.
#include "messages/direction_picture_widget.h"
#include "messages/frm_messages.h"
#include "ui/platform/code_page.h"
#include "ui/qt/code_page.h"
#include "ui/qt/controls.h"
#include "ui/qt/palette.h"
#include "ui/qt/twip_layout.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

namespace zelmora::messages {

using qt::FromCp1252;
using qt::PlaceTwips;

using qt::Updating;

namespace {

constexpr std::array<const char*, 5> kPlaceholders = {"%NM", "%RK", "%AN", "%KL", "%BG"};
constexpr int kListTop = 240;
constexpr int kListHeight = 1815;
constexpr int kListWidth = 6120;
constexpr int kGrownHeight = 2100;  // down to the information preview
constexpr int kButtonRow = 2130;
constexpr int kGrownButtonRow = 2400;
constexpr int kActionListFull = 1755;
constexpr int kActionListCompact = 1035;


void SetCombo(QComboBox* box, const ComboState& state) {
  QStringList items;
  for (const auto& item : state.items) items.append(FromCp1252(item));
  QStringList current;
  for (int i = 0; i < box->count(); ++i) current.append(box->itemText(i));
  if (current != items) {
    box->clear();
    box->addItems(items);
  }
  const QString text = FromCp1252(state.text);
  const int at = box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
  box->setCurrentIndex(at);
  if (box->lineEdit() && box->lineEdit()->text() != text) box->lineEdit()->setText(text);
  box->setEnabled(state.enabled);
}

void SetTextColour(QWidget* w, bool red, QPalette::ColorRole role) {
  QPalette pal = w->palette();
  pal.setColor(role, red ? qt::PaletteColour(12) : QApplication::palette(w).color(role));
  w->setPalette(pal);
}

}  // namespace

// ---- events to the model

void frmMessages::Connect() {
  connect(dirGroup_, &QButtonGroup::idClicked, this, [this](int id) {
    if (!updating_) model_->SelectDirection(static_cast<Direction>(id));
  });
  connect(tmrAnim, &QTimer::timeout, picDirection, &DirectionPicture::Tick);
  connect(cboGroup->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
    if (updating_) return;
    if (auto bytes = Typed(text)) {
      model_->TypeGroup(*bytes);
    } else {
      ShowGroupBox(model_->GroupBox());
    }
  });
  connect(cboGroup, &QComboBox::activated, this, [this](int index) {
    if (!updating_) model_->ChooseGroup(index);
  });
  connect(cmdAddGroup, &QPushButton::clicked, this, [this] { model_->AddGroup(); });
  connect(lstMessages, &QListWidget::currentRowChanged, this, [this](int row) {
    if (!updating_) model_->SelectLine(row >= 0 ? std::optional<int>(row) : std::nullopt);
  });
  connect(lstMessages, &QListWidget::itemDoubleClicked, this, [this] { model_->Edit(); });
  connect(lstMessages, &QListWidget::customContextMenuRequested, this, &frmMessages::ListMenu);
  connect(cmdNew, &QPushButton::clicked, this, [this] { model_->New(); });
  connect(cmdEdit, &QPushButton::clicked, this, [this] { model_->Edit(); });
  connect(cmdRemove, &QPushButton::clicked, this, [this] { model_->Remove(); });
  connect(cmdClearAll, &QPushButton::clicked, this, [this] { model_->ClearAll(); });
  connect(cmdSwap[0], &QPushButton::clicked, this, [this] { model_->MoveUp(); });
  connect(cmdSwap[1], &QPushButton::clicked, this, [this] { model_->MoveDown(); });
  connect(cmdGo, &QPushButton::clicked, this, [this] { model_->GoToAnswer(); });
  connect(cmdTest, &QPushButton::clicked, this, [this] { model_->Test(); });
  connect(mnuEdit, &QAction::triggered, this, [this] { model_->Edit(); });
  connect(mnuRemove, &QAction::triggered, this, [this] { model_->Remove(); });
  connect(mnuGo, &QAction::triggered, this, [this] { model_->GoToAnswer(); });
  connect(chkCustom, &QCheckBox::clicked, this, [this](bool ticked) { model_->SetCustom(ticked); });
  connect(chkUntested, &QCheckBox::clicked, this, [this](bool ticked) { model_->MarkUntested(ticked); });
  connect(cmdEditRoom, &QPushButton::clicked, this, [this] { model_->EditRoom(); });
  connect(cmdWizard, &QPushButton::clicked, this, [this] { model_->Wizard(); });
  connect(cmdIssues, &QPushButton::clicked, this, [this] { model_->Issues(); });
  connect(cmdTestHere, &QPushButton::clicked, this, [this] { model_->TestFromHere(); });
  connect(cmdScriptMap, &QPushButton::clicked, this, [this] { model_->Map(); });
  connect(cmdFind, &QPushButton::clicked, this, [this] { model_->Find(); });
  for (const bool replacing : {false, true}) {
    const QKeySequence keys = replacing ? QKeySequence(Qt::CTRL | Qt::Key_H) : QKeySequence(QKeySequence::Find);
    connect(new QShortcut(keys, this), &QShortcut::activated, this, [this, replacing] { model_->Find(replacing); });
  }
  connect(cmdRenameGroup, &QPushButton::clicked, this, [this] { model_->RenameGroup(); });
  connect(cmdClose, &QPushButton::clicked, this, [this] { model_->Close(); });
  connect(cmdSave, &QPushButton::clicked, this, [this] { model_->Save(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { model_->Cancel(); });
  connect(cmdDelete, &QPushButton::clicked, this, [this] { model_->Delete(); });
  connect(txtMessage, &QPlainTextEdit::textChanged, this, &frmMessages::TextEdited);
}

void frmMessages::ConnectPane() {
  connect(cboAnswerGroup->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
    if (updating_) return;
    auto bytes = Typed(text);
    if (!bytes || !model_->TypeAnswer(*bytes)) ShowAnswerBox(model_->AnswerBox());
  });
  connect(cboAnswerGroup->lineEdit(), &QLineEdit::editingFinished, this, [this] {
    // An emptied box stands for the item's own group.
    if (!updating_ && cboAnswerGroup->lineEdit()->text().isEmpty()) model_->TypeAnswer({});
  });
  connect(cboAnswerGroup, &QComboBox::activated, this, [this](int index) {
    if (!updating_) model_->ChooseAnswer(index);
  });
  connect(vsbWait, &QScrollBar::valueChanged, this, [this](int position) {
    if (!updating_) model_->SetWait(vsbWait->maximum() - position + vsbWait->minimum());
  });
  connect(vsbPercent, &QScrollBar::valueChanged, this, [this](int position) {
    if (!updating_) model_->SetChance(vsbPercent->maximum() - position + vsbPercent->minimum());
  });
  connect(displayGroup_, &QButtonGroup::idClicked, this, [this](int id) {
    if (!updating_) model_->SetDisplay(id == 1 ? DisplayKind::Box : id == 2 ? DisplayKind::Custom : DisplayKind::Standard);
  });
  connect(txtDisplay, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (updating_) return;
    auto bytes = Typed(text);
    if (!bytes || !model_->TypeTitle(*bytes)) ShowPane(model_->Pane());
  });
  connect(cboSpecial, &QComboBox::activated, this, [this](int index) {
    if (!updating_) model_->ChooseCatalogue(index >= 0 ? std::optional<int>(index) : std::nullopt);
  });
  connect(lstSpecial, &QListWidget::currentRowChanged, this, [this](int row) {
    if (!updating_) model_->SelectAction(row >= 0 ? std::optional<int>(row) : std::nullopt);
  });
  connect(lstSpecial, &QListWidget::itemDoubleClicked, this, [this] { model_->EditAction(); });
  connect(cmdSpAdd, &QPushButton::clicked, this, [this] { model_->AddAction(); });
  connect(cmdSpDelete, &QPushButton::clicked, this, [this] { model_->DeleteAction(); });
  connect(cmdSpEdit, &QPushButton::clicked, this, [this] { model_->EditAction(); });
}

std::optional<std::string> frmMessages::Typed(const QString& text) {
  return qt::TypedCp1252(text, prompter_);
}

void frmMessages::TextEdited() {
  if (updating_) return;
  const QString text = txtMessage->toPlainText();
  if (auto bytes = Typed(text)) {
    shownText_ = *bytes;
    model_->TypeText(*bytes);
    return;
  }
  // Put back what was there, with the caret where the refused text began.
  QTextCursor cursor = txtMessage->textCursor();
  const int position = std::min<int>(cursor.position(), static_cast<int>(shownText_.size()));
  {
    Updating guard(updating_);
    txtMessage->setPlainText(FromCp1252(shownText_));
  }
  cursor = txtMessage->textCursor();
  cursor.setPosition(position);
  txtMessage->setTextCursor(cursor);
}

void frmMessages::InsertPlaceholder(int index) {
  if (!txtMessage->isVisible() || !lblInsert[static_cast<std::size_t>(index)]->isVisible()) return;
  txtMessage->insertPlainText(QLatin1String(kPlaceholders[static_cast<std::size_t>(index)]));
  txtMessage->setFocus();
}

bool frmMessages::eventFilter(QObject* watched, QEvent* event) {
  if (!model_) return QDialog::eventFilter(watched, event);  // still being built
  const auto type = event->type();
  if (watched == txtMessage && type == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) return true;  // one line
  }
  if (watched == cmdAddGroup && (type == QEvent::KeyPress || type == QEvent::KeyRelease) &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
    return true;
  }
  if (watched == txtDisplay && type == QEvent::FocusIn) {
    QTimer::singleShot(0, txtDisplay, &QLineEdit::selectAll);
  }
  for (int i = 0; i < 5; ++i) {
    if (watched == lblInsert[static_cast<std::size_t>(i)] && type == QEvent::MouseButtonPress) {
      InsertPlaceholder(i);
      return true;
    }
  }
  if (watched == lstMessages->viewport() && type == QEvent::MouseMove) {
    ListMouseMove(static_cast<QMouseEvent*>(event)->position().toPoint());
  }
  if (watched == fraMessages && type == QEvent::MouseMove) HideTooltip();
  if (watched == picTooltip && tooltipLine_ >= 0) {
    if (type == QEvent::MouseButtonPress) {
      auto* mouse = static_cast<QMouseEvent*>(event);
      lstMessages->setCurrentRow(tooltipLine_);
      if (mouse->button() == Qt::RightButton) {
        ListMenu(lstMessages->viewport()->mapFrom(fraMessages, picTooltip->geometry().topLeft()));
      }
      return true;
    }
    if (type == QEvent::MouseButtonDblClick) {
      lstMessages->setCurrentRow(tooltipLine_);
      HideTooltip();
      model_->Edit();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

// ---- tooltips and the list menu

void frmMessages::ListMouseMove(QPoint at) {
  const int rowHeight = std::max(1, QFontMetrics(lstMessages->font()).height());
  const int first = lstMessages->indexAt(QPoint(0, 0)).row();
  const int line = std::max(0, first) + at.y() / rowHeight;
  if (line == tooltipLine_ && picTooltip->isVisible()) return;
  HideTooltip();
  if (line < 0 || line >= lstMessages->count()) return;
  const QString text = lstMessages->item(line)->text();
  const int available = lstMessages->viewport()->width() - qt::TwipsToPixels(120);
  if (QFontMetrics(lstMessages->font()).horizontalAdvance(text) <= available) return;
  ShowTooltip(line);
}

void frmMessages::ShowTooltip(int line) {
  QListWidgetItem* item = lstMessages->item(line);
  const QRect row = lstMessages->visualItemRect(item);
  const QPoint topLeft = lstMessages->viewport()->mapTo(fraMessages, row.topLeft());
  const int left = lstMessages->x() + qt::TwipsToPixels(30);
  const int width = fraMessages->width() - left - qt::TwipsToPixels(60);
  lblTooltip->setText(item->text());
  lblTooltip->setFixedWidth(width - 6);
  lblTooltip->adjustSize();
  const bool selected = lstMessages->currentRow() == line;
  QPalette pal = picTooltip->palette();
  pal.setColor(QPalette::Window, selected ? pal.color(QPalette::Highlight) : pal.color(QPalette::ToolTipBase));
  pal.setColor(QPalette::WindowText, selected ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::ToolTipText));
  picTooltip->setPalette(pal);
  lblTooltip->setPalette(pal);
  lblTooltip->move(3, 2);
  picTooltip->setGeometry(left, topLeft.y() + 1, width, lblTooltip->height() + 4);
  picTooltip->raise();
  picTooltip->show();
  tooltipLine_ = line;
}

void frmMessages::HideTooltip() {
  picTooltip->hide();
  tooltipLine_ = -1;
}

void frmMessages::ListMenu(QPoint at) {
  const int row = lstMessages->indexAt(at).row();
  if (row < 0) return;
  lstMessages->setCurrentRow(row);
  mnuPopup->popup(lstMessages->viewport()->mapToGlobal(at));
}

// ---- the model's view

void frmMessages::ShowFrame(const FrameState& frame) {
  Updating guard(updating_);
  optDir[static_cast<std::size_t>(frame.direction)]->setChecked(true);
  if (picDirection->GetDirection() != frame.direction) picDirection->SetDirection(frame.direction);
  fraMessages->setTitle(FromCp1252(frame.caption));
  lstMessages->setVisible(!frame.editing);
  txtMessage->setVisible(frame.editing);
  PlaceTwips(txtMessage, 120, kListTop, kListWidth, frame.infoPreview ? kGrownHeight : kListHeight);
  // The information text has no placeholders, so its buttons take the placeholders' row.
  for (QPushButton* b : {cmdSave, cmdCancel, cmdDelete, cmdGo}) {
    b->move(b->x(), qt::TwipsToPixels(frame.infoPreview ? kGrownButtonRow : kButtonRow));
  }
  pnlInfo->setVisible(frame.infoPreview);
  if (frame.infoPreview) pnlInfo->raise();
  if (frame.editing) HideTooltip();
  if (frame.animating && !tmrAnim->isActive()) tmrAnim->start();
  if (!frame.animating) tmrAnim->stop();
}

void frmMessages::ShowGroupBox(const ComboState& box) {
  Updating guard(updating_);
  SetCombo(cboGroup, box);
}

void frmMessages::ShowAnswerBox(const ComboState& box) {
  Updating guard(updating_);
  SetCombo(cboAnswerGroup, box);
}

void frmMessages::ShowListLines(const std::vector<std::string>& lines) {
  Updating guard(updating_);
  HideTooltip();
  QStringList items;
  items.reserve(static_cast<qsizetype>(lines.size()));
  for (const auto& line : lines) items.append(FromCp1252(line));
  lstMessages->clear();
  lstMessages->addItems(items);
}

void frmMessages::ShowListSelection(std::optional<int> selected) {
  Updating guard(updating_);
  lstMessages->setCurrentRow(selected.value_or(-1));
  if (!selected) lstMessages->clearSelection();
}

void frmMessages::ShowButtons(const ButtonState& b) {
  cmdAddGroup->setEnabled(b.addGroup);
  for (QPushButton* w : {cmdNew, cmdEdit, cmdRemove, cmdClearAll, cmdSwap[0], cmdSwap[1], cmdTest}) {
    w->setVisible(b.listCommandsVisible);
  }
  for (QPushButton* w : {cmdSave, cmdCancel, cmdDelete}) w->setVisible(b.editCommandsVisible);
  for (QLabel* l : lblInsert) l->setVisible(b.insertLabelsVisible);
  cmdNew->setEnabled(b.newItem);
  cmdEdit->setEnabled(b.edit);
  mnuEdit->setEnabled(b.edit);
  cmdRemove->setEnabled(b.remove);
  mnuRemove->setEnabled(b.remove);
  cmdClearAll->setEnabled(b.clearAll);
  cmdSwap[0]->setEnabled(b.up);
  cmdSwap[1]->setEnabled(b.down);
  cmdGo->setEnabled(b.go);
  mnuGo->setEnabled(b.go);
  cmdTest->setEnabled(b.test);
  cmdEditRoom->setEnabled(b.editRoom);
  cmdWizard->setEnabled(b.wizard);
  cmdIssues->setEnabled(b.issues);
  cmdTestHere->setEnabled(b.testFrom);
  cmdScriptMap->setEnabled(b.map);
  cmdFind->setEnabled(b.find);
  cmdRenameGroup->setEnabled(b.renameGroup);
  cmdSave->setEnabled(b.save);
  cmdCancel->setEnabled(b.cancel);
  cmdDelete->setEnabled(b.del);
}

void frmMessages::ShowText(const std::string& text) {
  shownText_ = text;
  const QString shown = FromCp1252(text);
  if (txtMessage->toPlainText() == shown) return;
  Updating guard(updating_);
  txtMessage->setPlainText(shown);
}

void frmMessages::ShowPane(const PaneState& pane) {
  Updating guard(updating_);
  fraOptions->setEnabled(pane.optionsEnabled);
  for (QWidget* w : {static_cast<QWidget*>(lblWaitFor), static_cast<QWidget*>(vsbWait), static_cast<QWidget*>(lblWait)}) {
    w->setEnabled(pane.waitEnabled);
  }
  vsbWait->setValue(vsbWait->maximum() + vsbWait->minimum() - pane.wait);
  vsbPercent->setValue(vsbPercent->maximum() + vsbPercent->minimum() - pane.chance);
  lblWait->setText(FromCp1252(pane.waitCaption));
  lblPercent->setText(FromCp1252(pane.chanceCaption));
  fraDisplay->setEnabled(pane.displayEnabled);
  optDisplay[static_cast<std::size_t>(pane.display)]->setChecked(true);
  if (txtDisplay->text() != FromCp1252(pane.title)) txtDisplay->setText(FromCp1252(pane.title));
  txtDisplay->setEnabled(pane.titleEnabled);
  fraActions->setEnabled(pane.actionsEnabled);
  PlaceTwips(lstSpecial, 120, 240, kListWidth, pane.actionsCompact ? kActionListCompact : kActionListFull);
  for (QWidget* w : {static_cast<QWidget*>(cboSpecial), static_cast<QWidget*>(cmdSpAdd),
                     static_cast<QWidget*>(cmdSpDelete), static_cast<QWidget*>(cmdSpEdit)}) {
    w->setVisible(pane.actionsCompact);
  }
  cboSpecial->setCurrentIndex(pane.catalogueChoice.value_or(-1));
  cmdSpAdd->setEnabled(pane.add);
  cmdSpDelete->setEnabled(pane.actionDelete);
  cmdSpEdit->setEnabled(pane.actionEdit);
}

void frmMessages::ShowActions(const ActionListState& actions) {
  Updating guard(updating_);
  QStringList items;
  for (const auto& line : actions.lines) items.append(FromCp1252(line));
  QStringList current;
  for (int i = 0; i < lstSpecial->count(); ++i) current.append(lstSpecial->item(i)->text());
  if (current != items) {
    lstSpecial->clear();
    lstSpecial->addItems(items);
  }
  lstSpecial->setCurrentRow(actions.selected.value_or(-1));
  if (!actions.selected) lstSpecial->clearSelection();
}

void frmMessages::ShowLength(const LengthState& length) {
  lblLength->setText(FromCp1252(length.caption));
  SetTextColour(lblLength, length.lengthRed, QPalette::WindowText);
  SetTextColour(txtMessage, length.textRed, QPalette::Text);
  lblError->setText(FromCp1252(length.warning));
  lblError->setVisible(!length.warning.empty());
}

void frmMessages::ShowInfoPreview(const std::string& text) { lblM1Text->setText(FromCp1252(text)); }

void frmMessages::ShowWords(const std::string& words) { lblWords->setText(FromCp1252(words)); }

void frmMessages::ShowCustom(bool ticked) { chkCustom->setChecked(ticked); }

void frmMessages::ShowUntested(const UntestedMarks& marks) {
  chkUntested->setVisible(marks.available);
  chkUntested->setChecked(marks.on);
  chkUntested->setToolTip(marks.summary.empty()
                              ? QStringLiteral("Marks the items that none of this planet's recorded tests played")
                              : FromCp1252(marks.summary));
  // A marker-pen yellow: the lines still read as they are, and stand out.
  const QBrush marked(QColor(255, 236, 140));
  for (int row = 0; row < lstMessages->count(); ++row) {
    const auto at = static_cast<std::size_t>(row);
    lstMessages->item(row)->setBackground(at < marks.rows.size() && marks.rows[at] ? marked : QBrush());
  }
}

void frmMessages::FocusTextAtEnd() {
  txtMessage->setFocus();
  txtMessage->moveCursor(QTextCursor::End);
}

void frmMessages::FocusTitle() {
  txtDisplay->setFocus();
  txtDisplay->selectAll();
}

void frmMessages::SetBusy(bool busy) {
  if (busy) {
    if (busy_++ == 0) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  } else if (busy_ > 0 && --busy_ == 0) {
    QGuiApplication::restoreOverrideCursor();
  }
}

void frmMessages::HideWindow() {
  HideTooltip();
  if (isVisible()) done(QDialog::Rejected);
}

}  // namespace zelmora::messages
