#include "adventure/frm_edit_room.h"

#include "ui/platform/code_page.h"
#include "ui/qt/code_page.h"
#include "ui/qt/controls.h"
#include "ui/qt/palette.h"
#include "ui/qt/twip_layout.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace zelmora::adventure {

using qt::FromCp1252;
using qt::Make;
using qt::PlaceTwips;

using qt::IndexedName;
using qt::Updating;

namespace {


// The form: the floor plan and the description on the left, the actions and the tools on the
// right, the action panel below the description. Twips.
constexpr int kFormWidth = 9360;
constexpr int kFormHeight = 6900;
constexpr int kLeft = 120;
constexpr int kColumnWidth = 4440;
constexpr int kRight = 4800;
constexpr int kWallsLeft = 600;
constexpr int kWallsTop = 420;
constexpr int kWallsWidth = 3480;
constexpr int kWallsHeight = 2160;
constexpr int kDoorWidth = 960;
constexpr int kDoorHeight = 240;
constexpr int kPanelTop = 4350;
constexpr int kPanelHeight = 1860;
constexpr int kToolsTop = 2220;
constexpr int kButtonRow = 6390;


Qt::CheckState QtCheck(CheckState state) {
  switch (state) {
    case CheckState::Checked: return Qt::Checked;
    case CheckState::Grey: return Qt::PartiallyChecked;
    case CheckState::Unchecked: break;
  }
  return Qt::Unchecked;
}

}  // namespace

frmEditRoom::frmEditRoom(messages::PlanetScript& script, platform::Prompter& prompter, RoomEditorWindows windows,
                         QWidget* parent)
    : QDialog(parent), prompter_(prompter) {
  qt::SetUpFixedDialog(this, "frmEditRoom", kFormWidth, kFormHeight);
  setWindowTitle(QStringLiteral("Edit Room"));
  BuildPlan();
  BuildActions();
  RoomEditorView& view = *this;
  model_ = std::make_unique<RoomEditor>(script, prompter, view, std::move(windows));
  cmdMap->setEnabled(model_->HasMap());
  for (QPushButton* button : findChildren<QPushButton*>()) button->setAutoDefault(false);
  Connect();
  model_->Repaint();
}

frmEditRoom::~frmEditRoom() {
  // The controls outlive the model by a moment; nothing they say while going may reach it.
  for (QObject* child : findChildren<QObject*>()) child->blockSignals(true);
}

void frmEditRoom::BuildPlan() {
  // Four walls around a light floor, the room's name in the middle and a door in each wall.
  shpWalls = Make<QFrame>(this, "shpWalls");
  shpWalls->setFrameStyle(QFrame::Box | QFrame::Plain);
  shpWalls->setLineWidth(4);
  shpWalls->setAutoFillBackground(true);
  QPalette floor = shpWalls->palette();
  floor.setColor(QPalette::Window, QColor(0xf4, 0xec, 0xd8));
  floor.setColor(QPalette::WindowText, qt::PaletteColour(8));
  shpWalls->setPalette(floor);
  PlaceTwips(shpWalls, kWallsLeft, kWallsTop, kWallsWidth, kWallsHeight);

  lblRoom = Make<QLabel>(shpWalls, "lblRoom", "Area1010");
  lblRoom->setAlignment(Qt::AlignCenter);
  QFont big = lblRoom->font();
  big.setPointSize(14);
  big.setBold(true);
  lblRoom->setFont(big);
  QPalette name = lblRoom->palette();
  name.setColor(QPalette::WindowText, qt::PaletteColour(0));
  lblRoom->setPalette(name);
  PlaceTwips(lblRoom, 120, kWallsHeight / 2 - 300, kWallsWidth - 240, 600);

  constexpr std::array<const char*, 4> kDoorCaptions = {"North", "East", "South", "West"};
  const std::array<QPoint, 4> kDoorAt = {
      QPoint(kWallsLeft + kWallsWidth / 2 - kDoorWidth / 2, kWallsTop - kDoorHeight / 2),
      QPoint(kWallsLeft + kWallsWidth - kDoorWidth / 2, kWallsTop + kWallsHeight / 2 - kDoorHeight / 2),
      QPoint(kWallsLeft + kWallsWidth / 2 - kDoorWidth / 2, kWallsTop + kWallsHeight - kDoorHeight / 2),
      QPoint(kWallsLeft - kDoorWidth / 2, kWallsTop + kWallsHeight / 2 - kDoorHeight / 2)};
  for (int d = 0; d < 4; ++d) {
    QLabel*& door = lblDoor[static_cast<std::size_t>(d)];
    door = Make<QLabel>(this, IndexedName("lblDoor", d).c_str(), kDoorCaptions[static_cast<std::size_t>(d)]);
    door->setAlignment(Qt::AlignCenter);
    door->setFrameStyle(QFrame::Panel | QFrame::Raised);
    door->setAutoFillBackground(true);
    QPalette wood = door->palette();
    wood.setColor(QPalette::Window, QColor(0x8b, 0x5a, 0x2b));
    wood.setColor(QPalette::WindowText, qt::PaletteColour(15));
    door->setPalette(wood);
    door->setCursor(Qt::PointingHandCursor);
    door->installEventFilter(this);
    const QPoint at = kDoorAt[static_cast<std::size_t>(d)];
    PlaceTwips(door, at.x(), at.y(), kDoorWidth, kDoorHeight);
    door->raise();
    door->hide();
  }

  lblRoomDesc = Make<QLabel>(this, "lblRoomDesc", "&Room Description:");
  PlaceTwips(lblRoomDesc, kLeft, 2820, 2400, 195);
  txtMessage = Make<QPlainTextEdit>(this, "txtMessage");
  txtMessage->setTabChangesFocus(true);
  txtMessage->installEventFilter(this);
  lblRoomDesc->setBuddy(txtMessage);
  PlaceTwips(txtMessage, kLeft, 3030, kColumnWidth, 1200);
}

void frmEditRoom::BuildActions() {
  for (int i = 0; i < kSlotCount; ++i) {
    QCheckBox*& box = chkAct[static_cast<std::size_t>(i)];
    box = Make<QCheckBox>(this, IndexedName("chkAct", i).c_str(), kSlotCaptions[static_cast<std::size_t>(i)]);
    box->setTristate(true);
    box->setBackgroundRole(QPalette::Window);
    box->setAutoFillBackground(true);
    box->installEventFilter(this);
    PlaceTwips(box, kRight, 120 + 285 * i, kColumnWidth, 255);
  }

  fraTools = Make<QGroupBox>(this, "fraTools");
  fraTools->setTitle(QStringLiteral("Tools"));
  PlaceTwips(fraTools, kRight, kToolsTop, kColumnWidth, kButtonRow - 180 - kToolsTop);
  lvwActions = Make<QTreeWidget>(fraTools, "lvwActions");
  lvwActions->setColumnCount(2);
  lvwActions->setHeaderLabels({QStringLiteral("Destination"), QStringLiteral("Action")});
  lvwActions->setRootIsDecorated(false);
  lvwActions->setUniformRowHeights(true);
  lvwActions->setAllColumnsShowFocus(true);
  lvwActions->header()->setStretchLastSection(true);
  lvwActions->setColumnWidth(0, qt::TwipsToPixels(1320));
  lvwActions->viewport()->installEventFilter(this);
  PlaceTwips(lvwActions, 120, 270, kColumnWidth - 240, 3060);
  cmdAdd = Make<QPushButton>(fraTools, "cmdAdd", "Add &Action");
  PlaceTwips(cmdAdd, 120, 3450, 1320, 375);
  cmdLock = Make<QPushButton>(fraTools, "cmdLock", "&Lock");
  PlaceTwips(cmdLock, 1560, 3450, 1200, 375);
  cmdAdvanced = Make<QPushButton>(fraTools, "cmdAdvanced", "&Advanced");
  PlaceTwips(cmdAdvanced, 2880, 3450, 1440, 375);

  fraAction = Make<QGroupBox>(this, "fraAction");
  fraAction->setTitle(QStringLiteral("Action"));
  PlaceTwips(fraAction, kLeft, kPanelTop, kColumnWidth, kPanelHeight);
  txtResponse = Make<QLineEdit>(fraAction, "txtResponse");
  PlaceTwips(txtResponse, 120, 300, kColumnWidth - 240, 315);
  chkDir = Make<QPushButton>(fraAction, "chkDir", "Direction");
  PlaceTwips(chkDir, 120, 780, 1200, 375);
  lblDest = Make<QLabel>(fraAction, "lblDest", "&Destination:");
  PlaceTwips(lblDest, 1440, 840, 1080, 195);
  txtDest = Make<QLineEdit>(fraAction, "txtDest");
  txtDest->setText(QStringLiteral("Room"));
  lblDest->setBuddy(txtDest);
  PlaceTwips(txtDest, 2520, 780, kColumnWidth - 2640, 315);
  cmdRemove = Make<QPushButton>(fraAction, "cmdRemove", "Remo&ve");
  PlaceTwips(cmdRemove, 120, 1320, 1200, 375);
  cmdEffect = Make<QPushButton>(fraAction, "cmdEffect", "&Edit Effect");
  PlaceTwips(cmdEffect, 1440, 1320, 1200, 375);

  cmdBack = Make<QPushButton>(this, "cmdBack", "Back to Previous Room");
  PlaceTwips(cmdBack, kLeft, kButtonRow, 2400, 375);
  cmdMap = Make<QPushButton>(this, "cmdMap", "Adventure &Map");
  PlaceTwips(cmdMap, kRight, kButtonRow, 1680, 375);
  cmdClose = Make<QPushButton>(this, "cmdClose", "&Close");
  PlaceTwips(cmdClose, kFormWidth - 120 - 1440, kButtonRow, 1440, 375);

  mnuPopup = new QMenu(this);
  mnuPopup->setObjectName(QStringLiteral("mnuPopup"));
  dirGroup_ = new QActionGroup(this);
  dirGroup_->setExclusive(true);
  for (int i = 0; i < kDirectionItems; ++i) {
    QAction*& item = mnuPDir[static_cast<std::size_t>(i)];
    item = mnuPopup->addAction(QLatin1String(kDirectionCaptions[static_cast<std::size_t>(i)]));
    item->setObjectName(QString::fromStdString(IndexedName("mnuPDir", i)));
    item->setCheckable(true);
    dirGroup_->addAction(item);
  }
}

void frmEditRoom::Connect() {
  connect(txtMessage, &QPlainTextEdit::textChanged, this, &frmEditRoom::DescriptionEdited);
  connect(txtResponse, &QLineEdit::textEdited, this, &frmEditRoom::ResponseEdited);
  connect(txtDest, &QLineEdit::textEdited, this, &frmEditRoom::DestinationEdited);
  for (int i = 0; i < kSlotCount; ++i) {
    connect(chkAct[static_cast<std::size_t>(i)], &QCheckBox::clicked, this, [this, i] { ActionClicked(i); });
  }
  connect(lvwActions, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    if (updating_) return;
    const int row = item ? lvwActions->indexOfTopLevelItem(item) : -1;
    model_->SelectRow(row >= 0 ? std::optional<int>(row) : std::nullopt);
  });
  connect(lvwActions, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
    if (listButton_ != Qt::LeftButton) return;
    model_->ActivateRow(lvwActions->indexOfTopLevelItem(item));
  });
  connect(chkDir, &QPushButton::clicked, this, &frmEditRoom::PopUpDirections);
  for (int i = 0; i < kDirectionItems; ++i) {
    connect(mnuPDir[static_cast<std::size_t>(i)], &QAction::triggered, this, [this, i] {
      if (!updating_) model_->ChooseDirection(i);
    });
  }
  connect(cmdAdd, &QPushButton::clicked, this, [this] { model_->Add(); });
  connect(cmdRemove, &QPushButton::clicked, this, [this] { model_->Remove(); });
  connect(cmdEffect, &QPushButton::clicked, this, [this] { model_->Effect(); });
  connect(cmdLock, &QPushButton::clicked, this, [this] { model_->Lock(); });
  connect(cmdAdvanced, &QPushButton::clicked, this, [this] { model_->Advanced(); });
  connect(cmdBack, &QPushButton::clicked, this, [this] { model_->Back(); });
  connect(cmdMap, &QPushButton::clicked, this, [this] { model_->Map(); });
  connect(cmdClose, &QPushButton::clicked, this, [this] { model_->Close(); });
}

bool frmEditRoom::Prepare(const std::string& room) { return model_->Begin(room); }

std::optional<std::string> frmEditRoom::Run(const std::string& room) {
  if (!Prepare(room)) return std::nullopt;
  exec();
  return model_->Label();
}

// ---- events to the model

std::optional<std::string> frmEditRoom::Typed(const QString& text) {
  return qt::TypedCp1252(text, prompter_);
}

void frmEditRoom::DescriptionEdited() {
  if (updating_) return;
  const QString typed = txtMessage->toPlainText();
  if (auto bytes = Typed(typed)) model_->TypeDescription(*bytes);
  // A refused character, or text beyond the description's room: the box shows what is stored.
  const QString stored = FromCp1252(model_->Screen().description.text);
  if (txtMessage->toPlainText() != stored) {
    const int position = std::min<int>(txtMessage->textCursor().position(), static_cast<int>(stored.size()));
    Updating guard(updating_);
    txtMessage->setPlainText(stored);
    QTextCursor cursor = txtMessage->textCursor();
    cursor.setPosition(position);
    txtMessage->setTextCursor(cursor);
  }
}

void frmEditRoom::ResponseEdited(const QString& text) {
  if (updating_) return;
  auto bytes = Typed(text);
  if (!bytes || !model_->TypeResponse(*bytes)) ShowPanel(model_->Screen().panel);
}

void frmEditRoom::DestinationEdited(const QString& text) {
  if (updating_) return;
  auto bytes = Typed(text);
  if (!bytes || !model_->TypeDestination(*bytes)) ShowPanel(model_->Screen().panel);
}

void frmEditRoom::ActionClicked(int slot) {
  if (updating_) return;
  model_->ClickAction(slot);
  // The box changed its own state on the click; it shows the model's.
  ShowChecks(model_->Screen().checks);
}

void frmEditRoom::PopUpDirections() {
  // The button only opens the menu; it never stays pressed.
  mnuPopup->setDefaultAction(mnuPDir[static_cast<std::size_t>(model_->Screen().panel.direction)]);
  mnuPopup->exec(chkDir->mapToGlobal(QPoint(0, chkDir->height())));
  txtResponse->setFocus();
}

bool frmEditRoom::eventFilter(QObject* watched, QEvent* event) {
  if (!model_) return QDialog::eventFilter(watched, event);  // still being built
  const auto type = event->type();
  for (int d = 0; d < 4; ++d) {
    if (watched == lblDoor[static_cast<std::size_t>(d)] && type == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
      model_->ClickDoor(d);
      return true;
    }
  }
  for (int i = 0; i < kSlotCount; ++i) {
    if (watched == chkAct[static_cast<std::size_t>(i)] && (type == QEvent::Enter || type == QEvent::MouseMove)) {
      model_->HoverAction(i);
    }
  }
  if (watched == lvwActions->viewport() &&
      (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)) {
    listButton_ = static_cast<QMouseEvent*>(event)->button();
    lvwActions->setFocus();
  }
  if (watched == txtMessage && type == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) return true;  // one line
  }
  return QDialog::eventFilter(watched, event);
}

// ---- the model's view

void frmEditRoom::ShowHeader(const RoomHeader& header) {
  lblRoom->setText(FromCp1252(header.room));
  setWindowTitle(FromCp1252(header.caption));
  cmdBack->setEnabled(header.backEnabled);
}

void frmEditRoom::ShowDoors(const std::array<DoorState, 4>& doors) {
  for (int d = 0; d < 4; ++d) {
    QLabel* door = lblDoor[static_cast<std::size_t>(d)];
    const DoorState& state = doors[static_cast<std::size_t>(d)];
    door->setText(FromCp1252(state.caption));
    door->setToolTip(state.caption.empty() ? QString() : QStringLiteral("Go to ") + FromCp1252(state.caption));
    door->setVisible(state.visible);
  }
}

void frmEditRoom::ShowDescription(const DescriptionState& description) {
  const QString text = FromCp1252(description.text);
  if (txtMessage->toPlainText() == text) return;
  Updating guard(updating_);
  txtMessage->setPlainText(text);
  txtMessage->moveCursor(QTextCursor::End);
}

void frmEditRoom::ShowChecks(const std::array<CheckState, kSlotCount>& checks) {
  Updating guard(updating_);
  for (int i = 0; i < kSlotCount; ++i) {
    chkAct[static_cast<std::size_t>(i)]->setCheckState(QtCheck(checks[static_cast<std::size_t>(i)]));
  }
}

void frmEditRoom::ShowHighlight(std::optional<int> slot) {
  for (int i = 0; i < kSlotCount; ++i) {
    QCheckBox* box = chkAct[static_cast<std::size_t>(i)];
    QPalette pal = QApplication::palette(box);
    if (slot == i) {
      pal.setColor(QPalette::Window, pal.color(QPalette::Highlight));
      pal.setColor(QPalette::WindowText, pal.color(QPalette::HighlightedText));
    }
    box->setPalette(pal);
  }
}

void frmEditRoom::ShowRows(const std::vector<ActionRow>& rows) {
  Updating guard(updating_);
  // Rows are changed in place while typing, so the list keeps its place.
  if (lvwActions->topLevelItemCount() != static_cast<int>(rows.size())) {
    lvwActions->clear();
    for (std::size_t i = 0; i < rows.size(); ++i) new QTreeWidgetItem(lvwActions);
  }
  for (std::size_t i = 0; i < rows.size(); ++i) {
    QTreeWidgetItem* item = lvwActions->topLevelItem(static_cast<int>(i));
    item->setText(0, FromCp1252(rows[i].destination));
    item->setText(1, FromCp1252(rows[i].text));
    item->setData(0, Qt::UserRole, QStringLiteral("R%1").arg(rows[i].number));
  }
}

void frmEditRoom::ShowSelectedRow(std::optional<int> row) {
  Updating guard(updating_);
  QTreeWidgetItem* item = row ? lvwActions->topLevelItem(*row) : nullptr;
  if (item) {
    lvwActions->setCurrentItem(item);
  } else {
    lvwActions->setCurrentItem(nullptr);
    lvwActions->clearSelection();
  }
}

void frmEditRoom::ShowPanel(const ActionPanelState& panel) {
  Updating guard(updating_);
  for (QWidget* w : std::initializer_list<QWidget*>{txtResponse, txtDest, lblDest, cmdRemove, cmdEffect, chkDir}) {
    w->setVisible(panel.shown);
  }
  txtResponse->setMaxLength(panel.maxLength);
  const QString text = FromCp1252(panel.text);
  if (txtResponse->text() != text) txtResponse->setText(text);
  const QString destination = FromCp1252(panel.destination);
  if (txtDest->text() != destination) txtDest->setText(destination);
  chkDir->setText(FromCp1252(panel.directionCaption));
  mnuPDir[static_cast<std::size_t>(panel.direction)]->setChecked(true);
}

void frmEditRoom::FocusDescription() {
  if (isVisible()) txtMessage->setFocus();
}

void frmEditRoom::FocusResponse() {
  txtResponse->setFocus();
  txtResponse->selectAll();
}

void frmEditRoom::HideWindow() {
  if (isVisible()) done(QDialog::Accepted);
}

}  // namespace zelmora::adventure
