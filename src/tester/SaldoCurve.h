#pragma once
// The Saldo after every spin of a file, kept small enough to draw whatever the
// file's length. The spins are cut into at most `columns` stretches of equal
// length, and each stretch keeps its lowest and its highest Saldo in the order
// they came. A chart no wider than `columns` pixels then draws the same shape
// as the whole curve would: every peak and every trough stays, only what lies
// between them within one pixel column goes (a plain every-n-th sample would
// drop the deepest fall of a million spins). A file of up to `columns` spins
// keeps every spin. The curve starts at spin 0 with Saldo 0 and ends at the
// last spin with the final Saldo.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/Numbers.h"

namespace tamvek::tester {

class SaldoCurve {
  public:
    struct Point {
        std::uint64_t spin = 0;  // counted from 1; 0 is the start
        Amount saldo = 0;
        bool operator==(const Point&) const = default;
    };

    // `spins`: how many the file has, so the stretches can be cut in advance.
    explicit SaldoCurve(std::uint64_t spins, std::size_t columns = 2048);

    // The Saldo after each of the next spins.
    void add(const Amount* saldo, std::size_t count);
    // The points kept so far, the stretch being filled included.
    std::vector<Point> points() const;

    // `next` played after `curve`: its spins and Saldo go on from the last
    // point of `curve`.
    static void append(std::vector<Point>& curve, const std::vector<Point>& next);

  private:
    void closeStretch();

    std::uint64_t m_width;  // spins per stretch
    std::uint64_t m_spin = 0;
    std::vector<Point> m_points;
    Point m_low, m_high;  // of the stretch being filled
    Point m_last;
    bool m_open = false;
};

}  // namespace tamvek::tester
