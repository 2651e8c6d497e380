#include "cli/cli_context.h"

int main(int argc, char** argv) {
  CLI::App app{"zmd: the command-line companion of the Zelmora editor"};
  app.require_subcommand(1);
  zelmora::cli::CliContext ctx;
  zelmora::cli::AddStoreCommands(app, ctx);
  zelmora::cli::AddPlayCommands(app, ctx);
  zelmora::cli::AddAdventureCommands(app, ctx);
  zelmora::cli::AddMessageCommands(app, ctx);
  zelmora::cli::AddInstallCommands(app, ctx);
  zelmora::cli::AddPackagingCommands(app, ctx);
  zelmora::cli::AddCheckCommands(app, ctx);
  zelmora::cli::AddMapCommands(app, ctx);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e);
  }
  return ctx.status;
}
