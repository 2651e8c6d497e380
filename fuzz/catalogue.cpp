// The game's catalogue SOLARSYS.TXT, any bytes: every system it lists loads, with its key, its
// planet count within the record's ten slots and a star name of the block's width.
#include "fuzz/descriptor_file.h"
#include "ui/platform/text_rules.h"

using namespace zelmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 100000) return 0;
  fuzz::WriteFile(fuzz::GameFolder() / "SOLARSYS.TXT", std::string_view(reinterpret_cast<const char*>(data), size));
  store::DescriptorStore store(fuzz::GameFolder());
  const auto keys = store.ListCatalogueSystems();
  for (const auto& key : keys) {
    FUZZ_CHECK(!key.empty());
    store::SolarSystemRecord record;
    FUZZ_CHECK(store.LoadCatalogueEntry(key, record));
    FUZZ_CHECK(record.Name == key);
    FUZZ_CHECK(record.PlanetCount >= 0 && record.PlanetCount <= store::kMaxPlanets);
    FUZZ_CHECK(record.StarName.size() == store::kStarNameWidth);
    // The key is the planet count as written followed by the star's trimmed name.
    FUZZ_CHECK(key.find(platform::TrimSpaces(record.StarName)) != std::string::npos);
  }
  store::SolarSystemRecord none;
  FUZZ_CHECK(!store.LoadCatalogueEntry("", none));
  return 0;
}
