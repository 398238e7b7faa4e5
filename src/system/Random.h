#pragma once
// Random spins for the system tester: xoshiro256** (Blackman and Vigna), seeded
// through SplitMix64, and numbers 0..36 drawn without bias (Lemire's method:
// a multiply and, rarely, a second draw). Every stream is named by a seed and
// two counters, so the same seed gives the same spins however the work is
// shared out among threads.

#include <array>
#include <cstddef>
#include <cstdint>

namespace tamvek::system {

class Random {
  public:
    // The stream for `seed`, file `file` and run `run`.
    Random(std::uint64_t seed, std::uint64_t file, std::uint64_t run);
    // The stream in the state `words` (of words()), for a vector path that
    // draws many streams side by side and hands a rare case back here.
    explicit Random(const std::array<std::uint64_t, 4>& words)
        : m_s{words[0], words[1], words[2], words[3]} {}
    std::array<std::uint64_t, 4> words() const { return {m_s[0], m_s[1], m_s[2], m_s[3]}; }

    std::uint64_t next();
    // A number 0..36, each as likely as the others.
    std::uint8_t spin();
    void fill(std::uint8_t* spins, std::size_t count);
    // The two spins fill() takes from `draw`, the value next() just gave: one
    // from each half, a half that would favour some numbers drawn again.
    void spinsOf(std::uint64_t draw, std::uint8_t* two);

  private:
    std::uint8_t accepted(std::uint32_t bits);
    std::uint64_t m_s[4];
    std::uint64_t m_bits = 0;  // half of a draw kept for the next spin
    bool m_haveBits = false;
};

}  // namespace tamvek::system
