#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Finding outside programs the way a shell does.
namespace zelmora::platform {

// The first executable file called `program` in the folders of a search path ("a:b:c"); a name
// with a separator is taken as a path of its own and never searched for.
std::optional<std::filesystem::path> FindProgram(std::string_view program, std::string_view searchPath);

// The search path of this process (its PATH).
std::string ProgramSearchPath();

// The folder of the running program's file; empty when the system does not say.
std::filesystem::path RunningProgramFolder();

}  // namespace zelmora::platform
