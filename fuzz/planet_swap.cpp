// Planet swaps on any descriptor: exchanging a and b moves planet a's name, section and flag
// characters to b and back, and exchanging them again gives every key its old reading.
#include "fuzz/descriptor_file.h"
#include "store/text_lines.h"
#include "ui/platform/text_rules.h"

#include <map>

using namespace zelmora;

namespace {

std::string Read(std::string_view bytes, std::string_view section, std::string_view key) {
  return store::ReadProfileValue(bytes, section, key, "\x01" "absent");
}

// Every key the reader can reach in one planet's section.
std::map<std::string, std::string> SectionReads(std::string_view bytes, int planet) {
  std::map<std::string, std::string> reads;
  for (const auto& k : fuzz::ReadAllKeys(bytes, 256)) {
    if (k.section == std::to_string(planet)) reads[platform::ToUpper1252(k.key)] = k.value;
  }
  return reads;
}

// The flag strings hold Y and N; one with blanks or quotes inside may have one moved to its end,
// where the reader trims it, so only plain ones must come back.
bool PlainFlags(std::string_view value) { return value.find_first_of(" \t\"'") == std::string_view::npos; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput in(data, size);
  const int a = 1 + in.Number(store::kMaxPlanets);
  const int b = 1 + in.Number(store::kMaxPlanets);
  const std::string bytes(in.Rest());
  if (bytes.size() > 100000) return 0;

  fuzz::WriteFile(fuzz::DescriptorFile(), bytes);
  store::DescriptorStore store(fuzz::GameFolder());
  store::SolarSystemRecord record = fuzz::ReadRecord(store);
  record.PlanetCount = store::kMaxPlanets;  // let every pair be swapped
  const auto before = fuzz::ReadAllKeys(bytes, 256);
  const auto sectionA = SectionReads(bytes, a);
  const auto sectionB = SectionReads(bytes, b);

  store.SwapPlanets(record, a, b);
  const std::string once = fuzz::ReadFile(fuzz::DescriptorFile());
  if (a != b) {
    // Only sections the reader names exactly "a" or "b" move; "[02]" is no planet section.
    FUZZ_CHECK(SectionReads(once, b) == sectionA);
    FUZZ_CHECK(SectionReads(once, a) == sectionB);
    FUZZ_CHECK(Read(once, "Names", std::to_string(a)) == Read(bytes, "Names", std::to_string(b)));
    FUZZ_CHECK(Read(once, "Names", std::to_string(b)) == Read(bytes, "Names", std::to_string(a)));
  }

  store.SwapPlanets(record, a, b);
  const std::string twice = fuzz::ReadFile(fuzz::DescriptorFile());
  bool plain = true;
  store::ForEachLine(bytes, [&](const store::TextLine& line, std::size_t) {
    std::string_view key;
    std::size_t equals;
    if (store::KeyOf(line.text, key, equals) &&
        (platform::EqualsNoCase(key, "PlanetPics") || platform::EqualsNoCase(key, "Messages"))) {
      plain = plain && PlainFlags(platform::TrimSpaces(line.text.substr(equals + 1)));
    }
    return true;
  });
  if (!plain) return 0;
  for (const auto& k : before) FUZZ_CHECK(Read(twice, k.section, k.key) == k.value);
  return 0;
}
