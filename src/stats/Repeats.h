#pragma once
// Finds the stretches of spins that occur twice in a permanence, or in several
// files read one after another: a block copied within a file, or from one file
// into another. A stretch is reported when it is repeatLength spins or longer,
// once, at its full length.

#include <cstdint>
#include <span>
#include <vector>

#include "stats/FileStats.h"

namespace tamvek::stats {

// The repeats of one file or of all: at most repeatLimit, and whether more were found.
struct RepeatList {
    std::vector<Repeat> repeats;  // by `again`, then `at`
    bool cut = false;             // there were more than repeatLimit
    bool searched = true;         // false: more spins than repeatSearchLimit
};

// What one search over the files found.
struct Repeats {
    // Those with both occurrences inside one file, counted from its first spin.
    std::vector<RepeatList> files;
    // Those over all the spins, counted from the first spin of the first file.
    RepeatList all;
};

// `spins` holds the files one after another; `lengths` gives their spins in
// order and sums to spins.size().
//
// Each window of repeatLength spins is looked up by a rolling hash, checked
// against the spins themselves, and paired with its most recent earlier
// occurrence. A pair of windows that continues the pair before it by one spin
// on both sides extends that stretch; a new stretch reaches back as far as
// both sides agree. So a long copied block is one entry, and so is a file of
// one repeating pattern.
// More than repeatSearchLimit spins are not searched (`searched` false).
Repeats findRepeats(std::span<const std::uint8_t> spins, std::span<const std::size_t> lengths);

}  // namespace tamvek::stats
