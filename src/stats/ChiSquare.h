#pragma once
// The chi-square test of how evenly spins fell on the 37 numbers, and its
// p-value.

#include <array>
#include <cstdint>

namespace tamvek::stats {

// Sum over the numbers of (count - mean)^2 / mean; 0 when there are no counts.
double chiSquare(const std::array<std::uint64_t, 37>& counts);

// The regularized upper incomplete gamma function Q(a, x) for a whole shape
// a >= 1: e^-x * sum over i < a of x^i / i!. Each term is formed from its
// logarithm, so that neither e^-x nor x^i overflow or underflow before the
// product does. Q(a, 0) = 1; x < 0 counts as 0; +infinity gives 0; NaN gives 1.
double upperGammaQ(int a, double x);

// The chance that a chi-square with `degrees` (even, >= 2) degrees of freedom
// comes out at `chi2` or above: Q(degrees / 2, chi2 / 2).
double chiSquareP(double chi2, int degrees);

}  // namespace tamvek::stats
