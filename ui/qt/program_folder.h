#pragma once

#include <filesystem>

namespace zelmora::qt {

// The folder of the running program (needs a QCoreApplication).
std::filesystem::path ProgramFolder();

}  // namespace zelmora::qt
