#include "random.h"

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
    std::seed_seq seed{static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32),
                       static_cast<std::uint32_t>(m_draws),
                       static_cast<std::uint32_t>(m_draws >> 32)};
    m_engine.seed(seed);
    return unitFloat(static_cast<std::uint32_t>(m_engine()));
}

} // namespace core
