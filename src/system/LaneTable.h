#pragma once
// The baseline's runs side by side in the processor's vector lanes, for a
// system that compiled to a table (Compiled.h). Each lane plays one run with
// its own stream, drawn exactly as Random draws it (the rare half that must be
// drawn again is drawn by Random itself), so every run ends on the Saldo the
// engine would give it. Only the final and the lowest Saldo are kept: the
// Saldo shares one 64-bit
// word with the state, Saldo * 65536 + state, and a spin adds one entry of the
// table packed alike. The widest lanes the processor has are chosen when the
// program runs (Google Highway); without vector units the same code plays in
// one lane.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "system/Baseline.h"
#include "system/Compiled.h"

namespace tamvek::system {

class LaneTable {
  public:
    // `compiled`'s table packed for lanes, or nothing: the system did not
    // compile to a table, or runs of `spins` spins could bring a Saldo near
    // 2^46, past which it would not share a word with the state.
    static std::optional<LaneTable> of(const Compiled& compiled, std::uint64_t spins);

    // How many runs play together on this processor.
    static std::size_t group();

    // Plays runs first .. first + count - 1 (count at most group()) of `job`;
    // their final Saldo go to saldos[0 .. count), their lowest to lowests.
    // Hears `cancel` and tells `progress` a block of spins at a time; false
    // when cancelled.
    bool play(const BaselineJob& job, std::size_t first, std::size_t count, Amount* saldos,
              Amount* lowests, const std::function<void(std::uint64_t)>& progress,
              const std::atomic<bool>* cancel) const;

    // What the lanes read.
    struct Packed {
        std::vector<std::int64_t>
            entries;  // [class << shift | state]: delta * 65536 + next - state
        int shift = 0;
        bool stops = false;
        std::int64_t below = 0;  // a word below this has reached the stop loss
        std::int64_t above = 0;  // one at or above it the take profit
    };

  private:
    Packed m_packed;
};

}  // namespace tamvek::system
