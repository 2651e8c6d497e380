// zmd stats: words and characters of the planets' scripts, and their longest values against the
// game's limits.
#include "check/text_width.h"
#include "cli/cli_context.h"
#include "cli/writing_scope.h"
#include "messages/message_parts.h"
#include "ui/platform/code_page.h"
#include "writing/word_counts.h"

#include <nlohmann/json.hpp>

#include <memory>

namespace zelmora::cli {

namespace {

using platform::Cp1252ToUtf8;

struct StatsArgs : ScopeArgs {
  bool json = false;
};

std::string Plural(int n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string Summary(const writing::TextCounts& c) {
  std::string s = Plural(c.words, "word", "words") + ", " + Plural(c.characters, "character", "characters") +
                  " in " + Plural(c.messages, "message", "messages") + ", " +
                  Plural(c.responses, "response", "responses");
  if (c.infos > 0) s += ", " + Plural(c.infos, "information text", "information texts");
  if (!c.longestKey.empty()) {
    s += "; longest " + Cp1252ToUtf8(c.longestKey) + " (" + std::to_string(c.longestLength) + " of " +
         std::to_string(messages::kMaxValueLength) + ")";
  }
  if (!c.widestKey.empty()) {
    s += "; widest response " + Cp1252ToUtf8(c.widestKey) + " (" + std::to_string(c.widestTwips) + " of " +
         std::to_string(messages::kMaxResponseTextTwips) + " twips)";
  }
  if (c.overLength > 0) s += "; " + Plural(c.overLength, "value", "values") + " read back cut";
  if (c.overWidth > 0) s += "; " + Plural(c.overWidth, "response", "responses") + " too wide";
  return s;
}

nlohmann::json Json(const writing::TextCounts& c) {
  return {{"words", c.words},
          {"characters", c.characters},
          {"messages", c.messages},
          {"responses", c.responses},
          {"infos", c.infos},
          {"longestKey", Cp1252ToUtf8(c.longestKey)},
          {"longestLength", c.longestLength},
          {"widestKey", Cp1252ToUtf8(c.widestKey)},
          {"widestTwips", c.widestTwips},
          {"overLength", c.overLength},
          {"overWidth", c.overWidth}};
}

void Stats(CliContext& ctx, const StatsArgs& a) {
  std::vector<writing::PlanetCounts> planets;
  const bool ok = VisitScope(ctx, a, true, [&](messages::PlanetScript& script) {
    planets.push_back(writing::CountPlanet(script, check::ApproximateDialogTwips));
  });
  if (!ok) return;
  writing::TextCounts total;
  for (const auto& p : planets) total.Add(p.total);
  const bool groups = a.planet != 0;
  if (a.json) {
    nlohmann::json j;
    j["planets"] = nlohmann::json::array();
    for (const auto& p : planets) {
      nlohmann::json planet = Json(p.total);
      planet["system"] = Cp1252ToUtf8(p.system);
      planet["planet"] = p.planet;
      planet["groups"] = nlohmann::json::array();
      for (const auto& g : p.groups) {
        nlohmann::json group = Json(g.counts);
        group["group"] = Cp1252ToUtf8(g.group);
        planet["groups"].push_back(group);
      }
      j["planets"].push_back(planet);
    }
    j["total"] = Json(total);
    ctx.out << j.dump(2) << "\n";
    return;
  }
  for (const auto& p : planets) {
    ctx.out << Cp1252ToUtf8(p.system) << "/" << p.planet << ": " << Summary(p.total) << "\n";
    if (!groups) continue;
    for (const auto& g : p.groups) {
      ctx.out << "  " << (g.group.empty() ? std::string("Info") : Cp1252ToUtf8(g.group)) << ": "
              << Summary(g.counts) << "\n";
    }
  }
  if (planets.size() != 1) ctx.out << "total: " << Summary(total) << "\n";
}

}  // namespace

void AddStatsCommands(CLI::App& app, CliContext& ctx) {
  auto s = std::make_shared<StatsArgs>();
  auto* stats = app.add_subcommand(
      "stats", "words and characters of the planets' scripts, their longest values against the 254 characters the "
               "reader gives back and their widest responses against the chooser's width; with PLANET, per group");
  stats->add_option("GAME_FOLDER", s->folder)->required();
  AddScopeOptions(stats, *s);
  stats->add_flag("--json", s->json, "the counts as JSON, per planet and per group");
  AddSavedFlag(stats, ctx);
  stats->callback([&ctx, s] { Stats(ctx, *s); });
}

}  // namespace zelmora::cli
