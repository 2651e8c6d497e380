#pragma once

#include "store/descriptor_store.h"
#include "store/system_record.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <optional>
#include <string>

namespace zelmora::cli {

// Exit statuses of zmd.
inline constexpr int kOk = 0;
inline constexpr int kFailed = 1;
inline constexpr int kNotFound = 2;  // a missing folder, file or unknown system
inline constexpr int kRefused = 2;   // text the game's code page cannot hold

// What every command writes to and the status it leaves.
struct CliContext {
  std::ostream& out = std::cout;
  std::ostream& err = std::cerr;
  int status = kOk;
  // --saved: read the saved descriptor even while the editor has a working copy.
  bool saved = false;

  // One-line message on stderr and the status.
  void Fail(int code, const std::string& message) {
    err << "zmd: " << message << "\n";
    status = code;
  }
};

// The system named on the command line (UTF-8) among the game folder's descriptors: its name in the
// code page, or nothing with the failure reported (a missing folder or an unknown system; an empty
// name or one the code page cannot hold names no system).
std::optional<std::string> FindSystem(CliContext& ctx, const std::string& folder, const std::string& systemArg,
                                      store::DescriptorStore& store);
// FindSystem, then the system loaded into `record`; false when it was not found.
bool LoadSystem(CliContext& ctx, const std::string& folder, const std::string& systemArg,
                store::DescriptorStore& store, store::SolarSystemRecord& record);

// Reading commands read what the editor shows: the working copy of a system the editor has open
// (said on standard error), or the saved descriptor with --saved. Switches `store` to the working
// copy's extension when it reads it; true then.
bool ReadWorkingCopyIfOpen(CliContext& ctx, store::DescriptorStore& store, const std::string& name);
// FindSystem and LoadSystem for reading commands: the same, then ReadWorkingCopyIfOpen.
std::optional<std::string> FindSystemToRead(CliContext& ctx, const std::string& folder, const std::string& systemArg,
                                            store::DescriptorStore& store);
bool LoadSystemToRead(CliContext& ctx, const std::string& folder, const std::string& systemArg,
                      store::DescriptorStore& store, store::SolarSystemRecord& record);
// The --saved flag of a reading command.
void AddSavedFlag(CLI::App* command, CliContext& ctx);

// Typed text (UTF-8) in the code page; nothing, with the refusal reported, when the code page
// cannot hold some of its characters (never stored with "?" in their place).
std::optional<std::string> CodePageArgument(CliContext& ctx, const std::string& text);

// Each group of commands registers its subcommands here.
void AddStoreCommands(CLI::App& app, CliContext& ctx);
void AddPlayCommands(CLI::App& app, CliContext& ctx);
void AddAdventureCommands(CLI::App& app, CliContext& ctx);
void AddMessageCommands(CLI::App& app, CliContext& ctx);
void AddInstallCommands(CLI::App& app, CliContext& ctx);
void AddPackagingCommands(CLI::App& app, CliContext& ctx);
void AddCheckCommands(CLI::App& app, CliContext& ctx);
void AddMapCommands(CLI::App& app, CliContext& ctx);
void AddWritingCommands(CLI::App& app, CliContext& ctx);
void AddStatsCommands(CLI::App& app, CliContext& ctx);

}  // namespace zelmora::cli
