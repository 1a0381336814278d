#pragma once

#include <cstdint>
#include <functional>

namespace core {

// Yields r with 0 <= r < 1; startRound calls it once per draw.
using RandomSource = std::function<float()>;

// Re-seeds from the clock before every number, as the game always has. A counter is mixed
// into the seed, so re-seeds within one clock tick still give fresh numbers.
class ClockRandom {
public:
    float operator()();

private:
    std::uint64_t m_draws = 0;
};

// 24 random bits scaled into [0, 1): every value is exact in a float and below 1.
float unitFloat(std::uint32_t bits);

} // namespace core
