#pragma once

#include "cli/cli_context.h"

#include <string>
#include <vector>

namespace zelmora::cli {

// zmd play --coverage: replays the recordings and prints, per planet they test, the messages,
// responses and rooms played against those present, naming the ones never played. A non-empty
// `gameFolder` replaces the recorded ones.
void PrintCoverage(CliContext& ctx, const std::vector<std::string>& files, const std::string& gameFolder, bool json);

}  // namespace zelmora::cli
