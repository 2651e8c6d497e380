#pragma once

#include "ui/platform/random.h"

#include <cstdint>
#include <optional>
#include <random>

namespace zelmora::simulator {

// A seed from the clock, as the generator takes one at each seeding.
std::uint64_t ClockSeed();

// The simulator's generator. With a fixed seed every SeedFromClock starts the same sequence again,
// so a replayed test draws the same numbers as the first run.
class SeededRandom : public platform::Random {
 public:
  explicit SeededRandom(std::optional<std::uint64_t> fixedSeed = std::nullopt);

  double Next() override;
  void SeedFromClock() override;
  void Seed(std::uint64_t seed) override;

  const std::optional<std::uint64_t>& FixedSeed() const { return fixedSeed_; }

 private:
  std::optional<std::uint64_t> fixedSeed_;
  std::mt19937_64 engine_;  // its output sequence is fixed by the standard on every platform
};

}  // namespace zelmora::simulator
