#pragma once

#include "store/system_flows.h"

#include <string>

// The main window's commands that act on the open system, as core operations asking through the
// prompter. The window redraws and updates its controls afterwards.
namespace zelmora::editor {

using store::flows::SystemContext;

// Before a system is opened from the list: asks about the open system's changes (to revert when
// the same system is picked again, else to save) and closes its working copy. False on Cancel;
// the open system then stays as it is.
bool LeaveForSelection(SystemContext& ctx, bool samePicked, const std::string& newName);

// Planet popup Name for planet h: "none" or "default" removes the stored name. False when the
// user gave no answer.
bool RenamePlanet(SystemContext& ctx, int h);

// Star popup Description: the star's display name; its type's name, "none" or "default" removes it.
bool DescribeStar(SystemContext& ctx);

// Popup Class item k on planet h, with the size rule of the classes; written at once.
void ChangePlanetClass(SystemContext& ctx, int h, int k);

// Star popup Type item k; written at once.
void ChangeStarType(SystemContext& ctx, int k);

}  // namespace zelmora::editor
