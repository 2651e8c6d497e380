// Wine's registry files and the mapping of a registered Windows path into the prefix: a value
// written the way Wine writes it is read back, and a mapped path stays on its drive, below
// drive_c or the drive's dosdevices entry, whatever ".." it holds.
#include "fuzz/fuzz_support.h"
#include "ui/platform/wine_registry.h"

#include <fstream>

using namespace zelmora;
namespace fs = std::filesystem;

namespace {

const fs::path& Prefix() {
  static const fs::path prefix = [] {
    fs::path p = fuzz::ScratchFolder() / "wine";
    fs::create_directories(p / "drive_c" / "Program Files" / "Quarvel");
    fs::create_directories(p / "drive_c" / "windows");
    fs::create_directories(p / "dosdevices");
    std::ofstream(p / "drive_c" / "Program Files" / "Quarvel" / "quarvel.exe") << "game";
    return p;
  }();
  return prefix;
}

std::string Escaped(std::string_view text, bool header) {
  std::string out;
  for (char c : text) {
    if (c == '\\' || c == '"' || (header && c == ']')) out.push_back('\\');
    out.push_back(c);
  }
  return out;
}

bool Plain(std::string_view s) {
  for (char c : s) {
    if (static_cast<unsigned char>(c) < 0x20) return false;
  }
  return true;
}

// True when `path` is `root` or below it, part by part, and names no ".." on the way.
bool Below(const fs::path& path, const fs::path& root) {
  auto p = path.begin();
  for (const auto& part : root) {
    if (p == path.end() || *p != part) return false;
    ++p;
  }
  for (; p != path.end(); ++p) {
    if (*p == "..") return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput in(data, size);
  const std::string windowsPath(in.Line());
  const std::string key(in.Line());
  const std::string name(in.Line());
  const std::string value(in.Line());
  const std::string rest(in.Rest());

  (void)platform::FindRegistryValue(rest, key, name);
  if (Plain(key) && Plain(name) && Plain(value) && !key.empty()) {
    const std::string file = "[" + Escaped(key, true) + "] 1700000000\n\"" + Escaped(name, false) + "\"=\"" +
                             Escaped(value, false) + "\"\n" + rest;
    auto found = platform::FindRegistryValue(file, key, name);
    FUZZ_CHECK(found && found->type == platform::kRegText && found->text == value);
  }

  const std::string mapped = platform::WindowsPathInPrefix(Prefix().string(), windowsPath);
  if (!mapped.empty()) {
    std::string_view path = windowsPath;
    path = path.substr(0, path.find('\0'));
    if (path.size() >= 2 && path.front() == '"' && path.back() == '"') path = path.substr(1, path.size() - 2);
    const char letter = static_cast<char>(path[0] | 0x20);
    const fs::path root = letter == 'c' ? Prefix() / "drive_c" : Prefix() / "dosdevices" / (std::string(1, letter) + ":");
    FUZZ_CHECK(Below(fs::path(mapped), root));
  }
  return 0;
}
