#pragma once

#include "check/map_layout.h"
#include "messages/planet_script.h"
#include "messages/special_actions.h"

#include <QDialog>

#include <optional>
#include <string>

class QGroupBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QTreeWidget;

namespace zelmora::check {

class AdventureMapWidget;
class MapLegendWidget;

// "Adventure Map": every room of the planet's adventure in its place, its doors, locks and
// findings, beside a legend and the list of room findings. Clicking a room (or double-clicking a
// finding) closes the window with that room chosen. Created once and refilled on each run.
class frmAdventureMap : public QDialog {
  Q_OBJECT

 public:
  frmAdventureMap(messages::PlanetScript& script, messages::SpecialActionList catalogue, QWidget* parent = nullptr);

  // Checks and draws the planet the script is on, `current` ringed, and runs the window; the room
  // chosen on it, or nothing when it was closed.
  std::optional<std::string> Run(const std::string& current);
  // Fills the window as Run does, without running it (tests drive the window themselves).
  void Prepare(const std::string& current);
  const PlanetMap& Map() const { return map_; }
  const std::optional<std::string>& Chosen() const { return chosen_; }

  // Controls, named as their objectName.
  QScrollArea* pnlMap;
  AdventureMapWidget* picMap;
  QLabel* lblSummary;
  QGroupBox* fraLegend;
  MapLegendWidget* picLegend;
  QLabel* lblFindings;
  QTreeWidget* lvwFindings;
  QPushButton* cmdClose;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OpenRoom(int room);
  void FindingChosen();
  void WrapFindings();
  void ScrollTo(int room);

  messages::PlanetScript& script_;
  messages::SpecialActionList catalogue_;
  PlanetMap map_;
  std::optional<std::string> chosen_;
  int sideWidth_ = 0;
};

}  // namespace zelmora::check
