#include "engine/RandomSource.h"

#include <chrono>

namespace tamvek::engine {

Mt19937Random::Mt19937Random(std::optional<std::uint32_t> seed)
    : m_fixed(seed), m_seed(seed), m_engine(seed.value_or(5489u)) {
    if (!m_fixed) seedFromClock();
}

void Mt19937Random::seedFromClock() {
    if (m_fixed) return;
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    m_seed = static_cast<std::uint32_t>(ticks ^ (ticks >> 32));
    m_engine.seed(*m_seed);
    ++m_seedings;
}

void Mt19937Random::fix(std::uint32_t seed) {
    m_fixed = seed;
    m_seed = seed;
    m_engine.seed(seed);
    ++m_seedings;
}

float Mt19937Random::next() {
    // 24 random bits scaled into [0, 1): exactly representable, never 1.
    return static_cast<float>(m_engine() >> 8) * (1.0f / 16777216.0f);
}

std::unique_ptr<RandomSource> makeRandom(std::optional<std::uint32_t> seed) {
    return std::make_unique<Mt19937Random>(seed);
}

}  // namespace tamvek::engine
