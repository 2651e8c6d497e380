// zmd install: a package into a game folder, as the installer delivers it, without a window.
#include "cli/cli_context.h"
#include "installer/delivery.h"
#include "ui/platform/code_page.h"
#include "ui/platform/file_rules.h"

#include <memory>

namespace zelmora::cli {

namespace {

using installer::CopyKind;
using installer::DeliveryOutcome;
using platform::Cp1252ToUtf8;

struct InstallArgs {
  std::string package;
  std::string game;
  bool dryRun = false;
};

void Install(CliContext& ctx, const InstallArgs& args) {
  for (const auto& folder : {args.package, args.game}) {
    if (!platform::FolderExists(folder)) {
      ctx.Fail(kNotFound, "no such folder: " + folder);
      return;
    }
  }
  auto result = installer::Deliver(args.package, args.game, args.dryRun);
  if (result.outcome == DeliveryOutcome::InvalidFolder) {
    ctx.Fail(kFailed, "the package folder and the game folder are the same folder");
    return;
  }
  if (result.outcome == DeliveryOutcome::ListRefused) {
    ctx.Fail(kFailed, Cp1252ToUtf8(result.listProblem) + "; nothing was installed");
    return;
  }
  if (result.outcome == DeliveryOutcome::ListMissing) {
    ctx.Fail(kNotFound, "no Setup.lst in " + args.package);
    return;
  }
  for (const auto& copy : result.copied) {
    const char* verb = copy.kind == CopyKind::Add ? (args.dryRun ? "would add     " : "added     ")
                                                  : (args.dryRun ? "would replace " : "replaced  ");
    ctx.out << verb << Cp1252ToUtf8(copy.shown) << "\n";
  }
  for (const auto& missed : result.notInstalled) {
    ctx.out << (args.dryRun ? "would skip    " : "not installed ") << Cp1252ToUtf8(missed.name) << " ("
            << missed.reason << ")\n";
  }
  if (!result.notInstalled.empty()) {
    ctx.Fail(kFailed, std::to_string(result.notInstalled.size()) + " listed file(s) " +
                          (args.dryRun ? "would not be installed" : "not installed"));
  }
}

}  // namespace

void AddInstallCommands(CLI::App& app, CliContext& ctx) {
  auto args = std::make_shared<InstallArgs>();
  auto* install = app.add_subcommand(
      "install", "copy the files a package's Setup.lst names into their folders of a game folder");
  install->add_option("PACKAGE_FOLDER", args->package, "folder with Setup.lst and the listed files")->required();
  install->add_option("GAME_FOLDER", args->game, "the game's folder")->required();
  install->add_flag("--dry-run", args->dryRun, "only list what would be added and what replaced");
  install->callback([&ctx, args] { Install(ctx, *args); });
}

}  // namespace zelmora::cli
