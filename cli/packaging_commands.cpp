// zmd encode-star: the game's star argument for a system name.
// zmd package: a system's package folder, as Make Package makes it, without a window.
#include "cli/cli_context.h"
#include "packaging/package_builder.h"
#include "packaging/package_check.h"
#include "packaging/star_argument.h"
#include "ui/platform/code_page.h"
#include "ui/platform/file_rules.h"
#include "ui/platform/program_search.h"
#include "ui/platform/spawn_process_runner.h"

#include <cstdio>
#include <memory>

namespace zelmora::cli {

namespace {

using platform::Cp1252ToUtf8;

void EncodeStar(CliContext& ctx, const std::string& name) {
  auto encoded = packaging::EncodeStarArgument(platform::Utf8ToCp1252(name));
  if (!encoded) return ctx.Fail(kFailed, "the name '" + name + "' is too long for the game's star argument");
  std::string line;
  for (char c : *encoded) {
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02x", static_cast<unsigned char>(c));
    if (!line.empty()) line += ' ';
    line += hex;
  }
  ctx.out << line << "\n";
}

// zmd keeps no settings: every program is this platform's default.
class NoSettings : public platform::SettingsStore {
 public:
  std::string Get(const std::string&, const std::string&, const std::string&,
                  const std::string& defaultValue) const override {
    return defaultValue;
  }
  void Set(const std::string&, const std::string&, const std::string&, const std::string&) override {}
};

struct PackageArgs {
  std::string game;
  std::string system;
  std::string out;
  bool zip = false;
  bool replace = false;
};

void Package(CliContext& ctx, const PackageArgs& a) {
  store::DescriptorStore store(a.game);
  auto name = FindSystem(ctx, a.game, a.system, store);
  if (!name) return;
  if (!platform::FolderExists(a.out)) return ctx.Fail(kNotFound, "no such folder: " + a.out);
  const auto files = packaging::PackageContents(store, *name, platform::RunningProgramFolder());
  if (auto problems = packaging::PackageProblems(files); !problems.empty()) {
    for (const auto& problem : problems) ctx.err << Cp1252ToUtf8(problem) << "\n";
    return ctx.Fail(kFailed, "the package of " + a.system + " cannot be made");
  }
  NoSettings settings;
  const auto zip = packaging::ZipProgram(settings, platform::ProgramSearchPath());
  if (a.zip && !zip.Found()) return ctx.Fail(kNotFound, "cannot find the program '" + Cp1252ToUtf8(zip.lookedFor) + "'");
  if (platform::FileExists(store.DescriptorPath(*name, store::kWorkingExtension))) {
    ctx.err << "zmd: " << a.system << " is open in the editor; its saved descriptor is packaged\n";
  }
  const auto folder = packaging::PackageFolder(a.out, *name);
  // Old files left in the folder would be zipped and shipped with the new ones.
  if (!a.replace && (platform::FolderExists(folder) || platform::IsLink(folder))) {
    return ctx.Fail(kRefused, "the folder " + folder.string() + " exists already (--replace empties it first)");
  }
  platform::SpawnProcessRunner runner;
  auto built = packaging::BuildPackage(files, folder, a.zip ? &zip : nullptr, runner,
                                       a.replace ? packaging::ExistingFolder::Replace
                                                 : packaging::ExistingFolder::Refuse);
  if (!built.ok) return ctx.Fail(kFailed, Cp1252ToUtf8(built.problem));
  ctx.out << "package " << folder.string() << "\n";
  for (const auto& file : files) {
    ctx.out << "  " << Cp1252ToUtf8(file.name);
    if (!file.target.empty()) ctx.out << "  -> " << file.target;
    ctx.out << "\n";
  }
  ctx.out << "  " << packaging::kSetupList << "\n";
  if (!built.archiveProblem.empty()) return ctx.Fail(kFailed, Cp1252ToUtf8(built.archiveProblem));
  if (a.zip) ctx.out << "archive " << folder.string() << ".zip\n";
}

}  // namespace

void AddPackagingCommands(CLI::App& app, CliContext& ctx) {
  auto name = std::make_shared<std::string>();
  auto* encode = app.add_subcommand(
      "encode-star", "print the 21 bytes (hex) the game gets after /star: for a system name");
  encode->add_option("NAME", *name, "system name")->required();
  encode->callback([&ctx, name] { EncodeStar(ctx, *name); });

  auto args = std::make_shared<PackageArgs>();
  auto* package = app.add_subcommand(
      "package", "make a system's package folder OUT_FOLDER/SYSTEM (its pictures, descriptor, SETUP.EXE and "
                 "SETUP.LST), as Make Package does");
  package->add_option("GAME_FOLDER", args->game, "the game's folder")->required();
  package->add_option("SYSTEM", args->system, "system name")->required();
  package->add_option("OUT_FOLDER", args->out, "where the package folder is made")->required();
  package->add_flag("--zip", args->zip, "also make OUT_FOLDER/SYSTEM.zip with /usr/bin/zip");
  package->add_flag("--replace", args->replace,
                    "empty an existing OUT_FOLDER/SYSTEM first (without it, an existing folder is refused)");
  package->callback([&ctx, args] { Package(ctx, *args); });
}

}  // namespace zelmora::cli
