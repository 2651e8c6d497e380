// zmd play: a planet's script tested from the command line.
#include "cli/cli_context.h"
#include "cli/play_coverage.h"
#include "messages/planet_script.h"
#include "messages/script_keys.h"
#include "simulator/play_session.h"
#include "store/descriptor_store.h"
#include "ui/platform/code_page.h"
#include "ui/platform/file_rules.h"
#include "ui/platform/text_rules.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <sstream>

namespace zelmora::cli {

namespace {

struct PlayArgs {
  std::string folder, system, flags, check, record, start, direction = "message";
  int planet = 0;
  std::uint64_t seed = 0;
  double lastVisit = 0;
  bool noUpgrades = false, badGuy = false, trace = false, json = false;
  std::vector<std::string> coverage;
};

// The trace on standard error, each line after the transcript written before it.
class StandardErrorTrace : public simulator::TraceSink {
 public:
  explicit StandardErrorTrace(CliContext& ctx) : ctx_(ctx) {}
  void TraceLine(const std::string& line) override {
    ctx_.out.flush();
    ctx_.err << platform::Cp1252ToUtf8(line) << "\n";
  }

 private:
  CliContext& ctx_;
};

// --start and --direction: the group must hold items of that direction, so that a misspelt name
// is not taken for a group that stays silent.
bool StartFrom(CliContext& ctx, const PlayArgs& a, store::DescriptorStore& store, simulator::PlaySettings& settings) {
  const auto kind = simulator::StartKindOf(a.direction);
  if (!kind) {
    ctx.Fail(kFailed, "--direction must be message or response, not " + a.direction);
    return false;
  }
  const auto group = CodePageArgument(ctx, a.start);
  if (!group) return false;
  if (settings.workingCopy) store.SetCurrentExtension(store::kWorkingExtension);
  store::SolarSystemRecord record;
  store.LoadSystem(settings.system, record);
  const bool responses = *kind == simulator::StartPoint::Kind::Responses;
  const std::string countKey = responses ? messages::ResponseCountKey(*group) : messages::MessageCountKey(*group);
  if (platform::ToInt16(messages::PlanetScript(store, record, settings.planet).GetMessage(countKey)) <= 0) {
    ctx.Fail(kFailed, "planet " + std::to_string(settings.planet) + " has no " +
                          (responses ? "responses" : "messages") + " in group " + a.start + " (" +
                          platform::Cp1252ToUtf8(countKey) + " is not above 0)");
    return false;
  }
  settings.from = simulator::StartPoint{*group, *kind};
  return true;
}

void Play(CliContext& ctx, const PlayArgs& a, const CLI::App& sub) {
  if (a.folder.empty() || a.system.empty() || sub.count("PLANET") == 0) {
    return ctx.Fail(kFailed, "play needs GAME_FOLDER SYSTEM PLANET (or --check RECORDING)");
  }
  store::DescriptorStore store(a.folder);
  const auto system = FindSystem(ctx, a.folder, a.system, store);
  if (!system) return;
  simulator::PlaySettings settings;
  settings.gameFolder = a.folder;
  settings.system = *system;
  // The script as the editor shows it; RunPlaySession switches to it itself.
  settings.workingCopy = !ctx.saved && platform::FileExists(store.DescriptorPath(*system, store::kWorkingExtension));
  if (settings.workingCopy) ctx.err << "zmd: reading the unsaved working copy of " << a.system << "\n";
  if (a.planet < 1 || a.planet > store::kMaxPlanets) return ctx.Fail(kFailed, "PLANET must be 1 to 10");
  settings.planet = a.planet;
  if (sub.count("--seed") > 0) settings.seed = a.seed;
  std::istringstream list(a.flags);
  for (std::string caption; std::getline(list, caption, ',');) {
    if (caption.empty()) continue;
    auto flag = simulator::FlagOfCaption(caption);
    if (!flag) return ctx.Fail(kFailed, "unknown flag: " + caption + " (use A..Z, 0..9 or Treaty)");
    settings.flags.push_back(*flag);
  }
  // The options count the last visit in tenths of a day, up to five days.
  const double tenths = std::round(a.lastVisit * 10);
  if (!(tenths >= 0 && tenths <= 50)) return ctx.Fail(kFailed, "--last-visit must be 0 to 5 days");
  settings.lastVisitTenths = static_cast<int>(tenths);
  settings.upgrades = !a.noUpgrades;
  settings.badGuy = a.badGuy;
  if (!a.start.empty() && !StartFrom(ctx, a, store, settings)) return;
  StandardErrorTrace trace(ctx);
  if (a.trace) settings.trace = &trace;
  simulator::TestRecording recording;
  const bool record = !a.record.empty();
  if (simulator::RunPlaySession(settings, std::cin, ctx.out, record ? &recording : nullptr) != 0) {
    ctx.status = kFailed;
  }
  if (record) {
    if (auto saved = simulator::SaveRecording(recording, a.record); !saved) {
      ctx.Fail(kFailed, "cannot write " + a.record + ": " + saved.error);
    }
  }
}

// Replays a recording against the current script and reports the first line that differs.
void Check(CliContext& ctx, const PlayArgs& a) {
  if (!a.system.empty() || !a.record.empty()) {
    return ctx.Fail(kFailed, "--check takes the recording and, at most, another GAME_FOLDER");
  }
  if (!platform::FileExists(a.check)) return ctx.Fail(kNotFound, "no such recording: " + a.check);
  std::string error;
  const auto recording = simulator::LoadRecording(a.check, error);
  if (!recording) return ctx.Fail(kFailed, a.check + ": " + error);
  const std::string folder = a.folder.empty() ? recording->gameFolder.string() : a.folder;
  store::DescriptorStore store(folder);
  if (!FindSystem(ctx, folder, platform::Cp1252ToUtf8(recording->start.system), store)) return;
  // The replay stops at the first line that differs: a long recording need not be played to its end.
  const auto replay = simulator::CheckReplay(*recording, folder);
  const std::string script = replay.workingCopy ? "the working copy" : "the saved descriptor";
  const auto& difference = replay.difference;
  if (!difference) {
    ctx.out << "same transcript (" << replay.agreed << " lines), replayed against " << script << "\n";
    if (recording->truncated) {
      ctx.out << a.check << " is truncated: only what it holds was compared\n";
      ctx.status = kFailed;
    }
    return;
  }
  if (!difference->recorded && recording->truncated) {
    ctx.out << a.check << " is truncated: its transcript ends after line " << difference->line - 1
            << ", and the replay agrees with it up to there (replayed against " << script << ")\n";
    ctx.status = kFailed;
    return;
  }
  const auto shown = [](const std::optional<std::string>& line) {
    return line ? "  " + *line : std::string("(the transcript ends here)");
  };
  ctx.out << "the transcript differs from line " << difference->line << " on (replayed against " << script
          << "):\nrecorded:\n"
          << shown(difference->recorded) << "\nreplayed:\n"
          << shown(difference->replayed) << "\n";
  if (recording->truncated) ctx.out << a.check << " is truncated\n";
  ctx.status = kFailed;
}

}  // namespace

void AddPlayCommands(CLI::App& app, CliContext& ctx) {
  auto args = std::make_shared<PlayArgs>();
  auto* play = app.add_subcommand(
      "play",
      "test a planet's script: reads commands from standard input, one a line (tick [N], hail, respond K, "
      "ignore, beam, energy DAYS, phaser, photon, leave, exit, status, ship, flags; back takes back the last "
      "command by playing the test again from its start; yes/no answer a question, and tick [N] lets the clock "
      "run while a command's question waits) and prints a transcript");
  play->add_option("GAME_FOLDER", args->folder);
  play->add_option("SYSTEM", args->system);
  play->add_option("PLANET", args->planet, "planet number 1..10");
  play->add_option("--seed", args->seed, "a fixed seed: the same input gives the same transcript");
  play->add_option("--flags", args->flags, "flags set at the start, e.g. A,B,7,Treaty");
  play->add_option("--last-visit", args->lastVisit, "days since the last visit, 0 (never) to 5");
  play->add_flag("--no-upgrades", args->noUpgrades, "test with the Upgrades option off");
  play->add_flag("--badguy", args->badGuy, "test with the BadGuy option on");
  play->add_option("--start", args->start,
                   "start at GROUP instead of where the visit starts: the clock plays its messages first, or "
                   "with --direction response its responses are offered at once (INIT names the unnamed group)");
  play->add_flag("--trace", args->trace,
                 "explain on standard error, for every tick and command, the items considered with each condition "
                 "and its outcome, the item chosen, what each action changed, the levels and the pending wait");
  play->add_option("--direction", args->direction, "message (the default) or response: which list of --start's group")
      ->needs("--start");
  AddSavedFlag(play, ctx);
  play->add_option("--record", args->record,
                   "also keep the test in FILE (its start, seed, input lines and transcript) for --check");
  play->add_option("--check", args->check,
                   "replay a recording (from --record or the editor's tests) against the current script and "
                   "report the first line where the transcript differs; GAME_FOLDER, if given, replaces the "
                   "recorded one")
      ->excludes("--seed")
      ->excludes("--flags")
      ->excludes("--last-visit")
      ->excludes("--no-upgrades")
      ->excludes("--badguy")
      ->excludes("--start")
      ->excludes("--trace");
  auto* coverage = play->add_option("--coverage", args->coverage,
                                    "replay the recordings and print, for each planet they test, the messages, "
                                    "responses and rooms played of those present, naming the ones never played; "
                                    "GAME_FOLDER, if given, replaces the recorded ones");
  coverage->excludes("--check")
      ->excludes("--seed")
      ->excludes("--flags")
      ->excludes("--last-visit")
      ->excludes("--no-upgrades")
      ->excludes("--badguy")
      ->excludes("--start")
      ->excludes("--trace")
      ->excludes("--record");
  play->add_flag("--json", args->json, "with --coverage: print the figures as JSON")->needs(coverage);
  play->callback([&ctx, args, play] {
    if (!args->coverage.empty()) {
      if (!args->system.empty()) return ctx.Fail(kFailed, "--coverage takes recordings and, at most, a GAME_FOLDER");
      PrintCoverage(ctx, args->coverage, args->folder, args->json);
    } else if (!args->check.empty()) {
      Check(ctx, *args);
    } else {
      Play(ctx, *args, *play);
    }
  });
}

}  // namespace zelmora::cli
