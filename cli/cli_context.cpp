#include "cli/cli_context.h"

#include "ui/platform/code_page.h"
#include "ui/platform/file_rules.h"

namespace zelmora::cli {

std::optional<std::string> FindSystem(CliContext& ctx, const std::string& folder, const std::string& systemArg,
                                      store::DescriptorStore& store) {
  if (!platform::FolderExists(folder)) {
    ctx.Fail(kNotFound, "no such folder: " + folder);
    return std::nullopt;
  }
  std::string name = platform::Utf8ToCp1252(systemArg);
  store.RefreshSystemNames();
  // IndexOfSystem takes an empty name as "the first system"; "?" in place of a character the code
  // page lacks could name another one.
  if (name.empty() || !platform::CharactersOutsideCp1252(systemArg).empty() || store.IndexOfSystem(name) == 0) {
    ctx.Fail(kNotFound, "unknown system: " + systemArg);
    return std::nullopt;
  }
  return name;
}

std::optional<std::string> CodePageArgument(CliContext& ctx, const std::string& text) {
  auto refused = platform::CharactersOutsideCp1252(text);
  if (!refused.empty()) {
    ctx.Fail(kRefused, platform::CodePageRefusal(refused));
    return std::nullopt;
  }
  return platform::Utf8ToCp1252(text);
}

bool LoadSystem(CliContext& ctx, const std::string& folder, const std::string& systemArg,
                store::DescriptorStore& store, store::SolarSystemRecord& record) {
  const auto name = FindSystem(ctx, folder, systemArg, store);
  if (!name) return false;
  store.LoadSystem(*name, record);
  return true;
}

bool ReadWorkingCopyIfOpen(CliContext& ctx, store::DescriptorStore& store, const std::string& name) {
  if (ctx.saved || !platform::FileExists(store.DescriptorPath(name, store::kWorkingExtension))) return false;
  ctx.err << "zmd: reading the unsaved working copy of " << platform::Cp1252ToUtf8(name) << "\n";
  store.SetCurrentExtension(store::kWorkingExtension);
  return true;
}

std::optional<std::string> FindSystemToRead(CliContext& ctx, const std::string& folder, const std::string& systemArg,
                                            store::DescriptorStore& store) {
  auto name = FindSystem(ctx, folder, systemArg, store);
  if (name) ReadWorkingCopyIfOpen(ctx, store, *name);
  return name;
}

bool LoadSystemToRead(CliContext& ctx, const std::string& folder, const std::string& systemArg,
                      store::DescriptorStore& store, store::SolarSystemRecord& record) {
  const auto name = FindSystemToRead(ctx, folder, systemArg, store);
  if (!name) return false;
  store.LoadSystem(*name, record);
  return true;
}

void AddSavedFlag(CLI::App* command, CliContext& ctx) {
  command->add_flag("--saved", ctx.saved,
                    "read the saved descriptor even while the editor has an unsaved working copy of the system");
}

}  // namespace zelmora::cli
