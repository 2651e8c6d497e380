// The main window's commands: System and Planet menus, the planet and star popups, Help.
#include "editor/editor_commands.h"
#include "editor/frm_ss_edit.h"
#include "editor/messages_wiring.h"
#include "editor/planet_pictures.h"
#include "editor/star_picture_widget.h"
#include "editor/system_view_widget.h"
#include "packaging/launch_flows.h"
#include "packaging/make_package.h"
#include "ui/platform/program_search.h"
#include "ui/qt/code_page.h"
#include "ui/qt/program_folder.h"
#include "ui/qt/twip_layout.h"
#include "zelmora_version.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QMenu>

#include <utility>

namespace zelmora::editor {

using platform::Buttons;
using platform::Icon;
using qt::ToCp1252;

namespace {

template <std::size_t N>
void CheckOnly(const std::array<QAction*, N>& items, int chosen) {
  for (std::size_t k = 0; k < N; ++k) items[k]->setChecked(static_cast<int>(k) == chosen);
}

}  // namespace

// ---- System menu and buttons

void frmSSEdit::NewSystemCommand() {
  // The catalogue scan lists the open extension's files while a working copy is open; the list
  // shows every descriptor, so that no replaced system is offered twice.
  std::vector<std::string> keys;
  for (auto& key : store_.ListCatalogueSystems()) {
    if (cboSystems->findText(qt::FromCp1252(key), Qt::MatchExactly | Qt::MatchCaseSensitive) < 0) {
      keys.push_back(std::move(key));
    }
  }
  auto choice = dialogs_.chooseNewSystem(keys);
  if (!choice || choice->name.empty()) return;
  auto ctx = Context();
  if (store::flows::NewSystem(ctx, choice->name, choice->custom) != store::flows::NewResult::Created) return;
  // The open system was closed on the way; the list's pick opens the new one.
  loadedIndex_ = -1;
  SelectSystem(AddToSystemList(choice->name));
}

void frmSSEdit::SaveCommand() {
  if (!SystemOpen()) return;
  auto ctx = Context();
  store::flows::SaveSystem(ctx);
}

void frmSSEdit::SaveAsCommand() {
  if (!SystemOpen()) return;
  std::vector<std::string> listed;
  for (int i = 0; i < cboSystems->count(); ++i) listed.push_back(ToCp1252(cboSystems->itemText(i)));
  auto ctx = Context();
  auto name = store::flows::SaveSystemAs(ctx, listed);
  if (name) SelectSystem(AddToSystemList(*name));
}

void frmSSEdit::ClearPlanetsCommand() {
  if (!SystemOpen()) return;
  auto ctx = Context();
  // The question, the sections and the block are one step of the history.
  store::EditAction action(store_, "Clear Planets");
  if (!store::flows::ClearPlanets(ctx)) return;
  // Classes and sizes are written with the deleted sections, so that a save keeps both or neither.
  store_.WriteSystemRecord(record_);
  DrawSystem(true);
}

void frmSSEdit::DeleteSystemCommand() {
  if (!SystemOpen()) return;
  const std::string name = record_.Name;
  auto ctx = Context();
  if (!store::flows::DeleteSystem(ctx, name)) return;
  messages_->Forget();
  int index = cboSystems->findText(qt::FromCp1252(name), Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (index >= 0) cboSystems->removeItem(index);
  loadedIndex_ = -1;
  cboSystems->setCurrentIndex(-1);
  SetSystemControls(false);
}

void frmSSEdit::MakePackageCommand() {
  if (!SystemOpen()) return;
  auto ctx = Context();
  packaging::PackageServices services{settings_, runner_, platform::ProgramSearchPath(), [](bool busy) {
                                        if (busy) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
                                        else QGuiApplication::restoreOverrideCursor();
                                      },
                                      qt::ProgramFolder()};
  packaging::MakePackage(ctx, services);
}

// ---- Planet menu

void frmSSEdit::AddPlanetCommand() {
  if (!SystemOpen()) return;
  auto ctx = Context();
  store::flows::AddPlanet(ctx);
  DrawSystem(true);
  UpdatePlanetCommands();
}

void frmSSEdit::TestCommand() {
  if (!SystemOpen()) return;
  auto ctx = Context();
  packaging::TestInQuarvel(ctx, runner_);
}

void frmSSEdit::ReorderCommand() {
  if (!SystemOpen()) return;
  auto exchanges = dialogs_.reorderPlanets(ReorderListNames(store_, record_));
  auto ctx = Context();
  ApplyPlanetExchanges(ctx, exchanges);
  hoverPlanet_ = 0;
  DrawSystem(true);
}

void frmSSEdit::DisplayAsteroidsCommand() {
  displayAsteroids_ = mnuPDetail->isChecked();
  DrawSystem(true);
  platform::options::DisplayAsteroids.Write(settings_, displayAsteroids_);
}

// ---- planet popup

void frmSSEdit::PlanetPopup(QPoint global) {
  menuOpen_ = true;
  DrawSystem(false);
  mnuInsert->setEnabled(record_.PlanetCount < store::kMaxPlanets);
  const int planetClass = record_.Planet(hoverPlanet_).Class;
  CheckOnly(mnuPClass, planetClass);
  popupCommand_ = 0;
  mnuPopup->exec(global);
  const int h = hoverPlanet_;
  const int command = std::exchange(popupCommand_, 0);
  menuOpen_ = false;
  if (h >= 1 && h <= record_.PlanetCount) {
    if (command == 1) PlanetPropertiesCommand(h);
    if (command == 2) PlanetPicturesCommand(h);
    if (command == 3) PlanetMessagesCommand(h);
    if (command == 4) PlanetMapCommand(h);
  }
  DrawSystem(false);
}

void frmSSEdit::PlanetPropertiesCommand(int h) {
  picInfo->hide();
  PlanetProperties shown = ReadPlanetProperties(store_, record_, h, PicturesModel().PictureCount() > 0);
  auto chosen = dialogs_.planetProperties(h, store_.GetPlanetName(record_, h, record_.StarName), shown);
  if (chosen) ApplyPlanetProperties(store_, record_, h, *chosen);
  hoverPlanet_ = 0;
  DrawSystem(true);
}

void frmSSEdit::PlanetMessagesCommand(int h) {
  picInfo->hide();
  const bool ticked = store_.GetPlanetFlag(record_, "Messages", h) == 1;
  dialogs_.planetMessages(h, ticked, store_.GetPlanetName(record_, h, record_.StarName));
  DrawSystem(true);
}

void frmSSEdit::PlanetMapCommand(int h) {
  picInfo->hide();
  dialogs_.planetMap(h, store_.GetPlanetName(record_, h, record_.StarName));
  DrawSystem(true);
}

void frmSSEdit::PlanetPicturesCommand(int h) {
  if (!SystemOpen() || record_.PlanetCount < 1) return;
  picInfo->hide();
  dialogs_.planetPictures(h);
  DrawSystem(true);
}

void frmSSEdit::PlanetNameCommand() {
  auto ctx = Context();
  RenamePlanet(ctx, hoverPlanet_);
}

void frmSSEdit::PlanetClassCommand(int k) {
  auto ctx = Context();
  ChangePlanetClass(ctx, hoverPlanet_, k);
  DrawSystem(true);
}

void frmSSEdit::InsertPlanetCommand() {
  if (hoverPlanet_ < 1) return;
  auto ctx = Context();
  store::flows::InsertPlanet(ctx, hoverPlanet_);
  DrawSystem(true);
  UpdatePlanetCommands();
}

void frmSSEdit::DeletePlanetCommand() {
  if (hoverPlanet_ < 1) return;
  auto ctx = Context();
  store::flows::DeletePlanet(ctx, hoverPlanet_);
  if (hoverPlanet_ > record_.PlanetCount) hoverPlanet_ = 0;
  DrawSystem(true);
  UpdatePlanetCommands();
}

// ---- star popup

void frmSSEdit::StarPopup(QPoint global) {
  if (!SystemOpen() || !picStar->HasPicture()) return;
  CheckOnly(mnuStarType, record_.StarType);
  const bool custom = picStar->HasCustomPicture();
  mnuType->menuAction()->setEnabled(!custom);
  mnuStarPic->setChecked(custom);
  mnuPopupStar->exec(global);
}

void frmSSEdit::StarDescriptionCommand() {
  auto ctx = Context();
  if (DescribeStar(ctx)) DrawSystem(true);
}

void frmSSEdit::StarTypeCommand(int k) {
  auto ctx = Context();
  ChangeStarType(ctx, k);
  picStar->ShowStock(k);
  hoverPlanet_ = 0;
  DrawSystem(true);
}

void frmSSEdit::StarPictureCommand() {
  if (!SystemOpen()) return;
  // A scratch file of this process, so that two editors never paint into each other's picture.
  std::filesystem::path scratch =
      std::filesystem::path(QDir::tempPath().toStdString()) /
      ("StarPic-" + std::to_string(QCoreApplication::applicationPid()) + ".bmp");
  StarPictureServices services{prompter_, settings_, runner_, scratch, store_.PicturesFolder()};
  auto result = EditStarPicture(*picStar, services);
  if (result == StarPictureResult::Custom || result == StarPictureResult::Stock) {
    auto ctx = Context();
    store::flows::PicturesChanged(ctx);
  }
  DrawSystem(true);
}

// ---- Help menu

void frmSSEdit::TutorialCommand() {
  move(qt::TwipsToPixels(600), y());
  packaging::StartTutorial(runner_, store_.GameFolder());
}

void frmSSEdit::AboutCommand() {
  prompter_.Message(std::string("Zelmora ") + ZELMORA_VERSION + "\r\nSolar system designer for Quarvel", Buttons::Ok,
                    Icon::Information, "About Zelmora");
}

}  // namespace zelmora::editor
