#include "system/Random.h"

namespace tamvek::system {
namespace {

std::uint64_t splitMix(std::uint64_t& x) {
    std::uint64_t z = (x += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::uint64_t rotl(std::uint64_t x, int k) {
    return (x << k) | (x >> (64 - k));
}

}  // namespace

Random::Random(std::uint64_t seed, std::uint64_t file, std::uint64_t run) {
    std::uint64_t x = seed;
    // Mix the counters in through the generator, so nearby runs are unrelated.
    x = splitMix(x) ^ file;
    x = splitMix(x) ^ run;
    for (std::uint64_t& s : m_s)
        s = splitMix(x);
}

std::uint64_t Random::next() {
    const std::uint64_t result = rotl(m_s[1] * 5, 7) * 9;
    const std::uint64_t t = m_s[1] << 17;
    m_s[2] ^= m_s[0];
    m_s[3] ^= m_s[1];
    m_s[1] ^= m_s[2];
    m_s[0] ^= m_s[3];
    m_s[2] ^= t;
    m_s[3] = rotl(m_s[3], 45);
    return result;
}

// 32 random bits times 37: the high half is the number; a low half below
// 2^32 mod 37 would favour some numbers, so such a draw is taken again.
constexpr std::uint32_t reject = static_cast<std::uint32_t>((std::uint64_t{1} << 32) % 37);

std::uint8_t Random::accepted(std::uint32_t bits) {
    for (;;) {
        const std::uint64_t m = std::uint64_t{bits} * 37;
        if (static_cast<std::uint32_t>(m) >= reject) return static_cast<std::uint8_t>(m >> 32);
        bits = static_cast<std::uint32_t>(next());
    }
}

std::uint8_t Random::spin() {
    for (;;) {
        std::uint32_t bits;
        if (m_haveBits) {
            bits = static_cast<std::uint32_t>(m_bits >> 32);
            m_haveBits = false;
        } else {
            m_bits = next();
            bits = static_cast<std::uint32_t>(m_bits);
            m_haveBits = true;
        }
        const std::uint64_t m = std::uint64_t{bits} * 37;
        if (static_cast<std::uint32_t>(m) >= reject) return static_cast<std::uint8_t>(m >> 32);
    }
}

void Random::spinsOf(std::uint64_t draw, std::uint8_t* two) {
    two[0] = accepted(static_cast<std::uint32_t>(draw));
    two[1] = accepted(static_cast<std::uint32_t>(draw >> 32));
}

void Random::fill(std::uint8_t* spins, std::size_t count) {
    std::size_t i = 0;
    if (m_haveBits && count > 0) spins[i++] = spin();
    // Two spins from every draw.
    for (; i + 2 <= count; i += 2)
        spinsOf(next(), spins + i);
    for (; i < count; ++i)
        spins[i] = spin();
}

}  // namespace tamvek::system
