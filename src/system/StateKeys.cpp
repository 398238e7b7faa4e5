#include "system/StateKeys.h"

#include <algorithm>

namespace tamvek::system {

std::optional<std::uint32_t> StateKeys::find(const std::vector<std::uint64_t>& key, bool mayAdd) {
    if (m_width == 0) m_width = key.size();
    if (2 * (m_count + 1) > m_slots.size()) grow();
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = hash(key.data()) & mask;; i = (i + 1) & mask) {
        if (m_slots[i] == 0) {
            if (!mayAdd) return std::nullopt;
            m_keys.insert(m_keys.end(), key.begin(), key.end());
            m_slots[i] = static_cast<std::uint32_t>(++m_count);
            return m_slots[i] - 1;
        }
        if (same(key.data(), keyOf(m_slots[i] - 1))) return m_slots[i] - 1;
    }
}

bool StateKeys::same(const std::uint64_t* a, const std::uint64_t* b) const {
    for (std::size_t i = 0; i < m_width; ++i)
        if (a[i] != b[i]) return false;
    return true;
}

std::size_t StateKeys::hash(const std::uint64_t* key) const {
    std::uint64_t h = 0x9E3779B97F4A7C15ull;
    for (std::size_t i = 0; i < m_width; ++i)
        h = (h ^ key[i]) * 0xBF58476D1CE4E5B9ull;
    return static_cast<std::size_t>(h ^ (h >> 31));
}

void StateKeys::grow() {
    std::vector<std::uint32_t> slots(std::max<std::size_t>(64, 2 * m_slots.size()), 0);
    const std::size_t mask = slots.size() - 1;
    for (std::uint32_t id = 0; id < m_count; ++id) {
        std::size_t i = hash(keyOf(id)) & mask;
        while (slots[i] != 0)
            i = (i + 1) & mask;
        slots[i] = id + 1;
    }
    m_slots = std::move(slots);
}

}  // namespace tamvek::system
