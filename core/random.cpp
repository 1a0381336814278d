#include "core/random.h"

#include <chrono>

namespace core {

float unitFloat(std::uint32_t bits) {
    // Not std::generate_canonical: some library versions round it up to 1.0.
    return static_cast<float>(bits >> 8) * 0x1p-24f;
}

float ClockRandom::operator()() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const auto ticks = static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
    ++m_draws;
    // One step of splitmix64 from the seed: cheap to re-seed, and well mixed even for
    // seeds that differ in a single bit.
    std::uint64_t z = ticks + m_draws * 0x9E3779B97F4A7C15u;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    z ^= z >> 31;
    return unitFloat(static_cast<std::uint32_t>(z >> 32));
}

} // namespace core
