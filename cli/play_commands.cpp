// zmd play: a planet's script tested from the command line.
#include "cli/cli_context.h"
#include "simulator/play_session.h"
#include "store/descriptor_store.h"
#include "ui/platform/code_page.h"
#include "ui/platform/file_rules.h"

#include <cmath>
#include <memory>
#include <sstream>

namespace zelmora::cli {

namespace {

struct PlayArgs {
  std::string folder, system, flags;
  int planet = 1;
  std::uint64_t seed = 0;
  double lastVisit = 0;
  bool noUpgrades = false, badGuy = false;
};

void Play(CliContext& ctx, const PlayArgs& a, const CLI::App& sub) {
  store::DescriptorStore store(a.folder);
  const auto system = FindSystem(ctx, a.folder, a.system, store);
  if (!system) return;
  simulator::PlaySettings settings;
  settings.gameFolder = a.folder;
  settings.system = *system;
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
  if (simulator::RunPlaySession(settings, std::cin, ctx.out) != 0) ctx.status = kFailed;
}

}  // namespace

void AddPlayCommands(CLI::App& app, CliContext& ctx) {
  auto args = std::make_shared<PlayArgs>();
  auto* play = app.add_subcommand(
      "play",
      "test a planet's script: reads commands from standard input, one a line (tick [N], hail, respond K, "
      "ignore, beam, energy DAYS, phaser, photon, leave, exit, status, ship, flags; yes/no answer a "
      "question) and prints a transcript");
  play->add_option("GAME_FOLDER", args->folder)->required();
  play->add_option("SYSTEM", args->system)->required();
  play->add_option("PLANET", args->planet, "planet number 1..10")->required();
  play->add_option("--seed", args->seed, "a fixed seed: the same input gives the same transcript");
  play->add_option("--flags", args->flags, "flags set at the start, e.g. A,B,7,Treaty");
  play->add_option("--last-visit", args->lastVisit, "days since the last visit, 0 (never) to 5");
  play->add_flag("--no-upgrades", args->noUpgrades, "test with the Upgrades option off");
  play->add_flag("--badguy", args->badGuy, "test with the BadGuy option on");
  play->callback([&ctx, args, play] { Play(ctx, *args, *play); });
}

}  // namespace zelmora::cli
