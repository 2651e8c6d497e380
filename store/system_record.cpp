#include "store/system_record.h"

#include "ui/platform/text_rules.h"

#include <utility>

namespace zelmora::store {

PlanetAttributes PlanetAttributes::Decode(std::int32_t packed) {
  auto bits = static_cast<std::uint32_t>(packed);
  PlanetAttributes a;
  a.Life = static_cast<int>((bits >> 14) & 3);
  a.Attitude = static_cast<int>((bits >> 12) & 3);
  a.Advancement = static_cast<int>((bits >> 10) & 3);
  a.Energy = static_cast<int>((bits >> 8) & 3);
  a.AlienIndex = static_cast<int>(bits & 255);
  return a;
}

std::int32_t PlanetAttributes::Encode() const {
  return (Life & 3) * 16384 + (Attitude & 3) * 4096 + (Advancement & 3) * 1024 + (Energy & 3) * 256 +
         (AlienIndex & 255);
}

void PlanetAttributes::SetLife(int life) {
  Life = life;
  if (life == 0 || life == 1) {
    Attitude = 0;
    Advancement = 0;
  } else if (life == 3) {
    Attitude = 0;
  }
}

std::string FitStarName(const std::string& name) { return platform::FitWidth(name, kStarNameWidth); }

std::optional<std::string> StarNameProblem(std::string_view name) {
  if (name.find('"') != std::string_view::npos) return "A star name may not contain a double quote (\").";
  return std::nullopt;
}

void InitCustomSystem(SolarSystemRecord& record, const std::string& starName, const std::string& systemName) {
  record.PlanetCount = 0;
  record.StarType = 0;
  for (auto& p : record.Planets) {
    p.Orbit = 0;
    p.Size = 0;
    p.Class = 0;
  }
  record.StarName = FitStarName(starName);
  record.Name = systemName;
}

void SetNewPlanetDefaults(SolarSystemRecord& record, int n) {
  PlanetRecord& p = record.Planet(n);
  p.Size = 2;
  p.Class = 1;
  p.Orbit = n == 1 ? 400 : static_cast<std::int16_t>(record.Planet(n - 1).Orbit + 30);
}

void SetPlanetClass(PlanetRecord& planet, int planetClass) {
  planet.Class = static_cast<std::int16_t>(planetClass);
  if (planetClass == 0) {
    planet.Size = 0;
    planet.Moons = 0;
  } else if (planet.Size == 0) {
    planet.Size = 2;
  }
}

bool TestFlagBit(const PlanetRecord& planet, int n) {
  if (n < 0 || n > 63) return false;
  return (planet.FlagBits >> n) & 1u;
}

void SetFlagBit(PlanetRecord& planet, int n, bool on) {
  if (n < 0 || n > 63) return;
  std::uint64_t bit = std::uint64_t{1} << n;
  if (on) planet.FlagBits |= bit;
  else planet.FlagBits &= ~bit;
}

void SwapPlanetSlots(SolarSystemRecord& record, int a, int b) {
  PlanetRecord& pa = record.Planet(a);
  PlanetRecord& pb = record.Planet(b);
  std::swap(pa, pb);
  std::swap(pa.Orbit, pb.Orbit);
}

}  // namespace zelmora::store
