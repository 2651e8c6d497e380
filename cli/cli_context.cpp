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
  if (store.IndexOfSystem(name) == 0) {
    ctx.Fail(kNotFound, "unknown system: " + systemArg);
    return std::nullopt;
  }
  return name;
}

bool LoadSystem(CliContext& ctx, const std::string& folder, const std::string& systemArg,
                store::DescriptorStore& store, store::SolarSystemRecord& record) {
  const auto name = FindSystem(ctx, folder, systemArg, store);
  if (!name) return false;
  store.LoadSystem(*name, record);
  return true;
}

}  // namespace zelmora::cli
