// zmd wizard and zmd room: adventure grids generated and rooms read back without a window.
#include "adventure/grid_names.h"
#include "adventure/grid_wizard.h"
#include "adventure/room_model.h"
#include "cli/cli_context.h"
#include "messages/planet_script.h"
#include "messages/typed_text.h"
#include "store/descriptor_store.h"
#include "ui/platform/code_page.h"
#include "ui/platform/file_rules.h"
#include "ui/platform/text_rules.h"

#include <nlohmann/json.hpp>

#include <memory>
#include <optional>
#include <sstream>

namespace zelmora::cli {

namespace {

using adventure::kSlotCaptions;
using adventure::kSlotCount;


struct PlanetArgs {
  std::string folder, system;
  int planet = 1;
};

// Loads the system and checks the planet; false (with the failure reported) when it cannot.
// A reading command reads the editor's working copy when there is one.
bool OpenPlanet(CliContext& ctx, const PlanetArgs& a, store::DescriptorStore& store, store::SolarSystemRecord& record,
                bool reading = false) {
  if (!(reading ? LoadSystemToRead : LoadSystem)(ctx, a.folder, a.system, store, record)) return false;
  if (a.planet < 1 || a.planet > record.PlanetCount) {
    ctx.Fail(kFailed, a.system + " has planets 1 to " + std::to_string(record.PlanetCount));
    return false;
  }
  return true;
}

struct WizardArgs : PlanetArgs {
  std::string size, actions;
};

std::optional<adventure::GridChoices> ParseChoices(CliContext& ctx, const WizardArgs& a) {
  adventure::GridChoices choices;
  const std::size_t x = a.size.find_first_of("xX");
  if (x == std::string::npos) {
    ctx.Fail(kFailed, "--size must be COLUMNSxROWS, e.g. 3x4");
    return std::nullopt;
  }
  choices.sizeX = a.size.substr(0, x);
  choices.sizeY = a.size.substr(x + 1);
  if (!adventure::ValidateGrid(choices)) {
    ctx.Fail(kFailed, "--size: columns and rows must be 2 to 10");
    return std::nullopt;
  }
  if (a.actions.empty()) return choices;
  static const char* const kNames[kSlotCount] = {"N", "E", "S", "W", "beam", "search", "tri"};
  choices.chosen.fill(false);
  std::istringstream list(a.actions);
  for (std::string item; std::getline(list, item, ',');) {
    if (item.empty()) continue;
    bool known = false;
    for (int i = 0; i < kSlotCount; ++i) {
      if (platform::EqualsNoCase(item, kNames[i])) choices.chosen[i] = known = true;
    }
    if (!known) {
      ctx.Fail(kFailed, "unknown action: " + item + " (use N,E,S,W,beam,search,tri)");
      return std::nullopt;
    }
  }
  return choices;
}

void Wizard(CliContext& ctx, const WizardArgs& a) {
  store::DescriptorStore store(a.folder);
  store::SolarSystemRecord record;
  if (!OpenPlanet(ctx, a, store, record)) return;
  const auto choices = ParseChoices(ctx, a);
  if (!choices) return;
  // The editor has this system open; writing the descriptor beside it would be lost on its save.
  if (platform::FileExists(store.DescriptorPath(record.Name, store::kWorkingExtension))) {
    return ctx.Fail(kFailed, a.system + " is open in the editor (it has a working copy); close it first");
  }
  messages::PlanetScript script(store, record, a.planet);
  {
    store::DescriptorBatch batch(store, record.Name);
    adventure::FinishGrid(*choices, script);
  }
  const int width = std::stoi(choices->sizeX), height = std::stoi(choices->sizeY);
  ctx.out << "wrote a " << width << " x " << height << " grid to planet " << a.planet << " of "
          << a.system << ": " << adventure::AreaName(1, 1, width, height) << " .. "
          << adventure::AreaName(width, height, width, height) << "\n";
}

struct RoomArgs : PlanetArgs {
  std::string room;
  bool json = false;
};

const char* StateName(const adventure::SlotState& slot) {
  if (!slot.present) return "absent";
  return slot.isDefault ? "default" : "custom";
}

void Room(CliContext& ctx, const RoomArgs& a) {
  store::DescriptorStore store(a.folder);
  store::SolarSystemRecord record;
  if (!OpenPlanet(ctx, a, store, record, true)) return;
  messages::PlanetScript script(store, record, a.planet);
  adventure::RoomModel room(script);
  platform::DecliningPrompter prompter;
  const auto name = CodePageArgument(ctx, a.room);
  if (!name) return;
  if (const auto problem = messages::KeyNameProblem(*name)) return ctx.Fail(kRefused, *problem);
  if (room.LoadRoom(*name, prompter) != adventure::OpenResult::Opened) {
    return ctx.Fail(kFailed, "\"None\" is not a room");
  }
  auto u = [](const std::string& s) { return platform::Cp1252ToUtf8(s); };
  static const char* const kDirections[4] = {"North", "East", "South", "West"};
  if (a.json) {
    nlohmann::json j;
    j["Name"] = u(room.Name());
    j["Description"] = {{"Number", room.Description().number}, {"Text", u(room.Description().parts.text)}};
    for (int d = 0; d < 4; ++d) j["Neighbours"][kDirections[d]] = u(room.Neighbours()[d]);
    j["Slots"] = nlohmann::json::array();
    for (int s = 0; s < kSlotCount; ++s) {
      const auto& slot = room.Slot(s);
      j["Slots"].push_back({{"Caption", kSlotCaptions[s]},
                            {"State", StateName(slot)},
                            {"Number", slot.action.number},
                            {"Destination", u(slot.action.Destination())},
                            {"Response", u(slot.present ? slot.action.parts.Value() : "")}});
    }
    j["CustomActions"] = nlohmann::json::array();
    for (const auto& action : room.Customs()) {
      j["CustomActions"].push_back({{"Number", action.number},
                                    {"Destination", u(action.Destination())},
                                    {"Text", u(action.parts.text)}});
    }
    ctx.out << j.dump(2) << "\n";
    return;
  }
  ctx.out << "Room " << u(room.Name()) << "\n";
  ctx.out << "Description: "
          << (room.Description().number == 0 ? "(none)" : u(room.Description().parts.text)) << "\n";
  ctx.out << "Neighbours:";
  for (int d = 0; d < 4; ++d) {
    ctx.out << " " << kDirections[d] << " " << (room.Neighbours()[d].empty() ? "-" : u(room.Neighbours()[d]));
  }
  ctx.out << "\n";
  for (int s = 0; s < kSlotCount; ++s) {
    const auto& slot = room.Slot(s);
    ctx.out << "  " << kSlotCaptions[s] << ": " << StateName(slot);
    if (slot.present) ctx.out << ", response " << slot.action.number << " -> " << u(slot.action.Destination());
    ctx.out << "\n";
  }
  ctx.out << "Custom actions: " << room.Customs().size() << "\n";
  for (const auto& action : room.Customs()) {
    ctx.out << "  response " << action.number << " -> " << u(action.Destination()) << ": " << u(action.parts.text)
            << "\n";
  }
}

}  // namespace

void AddAdventureCommands(CLI::App& app, CliContext& ctx) {
  auto w = std::make_shared<WizardArgs>();
  auto* wizard = app.add_subcommand("wizard", "generate an adventure grid of rooms on a planet");
  wizard->add_option("GAME_FOLDER", w->folder)->required();
  wizard->add_option("SYSTEM", w->system)->required();
  wizard->add_option("PLANET", w->planet, "planet number")->required();
  wizard->add_option("--size", w->size, "columns x rows, each 2..10, e.g. 3x4")->required();
  wizard->add_option("--actions", w->actions, "the actions of every room: N,E,S,W,beam,search,tri (all by default)");
  wizard->callback([&ctx, w] { Wizard(ctx, *w); });

  auto r = std::make_shared<RoomArgs>();
  auto* room = app.add_subcommand("room", "a room of a planet's adventure as the room editor reads it");
  room->add_option("GAME_FOLDER", r->folder)->required();
  room->add_option("SYSTEM", r->system)->required();
  room->add_option("PLANET", r->planet, "planet number")->required();
  room->add_option("ROOM", r->room)->required();
  room->add_flag("--json", r->json);
  AddSavedFlag(room, ctx);
  room->callback([&ctx, r] { Room(ctx, *r); });
}

}  // namespace zelmora::cli
