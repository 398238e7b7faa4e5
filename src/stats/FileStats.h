#pragma once
// What a system player reads off a permanence before playing it: how often
// each even chance came, how far it strayed (the ecart), its series and its
// longest absence, how evenly the 37 numbers fell, and stretches of spins that
// occur twice (the mark of a copied or made-up permanence).

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/Result.h"
#include "wheel/Wheel.h"

namespace tamvek::stats {

// The six even chances; a chance's index is pair * 2 + side - 1, with the pair
// and side of wheel::sidesOf.
enum Chance : int { Red = 0, Black, Low, High, Even, Odd };
inline constexpr int chances = 6;
inline constexpr int numbers = 37;
// Series are counted by length 1..11; the last entry holds those of 12 or more.
inline constexpr int seriesLengths = 12;

// A stretch of spins that occurs twice: spins at..at+length-1 come again at
// again..again+length-1, counted from 1; at < again. The two may overlap (in a
// file of zeros only, spins 1..n-1 come again from spin 2).
struct Repeat {
    std::uint64_t at = 0;
    std::uint64_t again = 0;
    std::uint64_t length = 0;
    bool operator==(const Repeat&) const = default;
};

// The figures of one permanence, or of several taken together. Every figure is
// a defined number also for a permanence of no spins: counts and ecart 0,
// chi-square 0 with p 1, absences 0.
struct FileStats {
    std::string file;
    std::uint64_t spins = 0;
    std::uint64_t zero = 0;
    std::array<std::uint64_t, chances> counts{};
    // (wins - losses) / sqrt(spins) of one unit on the chance every spin; a
    // zero, and a number off the wheel on red or black, is neither.
    std::array<double, chances> ecart{};
    // [pair][length - 1]: runs of one side over the pair's decided spins.
    std::array<std::array<std::uint64_t, seriesLengths>, wheel::pairs> series{};
    // What halving expects of as many series: half of length 1, a quarter of 2, ...
    std::array<std::array<double, seriesLengths>, wheel::pairs> expected{};
    std::array<std::uint64_t, chances> longestSeries{};
    // The most spins in a row without the chance, before its first and after
    // its last appearance included; all the spins if it never came.
    std::array<std::uint64_t, chances> absence{};
    std::array<std::uint64_t, numbers> numberCounts{};
    std::array<std::uint64_t, numbers> numberAbsence{};
    // Of the numbers 0..36 against equal shares (off-wheel spins left out), and
    // the chance of a value at least this large, with 36 degrees of freedom.
    double chi2 = 0;
    double p = 1;
    std::vector<Repeat> repeats;  // by `again`, then `at`
    bool repeatsCut = false;      // more were found than repeatLimit
    bool repeatsSearched = true;  // false: too many spins to search (repeatSearchLimit)
};

// Stretches of this many spins or more are looked for, and no more than
// repeatLimit of them are listed.
inline constexpr std::size_t repeatLength = 50;
inline constexpr std::size_t repeatLimit = 1000;
// Repeats are searched in at most this many spins in a row (of one file, or of
// all files together): the search's table takes 8 bytes a spin and its longest
// key 32 bits. A longer permanence gets every other figure, and the repeats
// are said to be left out. Recorded permanences are a few million spins long.
inline constexpr std::size_t repeatSearchLimit = std::size_t{1} << 24;

// The figures of one permanence, given as wheel classes (wheel/Wheel.h), with
// its repeats. A byte that is no wheel class is an error naming the spin.
Result<FileStats> fileStats(std::string name, std::span<const std::uint8_t> classes);

// Everything but the repeats.
Result<FileStats> countStats(std::string name, std::span<const std::uint8_t> classes);

// The total of several files' figures (without repeats): counts and series
// summed, ecart and chi-square from the sums, longest series and absences the
// largest of the files'.
FileStats sumStats(const std::vector<FileStats>& files, std::string name = "total");

}  // namespace tamvek::stats
