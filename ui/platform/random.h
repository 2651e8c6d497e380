#pragma once

#include <cstdint>

namespace zelmora::platform {

// Uniform numbers in [0, 1) for the simulator; seeded from the clock or from a given seed so that a
// replay gives the same numbers.
class Random {
 public:
  virtual ~Random() = default;
  virtual double Next() = 0;
  virtual void SeedFromClock() = 0;
  virtual void Seed(std::uint64_t seed) = 0;
};

}  // namespace zelmora::platform
