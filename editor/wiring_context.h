#pragma once

#include "store/descriptor_store.h"
#include "store/system_record.h"
#include "ui/platform/process_runner.h"
#include "ui/platform/prompter.h"
#include "ui/platform/settings_store.h"

class QWidget;

namespace zelmora::editor {

// What the main window hands each subsystem's wiring: itself as the parent of every window built,
// the store, the open record and the ports. All of it outlives the wiring.
struct WiringContext {
  QWidget& parent;
  store::DescriptorStore& store;
  store::SolarSystemRecord& record;
  platform::Prompter& prompter;
  platform::SettingsStore& settings;
  platform::ProcessRunner& runner;
};

}  // namespace zelmora::editor
