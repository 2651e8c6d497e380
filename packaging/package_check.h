#pragma once

#include "packaging/package_builder.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What is checked before a package is made, so that a package never reaches another player in a
// state the installer or the game could not use.
namespace zelmora::packaging {

// Why a descriptor's system block could not be read back whole, or nothing.
std::optional<std::string> SystemBlockProblem(std::string_view descriptor);

// Every reason the package of a system would not install and play on another machine: a file
// that is missing, a name another machine's game folder cannot hold, a descriptor that cannot be
// read or whose system block is damaged. Empty when the package can be made.
std::vector<std::string> PackageProblems(const std::vector<PackageFile>& files);

}  // namespace zelmora::packaging
