#pragma once
// A long list of optional numbers, as a permanence is: nearly every entry is a
// small whole number, so each entry takes one byte. The rare entry that is not
// (a fraction, a negative or large number, infinity, an empty element) is kept
// exactly in a side table. A list of a hundred million spins takes a hundred
// megabytes, not the sixteen hundred an array of optional doubles would.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

namespace tamvek {

class NumberList {
  public:
    // What the one byte of an entry holds: the whole number itself up to
    // `largestSmall`, or one of these marks.
    static constexpr std::uint8_t largestSmall = 253;
    static constexpr std::uint8_t emptyMark = 254;
    static constexpr std::uint8_t otherMark = 255;  // the value is in the side table

    NumberList() = default;
    NumberList(std::initializer_list<std::optional<double>> values);

    std::size_t size() const { return m_codes.size(); }
    bool empty() const { return m_codes.empty(); }
    void clear();

    void push_back(std::optional<double> value);
    // A whole number 0..largestSmall, the common case, without any test.
    void pushSmall(std::uint8_t value) { m_codes.push_back(value); }
    // `count` copies of `value`, replacing what was there.
    void assign(std::size_t count, std::optional<double> value);
    // Grows with empty elements or drops the last ones.
    void resize(std::size_t count);

    std::optional<double> operator[](std::size_t i) const;
    // The byte of entry i, and the value of an entry marked `otherMark`.
    const std::vector<std::uint8_t>& codes() const { return m_codes; }
    double otherValue(std::size_t i) const;

    class const_iterator {
      public:
        using value_type = std::optional<double>;
        using difference_type = std::ptrdiff_t;
        const_iterator(const NumberList* list, std::size_t i) : m_list(list), m_i(i) {}
        std::optional<double> operator*() const { return (*m_list)[m_i]; }
        const_iterator& operator++() {
            ++m_i;
            return *this;
        }
        bool operator==(const const_iterator& o) const { return m_i == o.m_i; }

      private:
        const NumberList* m_list;
        std::size_t m_i;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    friend bool operator==(const NumberList& a, const NumberList& b) {
        return a.m_codes == b.m_codes && a.m_others == b.m_others;
    }
    friend bool operator==(const NumberList& a, const std::vector<std::optional<double>>& b);

  private:
    std::vector<std::uint8_t> m_codes;
    // (index, value) for the entries marked `otherMark`, in index order.
    std::vector<std::pair<std::size_t, double>> m_others;
};

}  // namespace tamvek
