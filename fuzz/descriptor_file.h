#pragma once

#include "fuzz/fuzz_support.h"
#include "store/descriptor_store.h"
#include "store/profile_file.h"

#include <fstream>
#include <string>
#include <vector>

// A descriptor "F" in a game folder of the scratch folder, rewritten for every input.
namespace zelmora::fuzz {

inline const std::filesystem::path& GameFolder() {
  static const std::filesystem::path game = [] {
    auto g = ScratchFolder() / "game";
    std::filesystem::create_directories(g / "ZMDescriptor");
    std::filesystem::create_directories(g / "PICTURES");
    std::ofstream(g / "quarvel.exe") << "game";
    return g;
  }();
  return game;
}

inline void WriteFile(const std::filesystem::path& file, std::string_view bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline std::filesystem::path DescriptorFile() { return GameFolder() / "ZMDescriptor" / "F.zmd"; }

inline store::SolarSystemRecord ReadRecord(store::DescriptorStore& store) {
  store.RefreshSystemNames();
  store::SolarSystemRecord record;
  record.Name = "F";
  store.ReadSystemRecord(record);
  return record;
}

// Every section/key the file holds, as the reader reads it.
struct KeyRead {
  std::string section;
  std::string key;
  std::string value;
};
inline std::vector<KeyRead> ReadAllKeys(std::string_view bytes, std::size_t most = 64) {
  std::vector<KeyRead> reads;
  std::string section;
  store::ForEachProfileEntry(
      bytes, [&](std::string_view s) { section = std::string(s); },
      [&](std::string_view k, std::string&&) {
        if (reads.size() < most) reads.push_back({section, std::string(k), {}});
      });
  for (auto& r : reads) r.value = store::ReadProfileValue(bytes, r.section, r.key, "\x01" "absent");
  return reads;
}

inline bool SameRecord(const store::SolarSystemRecord& a, const store::SolarSystemRecord& b) {
  if (a.StarName != b.StarName || a.StarType != b.StarType || a.PlanetCount != b.PlanetCount) return false;
  for (int i = 1; i <= a.PlanetCount; ++i) {
    const auto& p = a.Planet(i);
    const auto& q = b.Planet(i);
    if (p.Orbit != q.Orbit || p.Size != q.Size || p.Moons != q.Moons || p.Attributes != q.Attributes ||
        p.Class != q.Class || p.StateValue != q.StateValue) {
      return false;
    }
  }
  return true;
}

}  // namespace zelmora::fuzz
