// The main window: construction, the system list, the drawing and the mouse. The commands are in
// frm_ss_edit_commands.cpp.
#include "editor/frm_ss_edit.h"
#include "editor/frm_pictures.h"

#include "editor/editor_commands.h"
#include "editor/fit_name.h"
#include "editor/frm_new_ss.h"
#include "editor/frm_order.h"
#include "editor/frm_planet.h"
#include "editor/history_wiring.h"
#include "editor/messages_wiring.h"
#include "editor/pictures_wiring.h"
#include "editor/planet_pictures.h"
#include "editor/simulator_wiring.h"
#include "editor/system_dialogs_wiring.h"
#include "editor/star_picture_widget.h"
#include "editor/system_view_widget.h"
#include "editor/writing_wiring.h"
#include "ui/platform/code_page.h"
#include "ui/platform/file_rules.h"
#include "ui/platform/text_rules.h"
#include "ui/qt/code_page.h"
#include "ui/qt/controls.h"
#include "ui/qt/twip_layout.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace zelmora::editor {

using platform::Buttons;
using platform::Icon;
using qt::FromCp1252;
using qt::ToCp1252;
using qt::PlaceTwips;

namespace {

constexpr int kClientWidth = 2700;
constexpr int kViewTop = 1020;
constexpr int kViewHeight = 2895;
constexpr int kViewBottomMargin = 60;

template <typename W>
W* Named(W* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

QAction* MenuItem(QMenu* menu, const char* name, const char* caption) {
  QAction* a = menu->addAction(QString::fromLatin1(caption));
  a->setObjectName(QString::fromLatin1(name));
  return a;
}

QAction* MenuSeparator(QMenu* menu, const char* name) {
  QAction* a = menu->addSeparator();
  a->setObjectName(QString::fromLatin1(name));
  return a;
}

// A submenu of checkable choices named `name` (its action too), its items `itemPrefix`_k; picking
// item k calls `chosen(k)`.
template <std::size_t N>
QMenu* ChoiceMenu(QMenu* parent, const char* name, const char* caption, const std::array<const char*, N>& captions,
                  const char* itemPrefix, std::array<QAction*, N>& items, QObject* context,
                  const std::function<void(int)>& chosen) {
  QMenu* menu = Named(parent->addMenu(QString::fromLatin1(caption)), name);
  menu->menuAction()->setObjectName(QString::fromLatin1(name));
  for (int k = 0; k < static_cast<int>(N); ++k) {
    QAction* a = menu->addAction(FromCp1252(captions[static_cast<std::size_t>(k)]));
    a->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(itemPrefix)).arg(k));
    a->setCheckable(true);
    QObject::connect(a, &QAction::triggered, context, [chosen, k] { chosen(k); });
    items[static_cast<std::size_t>(k)] = a;
  }
  return menu;
}

QLabel* Label(QWidget* parent, const char* name, const char* caption, int left, int top, int width, int height) {
  auto* label = Named(new QLabel(QString::fromLatin1(caption), parent), name);
  PlaceTwips(label, left, top, width, height);
  return label;
}

}  // namespace

// The flows' view of the pictures: the planet pictures of the picture form, the window's star picture.
class frmSSEdit::FlowPictures : public store::SystemPictures {
 public:
  explicit FlowPictures(frmSSEdit& window) : window_(window) {}
  void AddSlot() override { Planets().AddSlot(); }
  void RemoveLastSlot() override { Planets().RemoveLastSlot(); }
  void ClearOnlyPicture() override { Planets().ClearOnlyPicture(); }
  void SwapPictures(int a, int b) override { Planets().SwapPictures(a, b); }
  bool HasPicturesToStore() const override { return Planets().HasPicturesToStore(); }
  void SavePictures(const std::filesystem::path& file) override { Planets().SavePictures(file); }
  bool HasCustomStarPicture() const override { return window_.picStar->HasCustomPicture(); }
  void SaveStarPicture(const std::filesystem::path& file) override { window_.picStar->SavePicture(file); }

 private:
  PlanetPictures& Planets() const { return window_.PicturesModel(); }
  frmSSEdit& window_;
};

frmSSEdit::frmSSEdit(std::filesystem::path gameFolder, platform::Prompter& prompter,
                     platform::SettingsStore& settings, platform::ProcessRunner& runner, QWidget* parent)
    : QMainWindow(parent),
      prompter_(prompter),
      settings_(settings),
      runner_(runner),
      store_(std::move(gameFolder)),
      flowPictures_(std::make_unique<FlowPictures>(*this)) {
  setObjectName(QStringLiteral("frmSSEdit"));
  setWindowTitle(QStringLiteral("Zelmora"));
  // The geometry was laid out for a small, narrow font.
  QFont small = font();
  small.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("DejaVu Sans Condensed"),
                     small.family()});
  small.setPixelSize(10);
  setFont(small);
  BuildControls();
  BuildMenus();
  BuildPopups();
  Connect();
  WireSubsystems();
  WireHistory();
}

// The Edit menu of our own, between System and Planet; its history hears the store from before the
// first system is opened.
void frmSSEdit::WireHistory() {
  history_ = std::make_unique<HistoryWiring>(this, store_, prompter_);
  history_->AddMenu(mnuPlanet->menuAction());
  history_->SetRestored([this] { ShowRestored(); });
  // Unsaved pictures wait beside the working copy: while they do, the system stays modified.
  history_->SetOtherChanges([this] {
    return store_.IsWorkingCopyOpen() && platform::FileExists(store_.WorkingPicturesPath(record_.Name));
  });
  // Not in the wizard or the dialogs that apply their choice when they close: an undo under them
  // would be written over by their OK.
  history_->AddShortcutsToWindows({QStringLiteral("frmMessages"), QStringLiteral("frmEditRoom"),
                                   QStringLiteral("frmPictures"), QStringLiteral("frmIssues"),
                                   QStringLiteral("frmAdventureMap"), QStringLiteral("frmScriptMap"),
                                   QStringLiteral("frmFindReplace"), QStringLiteral("frmStatistics")});
  writing_->AddToMenu(history_->mnuEdit);
}

void frmSSEdit::ShowRestored() {
  if (!SystemOpen()) return;
  LoadSystem(record_.Name);
  // The pictures as the history left them, shown at once if their window is open.
  auto& pictures = PicturesModel();
  const int shown = pictures.Screen().planet;
  pictures.LoadSystemPictures();
  if (auto* window = pictures_->WindowIfBuilt(); window && window->isVisible()) pictures.ShowPlanet(shown);
  if (!picStar->HasCustomPicture()) picStar->ShowStock(record_.StarType);
  DrawSystem(true);
  UpdatePlanetCommands();
  messages_->ScriptRestored();
}

// Each subsystem's windows are wired in a file of their own and built when first opened; what one
// subsystem opens in another is handed over here.
void frmSSEdit::WireSubsystems() {
  const WiringContext context{*this, store_, record_, prompter_, settings_, runner_};

  pictures_ = std::make_unique<PicturesWiring>(context, [this] {
    auto ctx = Context();
    store::flows::PicturesChanged(ctx);
  });
  dialogs_.planetPictures = [this](int h) { pictures_->Run(h); };

  simulator_ = std::make_unique<SimulatorWiring>(context);

  // Find and Replace from the main window opens a hit's item in the message editor.
  writing_ = std::make_unique<WritingWiring>(
      context, WritingWiring::Hooks{[this](const writing::TextValue& value) { OpenFoundText(value); },
                                    [this] { messages_->ScriptRestored(); }});
  messages_ = std::make_unique<MessagesWiring>(
      context, MessagesWiring::Outside{
                   [this](int current) { return simulator_->ChooseShipSystem(current); },
                   [this](int planet) { simulator_->Test(planet); },
                   [this](int planet, const simulator::StartPoint& from) { simulator_->TestFrom(planet, from); },
                   [this](QWidget& window) { writing_->Decorate(window); },
                   [this](const messages::PlanetScript& script) { return writing_->SpellingNotes(script); },
                   // The editor's own recordings, and those an author keeps with the game.
                   [this] {
                     return std::vector<std::filesystem::path>{SimulatorWiring::RecordingFolder(),
                                                               store_.GameFolder() / "Recordings"};
                   }});
  dialogs_.planetMessages = [this](int h, bool ticked, const std::string& name) {
    return messages_->Run(h, ticked, name);
  };
  dialogs_.planetMap = [this](int h, const std::string& name) { messages_->RunMap(h, name); };

  // The planet properties' Edit buttons go through the dialogs above, so that a test's stand-ins
  // serve them too.
  systemDialogs_ = std::make_unique<SystemDialogsWiring>(
      context,
      [this](int h, bool) {
        dialogs_.planetPictures(h);
        return frmPlanet::SwitchState{store_.GetPlanetFlag(record_, "PlanetPics", h) == 1,
                                      CustomPictureAllowed(store_, record_, PicturesModel().PictureCount() > 0)};
      },
      [this](int h, bool ticked) {
        const bool custom = dialogs_.planetMessages(h, ticked, store_.GetPlanetName(record_, h, record_.StarName));
        return frmPlanet::SwitchState{custom, store_.SectionExists(record_.Name, std::to_string(h))};
      });
  dialogs_.chooseNewSystem = [this](const std::vector<std::string>& keys) {
    return systemDialogs_->NewSystem().Run(keys);
  };
  dialogs_.reorderPlanets = [this](const std::vector<std::string>& names) {
    return systemDialogs_->Order().Run(names);
  };
  dialogs_.planetProperties = [this](int h, const std::string& name, const PlanetProperties& shown) {
    return systemDialogs_->Planet().Run(h, name, shown);
  };
}

void frmSSEdit::OpenFoundText(const writing::TextValue& value) {
  if (!SystemOpen() || value.system != record_.Name) {
    prompter_.Inform("This text is in " + value.system + ". Open that system to edit it.");
    return;
  }
  picInfo->hide();
  const bool ticked = store_.GetPlanetFlag(record_, "Messages", value.planet) == 1;
  messages_->RunAt(value.planet, ticked, store_.GetPlanetName(record_, value.planet, record_.StarName),
                   [&value](messages::MessageEditor& editor) { GoToFoundText(editor, value); });
  DrawSystem(true);
}

// The wiring goes before the store and the record its windows read.
frmSSEdit::~frmSSEdit() = default;

PlanetPictures& frmSSEdit::PicturesModel() { return pictures_->Model(); }

void frmSSEdit::BuildControls() {
  central = Named(new QWidget(this), "central");
  setCentralWidget(central);
  lblSS = Label(central, "lblSS", "Solar System:", 60, 60, 960, 195);
  cboSystems = Named(new QComboBox(central), "cboSystems");
  qt::LimitDropDown(cboSystems);
  PlaceTwips(cboSystems, 60, 300, 2580, 315);
  cmdSave = Named(new QPushButton(QStringLiteral("&Save"), central), "cmdSave");
  // Alt+S belongs to the System menu, as a menu bar's access keys do on the desktop; two owners
  // would take turns on each press.
  cmdSave->setShortcut(QKeySequence());
  PlaceTwips(cmdSave, 60, 660, 840, 315);
  cmdAdd = Named(new QPushButton(QStringLiteral("&Add"), central), "cmdAdd");
  PlaceTwips(cmdAdd, 960, 660, 780, 315);
  cmdDelete = Named(new QPushButton(QStringLiteral("&Delete"), central), "cmdDelete");
  PlaceTwips(cmdDelete, 1800, 660, 840, 315);

  picSolarSystem = Named(new SystemViewWidget(central), "picSolarSystem");
  PlaceTwips(picSolarSystem, 60, kViewTop, 2580, kViewHeight);
  picSolarSystem->setFocusPolicy(Qt::ClickFocus);
  picStar = new StarPictureWidget(
      picSolarSystem, [this] { return static_cast<int>(record_.StarType); }, [this] { DrawSystem(true); });
  picStar->move(qt::TwipsToPixels(1140), qt::TwipsToPixels(1140));

  picInfo = Named(new QFrame(picSolarSystem), "picInfo");
  PlaceTwips(picInfo, 1770, 0, 915, 975);
  picInfo->setAutoFillBackground(true);  // the texts stay readable over the orbits
  lblPName = Label(picInfo, "lblPName", "Planet X", 0, 0, 900, 195);
  lblInh = Label(picInfo, "lblInh", "Inhabited", 0, 180, 900, 195);
  lblAdv = Label(picInfo, "lblAdv", "Advanced", 0, 360, 900, 195);
  lblAtt = Label(picInfo, "lblAtt", "Attitude", 0, 540, 900, 195);
  lblEnr = Label(picInfo, "lblEnr", "Energy", 0, 720, 900, 195);
  QFont bold = lblPName->font();
  bold.setBold(true);
  lblPName->setFont(bold);
  picInfo->hide();

  lblName = Label(picSolarSystem, "lblName", "", 0, 2640, 2520, 195);
  lblName->setCursor(Qt::IBeamCursor);
  txtName = Named(new QLineEdit(picSolarSystem), "txtName");
  PlaceTwips(txtName, 0, 2640, 2520, 195);
  txtName->setFrame(false);
  txtName->hide();

  for (QWidget* w : std::initializer_list<QWidget*>{lblSS, cboSystems, cmdAdd, cmdDelete, cmdSave, lblName, picStar,
                                                    txtName}) {
    w->setMouseTracking(true);
    w->installEventFilter(this);
  }
  central->setFixedWidth(qt::TwipsToPixels(kClientWidth));
}

void frmSSEdit::BuildMenus() {
  const auto item = MenuItem;
  const auto separator = MenuSeparator;
  mnuFile = Named(menuBar()->addMenu(QStringLiteral("&System")), "mnuFile");
  mnuFNew = item(mnuFile, "mnuFNew", "&New");
  mnuFSep1 = separator(mnuFile, "mnuFSep1");
  mnuFSave = item(mnuFile, "mnuFSave", "&Save");
  mnuFSaveAs = item(mnuFile, "mnuFSaveAs", "Save &As...");
  mnuFTest = item(mnuFile, "mnuFTest", "&Test in Quarvel");
  mnuFSep2 = separator(mnuFile, "mnuFSep2");
  mnuFClear = item(mnuFile, "mnuFClear", "&Clear Planets");
  mnuFDelete = item(mnuFile, "mnuFDelete", "&Delete");
  mnuFSep3 = separator(mnuFile, "mnuFSep3");
  mnuFPackage = item(mnuFile, "mnuFPackage", "&Make Package");
  mnuFSep4 = separator(mnuFile, "mnuFSep4");
  mnuFExit = item(mnuFile, "mnuFExit", "E&xit");
  BuildGameFolderCommand();

  mnuPlanet = Named(menuBar()->addMenu(QStringLiteral("&Planet")), "mnuPlanet");
  mnuPAdd = item(mnuPlanet, "mnuPAdd", "&Add");
  mnuPOrder = item(mnuPlanet, "mnuPOrder", "&Set Order");
  mnuPPics = item(mnuPlanet, "mnuPPics", "&Pictures");
  mnuPSep = separator(mnuPlanet, "mnuPSep");
  mnuPDetail = item(mnuPlanet, "mnuPDetail", "&Display Asteroids");
  mnuPDetail->setCheckable(true);

  mnuHelp = Named(menuBar()->addMenu(QStringLiteral("&Help")), "mnuHelp");
  mnuHTutorial = item(mnuHelp, "mnuHTutorial", "&Tutorial");
  mnuHSep = separator(mnuHelp, "mnuHSep");
  mnuHAbout = item(mnuHelp, "mnuHAbout", "&About Zelmora");
}

void frmSSEdit::BuildPopups() {
  const auto item = MenuItem;
  mnuPopup = Named(new QMenu(this), "mnuPopup");
  mnuMessages = item(mnuPopup, "mnuMessages", "&Messages");
  mnuDescription = item(mnuPopup, "mnuDescription", "&Name");
  mnuPicture = item(mnuPopup, "mnuPicture", "&Picture");
  mnuClass = ChoiceMenu(mnuPopup, "mnuClass", "&Class", store::kClassCaptions, "mnuPClass", mnuPClass, this,
                        [this](int k) { PlanetClassCommand(k); });
  MenuSeparator(mnuPopup, "mnuPopupSep1");
  mnuInsert = item(mnuPopup, "mnuInsert", "&Insert");
  mnuDelete = item(mnuPopup, "mnuDelete", "&Delete");
  MenuSeparator(mnuPopup, "mnuPopupSep2");
  mnuProperties = item(mnuPopup, "mnuProperties", "P&roperties");
  MenuSeparator(mnuPopup, "mnuPopupSep3");
  mnuScriptMap = item(mnuPopup, "mnuScriptMap", "Script M&ap");

  mnuPopupStar = Named(new QMenu(this), "mnuPopupStar");
  mnuStarDesc = item(mnuPopupStar, "mnuStarDesc", "&Description");
  mnuStarPic = item(mnuPopupStar, "mnuStarPic", "&Picture");
  mnuStarPic->setCheckable(true);
  mnuType = ChoiceMenu(mnuPopupStar, "mnuType", "&Type", store::kStarTypeMenuCaptions, "mnuStarType", mnuStarType,
                       this, [this](int k) { StarTypeCommand(k); });
}

void frmSSEdit::Connect() {
  connect(cboSystems, &QComboBox::activated, this, &frmSSEdit::SelectSystem);
  connect(picSolarSystem, &SystemViewWidget::MouseMoved, this, &frmSSEdit::OnViewMouseMove);
  connect(picSolarSystem, &SystemViewWidget::MousePressed, this, &frmSSEdit::OnViewMousePress);
  connect(picSolarSystem, &SystemViewWidget::MouseReleased, this, &frmSSEdit::OnViewMouseRelease);
  connect(txtName, &QLineEdit::returnPressed, this, [this] { EndStarNameEdit(true); });

  connect(cmdAdd, &QPushButton::clicked, this, &frmSSEdit::NewSystemCommand);
  connect(cmdSave, &QPushButton::clicked, this, &frmSSEdit::SaveCommand);
  connect(cmdDelete, &QPushButton::clicked, this, &frmSSEdit::DeleteSystemCommand);
  connect(mnuFNew, &QAction::triggered, this, &frmSSEdit::NewSystemCommand);
  connect(mnuFSave, &QAction::triggered, this, &frmSSEdit::SaveCommand);
  connect(mnuFSaveAs, &QAction::triggered, this, &frmSSEdit::SaveAsCommand);
  connect(mnuFTest, &QAction::triggered, this, &frmSSEdit::TestCommand);
  connect(mnuFClear, &QAction::triggered, this, &frmSSEdit::ClearPlanetsCommand);
  connect(mnuFDelete, &QAction::triggered, this, &frmSSEdit::DeleteSystemCommand);
  connect(mnuFExit, &QAction::triggered, this, &QWidget::close);
  connect(mnuFPackage, &QAction::triggered, this, &frmSSEdit::MakePackageCommand);
  connect(mnuPAdd, &QAction::triggered, this, &frmSSEdit::AddPlanetCommand);
  connect(mnuPOrder, &QAction::triggered, this, &frmSSEdit::ReorderCommand);
  connect(mnuPPics, &QAction::triggered, this, [this] { PlanetPicturesCommand(1); });
  connect(mnuPDetail, &QAction::triggered, this, &frmSSEdit::DisplayAsteroidsCommand);
  connect(mnuHTutorial, &QAction::triggered, this, &frmSSEdit::TutorialCommand);
  connect(mnuHAbout, &QAction::triggered, this, &frmSSEdit::AboutCommand);

  // Properties opens its dialog once the popup has closed.
  connect(mnuProperties, &QAction::triggered, this, [this] { popupCommand_ = 1; });
  connect(mnuPicture, &QAction::triggered, this, [this] { popupCommand_ = 2; });
  connect(mnuMessages, &QAction::triggered, this, [this] { popupCommand_ = 3; });
  connect(mnuScriptMap, &QAction::triggered, this, [this] { popupCommand_ = 4; });
  connect(mnuDescription, &QAction::triggered, this, &frmSSEdit::PlanetNameCommand);
  connect(mnuInsert, &QAction::triggered, this, &frmSSEdit::InsertPlanetCommand);
  connect(mnuDelete, &QAction::triggered, this, &frmSSEdit::DeletePlanetCommand);
  connect(mnuStarDesc, &QAction::triggered, this, &frmSSEdit::StarDescriptionCommand);
  connect(mnuStarPic, &QAction::triggered, this, &frmSSEdit::StarPictureCommand);
}

bool frmSSEdit::Load() {
  if (!store_.GameExecutableExists()) {
    prompter_.Message("This software must be installed in the same folder as Quarvel.", Buttons::Ok, Icon::None);
    return false;
  }
  mnuHTutorial->setVisible(false);
  mnuHSep->setVisible(false);
  FillSystemList();
  SetSystemControls(false);
  displayAsteroids_ = platform::options::DisplayAsteroids.Read(settings_);
  mnuPDetail->setChecked(displayAsteroids_);
  return true;
}

void frmSSEdit::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (heightFitted_) return;
  heightFitted_ = true;
  // The view's bottom edge ends 60 twips above the bottom of the client area.
  int client = qt::TwipsToPixels(kViewTop + kViewHeight + kViewBottomMargin);
  central->setFixedHeight(client);
  int extra = menuBar()->isVisible() ? menuBar()->sizeHint().height() : 0;
  setFixedSize(central->width(), extra + client);
}

// ---- the system list

void frmSSEdit::FillSystemList() {
  cboSystems->clear();
  for (const auto& name : store_.ListSystems(store::kSavedExtension)) AddToSystemList(name);
  cboSystems->setCurrentIndex(-1);
  loadedIndex_ = -1;
}

int frmSSEdit::AddToSystemList(const std::string& name) {
  QString text = FromCp1252(name);
  int at = 0;
  for (; at < cboSystems->count(); ++at) {
    QString item = cboSystems->itemText(at);
    if (item == text) return at;
    if (QString::compare(item, text, Qt::CaseInsensitive) > 0) break;
  }
  cboSystems->insertItem(at, text);
  if (loadedIndex_ >= at) ++loadedIndex_;
  return at;
}

bool frmSSEdit::SystemOpen() const { return loadedIndex_ >= 0 && !record_.Name.empty(); }

store::flows::SystemContext frmSSEdit::Context() { return {store_, record_, prompter_, *flowPictures_}; }

void frmSSEdit::SelectSystem(int index) {
  if (suppressSelection_) return;
  if (cboSystems->currentIndex() != index) cboSystems->setCurrentIndex(index);
  const std::string name = index >= 0 ? ToCp1252(cboSystems->itemText(index)) : std::string();
  auto ctx = Context();
  if (!LeaveForSelection(ctx, loadedIndex_ >= 0 && loadedIndex_ == index, name)) {
    suppressSelection_ = true;
    cboSystems->setCurrentIndex(loadedIndex_);
    suppressSelection_ = false;
    return;
  }
  // What the message editor read belongs to the copy just left, even when the same system is
  // opened again from its saved version.
  messages_->Forget();
  writing_->SystemChanged();
  if (index < 0) {
    loadedIndex_ = -1;
    SetSystemControls(false);
    return;
  }
  loadedIndex_ = index;
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  store_.OpenWorkingCopy(name, prompter_);
  LoadSystem(name);
  PicturesModel().LoadSystemPictures();
  hoverPlanet_ = 0;
  dragPlanet_ = 0;
  ShowStarPicture();
  DrawSystem(true);
  SetSystemControls(true);
  UpdatePlanetCommands();
  QGuiApplication::restoreOverrideCursor();
}

void frmSSEdit::LoadSystem(const std::string& name) { store_.LoadSystem(name, record_); }

void frmSSEdit::ShowStarPicture() {
  auto matches = store_.MatchingPictures(record_.Name + "Sun.*");
  if (!matches.empty() && picStar->ShowCustom(matches.front())) return;
  picStar->ShowStock(record_.StarType);
}

// ---- commands' states

void frmSSEdit::SetSystemControls(bool enabled) {
  if (!enabled) {
    record_.StarName.clear();
    record_.Name.clear();
    lblName->clear();
    picSolarSystem->Erase();
    picStar->Clear();
    picInfo->hide();
    hoverPlanet_ = 0;
    dragPlanet_ = 0;
  }
  for (QWidget* w : std::initializer_list<QWidget*>{cmdDelete, cmdSave}) w->setEnabled(enabled);
  for (QAction* a : {mnuPlanet->menuAction(), mnuFSave, mnuFSaveAs, mnuFTest, mnuFClear, mnuFDelete}) {
    a->setEnabled(enabled);
  }
  mnuFPackage->setEnabled(enabled);
  mnuMessages->setEnabled(enabled);
  mnuScriptMap->setEnabled(enabled);
  mnuPicture->setEnabled(enabled);
  UpdatePlanetCommands();
}

void frmSSEdit::UpdatePlanetCommands() {
  mnuPOrder->setEnabled(SystemOpen() && record_.PlanetCount > 1);
  mnuPPics->setEnabled(SystemOpen() && record_.PlanetCount > 0);
}

// ---- drawing

Point frmSSEdit::Centre() const {
  QRect g = picStar->geometry();
  return StarCentre(qt::PixelsToTwips(g.x()), qt::PixelsToTwips(g.y()), qt::PixelsToTwips(g.width()),
                    qt::PixelsToTwips(g.height()));
}

std::string frmSSEdit::FitName(const std::string& text, const QLabel* label) const {
  QFontMetrics metrics(label->font());
  return editor::FitName(text, label->width(),
                         [&metrics](const std::string& s) { return metrics.horizontalAdvance(FromCp1252(s)); });
}

void frmSSEdit::DrawSystem(bool force) {
  if (!SystemOpen()) return;
  if (!force && dragPlanet_ == 0 && hoverPlanet_ == lastHover_ && menuOpen_ == lastMenuOpen_) return;
  if (hoverPlanet_ > record_.PlanetCount) hoverPlanet_ = 0;
  lastHover_ = hoverPlanet_;
  lastMenuOpen_ = menuOpen_;
  ShowInfoPanel();
  ViewState state{Centre(), hoverPlanet_, menuOpen_, displayAsteroids_};
  picSolarSystem->SetShapes(PlanSystemView(record_, store_.GetTables(), state));
  picStar->setToolTip(FromCp1252(StarDisplayName(store_, record_)));
  lblName->setText(FromCp1252(platform::TrimSpaces(record_.StarName)));
}

void frmSSEdit::ShowInfoPanel() {
  if (hoverPlanet_ < 1 || dragPlanet_ != 0) {
    picInfo->hide();
    return;
  }
  PlanetInfo info = DescribePlanet(store_, record_, hoverPlanet_);
  lblInh->setText(FromCp1252(info.life));
  lblAtt->setText(FromCp1252(info.attitude));
  lblAdv->setText(FromCp1252(info.advancement));
  lblEnr->setText(FromCp1252(info.energy));
  lblPName->setText(info.defaultName ? QStringLiteral("Planet %1").arg(hoverPlanet_)
                                     : FromCp1252(FitName(info.name, lblPName)));
  picInfo->show();
}

// ---- mouse

void frmSSEdit::OnViewMouseMove(Point twips) {
  if (menuOpen_ || !SystemOpen()) return;
  if (dragPlanet_ == 0) {
    hoverPlanet_ = HitTest(record_, Centre(), twips, qt::kTwipsPerPixel);
    DrawSystem(false);
    return;
  }
  int orbit = DraggedOrbit(record_, dragPlanet_, Centre(), twips, qt::kTwipsPerPixel);
  if (orbit != record_.Planet(dragPlanet_).Orbit) {
    record_.Planet(dragPlanet_).Orbit = static_cast<std::int16_t>(orbit);
    dragMoved_ = true;
    DrawSystem(true);
  }
}

void frmSSEdit::OnViewMousePress(Point twips, Qt::MouseButton button, QPoint global) {
  OnViewMouseMove(twips);
  if (hoverPlanet_ == 0 || menuOpen_) return;
  if (button == Qt::LeftButton) {
    dragPlanet_ = hoverPlanet_;
    dragMoved_ = false;
    store_.MarkModified(record_);
  } else if (button == Qt::RightButton) {
    PlanetPopup(global);
  }
}

void frmSSEdit::OnViewMouseRelease() {
  if (dragPlanet_ == 0) return;
  dragPlanet_ = 0;
  // The new orbit goes to the working copy now, so that saving on the way out keeps it.
  if (dragMoved_) store_.WriteSystemRecord(record_);
  dragMoved_ = false;
  DrawSystem(true);
}

void frmSSEdit::ClearHover() {
  if (menuOpen_) return;
  hoverPlanet_ = 0;
  DrawSystem(false);
}

// ---- star name in place

void frmSSEdit::StartStarNameEdit() {
  if (lblName->text().isEmpty()) return;
  txtName->setText(lblName->text());
  txtName->show();
  txtName->raise();
  txtName->setFocus();
  txtName->selectAll();
}

void frmSSEdit::EndStarNameEdit(bool keep) {
  if (!txtName->isVisible()) return;
  const QString typed = txtName->text();
  txtName->hide();  // first: the refusal box below takes the focus, which would end the edit again
  if (!keep) return;
  const auto bytes = qt::TypedCp1252(typed, prompter_);
  if (!bytes) return;
  if (const auto problem = store::StarNameProblem(*bytes)) {
    prompter_.Refuse(*problem);
    return;
  }
  lblName->setText(typed);
  record_.StarName = store::FitStarName(*bytes);
  // Written at once, so that the name counts as a change when the system is left.
  store_.WriteSystemRecord(record_);
  picSolarSystem->setFocus();
}

bool frmSSEdit::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseMove:
      ClearHover();
      break;
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (watched == lblName && mouse->button() == Qt::LeftButton) {
        StartStarNameEdit();
        return true;
      }
      if (watched == picStar && mouse->button() == Qt::RightButton) {
        StarPopup(mouse->globalPosition().toPoint());
        return true;
      }
      break;
    }
    case QEvent::KeyPress:
      if (watched == txtName && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        EndStarNameEdit(false);
        return true;
      }
      break;
    case QEvent::FocusOut:
      if (watched == txtName) EndStarNameEdit(false);
      break;
    default:
      break;
  }
  return QMainWindow::eventFilter(watched, event);
}

void frmSSEdit::closeEvent(QCloseEvent* event) {
  auto ctx = Context();
  if (!store::flows::ExitProgram(ctx)) {
    event->ignore();
    return;
  }
  event->accept();
}

}  // namespace zelmora::editor
