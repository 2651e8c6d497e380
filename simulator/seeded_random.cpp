#include "simulator/seeded_random.h"

#include <chrono>

namespace zelmora::simulator {

std::uint64_t ClockSeed() {
  return static_cast<std::uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

SeededRandom::SeededRandom(std::optional<std::uint64_t> fixedSeed) : fixedSeed_(fixedSeed) { SeedFromClock(); }

double SeededRandom::Next() {
  // The top 53 bits give every double in [0, 1) on a grid of 2^-53; never 1.
  return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

void SeededRandom::SeedFromClock() {
  if (fixedSeed_) {
    engine_.seed(*fixedSeed_);
    return;
  }
  engine_.seed(ClockSeed());
}

void SeededRandom::Seed(std::uint64_t seed) { engine_.seed(seed); }

}  // namespace zelmora::simulator
