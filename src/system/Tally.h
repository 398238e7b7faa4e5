#pragma once
// The figures of a Report that every player of a system keeps the same way:
// the engine (Player.h) and a script's player alike.

#include <algorithm>
#include <limits>

#include "system/Player.h"

namespace tamvek::system {

// Figures saturate rather than wrap: only a file made to hurt could get there.
inline Amount add(Amount a, Amount b) {
    Amount sum;
    if (!__builtin_add_overflow(a, b, &sum)) return sum;
    return b > 0 ? std::numeric_limits<Amount>::max() : std::numeric_limits<Amount>::min();
}

inline Amount sub(Amount a, Amount b) {
    Amount difference;
    if (!__builtin_sub_overflow(a, b, &difference)) return difference;
    return b < 0 ? std::numeric_limits<Amount>::max() : std::numeric_limits<Amount>::min();
}

// The Saldo after a spin, and the highest, lowest and fall it makes;
// `peak` is the running highest.
inline void tallySaldo(Report& report, Amount& peak, Amount saldo) {
    report.saldo = saldo;
    report.highest = std::max(report.highest, saldo);
    report.lowest = std::min(report.lowest, saldo);
    peak = std::max(peak, saldo);
    report.drawdown = std::max(report.drawdown, sub(peak, saldo));
}

// A real cycle's end; `lostInARow` counts the lost cycles since the last other.
inline void tallyEnd(Report& report, std::uint64_t& lostInARow, End how) {
    ++report.cycles;
    if (how == End::Lost) {
        ++report.lost;
        report.lostRun = std::max(report.lostRun, ++lostInARow);
    } else {
        lostInARow = 0;
        ++(how == End::TakenHome ? report.takenHome : report.givenBack);
    }
}

}  // namespace tamvek::system
