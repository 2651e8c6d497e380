// zmd map: a planet's script as a graph, in JSON, Graphviz's language or SVG.
#include "check/graphviz.h"
#include "check/script_graph.h"
#include "check/script_graph_dot.h"
#include "check/text_width.h"
#include "cli/cli_context.h"
#include "store/descriptor_store.h"
#include "ui/platform/code_page.h"
#include "ui/platform/file_rules.h"

#include <nlohmann/json.hpp>

#include <memory>

namespace zelmora::cli {

namespace {

using platform::Cp1252ToUtf8;

struct MapArgs {
  std::string folder, system, format = "json";
  int planet = 1;
};

nlohmann::json Strings(const std::vector<std::string>& items) {
  nlohmann::json out = nlohmann::json::array();
  for (const auto& s : items) out.push_back(Cp1252ToUtf8(s));
  return out;
}

nlohmann::json Findings(const std::vector<check::Finding>& findings) {
  nlohmann::json out = nlohmann::json::array();
  for (const auto& f : findings) {
    out.push_back({{"severity", check::SeverityName(f.severity)},
                   {"kind", check::KindName(f.kind)},
                   {"key", Cp1252ToUtf8(f.key)},
                   {"message", Cp1252ToUtf8(f.message)}});
  }
  return out;
}

nlohmann::json Json(const check::ScriptGraph& graph) {
  nlohmann::json j;
  j["nodes"] = nlohmann::json::array();
  for (const auto& n : graph.nodes) {
    j["nodes"].push_back({{"name", Cp1252ToUtf8(n.name)},
                          {"kind", check::NodeKindName(n.kind)},
                          {"messages", n.messages},
                          {"responses", n.responses},
                          {"missing", n.missing},
                          {"unreachable", n.unreachable},
                          {"findings", Findings(n.findings)}});
  }
  j["edges"] = nlohmann::json::array();
  for (const auto& e : graph.edges) {
    j["edges"].push_back({{"from", Cp1252ToUtf8(graph.nodes[static_cast<std::size_t>(e.from)].name)},
                          {"to", Cp1252ToUtf8(graph.nodes[static_cast<std::size_t>(e.to)].name)},
                          {"key", Cp1252ToUtf8(e.key)},
                          {"kind", check::EdgeKindName(e.kind)},
                          {"requires", Strings(e.needs)},
                          {"sets", Strings(e.sets)},
                          {"lock", e.lock},
                          {"findings", Findings(e.findings)}});
  }
  return j;
}

void Map(CliContext& ctx, const MapArgs& a) {
  store::DescriptorStore store(a.folder);
  const auto name = FindSystem(ctx, a.folder, a.system, store);
  if (!name) return;
  // What the editor has open is what the author is looking at.
  if (platform::FileExists(store.DescriptorPath(*name, store::kWorkingExtension))) {
    store.SetCurrentExtension(store::kWorkingExtension);
  }
  store::SolarSystemRecord record;
  store.LoadSystem(*name, record);
  if (a.planet < 1 || a.planet > record.PlanetCount) {
    return ctx.Fail(kNotFound, a.system + " has planets 1 to " + std::to_string(record.PlanetCount));
  }
  check::CheckOptions options;
  options.measureTwips = check::ApproximateDialogTwips;
  const messages::PlanetScript script(store, record, a.planet);
  const auto graph = check::MapScript(script, messages::LoadSpecialActions(a.folder), options);
  if (a.format == "json") {
    ctx.out << Json(graph).dump(2) << "\n";
    return;
  }
  const std::string dot = check::ScriptGraphDot(graph, record.Name + " " + std::to_string(a.planet));
  if (a.format == "dot") {
    ctx.out << Cp1252ToUtf8(dot);
    return;
  }
  std::string error;
  const std::string svg = check::RenderWithDot(dot, "svg", &error);
  if (svg.empty()) return ctx.Fail(kFailed, error);
  ctx.out << svg;
}

}  // namespace

void AddMapCommands(CLI::App& app, CliContext& ctx) {
  auto args = std::make_shared<MapArgs>();
  auto* map = app.add_subcommand(
      "map",
      "a planet's script as a graph: its groups with their item counts and findings, and every answer code, "
      "door and beam-down link with the flags it needs (\"A\" set, \"!A\" clear) and changes (+A, -A, ~A); "
      "reads the editor's working copy when it has one");
  map->add_option("GAME_FOLDER", args->folder)->required();
  map->add_option("SYSTEM", args->system)->required();
  map->add_option("PLANET", args->planet)->required();
  map->add_option("--format", args->format, "json (default), dot or svg")
      ->check(CLI::IsMember({"json", "dot", "svg"}));
  map->callback([&ctx, args] { Map(ctx, *args); });
}

}  // namespace zelmora::cli
