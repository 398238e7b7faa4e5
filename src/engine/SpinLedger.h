#pragma once
// What a run has been, spin by spin, for curves and figures beside the window:
// the Saldo after every spin (the balance label plus the stakes on the table,
// as the profit/loss table's last column counts it), whether the spin was
// played fictitiously, and each pair's own result so far (what its stakes won
// less what they lost). A new run and a new start begin it afresh. It is no
// part of the game state: nothing of the game reads it.

#include <array>
#include <cstdint>
#include <vector>

#include "core/Numbers.h"

namespace tamvek::engine {

struct SpinRecord {
    std::uint32_t spin = 0;
    double saldo = 0;
    bool fictitious = false;
    std::array<double, 3> pairResult{};  // red/black, low/high, even/odd
};

class SpinLedger {
  public:
    const std::vector<SpinRecord>& spins() const { return m_spins; }
    // Counts up with every change, so a view can tell whether to redraw.
    std::uint64_t version() const { return m_version; }

    // How often it began afresh: a new run or a new start.
    std::uint64_t runs() const { return m_runs; }

    void clear() {
        m_spins.clear();
        m_results = {};
        ++m_version;
        ++m_runs;
    }
    // A stake of `pair` won `amount` (positive) or lost it (negative).
    void book(int pair, double amount) { m_results[static_cast<std::size_t>(pair)] += amount; }
    void spinPlayed(std::uint32_t spin, double saldo, bool fictitious) {
        m_spins.push_back({spin, saldo, fictitious, m_results});
        ++m_version;
    }

  private:
    std::vector<SpinRecord> m_spins;
    std::array<double, 3> m_results{};
    std::uint64_t m_version = 0;
    std::uint64_t m_runs = 0;
};

}  // namespace tamvek::engine
