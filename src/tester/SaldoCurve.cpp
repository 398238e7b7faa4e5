#include "tester/SaldoCurve.h"

#include <algorithm>
#include <limits>

namespace tamvek::tester {
namespace {

Amount saturatingAdd(Amount a, Amount b) {
    Amount sum = 0;
    if (!__builtin_add_overflow(a, b, &sum)) return sum;
    return b > 0 ? std::numeric_limits<Amount>::max() : std::numeric_limits<Amount>::min();
}

}  // namespace

SaldoCurve::SaldoCurve(std::uint64_t spins, std::size_t columns)
    : m_width(std::max<std::uint64_t>(
          1, (spins + std::max<std::size_t>(columns, 1) - 1) / std::max<std::size_t>(columns, 1))) {
    m_points.push_back({0, 0});
}

void SaldoCurve::add(const Amount* saldo, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const Point p{++m_spin, saldo[i]};
        m_last = p;
        if (!m_open) {
            m_low = m_high = p;
            m_open = true;
        } else if (p.saldo < m_low.saldo) {
            m_low = p;
        } else if (p.saldo > m_high.saldo) {
            m_high = p;
        }
        if (m_spin % m_width == 0) closeStretch();
    }
}

void SaldoCurve::closeStretch() {
    if (!m_open) return;
    const Point& first = m_low.spin <= m_high.spin ? m_low : m_high;
    const Point& second = m_low.spin <= m_high.spin ? m_high : m_low;
    m_points.push_back(first);
    if (second.spin != first.spin) m_points.push_back(second);
    m_open = false;
}

std::vector<SaldoCurve::Point> SaldoCurve::points() const {
    SaldoCurve copy = *this;
    copy.closeStretch();
    if (copy.m_points.back().spin != m_last.spin) copy.m_points.push_back(m_last);
    return std::move(copy.m_points);
}

void SaldoCurve::append(std::vector<Point>& curve, const std::vector<Point>& next) {
    const Point from = curve.empty() ? Point{} : curve.back();
    for (const Point& p : next) {
        if (p.spin == 0 && !curve.empty()) continue;  // the start is where `curve` ended
        curve.push_back({from.spin + p.spin, saturatingAdd(from.saldo, p.saldo)});
    }
}

}  // namespace tamvek::tester
