#pragma once

#include <CLI/CLI.hpp>

namespace zelmora::cli {

// Help in the manner of the system's own command-line tools: a usage line, the description, the
// commands or arguments, the options as "-h, --help", and the exit statuses. Call once every
// command has been added; it also gives zmd its --version.
void UseToolHelp(CLI::App& app, const std::string& version);

}  // namespace zelmora::cli
