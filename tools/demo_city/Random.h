#pragma once
// A small deterministic generator: the same seed gives the same city on every
// platform (the standard distributions are not portable, so none is used).
#include <cstdint>
#include <random>

class Random {
 public:
  explicit Random(uint32_t seed) : engine_(seed) {}
  // Uniform in [low, high], both included.
  int Between(int low, int high) {
    if (high <= low) return low;
    return low + static_cast<int>(engine_() % static_cast<uint32_t>(high - low + 1));
  }
  bool Chance(int percent) { return Between(1, 100) <= percent; }
  template <typename Container>
  const auto& Pick(const Container& items) {
    return items[static_cast<size_t>(Between(0, static_cast<int>(items.size()) - 1))];
  }

 private:
  std::mt19937 engine_;
};
