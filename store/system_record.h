#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelmora::store {

inline constexpr int kMaxPlanets = 10;
inline constexpr std::size_t kStarNameWidth = 20;

struct PlanetRecord {
  std::int16_t Orbit = 0;
  std::int16_t Size = 0;
  std::int16_t Moons = 0;
  std::int32_t Attributes = 0;
  std::int16_t Class = 0;
  std::int32_t StateValue = 0;
  std::uint64_t FlagBits = 0;  // the simulator's flags; never written to the descriptor
};

struct SolarSystemRecord {
  std::string Name;
  std::int16_t PlanetCount = 0;
  std::int16_t StarType = 0;
  std::string StarName = std::string(kStarNameWidth, ' ');
  std::array<PlanetRecord, kMaxPlanets> Planets{};

  // Planet n, 1-based as everywhere in the descriptor.
  PlanetRecord& Planet(int n) { return Planets.at(static_cast<std::size_t>(n - 1)); }
  const PlanetRecord& Planet(int n) const { return Planets.at(static_cast<std::size_t>(n - 1)); }
};

// The packed Attributes value: Life x 16384 + Attitude x 4096 + Advancement x 1024 + Energy x 256
// + AlienIndex.
struct PlanetAttributes {
  int Life = 0;
  int Attitude = 0;
  int Advancement = 0;
  int Energy = 0;
  int AlienIndex = 0;

  static PlanetAttributes Decode(std::int32_t packed);
  std::int32_t Encode() const;
  // Life 0 or 1 forces Attitude and Advancement to 0; Life 3 forces Attitude to 0.
  void SetLife(int life);
};

void InitCustomSystem(SolarSystemRecord& record, const std::string& starName, const std::string& systemName);
// The defaults of a new planet in slot PlanetCount + 1 (which the caller has just counted).
void SetNewPlanetDefaults(SolarSystemRecord& record, int n);
// Class 0 (asteroid belt) sets Size and Moons to 0; another class gives a size-0 planet size 2.
void SetPlanetClass(PlanetRecord& planet, int planetClass);

bool TestFlagBit(const PlanetRecord& planet, int n);
void SetFlagBit(PlanetRecord& planet, int n, bool on);

// Exchanges every field of two planets except Orbit, which stays with the slot.
void SwapPlanetSlots(SolarSystemRecord& record, int a, int b);

// StarName padded or cut to 20 characters.
std::string FitStarName(const std::string& name);
// Why a typed star name cannot be kept in the system block (its quoted name has no escaping), or
// nothing.
std::optional<std::string> StarNameProblem(std::string_view name);

}  // namespace zelmora::store
