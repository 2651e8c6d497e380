#pragma once

#include "editor/frm_new_ss.h"
#include "editor/planet_order.h"
#include "editor/planet_properties.h"
#include "editor/system_drawing.h"
#include "store/descriptor_store.h"
#include "store/system_flows.h"
#include "ui/platform/process_runner.h"
#include "ui/platform/prompter.h"
#include "ui/platform/settings_store.h"

#include <QMainWindow>

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace zelmora::writing {
struct TextValue;
}  // namespace zelmora::writing

namespace zelmora::editor {

class HistoryWiring;
class MessagesWiring;
class PicturesWiring;
class PlanetPictures;
class SimulatorWiring;
class StarPictureWidget;
class SystemDialogsWiring;
class WritingWiring;
class SystemViewWidget;

// The main window: the system list, the system view with its information panel, the menus and
// both popups. It owns the store and the open system record and hands them to what it opens. It is
// the composition root: each subsystem's windows are wired in a file of their own (*_wiring) and
// built when first opened.
class frmSSEdit : public QMainWindow {
  Q_OBJECT

 public:
  // The modal dialogs, as the window runs them: they collect a choice and the window applies it.
  // The window's own dialogs by default; a test may put others in their place.
  struct Dialogs {
    std::function<std::optional<NewSystemChoice>(const std::vector<std::string>& catalogueKeys)> chooseNewSystem;
    std::function<std::vector<PlanetExchange>(const std::vector<std::string>& planetNames)> reorderPlanets;
    std::function<std::optional<PlanetProperties>(int h, const std::string& planetName, const PlanetProperties& shown)>
        planetProperties;
    // The message editor for planet h, its custom box ticked or not; the box's state afterwards.
    std::function<bool(int h, bool customTicked, const std::string& planetName)> planetMessages;
    // The map of planet h's script.
    std::function<void(int h, const std::string& planetName)> planetMap;
    // The picture form shown on planet h (its scroll bar reaching every planet).
    std::function<void(int h)> planetPictures;
    // The game folder window, showing `current`; the folder chosen.
    std::function<std::optional<std::string>(const std::string& current)> chooseGameFolder;
  };

  frmSSEdit(std::filesystem::path gameFolder, platform::Prompter& prompter, platform::SettingsStore& settings,
            platform::ProcessRunner& runner, QWidget* parent = nullptr);
  ~frmSSEdit() override;

  // The start-up sequence. False when the program must end (not beside the game).
  bool Load();

  Dialogs& GetDialogs() { return dialogs_; }

  // Catalogue defaults, then the descriptor's block, into the open record.
  void LoadSystem(const std::string& name);
  // The text cut with "..." to the label's width in the label's font.
  std::string FitName(const std::string& text, const QLabel* label) const;
  void DrawSystem(bool force);
  void SetSystemControls(bool enabled);
  // Opens the system at `index` of the list as a user's pick does (-1: none).
  void SelectSystem(int index);

  store::DescriptorStore& Store() { return store_; }
  store::SolarSystemRecord& Record() { return record_; }
  int HoverPlanet() const { return hoverPlanet_; }
  int DragPlanet() const { return dragPlanet_; }
  bool DisplayAsteroids() const { return displayAsteroids_; }
  Point Centre() const;
  store::flows::SystemContext Context();
  // The open system's planet pictures and the picture form's commands.
  PlanetPictures& PicturesModel();

  // Each subsystem's windows.
  SystemDialogsWiring& SystemDialogs() { return *systemDialogs_; }
  PicturesWiring& PictureWindows() { return *pictures_; }
  SimulatorWiring& Simulator() { return *simulator_; }
  MessagesWiring& Messages() { return *messages_; }
  // The Edit menu and the open system's undo history.
  HistoryWiring& EditMenu() { return *history_; }
  WritingWiring& WritingAids() { return *writing_; }

 signals:
  // Another game folder was chosen and the window has closed; the program starts again on it.
  void GameFolderChanged(const QString& folder);

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class FlowPictures;

  void BuildControls();
  void BuildMenus();
  void BuildPopups();
  void Connect();
  void WireSubsystems();
  void WireHistory();
  // After an undo or redo: the record, the drawing and every open window show the working copy.
  void ShowRestored();
  void UpdatePlanetCommands();
  void FillSystemList();
  int AddToSystemList(const std::string& name);
  void ShowStarPicture();
  void ShowInfoPanel();
  bool SystemOpen() const;

  // Mouse and in-place editing.
  void OnViewMouseMove(Point twips);
  void OnViewMousePress(Point twips, Qt::MouseButton button, QPoint global);
  void OnViewMouseRelease();
  void ClearHover();
  void StartStarNameEdit();
  void EndStarNameEdit(bool keep);

  // Commands.
  void NewSystemCommand();
  void SaveCommand();
  void SaveAsCommand();
  void ClearPlanetsCommand();
  void DeleteSystemCommand();
  void AddPlanetCommand();
  void TestCommand();
  void ReorderCommand();
  void DisplayAsteroidsCommand();
  void PlanetPopup(QPoint global);
  void StarPopup(QPoint global);
  void PlanetPropertiesCommand(int h);
  void PlanetMessagesCommand(int h);
  void PlanetMapCommand(int h);
  void OpenFoundText(const writing::TextValue& value);
  void PlanetPicturesCommand(int h);
  void MakePackageCommand();
  void PlanetNameCommand();
  void PlanetClassCommand(int k);
  void InsertPlanetCommand();
  void DeletePlanetCommand();
  void StarDescriptionCommand();
  void StarTypeCommand(int k);
  void StarPictureCommand();
  void TutorialCommand();
  void AboutCommand();
  void BuildGameFolderCommand();
  void GameFolderCommand();

  platform::Prompter& prompter_;
  platform::SettingsStore& settings_;
  platform::ProcessRunner& runner_;
  store::DescriptorStore store_;
  store::SolarSystemRecord record_;
  // Each subsystem's windows, built when first opened.
  std::unique_ptr<PicturesWiring> pictures_;
  std::unique_ptr<SimulatorWiring> simulator_;
  // Before the message editor, whose text boxes mark spelling through it, so that it goes after.
  std::unique_ptr<WritingWiring> writing_;
  std::unique_ptr<MessagesWiring> messages_;
  std::unique_ptr<SystemDialogsWiring> systemDialogs_;
  std::unique_ptr<FlowPictures> flowPictures_;
  std::shared_ptr<void> gameFolderChooser_;  // the game folder window and its search, made when first used
  // Last of the wiring: it lets go of the store before anything above goes.
  std::unique_ptr<HistoryWiring> history_;
  Dialogs dialogs_;

  // Window state.
  int hoverPlanet_ = 0;
  bool menuOpen_ = false;
  int dragPlanet_ = 0;
  bool dragMoved_ = false;
  bool displayAsteroids_ = true;
  // What the planet popup chose that runs once it has closed: 0 nothing, 1 Properties, 2 Picture,
  // 3 Messages.
  int popupCommand_ = 0;
  int lastHover_ = -1;
  bool lastMenuOpen_ = false;
  bool suppressSelection_ = false;
  int loadedIndex_ = -1;  // the list's tag: the system currently loaded
  bool heightFitted_ = false;

 public:
  // Controls, named as their objectName.
  QWidget* central = nullptr;
  QLabel* lblSS = nullptr;
  QComboBox* cboSystems = nullptr;
  QPushButton* cmdAdd = nullptr;
  QPushButton* cmdDelete = nullptr;
  QPushButton* cmdSave = nullptr;
  SystemViewWidget* picSolarSystem = nullptr;
  StarPictureWidget* picStar = nullptr;
  QLabel* lblName = nullptr;
  QLineEdit* txtName = nullptr;
  QFrame* picInfo = nullptr;
  QLabel* lblPName = nullptr;
  QLabel* lblInh = nullptr;
  QLabel* lblAtt = nullptr;
  QLabel* lblAdv = nullptr;
  QLabel* lblEnr = nullptr;

  QMenu* mnuFile = nullptr;
  QAction* mnuFNew = nullptr;
  QAction* mnuFSep1 = nullptr;
  QAction* mnuFSave = nullptr;
  QAction* mnuFSaveAs = nullptr;
  QAction* mnuFTest = nullptr;
  QAction* mnuFSep2 = nullptr;
  QAction* mnuFClear = nullptr;
  QAction* mnuFDelete = nullptr;
  QAction* mnuFSep3 = nullptr;
  QAction* mnuFPackage = nullptr;
  QAction* mnuFGameFolder = nullptr;
  QAction* mnuFSep4 = nullptr;
  QAction* mnuFExit = nullptr;
  QMenu* mnuPlanet = nullptr;
  QAction* mnuPAdd = nullptr;
  QAction* mnuPOrder = nullptr;
  QAction* mnuPPics = nullptr;
  QAction* mnuPSep = nullptr;
  QAction* mnuPDetail = nullptr;
  QMenu* mnuHelp = nullptr;
  QAction* mnuHTutorial = nullptr;
  QAction* mnuHSep = nullptr;
  QAction* mnuHAbout = nullptr;

  QMenu* mnuPopup = nullptr;
  QAction* mnuMessages = nullptr;
  QAction* mnuDescription = nullptr;
  QAction* mnuPicture = nullptr;
  QMenu* mnuClass = nullptr;
  std::array<QAction*, 15> mnuPClass{};
  QAction* mnuInsert = nullptr;
  QAction* mnuDelete = nullptr;
  QAction* mnuProperties = nullptr;
  QAction* mnuScriptMap = nullptr;  // of our own, after the others
  QMenu* mnuPopupStar = nullptr;
  QAction* mnuStarDesc = nullptr;
  QAction* mnuStarPic = nullptr;
  QMenu* mnuType = nullptr;
  std::array<QAction*, 8> mnuStarType{};
};

}  // namespace zelmora::editor
