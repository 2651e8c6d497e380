#pragma once

#include "check/script_map.h"
#include "messages/planet_script.h"
#include "messages/special_actions.h"
#include "ui/platform/prompter.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <string>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;

namespace zelmora::editor {
class ScriptWorker;
}  // namespace zelmora::editor

namespace zelmora::check {

class ScriptMapCanvas;
class ScriptMapLegend;

// "Script Map": the planet's whole script on one sheet, every group a box and every link an arrow,
// laid out by Graphviz. It stays open beside the message editor and is drawn again after every
// edit, where the view was; the checker's findings follow from a check behind. A click chooses a
// group and lights the paths to it from where play starts, a double click opens it in the editor.
class frmScriptMap : public QDialog, private ScriptMapView {
  Q_OBJECT

 public:
  frmScriptMap(messages::PlanetScript& script, messages::SpecialActionList catalogue, platform::Prompter& prompter,
               QWidget* parent = nullptr);
  ~frmScriptMap() override;

  // Shows the map of the script's planet under its name, drawn now and checked behind.
  void ShowFor(const std::string& planetName);
  // The same, run modally; returns when the window is closed.
  void RunFor(const std::string& planetName);
  // Draws the map again after an edit and checks it again; nothing while the window is hidden.
  void Refresh();
  bool Checking() const;
  // Waits for a check under way and shows what it found.
  void WaitForCheck();
  // Where a group is opened.
  void SetOpen(std::function<void(const OpenTarget&)> open) { open_ = std::move(open); }
  // Opens a group (-1: the chosen one) as a double click does, or as `kind` when given.
  void OpenNode(int node, std::optional<OpenTarget::Kind> kind = std::nullopt);
  // Asks where, then writes the map as a PNG picture or (by the name's ending) an SVG drawing.
  void SaveImage();

  ScriptMap& Model() { return model_; }

  // Controls, named as their objectName.
  ScriptMapCanvas* picMap;
  QLabel* lblSearch;
  QLineEdit* txtSearch;
  QPushButton* cmdFind;
  QLabel* lblFound;
  QPushButton* cmdZoomOut;
  QPushButton* cmdZoomIn;
  QPushButton* cmdFit;
  QLabel* lblZoom;
  QLabel* lblSummary;
  QLabel* lblFlags;
  QListWidget* lstFlags;
  QGroupBox* fraLegend;
  ScriptMapLegend* picLegend;
  QPushButton* cmdOpen;
  QPushButton* cmdSaveImage;
  QPushButton* cmdClose;
  QMenu* mnuNode;
  QAction* mnuOpenMessages;
  QAction* mnuOpenResponses;
  QAction* mnuEditRoom;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Load(const std::string& planetName);
  void Draw();
  void Check();
  void StartView();
  void Find();
  void NodeMenu(int node, QPoint global);
  void FitToScreen();

  // ScriptMapView
  void ShowSheet(const ScriptSheet& sheet, const ScriptGraph& graph) override;
  void ShowMarks(const MapMarks& marks) override;
  void ShowFlags(const std::vector<FlagRow>& flags) override;
  void ShowSummary(const std::string& summary) override;
  void CentreOn(int box) override;

  messages::PlanetScript& script_;
  messages::SpecialActionList catalogue_;
  platform::Prompter& prompter_;
  CheckOptions options_;
  ScriptMap model_;
  std::vector<Finding> findings_;
  editor::ScriptWorker* worker_;
  std::function<void(const OpenTarget&)> open_;
  std::string shownFor_;  // the system and planet drawn, so that another starts afresh
  std::string title_;
  bool startView_ = true;
  // The group nearest to the middle of the view and how far from it, kept across a new layout.
  std::optional<std::pair<std::string, QPointF>> anchor_;
  bool quietFlags_ = false;
  QWidget* side_ = nullptr;  // the column beside the map
};

}  // namespace zelmora::check
