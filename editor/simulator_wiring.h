#pragma once

#include "editor/lazy_window.h"
#include "editor/wiring_context.h"
#include "simulator/start_point.h"
#include "ui/platform/number_asker.h"

#include <filesystem>
#include <memory>
#include <string>

namespace zelmora::simulator {
class SeededRandom;
class frmSSOptions;
class frmSystem;
struct ShipState;
}  // namespace zelmora::simulator

namespace zelmora::editor {

class frmGetNumber;

// The test simulator's windows as the editor opens them: the test options with the control panel
// behind them, the number dialog they ask through and the ship-system chooser. Each is built the
// first time it is opened; the simulated ship and its generator live for the whole run, so that a
// test carries the ship over to the next.
class SimulatorWiring : private platform::NumberAsker {
 public:
  explicit SimulatorWiring(WiringContext context);
  ~SimulatorWiring() override;

  // The message editor's Test on planet `planet`.
  void Test(int planet);
  // A test of planet `planet` that starts at a group (Test from Here in the message editor, or a
  // group of the script map): the Test Options open for it, and Begin plays from there.
  void TestFrom(int planet, const simulator::StartPoint& from);
  // The ship-system chooser opened on `current` (0..8); the chosen system.
  int ChooseShipSystem(int current);
  // Where every test run in the editor is recorded: the program's data folder.
  static std::filesystem::path RecordingFolder();

  // The windows, built on first use (tests drive them too).
  simulator::frmSSOptions& Options();
  simulator::frmSystem& SystemChooser();

 private:
  float AskNumber(const std::string& message, const std::string& title, const std::string& unit, float defaultValue,
                  float minimum, float maximum, float scale) override;

  WiringContext context_;
  std::unique_ptr<simulator::ShipState> ship_;
  std::unique_ptr<simulator::SeededRandom> random_;
  LazyWindow<frmGetNumber> number_;
  LazyWindow<simulator::frmSystem> system_;
  LazyWindow<simulator::frmSSOptions> options_;
};

}  // namespace zelmora::editor
