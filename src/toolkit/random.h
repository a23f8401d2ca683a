#pragma once
#include <cstdint>
#include <random>

namespace frost {

// The one source of random numbers: uniform in [0, 1). Injectable, so tests and `frostcard
// --seed` get repeatable shows.
class Random {
 public:
  explicit Random(std::uint64_t seed = 1) : engine_(seed) {}
  void Seed(std::uint64_t seed) { engine_.seed(seed); }
  double Rnd() { return std::uniform_real_distribution<double>(0.0, 1.0)(engine_); }

 private:
  std::mt19937_64 engine_;
};

}  // namespace frost
