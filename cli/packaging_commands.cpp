// zmd encode-star: the game's star argument for a system name.
#include "cli/cli_context.h"
#include "packaging/star_argument.h"
#include "ui/platform/code_page.h"

#include <cstdio>
#include <memory>

namespace zelmora::cli {

namespace {

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

}  // namespace

void AddPackagingCommands(CLI::App& app, CliContext& ctx) {
  auto name = std::make_shared<std::string>();
  auto* encode = app.add_subcommand(
      "encode-star", "print the 21 bytes (hex) the game gets after /star: for a system name");
  encode->add_option("NAME", *name, "system name")->required();
  encode->callback([&ctx, name] { EncodeStar(ctx, *name); });
}

}  // namespace zelmora::cli
