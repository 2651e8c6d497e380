#pragma once

#include <array>

// The steps of the crash writer, shared with the test that kills it: the writer records the step
// it is in, the test reads it after the kill and reports where the kills landed.
namespace zelmora::crash {

enum KillPoint : int {
  kStarting,
  kRewrites,    // WriteSystemRecord, WriteKey, DeleteKey, names, append/remove, swaps
  kEdit,        // key writes into the working copy
  kSave,
  kSaveAs,
  kNewSystem,
  kDeleteSystem,
  kAddPlanet,
  kInsertPlanet,
  kDeletePlanet,
  kReorder,
  kClearPlanets,
  kNamePlanet,
  kWizard,
  kDeliverA,
  kDeliverB,
  kPictureNew,
  kPictureRemove,
  kKillPointCount
};

inline constexpr std::array<const char*, kKillPointCount> kKillPointNames = {
    "start-up", "rewrites", "edit", "Save", "Save As", "New system", "Delete system", "Add planet",
    "Insert planet", "Delete planet", "Reorder", "Clear planets", "naming a new planet", "wizard batch",
    "delivery of package A", "delivery of package B", "New picture", "Remove picture"};

}  // namespace zelmora::crash
