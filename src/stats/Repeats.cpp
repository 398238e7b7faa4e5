#include "stats/Repeats.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <optional>
#include <vector>

namespace tamvek::stats {
namespace {

constexpr std::size_t window = repeatLength;

// Polynomial hash of a window modulo the Mersenne prime 2^61 - 1: no pattern
// of spins makes windows collide in bulk, as they can modulo 2^64.
constexpr std::uint64_t prime = (std::uint64_t{1} << 61) - 1;
constexpr std::uint64_t base = 0x1F3D5B79A2C4E6F1 % prime;

std::uint64_t mulMod(std::uint64_t a, std::uint64_t b) {
    const unsigned __int128 product = static_cast<unsigned __int128>(a) * b;
    const std::uint64_t r =
        static_cast<std::uint64_t>(product & prime) + static_cast<std::uint64_t>(product >> 61);
    return r >= prime ? r - prime : r;
}

std::uint64_t addMod(std::uint64_t a, std::uint64_t b) {
    const std::uint64_t r = a + b;
    return r >= prime ? r - prime : r;
}

// A class as a hash digit: never 0, so that leading zeros count.
std::uint64_t digit(std::uint8_t c) {
    return std::uint64_t{c} + 1;
}

// Where each window was last seen, by hash: open addressing with linear
// probing, at least half again as many slots as windows. A slot holds the
// window's start + 1 (0 is an empty slot) in its low bits and as many bits of
// the hash as are left above it, so that a probe rarely has to look at the
// spins. Slots of 32 bits keep the table of a long permanence in half the
// memory.
template <class Slot>
class WindowTable {
  public:
    WindowTable(std::span<const std::uint8_t> spins, std::size_t windows)
        : m_spins(spins),
          m_startBits(static_cast<int>(std::bit_width(windows))),
          m_mask(std::bit_ceil(std::max<std::size_t>(16, windows + windows / 2)) - 1),
          // Cleared in one pass: the system hands out pages far faster in
          // order than at random, as the probes would touch them.
          m_slots(m_mask + 1) {}

    // Whether the starts of `windows` leave a useful part of a slot for the hash.
    static constexpr bool fits(std::size_t windows) {
        return std::bit_width(windows) + 8 <= sizeof(Slot) * 8;
    }

    void prefetch(std::uint64_t key) const { __builtin_prefetch(&m_slots[slotOf(key)]); }

    // The latest earlier start of the window at `start`, which takes its place.
    // `key` is the window's hash spread over 64 bits.
    std::optional<std::size_t> replace(std::uint64_t key, std::size_t start) {
        const Slot tag = static_cast<Slot>(key & ((std::uint64_t{1} << tagBits()) - 1));
        const Slot entry = static_cast<Slot>(tag << m_startBits | (start + 1));
        const Slot startMask = static_cast<Slot>((Slot{1} << m_startBits) - 1);
        for (std::size_t i = slotOf(key);; i = (i + 1) & m_mask) {
            Slot& slot = m_slots[i];
            if (slot == 0) {
                slot = entry;
                return std::nullopt;
            }
            if (slot >> m_startBits != tag) continue;
            const std::size_t earlier = (slot & startMask) - 1u;
            if (std::memcmp(&m_spins[earlier], &m_spins[start], window) != 0) continue;
            slot = entry;
            return earlier;
        }
    }

  private:
    // The tag takes the key's low bits, the slot the bits above.
    std::size_t slotOf(std::uint64_t key) const {
        return static_cast<std::size_t>(key >> 20) & m_mask;
    }
    int tagBits() const { return static_cast<int>(sizeof(Slot) * 8) - m_startBits; }

    std::span<const std::uint8_t> m_spins;
    int m_startBits;
    std::size_t m_mask;
    std::vector<Slot> m_slots;
};

// The stretches of one list, grown window by window.
class Stretches {
  public:
    // Positions are reported from `origin` (the first spin of the list's
    // range); a stretch never reaches before it.
    Stretches(RepeatList& out, std::span<const std::uint8_t> spins, std::size_t origin)
        : m_out(out), m_spins(spins), m_origin(origin) {}

    // The window at `start`, which last occurred at `earlier` within the range.
    void next(std::size_t start, std::optional<std::size_t> earlier) {
        if (m_out.cut) return;
        if (m_length > 0) {
            if (m_spins[m_at + m_length] == m_spins[m_again + m_length]) {
                ++m_length;
                return;
            }
            finish();
        }
        if (!earlier) return;
        m_at = *earlier;
        m_again = start;
        m_length = window;
        while (m_at > m_origin && m_spins[m_at - 1] == m_spins[m_again - 1]) {
            --m_at;
            --m_again;
            ++m_length;
        }
    }

    void finish() {
        if (m_length == 0) return;
        if (m_out.repeats.size() == repeatLimit) {
            m_out.cut = true;
        } else {
            m_out.repeats.push_back({m_at - m_origin + 1, m_again - m_origin + 1, m_length});
        }
        m_length = 0;
    }

  private:
    RepeatList& m_out;
    std::span<const std::uint8_t> m_spins;
    std::size_t m_origin;
    std::size_t m_at = 0;
    std::size_t m_again = 0;
    std::size_t m_length = 0;  // 0: none under way
};

void sortList(RepeatList& list) {
    std::sort(list.repeats.begin(), list.repeats.end(), [](const Repeat& a, const Repeat& b) {
        return a.again != b.again ? a.again < b.again : a.at < b.at;
    });
}

// Spreads a window's hash over all 64 bits, for the slot and the tag.
std::uint64_t key(std::uint64_t hash) {
    hash = (hash ^ (hash >> 31)) * 0x9E3779B97F4A7C15u;
    return hash ^ (hash >> 29);
}

template <class Slot>
void scan(std::span<const std::uint8_t> spins, std::span<const std::size_t> lengths,
          Repeats& found) {
    const std::size_t windows = spins.size() - window + 1;
    std::uint64_t power = 1;  // base^(window - 1), the weight of a window's first spin
    for (std::size_t i = 1; i < window; ++i)
        power = mulMod(power, base);
    std::uint64_t hash = 0;
    for (std::size_t i = 0; i < window; ++i)
        hash = addMod(mulMod(hash, base), digit(spins[i]));

    WindowTable<Slot> table(spins, windows);
    // The keys run `ahead` windows ahead of the lookups, so that each slot is
    // on its way from memory by the time it is needed.
    constexpr std::size_t ahead = 32;
    std::array<std::uint64_t, ahead> keys{};
    std::size_t hashed = 0;  // the last window with a key
    keys[0] = key(hash);
    table.prefetch(keys[0]);
    const auto hashNext = [&] {
        hash = addMod(hash, prime - mulMod(digit(spins[hashed]), power));
        hash = addMod(mulMod(hash, base), digit(spins[hashed + window]));
        ++hashed;
        keys[hashed % ahead] = key(hash);
        table.prefetch(keys[hashed % ahead]);
    };
    while (hashed + 1 < std::min(windows, ahead))
        hashNext();

    Stretches all(found.all, spins, 0);
    std::size_t file = 0;
    std::size_t fileStart = 0;
    std::size_t fileEnd = lengths.empty() ? spins.size() : lengths[0];
    std::optional<Stretches> inFile;
    if (!lengths.empty()) inFile.emplace(found.files[0], spins, 0);
    for (std::size_t start = 0; start < windows; ++start) {
        const std::optional<std::size_t> earlier = table.replace(keys[start % ahead], start);
        if (hashed + 1 < windows) hashNext();
        all.next(start, earlier);
        while (inFile && start >= fileEnd) {
            inFile->finish();
            inFile.reset();
            if (++file < lengths.size()) {
                fileStart = fileEnd;
                fileEnd += lengths[file];
                inFile.emplace(found.files[file], spins, fileStart);
            }
        }
        if (inFile && start + window <= fileEnd)
            inFile->next(start, earlier && *earlier >= fileStart ? earlier : std::nullopt);
    }
    all.finish();
    if (inFile) inFile->finish();
}

// Whether some stretch of `window` spins may occur twice. Every such stretch
// holds, in its first occurrence, a half-window that begins at a multiple of
// `step`, and the copy of that half-window lies at the same place in the
// second occurrence. So when no half-window equals an earlier one that begins
// at a multiple of `step`, nothing repeats. One pass with a small table of
// those half-windows (and a bitmap before it that stays in the processor's
// cache) settles this in a fraction of the time the full search takes; most
// permanences have no repeat at all.
class SampledHalves {
  public:
    static constexpr std::size_t half = window / 2;
    static constexpr std::size_t step = window - half + 1;

    explicit SampledHalves(std::span<const std::uint8_t> spins)
        : m_spins(spins),
          m_bits(std::countr_zero(std::bit_ceil(std::max<std::size_t>(64, spins.size())))),
          m_bitmap((std::size_t{1} << m_bits) / 64),
          m_slots(std::bit_ceil(std::max<std::size_t>(16, 2 * (spins.size() / step + 1)))) {}

    bool anyAgain() {
        const std::size_t starts = m_spins.size() - half + 1;
        std::uint64_t power = 1;  // of the half-window's first spin
        for (std::size_t i = 1; i < half; ++i)
            power *= base;
        std::uint64_t hash = 0;
        for (std::size_t i = 0; i < half; ++i)
            hash = hash * base + digit(m_spins[i]);
        for (std::size_t start = 0, untilSample = 0; start < starts; ++start) {
            if (start > 0)
                hash = (hash - digit(m_spins[start - 1]) * power) * base +
                       digit(m_spins[start + half - 1]);
            const std::uint64_t k = key(hash);
            const std::size_t bit = static_cast<std::size_t>(k >> (64 - m_bits));
            if ((m_bitmap[bit / 64] >> (bit % 64) & 1) != 0 && seen(k, start)) return true;
            if (untilSample-- == 0) {
                untilSample = step - 1;
                m_bitmap[bit / 64] |= std::uint64_t{1} << (bit % 64);
                add(k, start);
            }
        }
        return false;
    }

  private:
    // Wraps around 2^64: a pattern made to collide only costs time, as the
    // spins themselves decide.
    static constexpr std::uint64_t base = 0x100000001B3u;
    static constexpr std::size_t none = ~std::size_t{0};
    struct Slot {
        std::uint64_t key = 0;
        std::size_t start = none;
    };

    bool seen(std::uint64_t k, std::size_t start) const {
        const std::size_t mask = m_slots.size() - 1;
        for (std::size_t i = k & mask; m_slots[i].start != none; i = (i + 1) & mask)
            if (m_slots[i].key == k &&
                std::memcmp(&m_spins[m_slots[i].start], &m_spins[start], half) == 0)
                return true;
        return false;
    }

    void add(std::uint64_t k, std::size_t start) {
        const std::size_t mask = m_slots.size() - 1;
        std::size_t i = k & mask;
        while (m_slots[i].start != none)
            i = (i + 1) & mask;
        m_slots[i] = {k, start};
    }

    std::span<const std::uint8_t> m_spins;
    int m_bits;
    std::vector<std::uint64_t> m_bitmap;
    std::vector<Slot> m_slots;
};

}  // namespace

Repeats findRepeats(std::span<const std::uint8_t> spins, std::span<const std::size_t> lengths) {
    Repeats found;
    found.files.resize(lengths.size());
    if (spins.size() > repeatSearchLimit) {
        found.all.searched = false;
        for (RepeatList& list : found.files)
            list.searched = false;
        return found;
    }
    if (spins.size() <= window || !SampledHalves(spins).anyAgain()) return found;
    static_assert(WindowTable<std::uint32_t>::fits(repeatSearchLimit - window + 1));
    scan<std::uint32_t>(spins, lengths, found);
    sortList(found.all);
    for (RepeatList& list : found.files)
        sortList(list);
    return found;
}

}  // namespace tamvek::stats
