#include "cli/writing_scope.h"

#include "store/descriptor_store.h"
#include "ui/platform/code_page.h"
#include "ui/platform/file_rules.h"
#include "writing/script_texts.h"

#include <optional>

namespace zelmora::cli {

void AddScopeOptions(CLI::App* command, ScopeArgs& a) {
  command->add_option("SYSTEM", a.system, "only this system");
  command->add_option("PLANET", a.planet, "only this planet of the system");
}

bool OpenInEditor(const messages::PlanetScript& script) {
  return platform::FileExists(script.Store().DescriptorPath(script.Record().Name, store::kWorkingExtension));
}

bool RefuseOpenSystem(CliContext& ctx, const ScopeArgs& a) {
  if (a.system.empty()) return false;
  store::DescriptorStore store(a.folder);
  const auto name = FindSystem(ctx, a.folder, a.system, store);
  if (!name) return true;
  if (!platform::FileExists(store.DescriptorPath(*name, store::kWorkingExtension))) return false;
  ctx.Fail(kFailed, a.system + " is open in the editor (it has a working copy); close it first");
  return true;
}

bool VisitScope(CliContext& ctx, const ScopeArgs& a, bool reading,
                const std::function<void(messages::PlanetScript&)>& visit, const std::string& action) {
  auto planets = [&](store::DescriptorStore& store, const store::SolarSystemRecord& record, int planet) {
    std::optional<store::EditAction> step;
    if (!action.empty()) step.emplace(store, action);
    writing::ForEachPlanet(store, record, planet, visit);
  };
  if (a.system.empty()) {
    if (!platform::FolderExists(a.folder)) {
      ctx.Fail(kNotFound, "no such folder: " + a.folder);
      return false;
    }
    const bool workingCopies = reading && !ctx.saved;
    if (workingCopies) {
      store::DescriptorStore store(a.folder);
      for (const auto& name : store.ListSystems(store::kWorkingExtension)) {
        if (platform::FileExists(store.DescriptorPath(name, store::kSavedExtension))) {
          ctx.err << "zmd: reading the unsaved working copy of " << platform::Cp1252ToUtf8(name) << "\n";
        }
      }
    }
    writing::ForEachSystem(a.folder, workingCopies,
                           [&](store::DescriptorStore& store, const store::SolarSystemRecord& record) {
                             planets(store, record, 0);
                           });
    return true;
  }
  store::DescriptorStore store(a.folder);
  store::SolarSystemRecord record;
  if (!(reading ? LoadSystemToRead : LoadSystem)(ctx, a.folder, a.system, store, record)) return false;
  if (a.planet < 0 || a.planet > record.PlanetCount) {
    ctx.Fail(kNotFound, a.system + " has planets 1 to " + std::to_string(record.PlanetCount));
    return false;
  }
  planets(store, record, a.planet);
  return true;
}

}  // namespace zelmora::cli
