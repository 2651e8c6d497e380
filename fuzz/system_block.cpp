// The system block on any descriptor: a record written with WriteSystemRecord reads back as it was
// (its star name as the block can hold it), and the keys around the block read as before.
#include "fuzz/descriptor_file.h"
#include "store/text_lines.h"

#include <algorithm>

using namespace zelmora;

namespace {

// The star name as the block holds it: 20 characters, one line, no double quote.
std::string BlockStarName(const std::string& name) {
  std::string star = store::FitStarName(name);
  for (char& c : star) {
    if (c == '"') c = '\'';
    if (c == '\r' || c == '\n') c = ' ';
  }
  return star;
}

// The block starts on a comment line followed by a comment header, as every descriptor the editor
// writes has it; elsewhere the line taken for the block start may hold a key, which the rewrite
// replaces by the block.
bool BlockOnCommentLines(std::string_view bytes) {
  auto lines = store::SplitLines(bytes);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].text.find("SolarSystem") == std::string_view::npos) continue;
    auto comment = [](std::string_view l) { return l.find_first_not_of(" \t") != std::string_view::npos &&
                                                   l[l.find_first_not_of(" \t")] == ';'; };
    return comment(lines[i].text) && (i + 1 == lines.size() || comment(lines[i + 1].text));
  }
  return true;
}

std::int16_t Int16(fuzz::FuzzInput& in) { return static_cast<std::int16_t>(in.Byte() | in.Byte() << 8); }
std::int32_t Int32(fuzz::FuzzInput& in) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(Int16(in)) << 16 | static_cast<std::uint16_t>(Int16(in)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput in(data, size);
  const std::string star(in.Line());
  const std::string numberLine(in.Line());
  fuzz::FuzzInput numbers(reinterpret_cast<const std::uint8_t*>(numberLine.data()), numberLine.size());
  const std::string bytes(in.Rest());
  if (bytes.size() > 100000) return 0;

  fuzz::WriteFile(fuzz::DescriptorFile(), bytes);
  store::DescriptorStore store(fuzz::GameFolder());
  const store::SolarSystemRecord first = fuzz::ReadRecord(store);
  const auto keysBefore = fuzz::ReadAllKeys(bytes);
  const bool hasBlock = bytes.find("SolarSystem") != std::string::npos;

  // A record read from the file is written back as it was read.
  store.WriteSystemRecord(first);
  store::SolarSystemRecord again = fuzz::ReadRecord(store);
  if (hasBlock) {
    store::SolarSystemRecord expected = first;
    expected.StarName = BlockStarName(first.StarName);
    FUZZ_CHECK(fuzz::SameRecord(again, expected));
  }

  // Any record: what the block can hold comes back.
  store::SolarSystemRecord record = first;
  record.StarName = star;
  record.StarType = Int16(numbers);
  record.PlanetCount = static_cast<std::int16_t>(numbers.Byte() % (store::kMaxPlanets + 1));
  for (auto& p : record.Planets) {
    p.Orbit = Int16(numbers);
    p.Size = Int16(numbers);
    p.Moons = Int16(numbers);
    p.Attributes = Int32(numbers);
    p.Class = Int16(numbers);
    p.StateValue = Int32(numbers);
  }
  store.WriteSystemRecord(record);
  const std::string after = fuzz::ReadFile(fuzz::DescriptorFile());
  if (!hasBlock) return 0;
  store::SolarSystemRecord back = fuzz::ReadRecord(store);
  store::SolarSystemRecord expected = record;
  expected.StarName = BlockStarName(star);
  FUZZ_CHECK(fuzz::SameRecord(back, expected));

  if (BlockOnCommentLines(bytes)) {
    for (const auto& k : keysBefore) {
      FUZZ_CHECK(store::ReadProfileValue(after, k.section, k.key, "\x01" "absent") == k.value);
    }
  }
  return 0;
}
