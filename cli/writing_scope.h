#pragma once

#include "cli/cli_context.h"
#include "messages/planet_script.h"

#include <functional>
#include <string>

namespace zelmora::cli {

// GAME_FOLDER [SYSTEM [PLANET]] of the writing commands.
struct ScopeArgs {
  std::string folder, system;
  int planet = 0;
};

void AddScopeOptions(CLI::App* command, ScopeArgs& a);

// Calls `visit` for every planet in scope with a section, one system at a time in one batch of its
// descriptor, inside a step named `action` when one is given. Reading: a system the editor has open
// is read from its working copy (unless --saved). False, with the failure reported, when the folder,
// the system or the planet is not there.
bool VisitScope(CliContext& ctx, const ScopeArgs& a, bool reading,
                const std::function<void(messages::PlanetScript&)>& visit, const std::string& action = {});

// Whether the editor has the script's system open (a working copy beside its descriptor).
bool OpenInEditor(const messages::PlanetScript& script);

// One named system that the editor has open is refused for writing, as zmd wizard refuses it.
bool RefuseOpenSystem(CliContext& ctx, const ScopeArgs& a);

}  // namespace zelmora::cli
