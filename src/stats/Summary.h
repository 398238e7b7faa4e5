#pragma once
// The figures of several permanences, each on its own and in total. Series do
// not run from one file into the next, and neither do absences; the repeats
// of the total are looked for over all the files one after another, so that
// a block copied from one file into another shows.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/Result.h"
#include "stats/FileStats.h"

namespace tamvek::stats {

// A permanence to look at: its name and its spins, which the caller keeps.
struct Permanence {
    std::string name;
    std::span<const std::uint8_t> classes;  // wheel classes, wheel/Wheel.h
};

// The figures of each file in the order given, and of all together.
struct Summary {
    std::vector<FileStats> files;
    FileStats total;  // named "total"; all zero for no files
};

// Fails on the first byte that is no wheel class, naming the file and the spin.
Result<Summary> summarize(const std::vector<Permanence>& permanences);

}  // namespace tamvek::stats
