#include "messages/frm_messages.h"

#include "messages/direction_picture_widget.h"
#include "ui/platform/code_page.h"
#include "ui/qt/code_page.h"
#include "ui/qt/controls.h"
#include "ui/qt/palette.h"
#include "ui/qt/twip_layout.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
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
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>

namespace zelmora::messages {

using qt::FromCp1252;
using qt::Make;
using qt::PlaceTwips;

using qt::IndexedName;

namespace {


// The form: a left column with direction and group, the list frame at the top right and the item
// pane below it. Twips.
constexpr int kFormWidth = 9000;
constexpr int kFormHeight = 7470;
constexpr int kLeftWidth = 2280;
constexpr int kRight = 2520;
constexpr int kRightWidth = 6360;
constexpr int kListTop = 240;
constexpr int kListHeight = 1815;
constexpr int kListWidth = 6120;
constexpr int kButtonRow = 2130;
constexpr int kInsertRow = 2580;
constexpr int kLengthRow = 2850;
constexpr int kFrameHeight = 3180;
constexpr int kPaneTop = 3300;
constexpr int kActionsTop = 5220;
constexpr int kOptionsWidth = 3660;
constexpr int kActionListFull = 1755;

constexpr std::array<const char*, 5> kInsertCaptions = {"Name", "Rank", "Alien Name", "Drevani", "BadGuy"};
constexpr std::array<const char*, 5> kPlaceholders = {"%NM", "%RK", "%AN", "%KL", "%BG"};

}  // namespace

frmMessages::frmMessages(PlanetScript& script, SpecialActionList catalogue, platform::Prompter& prompter,
                         MessageEditorWindows windows, QWidget* parent)
    : QDialog(parent), prompter_(prompter) {
  qt::SetUpFixedDialog(this, "frmMessages", kFormWidth, kFormHeight);
  setWindowTitle(QStringLiteral("Planet Messages"));
  if (!windows.measureTwips) {
    windows.measureTwips = [metrics = QFontMetrics(qt::DialogFont())](const std::string& text) {
      return qt::PixelsToTwips(metrics.horizontalAdvance(FromCp1252(text)));
    };
  }
  BuildDirectionColumn();
  BuildListFrame();
  BuildPane();
  BuildInfoPanel();
  for (const auto& action : catalogue) cboSpecial->addItem(FromCp1252(action.Line));
  MessageEditorView& view = *this;
  model_.reset(new MessageEditor(script, std::move(catalogue), prompter, view, std::move(windows)));
  // Enter belongs to the box being typed in, never to a default button.
  for (QPushButton* button : findChildren<QPushButton*>()) button->setAutoDefault(false);
  Connect();
  ConnectPane();
  model_->Repaint();
}

frmMessages::~frmMessages() {
  // The controls outlive the model by a moment; nothing they say while going may reach it.
  for (QObject* child : findChildren<QObject*>()) child->blockSignals(true);
}

void frmMessages::BuildDirectionColumn() {
  fraDirection = Make<QGroupBox>(this, "fraDirection");
  fraDirection->setTitle(QStringLiteral("Direction"));
  PlaceTwips(fraDirection, 120, 60, kLeftWidth, 1200);
  dirGroup_ = new QButtonGroup(this);
  constexpr std::array<const char*, 3> kDirections = {"Message", "Information", "Response"};
  for (int i = 0; i < 3; ++i) {
    optDir[static_cast<std::size_t>(i)] =
        Make<QRadioButton>(fraDirection, IndexedName("optDir", i).c_str(), kDirections[static_cast<std::size_t>(i)]);
    PlaceTwips(optDir[static_cast<std::size_t>(i)], 120, 270 + 285 * i, 1260, 255);
    dirGroup_->addButton(optDir[static_cast<std::size_t>(i)], i);
  }
  picDirection = new DirectionPicture(fraDirection);
  PlaceTwips(picDirection, 1440, 300, 720, 720);
  tmrAnim = new QTimer(this);
  tmrAnim->setObjectName(QStringLiteral("tmrAnim"));
  tmrAnim->setInterval(150);

  lblGroup = Make<QLabel>(this, "lblGroup", "Group:");
  PlaceTwips(lblGroup, 120, 1380, kLeftWidth, 195);
  cboGroup = Make<QComboBox>(this, "cboGroup");
  cboGroup->setEditable(true);
  cboGroup->setInsertPolicy(QComboBox::NoInsert);
  qt::LimitDropDown(cboGroup);
  PlaceTwips(cboGroup, 120, 1590, kLeftWidth, 315);
  // Alt+D belongs to "&Delete", which shows beside it while an item is edited.
  cmdAddGroup = Make<QPushButton>(this, "cmdAddGroup", "Add Grou&p");
  PlaceTwips(cmdAddGroup, 120, 1980, kLeftWidth, 375);
  cmdAddGroup->installEventFilter(this);

  chkCustom = Make<QCheckBox>(this, "chkCustom", "Use Custom Messages");
  PlaceTwips(chkCustom, 120, 2580, kLeftWidth, 255);
  chkUntested = Make<QCheckBox>(this, "chkUntested", "Mark Never Pla&yed");
  PlaceTwips(chkUntested, 120, 2895, kLeftWidth, 255);
  chkUntested->hide();
  cmdEditRoom = Make<QPushButton>(this, "cmdEditRoom", "Edit R&oom");
  PlaceTwips(cmdEditRoom, 120, 3300, kLeftWidth, 375);
  cmdWizard = Make<QPushButton>(this, "cmdWizard", "Adventure &Wizard");
  PlaceTwips(cmdWizard, 120, 3750, kLeftWidth, 375);
  cmdIssues = Make<QPushButton>(this, "cmdIssues", "Script Iss&ues");
  cmdIssues->setToolTip(QStringLiteral("Lists what a player could never see and where a player could get stuck"));
  PlaceTwips(cmdIssues, 120, 4320, kLeftWidth, 375);
  cmdTestHere = Make<QPushButton>(this, "cmdTestHere", "Test from &Here");
  cmdTestHere->setToolTip(QStringLiteral("Starts a test at this group: its messages first, or its responses at once"));
  PlaceTwips(cmdTestHere, 120, 4770, kLeftWidth, 375);
  cmdScriptMap = Make<QPushButton>(this, "cmdScriptMap", "Scr&ipt Map");
  cmdScriptMap->setToolTip(QStringLiteral("Draws every group and every link between them on one sheet"));
  PlaceTwips(cmdScriptMap, 120, 5220, kLeftWidth, 375);
  cmdFind = Make<QPushButton>(this, "cmdFind", "&Find...");
  cmdFind->setToolTip(QStringLiteral("Finds and replaces text in the messages, never touching a code"));
  PlaceTwips(cmdFind, 120, 5670, kLeftWidth, 375);
  cmdRenameGroup = Make<QPushButton>(this, "cmdRenameGroup", "Rena&me Group...");
  cmdRenameGroup->setToolTip(QStringLiteral("Renames the group and every answer code that leads to it"));
  PlaceTwips(cmdRenameGroup, 120, 6120, kLeftWidth, 375);
  lblWords = Make<QLabel>(this, "lblWords");
  lblWords->setWordWrap(true);
  lblWords->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  PlaceTwips(lblWords, 120, 6570, kLeftWidth, 390);
  // Alt+C belongs to "&Cancel", which shows beside it while an item is edited.
  cmdClose = Make<QPushButton>(this, "cmdClose", "C&lose");
  PlaceTwips(cmdClose, 120, kFormHeight - 495, kLeftWidth, 375);
}

void frmMessages::BuildListFrame() {
  fraMessages = Make<QGroupBox>(this, "fraMessages");
  fraMessages->setTitle(QStringLiteral("Message Level: INIT"));
  PlaceTwips(fraMessages, kRight, 60, kRightWidth, kFrameHeight);
  fraMessages->setMouseTracking(true);
  fraMessages->installEventFilter(this);

  lstMessages = Make<QListWidget>(fraMessages, "lstMessages");
  lstMessages->setUniformItemSizes(true);
  lstMessages->setMouseTracking(true);
  lstMessages->viewport()->setMouseTracking(true);
  lstMessages->viewport()->installEventFilter(this);
  lstMessages->setContextMenuPolicy(Qt::CustomContextMenu);
  lstMessages->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  PlaceTwips(lstMessages, 120, kListTop, kListWidth, kListHeight);

  txtMessage = Make<QPlainTextEdit>(fraMessages, "txtMessage");
  txtMessage->setTabChangesFocus(true);
  txtMessage->installEventFilter(this);
  PlaceTwips(txtMessage, 120, kListTop, kListWidth, kListHeight);
  txtMessage->hide();

  picTooltip = Make<QFrame>(fraMessages, "picTooltip");
  picTooltip->setFrameShape(QFrame::Box);
  picTooltip->setAutoFillBackground(true);
  picTooltip->installEventFilter(this);
  lblTooltip = Make<QLabel>(picTooltip, "lblTooltip", "Tooltip");
  lblTooltip->setWordWrap(true);
  lblTooltip->setAttribute(Qt::WA_TransparentForMouseEvents);
  picTooltip->hide();

  struct Slot {
    QPushButton** button;
    const char* name;
    const char* caption;
    int left;
    int width;
  };
  const Slot buttonSlots[] = {
      {&cmdNew, "cmdNew", "&New", 120, 720},          {&cmdEdit, "cmdEdit", "&Edit", 900, 720},
      {&cmdRemove, "cmdRemove", "&Remove", 1680, 780}, {&cmdClearAll, "cmdClearAll", "Clear &All", 2520, 840},
      {&cmdSwap[0], "cmdSwap_0", nullptr, 3420, 360}, {&cmdSwap[1], "cmdSwap_1", nullptr, 3840, 360},
      {&cmdTest, "cmdTest", "&Test", 4260, 660},      {&cmdGo, "cmdGo", "&Go to Answer", 5040, 1200},
      {&cmdSave, "cmdSave", "&Save", 120, 720},       {&cmdCancel, "cmdCancel", "&Cancel", 900, 720},
      {&cmdDelete, "cmdDelete", "&Delete", 1680, 780},
  };
  for (const auto& s : buttonSlots) {
    *s.button = Make<QPushButton>(fraMessages, s.name, s.caption);
    PlaceTwips(*s.button, s.left, kButtonRow, s.width, 375);
  }
  // Go to Answer stands right of the item's buttons as of the list's: Tab reaches it after them.
  setTabOrder(cmdDelete, cmdGo);
  cmdSwap[0]->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
  cmdSwap[1]->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
  cmdSwap[0]->setToolTip(QStringLiteral("Move up"));
  cmdSwap[1]->setToolTip(QStringLiteral("Move down"));

  int left = 120;
  constexpr std::array<int, 5> kInsertWidths = {600, 600, 1020, 840, 840};
  for (int i = 0; i < 5; ++i) {
    auto*& label = lblInsert[static_cast<std::size_t>(i)];
    label = Make<QLabel>(fraMessages, IndexedName("lblInsert", i).c_str(), kInsertCaptions[static_cast<std::size_t>(i)]);
    label->setCursor(Qt::PointingHandCursor);
    label->setToolTip(QStringLiteral("Insert ") + QLatin1String(kPlaceholders[static_cast<std::size_t>(i)]));
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, qt::PaletteColour(1));
    label->setPalette(pal);
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    label->installEventFilter(this);
    PlaceTwips(label, left, kInsertRow, kInsertWidths[static_cast<std::size_t>(i)], 195);
    left += kInsertWidths[static_cast<std::size_t>(i)] + 120;
  }
  lblLength = Make<QLabel>(fraMessages, "lblLength");
  PlaceTwips(lblLength, 120, kLengthRow, 1320, 195);
  lblError = Make<QLabel>(fraMessages, "lblError", "(Length Limit Exceeded)");
  QPalette red = lblError->palette();
  red.setColor(QPalette::WindowText, qt::PaletteColour(12));
  lblError->setPalette(red);
  PlaceTwips(lblError, 1500, kLengthRow, 4740, 195);
  lblError->hide();

  mnuPopup = new QMenu(this);
  mnuPopup->setObjectName(QStringLiteral("mnuPopup"));
  mnuEdit = mnuPopup->addAction(QStringLiteral("&Edit"));
  mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
  mnuRemove = mnuPopup->addAction(QStringLiteral("&Remove"));
  mnuRemove->setObjectName(QStringLiteral("mnuRemove"));
  mnuGo = mnuPopup->addAction(QStringLiteral("&Go to Answer"));
  mnuGo->setObjectName(QStringLiteral("mnuGo"));
}

void frmMessages::BuildPane() {
  fraOptions = Make<QGroupBox>(this, "fraOptions");
  fraOptions->setTitle(QStringLiteral("Options"));
  PlaceTwips(fraOptions, kRight, kPaneTop, kOptionsWidth, 1860);
  lblAnswer = Make<QLabel>(fraOptions, "lblAnswer", "Answer Group:");
  PlaceTwips(lblAnswer, 120, 285, 1320, 195);
  cboAnswerGroup = Make<QComboBox>(fraOptions, "cboAnswerGroup");
  cboAnswerGroup->setEditable(true);
  cboAnswerGroup->setInsertPolicy(QComboBox::NoInsert);
  qt::LimitDropDown(cboAnswerGroup);
  PlaceTwips(cboAnswerGroup, 1440, 240, kOptionsWidth - 1560, 315);
  lblWaitFor = Make<QLabel>(fraOptions, "lblWaitFor", "Message displays");
  PlaceTwips(lblWaitFor, 120, 690, 1680, 195);
  vsbWait = Make<QScrollBar>(fraOptions, "vsbWait");
  vsbWait->setOrientation(Qt::Vertical);
  vsbWait->setRange(0, 9);
  vsbWait->setPageStep(1);
  vsbWait->setValue(9);
  PlaceTwips(vsbWait, 120, 930, 255, 810);
  lblWait = Make<QLabel>(fraOptions, "lblWait", "no time");
  PlaceTwips(lblWait, 435, 1230, 1400, 195);
  lblIncluded = Make<QLabel>(fraOptions, "lblIncluded", "Message included");
  PlaceTwips(lblIncluded, 1860, 690, 1680, 195);
  vsbPercent = Make<QScrollBar>(fraOptions, "vsbPercent");
  vsbPercent->setOrientation(Qt::Vertical);
  vsbPercent->setRange(0, 10);
  vsbPercent->setPageStep(1);
  PlaceTwips(vsbPercent, 1860, 930, 255, 810);
  lblPercent = Make<QLabel>(fraOptions, "lblPercent", "always");
  PlaceTwips(lblPercent, 2175, 1230, 1400, 195);

  fraDisplay = Make<QGroupBox>(this, "fraDisplay");
  fraDisplay->setTitle(QStringLiteral("Display"));
  PlaceTwips(fraDisplay, kRight + kOptionsWidth + 120, kPaneTop, kRightWidth - kOptionsWidth - 120, 1860);
  displayGroup_ = new QButtonGroup(this);
  constexpr std::array<const char*, 3> kDisplays = {"Standard", "Box", "Custom"};
  for (int i = 0; i < 3; ++i) {
    auto*& option = optDisplay[static_cast<std::size_t>(i)];
    option = Make<QRadioButton>(fraDisplay, IndexedName("optDisplay", i).c_str(), kDisplays[static_cast<std::size_t>(i)]);
    PlaceTwips(option, 120, 270 + 285 * i, 1500, 255);
    displayGroup_->addButton(option, i);
  }
  txtDisplay = Make<QLineEdit>(fraDisplay, "txtDisplay");
  txtDisplay->setText(QStringLiteral("Message from Planet:"));
  txtDisplay->installEventFilter(this);
  PlaceTwips(txtDisplay, 120, 1260, kRightWidth - kOptionsWidth - 360, 315);

  fraActions = Make<QGroupBox>(this, "fraActions");
  fraActions->setTitle(QStringLiteral("Actions"));
  PlaceTwips(fraActions, kRight, kActionsTop, kRightWidth, 2115);
  lstSpecial = Make<QListWidget>(fraActions, "lstSpecial");
  PlaceTwips(lstSpecial, 120, 240, kListWidth, kActionListFull);
  cboSpecial = Make<QComboBox>(fraActions, "cboSpecial");
  qt::LimitDropDown(cboSpecial);
  PlaceTwips(cboSpecial, 120, 1350, 3960, 315);
  cmdSpAdd = Make<QPushButton>(fraActions, "cmdSpAdd", "Add");
  PlaceTwips(cmdSpAdd, 4200, 1320, 600, 375);
  cmdSpDelete = Make<QPushButton>(fraActions, "cmdSpDelete", "Delete");
  PlaceTwips(cmdSpDelete, 4860, 1320, 660, 375);
  cmdSpEdit = Make<QPushButton>(fraActions, "cmdSpEdit", "Edit");
  PlaceTwips(cmdSpEdit, 5580, 1320, 660, 375);
}

void frmMessages::BuildInfoPanel() {
  // The game's planet information panel: a dark plate with the life-signs line and the text.
  pnlInfo = Make<QFrame>(this, "pnlInfo");
  pnlInfo->setFrameShape(QFrame::Panel);
  pnlInfo->setFrameShadow(QFrame::Sunken);
  pnlInfo->setAutoFillBackground(true);
  QPalette dark = pnlInfo->palette();
  dark.setColor(QPalette::Window, qt::PaletteColour(0));
  dark.setColor(QPalette::WindowText, qt::PaletteColour(10));
  pnlInfo->setPalette(dark);
  PlaceTwips(pnlInfo, kRight, kPaneTop, kRightWidth, kActionsTop + 2115 - kPaneTop);
  shpLife = Make<QFrame>(pnlInfo, "shpLife");
  shpLife->setAutoFillBackground(true);
  QPalette life = shpLife->palette();
  life.setColor(QPalette::Window, qt::PaletteColour(10));
  shpLife->setPalette(life);
  PlaceTwips(shpLife, 240, 270, 150, 150);
  lblM1Title = Make<QLabel>(pnlInfo, "lblM1Title", "Life Signs:");
  PlaceTwips(lblM1Title, 480, 240, 2400, 195);
  lblM1Text = Make<QLabel>(pnlInfo, "lblM1Text", "There seems to be the remains of a primative animal species.");
  lblM1Text->setWordWrap(true);
  lblM1Text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  PlaceTwips(lblM1Text, 240, 600, kRightWidth - 480, 3240);
  pnlInfo->hide();
}

void frmMessages::Prepare(int planet, bool customTicked, const std::string& planetName) {
  setWindowTitle(QStringLiteral("Planet Messages - ") + FromCp1252(planetName));
  model_->Open(planet, customTicked);
}

void frmMessages::Run(int planet, bool customTicked, const std::string& planetName) {
  Prepare(planet, customTicked, planetName);
  exec();
}

void frmMessages::reject() {
  // Escape closes as "C&lose" does, and an item with unsaved changes can keep it open.
  if (model_->IsOpen()) {
    model_->Close();
  } else {
    QDialog::reject();
  }
}

void frmMessages::closeEvent(QCloseEvent* event) {
  // The window stays for the next opening; closing only ends this one.
  if (model_->IsOpen() && !model_->Close()) {
    event->ignore();
    return;
  }
  event->accept();
}

}  // namespace zelmora::messages
