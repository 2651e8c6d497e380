#pragma once

#include "store/descriptor_store.h"
#include "store/system_flows.h"
#include "tests/support/null_pictures.h"
#include "tests/support/scripted_prompter.h"
#include "tests/support/temp_game_folder.h"

#include <string>

namespace zelmora::testing {

// A system of a fresh copy of the demo game, opened for editing as the editor opens it.
struct OpenDemoSystem {
  explicit OpenDemoSystem(const std::string& name = "4Tessaly") {
    store.OpenWorkingCopy(name, prompter);
    store.LoadSystem(name, record);
  }

  DemoGameFolder game;
  store::DescriptorStore store{game.Path()};
  store::SolarSystemRecord record;
  ScriptedPrompter prompter;
  SwapRecordingPictures pictures;
  store::flows::SystemContext ctx{store, record, prompter, pictures};
};

}  // namespace zelmora::testing
