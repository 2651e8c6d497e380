// The mount table, any bytes: entries come back with no empty field, and every mount point below a
// pseudo file system is known as one, so the search never enters it.
#include "fuzz/fuzz_support.h"
#include "ui/platform/mount_table.h"

using namespace zelmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (const auto& entry : platform::ParseMountTable(text)) {
    FUZZ_CHECK(!entry.point.empty() && !entry.type.empty());
    (void)platform::KindOfMount(entry);
    bool under = false;
    for (auto root : platform::kPseudoFileSystems) {
      under = under || entry.point == root || entry.point.starts_with(std::string(root) + "/");
    }
    if (under) FUZZ_CHECK(platform::IsPseudoFileSystemFolder(entry.point));
  }
  for (auto root : platform::kPseudoFileSystems) {
    FUZZ_CHECK(platform::IsPseudoFileSystemFolder(root));
    FUZZ_CHECK(platform::IsPseudoFileSystemFolder(std::string(root) + "/x/y"));
  }
  FUZZ_CHECK(!platform::IsPseudoFileSystemFolder(std::string("/procfs")));
  return 0;
}
