// The package's file list SETUP.LST, any bytes: every line is an entry or an unreadable line, and
// an entry that is not refused names a plain file and a folder that stays below the game folder,
// with no part Windows would read as a device or as another name.
#include "fuzz/fuzz_support.h"
#include "installer/setup_list.h"
#include "ui/platform/file_rules.h"

using namespace zelmora;
using namespace zelmora::installer;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const SetupList list = ParseSetupList(bytes);
  int last = 0;
  for (const auto& entry : list.entries) {
    FUZZ_CHECK(entry.line > last);
    last = entry.line;
    if (EntryProblem(entry)) continue;
    FUZZ_CHECK(!entry.name.empty() && entry.name.find_first_of("\\/:") == std::string::npos);
    FUZZ_CHECK(entry.name != "." && entry.name != "..");
    FUZZ_CHECK(!platform::IsReservedDeviceName(entry.name));
    FUZZ_CHECK(entry.name.back() != '.' && entry.name.back() != ' ');
    FUZZ_CHECK(entry.folder.find(':') == std::string::npos);
    FUZZ_CHECK(!entry.folder.starts_with("\\\\") && !entry.folder.starts_with("/"));
    for (const auto& part : FolderParts(entry.folder)) {
      FUZZ_CHECK(part != "..");
      FUZZ_CHECK(!platform::IsReservedDeviceName(part));
      FUZZ_CHECK(part == "." || (part.back() != '.' && part.back() != ' '));
    }
    for (char c : entry.name + entry.folder) FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F);
  }
  return 0;
}
