// zmd list, show and key: the descriptor store from the command line.
#include "cli/cli_context.h"
#include "store/descriptor_store.h"
#include "store/profile_file.h"
#include "ui/platform/code_page.h"
#include "ui/platform/text_rules.h"

#include <nlohmann/json.hpp>

#include <memory>

namespace zelmora::cli {

namespace {

using platform::Cp1252ToUtf8;
using store::DescriptorStore;

bool CheckFolder(CliContext& ctx, const std::string& folder) {
  if (platform::FolderExists(folder)) return true;
  ctx.Fail(kNotFound, "no such folder: " + folder);
  return false;
}

void List(CliContext& ctx, const std::string& folder) {
  if (!CheckFolder(ctx, folder)) return;
  DescriptorStore store(folder);
  store.RefreshSystemNames();
  ctx.out << "Systems:\n";
  for (const auto& name : store.SystemNames()) ctx.out << "  " << Cp1252ToUtf8(name) << "\n";
  ctx.out << "Catalogue systems that can be replaced:\n";
  for (const auto& key : store.ListCatalogueSystems()) ctx.out << "  " << Cp1252ToUtf8(key) << "\n";
}

std::string StarDisplayName(const DescriptorStore& store, const store::SolarSystemRecord& r) {
  std::string name = store.GetPlanetName(r, 0, r.StarName);
  if (name == store::kNotUsed || name.empty()) {
    return store.GetTables().StarTypeNames.at(static_cast<std::size_t>(r.StarType & 7));
  }
  return name;
}

void Show(CliContext& ctx, const std::string& folder, const std::string& systemArg, bool json) {
  DescriptorStore store(folder);
  store::SolarSystemRecord r;
  if (!LoadSystemToRead(ctx, folder, systemArg, store, r)) return;
  store.GetTables().FillAlienPlaceholders();
  const auto& tables = store.GetTables();

  if (json) {
    nlohmann::json j;
    j["Name"] = Cp1252ToUtf8(r.Name);
    j["StarName"] = Cp1252ToUtf8(r.StarName);
    j["StarType"] = r.StarType;
    j["DisplayName"] = Cp1252ToUtf8(StarDisplayName(store, r));
    j["PlanetCount"] = r.PlanetCount;
    j["Planets"] = nlohmann::json::array();
    for (int i = 1; i <= r.PlanetCount; ++i) {
      const auto& p = r.Planet(i);
      j["Planets"].push_back({{"Orbit", p.Orbit},
                              {"Size", p.Size},
                              {"Moons", p.Moons},
                              {"Attributes", p.Attributes},
                              {"Class", p.Class},
                              {"StateValue", p.StateValue},
                              {"DisplayName", Cp1252ToUtf8(store.GetPlanetName(r, i, r.StarName))},
                              {"PlanetPics", store.GetPlanetFlag(r, "PlanetPics", i) == 1},
                              {"Messages", store.GetPlanetFlag(r, "Messages", i) == 1}});
    }
    ctx.out << j.dump(2) << "\n";
    return;
  }

  ctx.out << "System:  " << Cp1252ToUtf8(r.Name) << "\n"
          << "Star:    " << Cp1252ToUtf8(platform::TrimSpaces(r.StarName)) << " ("
          << tables.StarTypeNames.at(static_cast<std::size_t>(r.StarType & 7)) << ")\n"
          << "Display: " << Cp1252ToUtf8(StarDisplayName(store, r)) << "\n"
          << "Planets: " << r.PlanetCount << "\n";
  for (int i = 1; i <= r.PlanetCount; ++i) {
    const auto& p = r.Planet(i);
    auto a = store::PlanetAttributes::Decode(p.Attributes);
    auto yn = [&](const char* key) { return store.GetPlanetFlag(r, key, i) == 1 ? "yes" : "no"; };
    ctx.out << "  " << i << ". " << Cp1252ToUtf8(store.GetPlanetName(r, i, r.StarName)) << "\n"
            << "     orbit " << p.Orbit << ", class " << store::kClassCaptions.at(static_cast<std::size_t>(p.Class % 15))
            << ", size " << p.Size << ", moons " << p.Moons << "\n"
            << "     life " << store::kLifeNames[a.Life] << ", attitude " << store::kAttitudeNames[a.Attitude]
            << ", advancement " << store::kAdvancementNames[a.Advancement] << ", energy "
            << store::kEnergyNames[a.Energy] << "\n"
            << "     alien " << Cp1252ToUtf8(tables.AlienNames[static_cast<std::size_t>(a.AlienIndex)])
            << ", state " << p.StateValue << ", custom pictures " << yn("PlanetPics") << ", custom messages "
            << yn("Messages") << "\n";
  }
}

struct KeyArgs {
  std::string file, section, key, value;
};

void AddKeyCommands(CLI::App& app, CliContext& ctx) {
  auto* key = app.add_subcommand("key", "read, write or delete one key of a descriptor file");
  key->require_subcommand(1);
  auto args = std::make_shared<KeyArgs>();
  auto common = [&, args](CLI::App* sub) {
    sub->add_option("DESCRIPTOR", args->file, "descriptor file")->required();
    sub->add_option("SECTION", args->section)->required();
    sub->add_option("KEY", args->key)->required();
  };
  auto* get = key->add_subcommand("get", "print the value as the game reads it");
  common(get);
  get->callback([&ctx, args] {
    if (!platform::FileExists(args->file)) return ctx.Fail(kNotFound, "no such file: " + args->file);
    auto section = CodePageArgument(ctx, args->section);
    auto name = section ? CodePageArgument(ctx, args->key) : std::nullopt;
    if (!name) return;
    ctx.out << Cp1252ToUtf8(store::GetProfileString(args->file, *section, *name, store::kNotUsed)) << "\n";
  });
  auto* set = key->add_subcommand("set", "write the value");
  common(set);
  set->add_option("VALUE", args->value)->required();
  set->callback([&ctx, args] {
    if (!platform::FolderExists(std::filesystem::path(args->file).parent_path().empty()
                                    ? std::filesystem::path(".")
                                    : std::filesystem::path(args->file).parent_path())) {
      return ctx.Fail(kNotFound, "no such folder for: " + args->file);
    }
    auto section = CodePageArgument(ctx, args->section);
    auto name = section ? CodePageArgument(ctx, args->key) : std::nullopt;
    auto value = name ? CodePageArgument(ctx, args->value) : std::nullopt;
    if (!value) return;  // refused before the file is touched
    auto result = store::WriteProfileString(args->file, *section, *name, *value);
    if (!result) ctx.Fail(kFailed, result.error);
  });
  auto* del = key->add_subcommand("delete", "remove the key");
  common(del);
  del->callback([&ctx, args] {
    std::filesystem::path file(args->file);
    if (!platform::FileExists(file)) return ctx.Fail(kNotFound, "no such file: " + args->file);
    auto section = CodePageArgument(ctx, args->section);
    auto name = section ? CodePageArgument(ctx, args->key) : std::nullopt;
    if (!name) return;
    std::string bytes;
    if (!platform::ReadWholeFile(file, bytes)) return ctx.Fail(kFailed, "cannot read " + args->file);
    auto result = platform::AtomicReplace(file, store::DeleteKeyLines(bytes, *section, *name));
    if (!result) ctx.Fail(kFailed, result.error);
  });
}

}  // namespace

void AddStoreCommands(CLI::App& app, CliContext& ctx) {
  auto* list = app.add_subcommand("list", "list the systems of a game folder");
  auto folder = std::make_shared<std::string>();
  list->add_option("GAME_FOLDER", *folder)->required();
  list->callback([&ctx, folder] { List(ctx, *folder); });

  auto* show = app.add_subcommand("show", "show one system");
  auto showFolder = std::make_shared<std::string>();
  auto system = std::make_shared<std::string>();
  auto json = std::make_shared<bool>(false);
  show->add_option("GAME_FOLDER", *showFolder)->required();
  show->add_option("SYSTEM", *system)->required();
  show->add_flag("--json", *json, "print the record as JSON");
  AddSavedFlag(show, ctx);
  show->callback([&ctx, showFolder, system, json] { Show(ctx, *showFolder, *system, *json); });

  AddKeyCommands(app, ctx);
}

}  // namespace zelmora::cli
