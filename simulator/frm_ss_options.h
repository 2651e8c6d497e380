#pragma once

#include "simulator/planet_script_reader.h"
#include "simulator/ship_rules.h"
#include "simulator/test_options.h"
#include "simulator/test_recording.h"
#include "store/descriptor_store.h"
#include "ui/platform/number_asker.h"
#include "ui/platform/prompter.h"
#include "ui/platform/random.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QScrollBar;
class QMoveEvent;
class QShowEvent;

namespace zelmora::simulator {

class frmSSControl;

// Test Options: the starting flags, last visit, upgrade levels and switches of a test of one
// planet. Begin plays the test in the control panel above it, keeps it as a recording, and the
// dialog shows the flags and retrofits live while it runs. Created once and only ever hidden.
class frmSSOptions : public QDialog, private TestOptionsListener {
  Q_OBJECT

 public:
  // What the tests play against. The composition root owns the ship and the generator, so that
  // the ship carries over from one test to the next within the run.
  struct World {
    store::DescriptorStore& store;
    store::SolarSystemRecord& record;
    ShipState& ship;
    platform::Random& random;
    platform::Prompter& prompter;
    platform::NumberAsker& numbers;
  };

  explicit frmSSOptions(World world, QWidget* parent = nullptr);
  ~frmSSOptions() override;

  // The message editor's Test: the upgrade levels back to 1 and the planet's flag names loaded,
  // then the dialog runs modally. With a start point the test begins at that group.
  void Run(int planet, std::optional<StartPoint> from = std::nullopt);
  // As Run, without running the dialog.
  void Open(int planet, std::optional<StartPoint> from = std::nullopt);
  // Begin: plays the test in the control panel until it closes, then keeps its recording.
  void Begin();

  // Where every test is kept ("" keeps none), and the clock its seed comes from.
  void SetRecordingFolder(std::filesystem::path folder) { recordingFolder_ = std::move(folder); }
  void SetClockSeed(std::function<std::uint64_t()> clock) { clockSeed_ = std::move(clock); }
  const std::optional<TestRecording>& LastRecording() const { return lastRecording_; }
  // The file of the last recording; empty when it was not kept.
  const std::filesystem::path& LastRecordingFile() const { return lastRecordingFile_; }

  TestOptions& Options() { return options_; }
  ShipRules& Rules() { return rules_; }
  frmSSControl* Panel() const { return panel_; }
  // The fill and border of an upgrade marker as shown, kind 1..5.
  MarkerColours Marker(int kind) const { return markerColours_[static_cast<std::size_t>(kind - 1)]; }

  // Controls, named as their objectName.
  QGroupBox* fraOptions;
  QCheckBox* chkUpgrades;
  QCheckBox* chkBadGuy;
  QGroupBox* fraLastVisit;
  QScrollBar* hsbLast;
  QLabel* lblLast;
  std::array<QGroupBox*, 2> fraFlags{};
  std::array<QLabel*, kFlagNumbers> lblFlag{};
  std::array<QFrame*, 2> lnBar{};
  QListWidget* lstFlags;
  QCheckBox* chkList;
  QPushButton* cmdClear;
  QGroupBox* fraUpgrades;
  QLabel* lblRetrofit;
  std::array<QLabel*, kUpgradeKinds> lblUpgrade{};
  QFrame* UpEn;
  QFrame* UpSh;
  QFrame* UpPt;
  QFrame* UpSn;
  QFrame* UpTb;
  QPushButton* cmdBegin;
  QPushButton* cmdClose;
  // Of our own: the trace panel beside the control panel, and where the test starts.
  QCheckBox* chkTrace;
  QLabel* lblStart;

 protected:
  void showEvent(QShowEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Places the panel and this dialog below it, centred together, frames counted. A frame that
  // the window manager has not drawn yet is taken to be like the other window's, or the
  // parent's; once every frame is known the windows are placed once more and left alone.
  void ArrangeWithPanel();
  void BuildFlags();
  void BuildUpgrades();
  void ShowUpgrade(int kind, int level);
  void FillFlagList();

  // TestOptionsListener
  void FlagLabelChanged(int flag, bool on) override;
  void FlagAdded(const FlagListEntry& entry) override;
  void FlagRemoved(const FlagListEntry& entry) override;
  void RetrofitCaptionChanged(const std::string& caption) override;

  World world_;
  StoreScriptReader script_;
  TestOptions options_;
  ShipRules rules_;
  frmSSControl* panel_ = nullptr;  // compared in eventFilter, which runs before it is set
  std::array<QFrame*, kUpgradeKinds> markers_{};
  std::array<MarkerColours, kUpgradeKinds> markerColours_{};
  std::filesystem::path recordingFolder_;
  std::function<std::uint64_t()> clockSeed_;
  std::optional<TestRecording> lastRecording_;
  std::filesystem::path lastRecordingFile_;
  bool arranging_ = false;
  bool inArrange_ = false;
};

}  // namespace zelmora::simulator
