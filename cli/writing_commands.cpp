// zmd find and zmd replace: text of the planets' scripts, never their codes.
#include "cli/cli_context.h"
#include "cli/writing_scope.h"
#include "store/descriptor_store.h"
#include "ui/platform/code_page.h"
#include "writing/group_rename.h"
#include "writing/text_replace.h"
#include "writing/text_search.h"

#include <nlohmann/json.hpp>

#include <memory>

namespace zelmora::cli {

namespace {

using platform::Cp1252ToUtf8;

struct SearchArgs : ScopeArgs {
  std::string text, replacement;
  bool regex = false, matchCase = false, word = false, json = false, dryRun = false;
};

std::optional<writing::Matcher> MakeMatcher(CliContext& ctx, const SearchArgs& a) {
  const auto pattern = CodePageArgument(ctx, a.text);
  if (!pattern) return std::nullopt;
  std::string error;
  auto matcher = writing::Matcher::Make({*pattern, a.regex, a.matchCase, a.word}, &error);
  if (!matcher) ctx.Fail(kFailed, error);
  return matcher;
}

std::string Where(const writing::TextValue& v) {
  return Cp1252ToUtf8(v.system) + "/" + std::to_string(v.planet) + "/" + Cp1252ToUtf8(v.key);
}

void Find(CliContext& ctx, const SearchArgs& a) {
  const auto matcher = MakeMatcher(ctx, a);
  if (!matcher) return;
  const auto catalogue = messages::LoadSpecialActions(a.folder);
  nlohmann::json hits = nlohmann::json::array();
  int found = 0;
  const bool ok = VisitScope(ctx, a, true, [&](messages::PlanetScript& script) {
    for (const writing::TextValue& value : writing::PlanetTexts(script)) {
      const auto inValue = writing::FindHits(value, *matcher, {}, &catalogue);
      if (inValue.empty()) continue;
      found += static_cast<int>(inValue.size());
      if (!a.json) {
        ctx.out << Where(value) << ": " << Cp1252ToUtf8(value.value) << "\n";
        continue;
      }
      for (const writing::Hit& h : inValue) {
        hits.push_back({{"system", Cp1252ToUtf8(value.system)},
                        {"planet", value.planet},
                        {"key", Cp1252ToUtf8(value.key)},
                        {"group", Cp1252ToUtf8(value.group)},
                        {"item", value.item},
                        {"part", h.role == writing::PartRole::Title ? "title" : "text"},
                        {"start", h.span.start},
                        {"length", h.span.length},
                        {"match", Cp1252ToUtf8(value.value.substr(h.span.start, h.span.length))},
                        {"value", Cp1252ToUtf8(value.value)}});
      }
    }
  });
  if (!ok) return;
  if (a.json) ctx.out << hits.dump(2) << "\n";
  if (found == 0) ctx.status = kFailed;
}

void Replace(CliContext& ctx, const SearchArgs& a) {
  const auto matcher = MakeMatcher(ctx, a);
  if (!matcher) return;
  const auto replacement = CodePageArgument(ctx, a.replacement);
  if (!replacement) return;
  const auto matcherText = CodePageArgument(ctx, a.text);
  const auto catalogue = messages::LoadSpecialActions(a.folder);
  // A system the editor has open would lose these writes on its next save.
  if (!a.dryRun && RefuseOpenSystem(ctx, a)) return;
  int changed = 0, refused = 0;
  auto visit = [&](messages::PlanetScript& script) {
    std::vector<writing::ValueChange> changes = writing::PlanReplace(script, *matcher, *replacement, &catalogue);
    if (changes.empty()) return;
    if (!a.dryRun && OpenInEditor(script)) {
      for (auto& c : changes) {
        c.refused = script.Record().Name + " is open in the editor (it has a working copy); close it first.";
      }
    } else if (!a.dryRun) {
      writing::WriteChanges(script, changes);
    }
    for (const writing::ValueChange& c : changes) {
      if (c.refused) {
        ++refused;
        ctx.out << Where(c.where) << ": refused: " << Cp1252ToUtf8(*c.refused) << "\n    "
                << Cp1252ToUtf8(c.where.value) << "\n";
        continue;
      }
      ++changed;
      ctx.out << Where(c.where) << ":\n  - " << Cp1252ToUtf8(c.where.value) << "\n  + " << Cp1252ToUtf8(c.after)
              << "\n";
    }
  };
  const std::string step = "Replace \"" + *matcherText + "\" with \"" + *replacement + "\"";
  const bool ok = VisitScope(ctx, a, a.dryRun, visit, a.dryRun ? std::string() : step);
  if (!ok) return;
  ctx.out << changed << (changed == 1 ? " value " : " values ") << (a.dryRun ? "would be changed" : "changed");
  if (refused > 0) ctx.out << ", " << refused << " refused";
  ctx.out << "\n";
  if (refused > 0) ctx.status = kRefused;
}

struct RenameArgs {
  std::string folder, system, from, to;
  int planet = 1;
};

void RenameGroup(CliContext& ctx, const RenameArgs& a) {
  const ScopeArgs scope{a.folder, a.system, a.planet};
  if (RefuseOpenSystem(ctx, scope)) return;
  store::DescriptorStore store(a.folder);
  store::SolarSystemRecord record;
  if (!LoadSystem(ctx, a.folder, a.system, store, record)) return;
  if (a.planet < 1 || a.planet > record.PlanetCount) {
    return ctx.Fail(kFailed, a.system + " has planets 1 to " + std::to_string(record.PlanetCount));
  }
  const auto from = CodePageArgument(ctx, a.from);
  if (!from) return;
  const auto to = CodePageArgument(ctx, a.to);
  if (!to) return;
  messages::PlanetScript script(store, record, a.planet);
  const writing::RenamePlan plan =
      writing::PlanRename(script, *from, *to, messages::LoadSpecialActions(a.folder));
  if (plan.refused) return ctx.Fail(kRefused, *plan.refused);
  writing::ApplyRename(script, plan);
  for (const auto& g : plan.groups) ctx.out << Cp1252ToUtf8(g.from) << " -> " << Cp1252ToUtf8(g.to) << "\n";
  int moved = 0;
  for (const auto& k : plan.keys) moved += k.from != k.to ? 1 : 0;
  ctx.out << moved << (moved == 1 ? " key" : " keys") << " renamed, " << plan.references
          << (plan.references == 1 ? " answer code" : " answer codes") << " rewritten\n";
}

void AddSearchOptions(CLI::App* command, SearchArgs& a) {
  command->add_flag("--regex", a.regex, "TEXT is a regular expression (ECMAScript syntax)");
  command->add_flag("--case", a.matchCase, "match upper and lower case exactly");
  command->add_flag("--word", a.word, "match whole words only");
}

}  // namespace

void AddWritingCommands(CLI::App& app, CliContext& ctx) {
  auto f = std::make_shared<SearchArgs>();
  auto* find = app.add_subcommand(
      "find", "find text in the planets' scripts (texts, titles, information; never codes): one value a line as "
              "SYSTEM/PLANET/KEY: value; exit status 1 when nothing was found");
  find->add_option("GAME_FOLDER", f->folder)->required();
  find->add_option("TEXT", f->text, "what to find")->required();
  AddScopeOptions(find, *f);
  AddSearchOptions(find, *f);
  find->add_flag("--json", f->json, "every hit with its place, its part and its offset in the value");
  AddSavedFlag(find, ctx);
  find->callback([&ctx, f] { Find(ctx, *f); });

  auto r = std::make_shared<SearchArgs>();
  auto* replace = app.add_subcommand(
      "replace", "replace text in the planets' scripts, never touching a code; prints each change; a value whose "
                 "result would not read back as written is refused and left as it is (exit status 2); refused "
                 "while the editor has the system open");
  replace->add_option("GAME_FOLDER", r->folder)->required();
  replace->add_option("TEXT", r->text, "what to replace")->required();
  replace->add_option("REPLACEMENT", r->replacement, "what replaces it (with --regex, $1 names a group)")->required();
  AddScopeOptions(replace, *r);
  AddSearchOptions(replace, *r);
  replace->add_flag("--dry-run", r->dryRun, "print the changes without writing them (reads the editor's working copy)");
  replace->callback([&ctx, r] { Replace(ctx, *r); });

  auto g = std::make_shared<RenameArgs>();
  auto* rename = app.add_subcommand(
      "rename-group", "rename a group of a planet's script everywhere: its keys, its Ignore, Phaser, Search, Tri and "
                      "Locked groups, and every answer code naming them; refused (exit status 2) when the name is "
                      "taken, breaks the name rule or would read as a repair condition; refused while the editor "
                      "has the system open");
  rename->add_option("GAME_FOLDER", g->folder)->required();
  rename->add_option("SYSTEM", g->system)->required();
  rename->add_option("PLANET", g->planet, "planet number")->required();
  rename->add_option("OLD", g->from, "the group's name")->required();
  rename->add_option("NEW", g->to, "its new name")->required();
  rename->callback([&ctx, g] { RenameGroup(ctx, *g); });
}

}  // namespace zelmora::cli
