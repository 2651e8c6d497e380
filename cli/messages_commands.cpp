// zmd groups and zmd message: a planet's script and the parts of one stored value.
#include "cli/cli_context.h"
#include "messages/group_discovery.h"
#include "messages/message_parts.h"
#include "messages/planet_script.h"
#include "store/descriptor_store.h"
#include "ui/platform/code_page.h"
#include "ui/platform/file_rules.h"

#include <nlohmann/json.hpp>

#include <iomanip>
#include <memory>

namespace zelmora::cli {

namespace {

using platform::Cp1252ToUtf8;
using platform::Utf8ToCp1252;

struct GroupsArgs {
  std::string folder, system;
  int planet = 1;
  bool json = false;
};

void Groups(CliContext& ctx, const GroupsArgs& a) {
  store::DescriptorStore store(a.folder);
  const auto name = FindSystemToRead(ctx, a.folder, a.system, store);
  if (!name) return;
  if (a.planet < 1 || a.planet > store::kMaxPlanets) return ctx.Fail(kFailed, "PLANET must be 1 to 10");
  store::SolarSystemRecord record;
  store.LoadSystem(*name, record);
  const messages::PlanetScript script(store, record, a.planet);
  const auto groups = messages::DiscoverGroups(script);

  if (a.json) {
    auto j = nlohmann::json::array();
    for (const auto& g : groups) {
      j.push_back({{"Name", Cp1252ToUtf8(g.Name)},
                   {"IsMessageGroup", g.IsMessageGroup},
                   {"IsResponseGroup", g.IsResponseGroup}});
    }
    ctx.out << j.dump(2) << "\n";
    return;
  }
  std::size_t width = 0;
  for (const auto& g : groups) width = std::max(width, Cp1252ToUtf8(g.Name).size());
  for (const auto& g : groups) {
    ctx.out << std::left << std::setw(static_cast<int>(width + 2)) << Cp1252ToUtf8(g.Name)
            << (g.IsMessageGroup ? "message " : "        ") << (g.IsResponseGroup ? "response" : "") << "\n";
  }
}

nlohmann::json Texts(const std::vector<std::string>& list) {
  auto j = nlohmann::json::array();
  for (const auto& s : list) j.push_back(Cp1252ToUtf8(s));
  return j;
}

std::string Joined(const std::vector<std::string>& list) {
  std::string out;
  for (const auto& s : list) out += (out.empty() ? "" : " ") + Cp1252ToUtf8(s);
  return out;
}

void Parse(CliContext& ctx, const std::string& valueArg, bool json) {
  const std::string value = Utf8ToCp1252(valueArg);
  const auto p = messages::ParseMessage(value);
  if (json) {
    nlohmann::json j;
    j["PrefixCodes"] = Texts(p.PrefixCodes);
    j["WaitSeconds"] = p.WaitSeconds;
    j["ChanceTenths"] = p.ChanceTenths;
    j["Display"] = messages::DisplayKindName(p.Display);
    j["Title"] = Cp1252ToUtf8(p.Title);
    j["Text"] = Cp1252ToUtf8(p.Text);
    j["UpgradeCodes"] = Texts(p.UpgradeCodes);
    j["AnswerGroup"] = p.AnswerGroup ? nlohmann::json(Cp1252ToUtf8(*p.AnswerGroup)) : nlohmann::json(nullptr);
    j["ActionCodes"] = Texts(p.ActionCodes);
    ctx.out << j.dump(2) << "\n";
    return;
  }
  ctx.out << "PrefixCodes:  " << Joined(p.PrefixCodes) << "\n"
          << "WaitSeconds:  " << p.WaitSeconds << (p.WaitSeconds == 0 ? " (immediately)" : "") << "\n"
          << "ChanceTenths: " << p.ChanceTenths << (p.ChanceTenths == 10 ? " (always)" : "") << "\n"
          << "Display:      " << messages::DisplayKindName(p.Display) << "\n";
  if (p.Display == messages::DisplayKind::Custom) ctx.out << "Title:        " << Cp1252ToUtf8(p.Title) << "\n";
  ctx.out << "Text:         " << Cp1252ToUtf8(p.Text) << "\n"
          << "UpgradeCodes: " << Joined(p.UpgradeCodes) << "\n"
          << "AnswerGroup:  " << (p.AnswerGroup ? Cp1252ToUtf8(*p.AnswerGroup) : "(own group)") << "\n"
          << "ActionCodes:  " << Joined(p.ActionCodes) << "\n";
  if (messages::ExceedsLengthLimit(value)) ctx.out << messages::kLengthLimitText << "\n";
}

}  // namespace

void AddMessageCommands(CLI::App& app, CliContext& ctx) {
  auto groupsArgs = std::make_shared<GroupsArgs>();
  auto* groups = app.add_subcommand("groups", "list the groups of a planet's script in discovery order");
  groups->add_option("GAME_FOLDER", groupsArgs->folder)->required();
  groups->add_option("SYSTEM", groupsArgs->system)->required();
  groups->add_option("PLANET", groupsArgs->planet, "planet number 1..10")->required();
  groups->add_flag("--json", groupsArgs->json, "print Name, IsMessageGroup and IsResponseGroup as JSON");
  AddSavedFlag(groups, ctx);
  groups->callback([&ctx, groupsArgs] { Groups(ctx, *groupsArgs); });

  auto* message = app.add_subcommand("message", "the parts of one stored message or response value");
  message->require_subcommand(1);
  auto value = std::make_shared<std::string>();
  auto json = std::make_shared<bool>(false);
  auto* parse = message->add_subcommand("parse", "print the parts of VALUE");
  parse->add_option("VALUE", *value)->required();
  parse->add_flag("--json", *json, "print the parts as JSON");
  parse->callback([&ctx, value, json] { Parse(ctx, *value, *json); });
  auto* display = message->add_subcommand("display", "print VALUE as the group lists show it");
  display->add_option("VALUE", *value)->required();
  display->callback(
      [&ctx, value] { ctx.out << Cp1252ToUtf8(messages::MessageDisplayText(Utf8ToCp1252(*value))) << "\n"; });
}

}  // namespace zelmora::cli
