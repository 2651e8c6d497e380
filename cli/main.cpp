#include "cli/cli_context.h"
#include "cli/help_format.h"
#include "zelmora_version.h"

int main(int argc, char** argv) {
  CLI::App app{"the command-line companion of the Zelmora editor: list, show and check the solar systems of a "
               "Quarvel game folder, read and write descriptor keys, play a planet's script, generate adventure "
               "grids, make and install packages"};
  app.require_subcommand(1);
  app.footer("A name that begins with \"-\" goes after \"--\", which ends the options: zmd show GAME_FOLDER -- -rf");
  zelmora::cli::CliContext ctx;
  zelmora::cli::AddStoreCommands(app, ctx);
  zelmora::cli::AddPlayCommands(app, ctx);
  zelmora::cli::AddAdventureCommands(app, ctx);
  zelmora::cli::AddMessageCommands(app, ctx);
  zelmora::cli::AddInstallCommands(app, ctx);
  zelmora::cli::AddPackagingCommands(app, ctx);
  zelmora::cli::AddCheckCommands(app, ctx);
  zelmora::cli::AddMapCommands(app, ctx);
  zelmora::cli::AddWritingCommands(app, ctx);
  zelmora::cli::AddStatsCommands(app, ctx);
  zelmora::cli::UseToolHelp(app, ZELMORA_VERSION);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    // A bad command line is status 2, said in one line with where to look.
    ctx.err << "zmd: " << e.what() << "\nTry 'zmd --help' for more information.\n";
    return zelmora::cli::kNotFound;
  }
  return ctx.status;
}
