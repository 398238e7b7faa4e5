#include "core/NumberList.h"

#include <algorithm>
#include <cmath>

namespace tamvek {
namespace {

bool isSmall(double v) {
    // -0.0 is kept in the side table so that it reads back as it was.
    return v >= 0 && v <= NumberList::largestSmall && v == std::trunc(v) && !std::signbit(v);
}

}  // namespace

NumberList::NumberList(std::initializer_list<std::optional<double>> values) {
    m_codes.reserve(values.size());
    for (const auto& v : values)
        push_back(v);
}

void NumberList::clear() {
    m_codes.clear();
    m_others.clear();
}

void NumberList::push_back(std::optional<double> value) {
    if (!value) {
        m_codes.push_back(emptyMark);
    } else if (isSmall(*value)) {
        m_codes.push_back(static_cast<std::uint8_t>(*value));
    } else {
        m_others.emplace_back(m_codes.size(), *value);
        m_codes.push_back(otherMark);
    }
}

void NumberList::assign(std::size_t count, std::optional<double> value) {
    clear();
    m_codes.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        push_back(value);
}

void NumberList::resize(std::size_t count) {
    if (count < m_codes.size()) {
        m_codes.resize(count);
        while (!m_others.empty() && m_others.back().first >= count)
            m_others.pop_back();
    } else {
        m_codes.resize(count, emptyMark);
    }
}

double NumberList::otherValue(std::size_t i) const {
    const auto it =
        std::lower_bound(m_others.begin(), m_others.end(), i,
                         [](const auto& entry, std::size_t k) { return entry.first < k; });
    return it != m_others.end() && it->first == i ? it->second : 0.0;
}

std::optional<double> NumberList::operator[](std::size_t i) const {
    if (i >= m_codes.size()) return std::nullopt;
    const std::uint8_t c = m_codes[i];
    if (c == emptyMark) return std::nullopt;
    if (c == otherMark) return otherValue(i);
    return static_cast<double>(c);
}

bool operator==(const NumberList& a, const std::vector<std::optional<double>>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < b.size(); ++i)
        if (a[i] != b[i]) return false;
    return true;
}

}  // namespace tamvek
