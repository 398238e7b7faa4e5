#include "stats/ChiSquare.h"

#include <cmath>

namespace tamvek::stats {

double chiSquare(const std::array<std::uint64_t, 37>& counts) {
    std::uint64_t all = 0;
    for (std::uint64_t n : counts)
        all += n;
    if (all == 0) return 0;
    const double mean = static_cast<double>(all) / static_cast<double>(counts.size());
    double sum = 0;
    for (std::uint64_t n : counts) {
        const double d = static_cast<double>(n) - mean;
        sum += d * d;
    }
    return sum / mean;
}

double upperGammaQ(int a, double x) {
    if (std::isnan(x) || x <= 0) return 1;
    if (std::isinf(x)) return 0;
    const double logX = std::log(x);
    double sum = 0;
    double logFactorial = 0;  // log i!
    for (int i = 0; i < a; ++i) {
        if (i > 0) logFactorial += std::log(static_cast<double>(i));
        sum += std::exp(static_cast<double>(i) * logX - x - logFactorial);
    }
    return sum > 1 ? 1 : sum;
}

double chiSquareP(double chi2, int degrees) {
    return upperGammaQ(degrees / 2, chi2 / 2);
}

}  // namespace tamvek::stats
