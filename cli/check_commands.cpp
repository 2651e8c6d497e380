// zmd check: the script checker over a game folder, a system or one planet.
#include "check/checker.h"
#include "check/text_width.h"
#include "cli/cli_context.h"
#include "store/descriptor_store.h"
#include "ui/platform/code_page.h"
#include "ui/platform/file_rules.h"
#include "writing/hunspell_dictionary.h"
#include "writing/script_texts.h"
#include "writing/spelling.h"

#include <nlohmann/json.hpp>

#include <memory>

namespace zelmora::cli {

namespace {

using platform::Cp1252ToUtf8;

struct CheckArgs {
  std::string folder, system, severity = "note";
  int planet = 0;
  bool json = false, spelling = false;
  std::string dictionary = writing::settings::Dictionary.defaultValue;
  std::size_t maxStates = check::SearchLimits{}.maxStates;
  double maxSeconds = static_cast<double>(check::SearchLimits{}.maxTime.count()) / 1000;
};

nlohmann::json Json(const check::Finding& f) {
  return {{"system", Cp1252ToUtf8(f.system)},
          {"planet", f.planet},
          {"key", Cp1252ToUtf8(f.key)},
          {"group", Cp1252ToUtf8(f.group)},
          {"list", check::ListName(f.list)},
          {"item", f.item},
          {"room", Cp1252ToUtf8(f.room)},
          {"severity", check::SeverityName(f.severity)},
          {"kind", check::KindName(f.kind)},
          {"message", Cp1252ToUtf8(f.message)},
          {"fix", Cp1252ToUtf8(f.fix)}};
}

void Print(CliContext& ctx, const check::CheckReport& report, check::Severity minimum, bool json) {
  if (json) {
    nlohmann::json j;
    j["findings"] = nlohmann::json::array();
    for (const auto& f : report.findings) {
      if (check::AtLeast(f.severity, minimum)) j["findings"].push_back(Json(f));
    }
    j["counts"] = {{"error", report.Count(check::Severity::Error)},
                   {"warning", report.Count(check::Severity::Warning)},
                   {"note", report.Count(check::Severity::Note)}};
    j["searches"] = nlohmann::json::array();
    for (const auto& s : report.searches) {
      j["searches"].push_back({{"system", Cp1252ToUtf8(s.system)},
                               {"planet", s.planet},
                               {"complete", s.complete},
                               {"states", s.states},
                               {"milliseconds", s.milliseconds},
                               {"stoppedBy", s.stoppedBy}});
    }
    ctx.out << j.dump(2) << "\n";
    return;
  }
  for (const auto& f : report.findings) {
    if (!check::AtLeast(f.severity, minimum)) continue;
    ctx.out << Cp1252ToUtf8(f.system) << "/" << f.planet << (f.key.empty() ? "" : "/") << Cp1252ToUtf8(f.key)
            << ": " << check::SeverityName(f.severity) << ": " << Cp1252ToUtf8(f.message) << "\n";
  }
  auto count = [&](check::Severity s, const char* one) {
    const int n = report.Count(s);
    return std::to_string(n) + " " + one + (n == 1 ? "" : "s");
  };
  ctx.out << count(check::Severity::Error, "error") << ", " << count(check::Severity::Warning, "warning") << ", "
          << count(check::Severity::Note, "note") << "\n";
}

// The spelling notes of the planets in scope, read as the checker read them.
bool AddSpelling(CliContext& ctx, const CheckArgs& a, check::CheckReport& report) {
  auto dictionary = writing::HunspellDictionary::OpenInstalled(a.dictionary);
  if (!dictionary) {
    ctx.Fail(kNotFound, "no Hunspell dictionary " + a.dictionary + " is installed (Debian: hunspell-en-us and the like)");
    return false;
  }
  writing::UserWords user(writing::DefaultUserWordsFile());
  writing::Speller speller(*dictionary, writing::GameWords(a.folder), user);
  auto planets = [&](store::DescriptorStore& store, const store::SolarSystemRecord& record, int planet) {
    writing::ForEachPlanet(store, record, planet, [&](messages::PlanetScript& script) {
      for (auto& f : writing::SpellingFindings(script, speller)) report.findings.push_back(std::move(f));
    });
  };
  if (a.system.empty()) {
    writing::ForEachSystem(a.folder, !ctx.saved, [&](store::DescriptorStore& store, const store::SolarSystemRecord& record) {
      planets(store, record, 0);
    });
  } else {
    store::DescriptorStore store(a.folder);
    const auto name = FindSystem(ctx, a.folder, a.system, store);
    if (!name) return false;
    if (!ctx.saved && platform::FileExists(store.DescriptorPath(*name, store::kWorkingExtension))) {
      store.SetCurrentExtension(store::kWorkingExtension);
    }
    store::SolarSystemRecord record;
    store.LoadSystem(*name, record);
    planets(store, record, a.planet);
  }
  check::SortFindings(report.findings);
  return true;
}

void Check(CliContext& ctx, const CheckArgs& a) {
  check::Severity minimum = check::Severity::Note;
  check::ParseSeverity(a.severity, minimum);
  check::CheckOptions options;
  options.measureTwips = check::ApproximateDialogTwips;
  options.limits.maxStates = a.maxStates;
  options.limits.maxTime = std::chrono::milliseconds(static_cast<long long>(a.maxSeconds * 1000));
  // The limit holds for the whole command: searches that would run past it stop early.
  options.limits.deadline = std::chrono::steady_clock::now() + options.limits.maxTime;

  check::CheckReport report;
  if (a.system.empty()) {
    if (!platform::FolderExists(a.folder)) return ctx.Fail(kNotFound, "no such folder: " + a.folder);
    store::DescriptorStore store(a.folder);
    options.readWorkingCopies = !ctx.saved;
    if (options.readWorkingCopies) {
      for (const auto& name : store.ListSystems(store::kWorkingExtension)) {
        if (platform::FileExists(store.DescriptorPath(name, store::kSavedExtension))) {
          ctx.err << "zmd: reading the unsaved working copy of " << Cp1252ToUtf8(name) << "\n";
        }
      }
    }
    report = check::CheckGameFolder(a.folder, options);
  } else {
    store::DescriptorStore store(a.folder);
    store::SolarSystemRecord record;
    if (!LoadSystemToRead(ctx, a.folder, a.system, store, record)) return;
    const auto catalogue = messages::LoadSpecialActions(a.folder);
    if (a.planet == 0) {
      report = check::CheckSystem(store, record, catalogue, options);
    } else if (a.planet < 1 || a.planet > record.PlanetCount) {
      return ctx.Fail(kNotFound, a.system + " has planets 1 to " + std::to_string(record.PlanetCount));
    } else {
      report = check::CheckPlanet(messages::PlanetScript(store, record, a.planet), catalogue, options);
    }
  }
  if (a.spelling && !AddSpelling(ctx, a, report)) return;
  Print(ctx, report, minimum, a.json);
  if (report.Count(check::Severity::Error) > 0) ctx.status = kFailed;
}

}  // namespace

void AddCheckCommands(CLI::App& app, CliContext& ctx) {
  auto args = std::make_shared<CheckArgs>();
  auto* check = app.add_subcommand(
      "check",
      "check the planets' scripts: broken links, flags, rooms, and what play can never reach; one finding a "
      "line as SYSTEM/PLANET/KEY: severity: message; exit status 1 when errors were found");
  check->add_option("GAME_FOLDER", args->folder)->required();
  check->add_option("SYSTEM", args->system, "only this system");
  check->add_option("PLANET", args->planet, "only this planet of the system");
  check->add_flag("--json", args->json, "print the findings, their counts and the searches as JSON");
  check->add_option("--severity", args->severity, "the least severe findings shown: error, warning or note (default)")
      ->check(CLI::IsMember({"error", "warning", "note"}, CLI::ignore_case));
  check->add_option("--max-states", args->maxStates, "states the search of play may hold per planet (one per 64 combinations of flags)")
      ->check(CLI::PositiveNumber);
  check->add_option("--max-seconds", args->maxSeconds, "seconds the whole check may take; searches of play still running then stop early and say so")
      ->check(CLI::PositiveNumber);
  check->add_flag("--spelling", args->spelling,
                   "also note every word that is not in the dictionary, the game's own names and the words added "
                   "with \"Add to Dictionary\"");
  check->add_option("--dictionary", args->dictionary, "the Hunspell dictionary of --spelling (default en_US)");
  AddSavedFlag(check, ctx);
  check->callback([&ctx, args] { Check(ctx, *args); });
}

}  // namespace zelmora::cli
