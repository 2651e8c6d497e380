#pragma once

#include "simulator/control_panel.h"
#include "simulator/test_options.h"
#include "simulator/transcript.h"

#include <string>
#include <utility>
#include <vector>

namespace zelmora::simulator {

// Everything a transcript has said the panel and the options show, as it stands now: after a step
// back the test is played again out of sight, and only what differs is written.
struct PanelScreen {
  std::vector<std::pair<std::string, std::string>> entries;  // transcript label and text
  std::vector<std::string> flags;                            // the options' list of set flags
};

PanelScreen ScreenOf(const ControlPanel& panel, const TestOptions& options);
// The entries of `now` that differ from `before`, under the labels the transcript uses.
void PrintScreenChanges(Transcript& t, const PanelScreen& before, const PanelScreen& now);

}  // namespace zelmora::simulator
