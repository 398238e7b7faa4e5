#pragma once
// The keys of the states an automaton has found, all of one length, each
// numbered in the order it came: open addressing over the keys kept one after
// another, so that looking one up allocates nothing.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace tamvek::system {

class StateKeys {
  public:
    std::size_t size() const { return m_count; }

    // The number of `key`; a new key is numbered when `mayAdd`, else nothing.
    std::optional<std::uint32_t> find(const std::vector<std::uint64_t>& key, bool mayAdd);

  private:
    const std::uint64_t* keyOf(std::uint32_t id) const { return m_keys.data() + id * m_width; }
    bool same(const std::uint64_t* a, const std::uint64_t* b) const;
    std::size_t hash(const std::uint64_t* key) const;
    void grow();

    std::size_t m_width = 0;
    std::size_t m_count = 0;
    std::vector<std::uint64_t> m_keys;
    std::vector<std::uint32_t> m_slots;  // a key's number + 1; 0: empty
};

}  // namespace tamvek::system
