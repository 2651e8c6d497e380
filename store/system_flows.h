#pragma once

#include "store/descriptor_store.h"
#include "store/system_pictures.h"

#include <optional>
#include <string>
#include <vector>

// The planet and system commands of the editor as core operations. Each asks through the prompter;
// the window only redraws and updates its controls from the result.
namespace zelmora::store::flows {

struct SystemContext {
  DescriptorStore& store;
  SolarSystemRecord& record;
  platform::Prompter& prompter;
  SystemPictures& pictures;
};

enum class AddResult { Added, OrbitsSpread, Full };
// Adds a planet, or only spreads the orbits inwards to make room; both are written at once.
AddResult AddPlanet(SystemContext& ctx);
// Adds a planet and moves it to position h + 1 (written as Add writes).
AddResult InsertPlanet(SystemContext& ctx, int h);
void DeletePlanet(SystemContext& ctx, int h);
// Exchanges two planets with their names, sections, flags and pictures (the reorder dialog).
void ExchangePlanets(SystemContext& ctx, int a, int b);
// False when the user said No.
bool ClearPlanets(SystemContext& ctx);

// Why the name typed for a new or renamed system cannot be used, or nothing.
std::optional<std::string> SystemNameProblem(const DescriptorStore& store, std::string_view name);

enum class NewResult { Created, Cancelled, Refused };
// After the add-system dialog: checks the name, offers to save the open system, creates N.zmd.
// The caller then adds N to its list and selects it, which opens it.
NewResult NewSystem(SystemContext& ctx, const std::string& name, bool custom);

void SaveSystem(SystemContext& ctx);
// After the star picture or the planet pictures changed in memory: the picture files are written
// only by a save, so the system must count as modified for the save questions to protect them.
void PicturesChanged(SystemContext& ctx);
// Writes the pictures held in memory as Save does (the planet picture strip, the star picture or
// the removal of an old one), without touching the descriptor.
void StorePictures(SystemContext& ctx);
// Asks for the new name (again after a No or a refused name); the caller selects the result.
// `listed` holds the names the system list shows.
std::optional<std::string> SaveSystemAs(SystemContext& ctx, const std::vector<std::string>& listed);
// After Yes: the descriptor and the system's own pictures are gone. False when the user said No.
bool DeleteSystem(SystemContext& ctx, const std::string& name);
// False when the user cancelled and the program must keep running.
bool ExitProgram(SystemContext& ctx);

}  // namespace zelmora::store::flows
