#include "editor/simulator_wiring.h"

#include "editor/frm_get_number.h"
#include "simulator/frm_ss_options.h"
#include "simulator/frm_system.h"
#include "simulator/seeded_random.h"
#include "simulator/ship_state.h"

#include <QStandardPaths>

namespace zelmora::editor {

SimulatorWiring::SimulatorWiring(WiringContext context)
    : context_(context),
      ship_(std::make_unique<simulator::ShipState>()),
      random_(std::make_unique<simulator::SeededRandom>()),
      number_([this] { return std::make_unique<frmGetNumber>(&context_.parent); }),
      system_([this] { return std::make_unique<simulator::frmSystem>(&context_.parent); }),
      options_([this] {
        auto options = std::make_unique<simulator::frmSSOptions>(
            simulator::frmSSOptions::World{context_.store, context_.record, *ship_, *random_, context_.prompter,
                                           *this},
            &context_.parent);
        options->SetRecordingFolder(RecordingFolder());
        return options;
      }) {}

// Members go in reverse: the options before the number dialog they ask through.
SimulatorWiring::~SimulatorWiring() = default;

std::filesystem::path SimulatorWiring::RecordingFolder() {
  return std::filesystem::path(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation).toStdU16String()) /
         "tests";
}

void SimulatorWiring::Test(int planet) { options_->Run(planet); }

void SimulatorWiring::TestFrom(int planet, const simulator::StartPoint& from) { options_->Run(planet, from); }

int SimulatorWiring::ChooseShipSystem(int current) { return system_->Choose(current); }

simulator::frmSSOptions& SimulatorWiring::Options() { return *options_; }

simulator::frmSystem& SimulatorWiring::SystemChooser() { return *system_; }

float SimulatorWiring::AskNumber(const std::string& message, const std::string& title, const std::string& unit,
                                 float defaultValue, float minimum, float maximum, float scale) {
  return number_->GetNumber(message, title, unit, defaultValue, minimum, maximum, scale);
}

}  // namespace zelmora::editor
