// Built once for every instruction set the processor might have; the first
// time the baseline asks, the widest one it has is chosen (foreach_target).

#include "system/LaneTable.h"

#include <algorithm>
#include <bit>
#include <limits>

#include "system/Random.h"

// Vectors whose size is known only when the program runs cannot be kept in
// arrays, as the runs below are.
#ifndef HWY_DISABLED_TARGETS
#define HWY_DISABLED_TARGETS (HWY_SVE | HWY_SVE2 | HWY_SVE_256 | HWY_SVE2_128 | HWY_RVV)
#endif
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "system/LaneTable.cpp"
#include <hwy/foreach_target.h>  // IWYU pragma: keep
#include <hwy/highway.h>

HWY_BEFORE_NAMESPACE();
namespace tamvek::system {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

using DU = hn::ScalableTag<std::uint64_t>;
using DI = hn::ScalableTag<std::int64_t>;
using VU = hn::Vec<DU>;
using VI = hn::Vec<DI>;
using Progress = std::function<void(std::uint64_t)>;

// Vectors of runs played together, so that one waits for its table entries
// while the others are drawn.
constexpr std::size_t vectors = 4;
// Draws between two looks at the cancel flag.
constexpr std::uint64_t block = 8192;

std::size_t GroupSize() {
    return vectors * hn::Lanes(DU());
}

// The state of a group's streams, one word of each lane's stream a vector.
struct Streams {
    VU s[4][vectors];
};

// xoshiro256** on every lane, as Random::next().
HWY_INLINE VU next(VU& s0, VU& s1, VU& s2, VU& s3) {
    const VU five = hn::Add(s1, hn::ShiftLeft<2>(s1));
    const VU rotated = hn::Or(hn::ShiftLeft<7>(five), hn::ShiftRight<57>(five));
    const VU result = hn::Add(rotated, hn::ShiftLeft<3>(rotated));
    const VU t = hn::ShiftLeft<17>(s1);
    s2 = hn::Xor(s2, s0);
    s3 = hn::Xor(s3, s1);
    s1 = hn::Xor(s1, s2);
    s0 = hn::Xor(s0, s3);
    s2 = hn::Xor(s2, t);
    s3 = hn::Or(hn::ShiftLeft<45>(s3), hn::ShiftRight<19>(s3));
    return result;
}

// 32 random bits times 37, as Random does: the high half is the number, and a
// low half below 7 (2^32 mod 37) would favour some numbers.
HWY_INLINE VU times37(VU bits) {
    return hn::Add(hn::Add(hn::ShiftLeft<5>(bits), hn::ShiftLeft<2>(bits)), bits);
}

// The two spins of every lane's next draw; a lane whose draw must be drawn
// again is drawn by Random, exactly as the engine's stream draws it.
HWY_INLINE void draw(Streams& st, std::size_t g, VU& first, VU& second) {
    const DU du;
    const DI di;
    const VU bits = next(st.s[0][g], st.s[1][g], st.s[2][g], st.s[3][g]);
    const VU low = hn::Set(du, 0xFFFFFFFFu);
    const VU a = times37(hn::And(bits, low));
    const VU b = times37(hn::ShiftRight<32>(bits));
    first = hn::ShiftRight<32>(a);
    second = hn::ShiftRight<32>(b);
    const VI seven = hn::Set(di, 7);
    const auto again = hn::Or(hn::Lt(hn::BitCast(di, hn::And(a, low)), seven),
                              hn::Lt(hn::BitCast(di, hn::And(b, low)), seven));
    if (!hn::AllFalse(di, again)) {
        const std::size_t n = hn::Lanes(du);
        HWY_ALIGN std::uint64_t words[4][hn::MaxLanes(du)];
        HWY_ALIGN std::uint64_t drawn[hn::MaxLanes(du)];
        HWY_ALIGN std::uint64_t spins[2][hn::MaxLanes(du)];
        for (std::size_t k = 0; k < 4; ++k)
            hn::Store(st.s[k][g], du, words[k]);
        hn::Store(bits, du, drawn);
        for (std::size_t lane = 0; lane < n; ++lane) {
            Random random({words[0][lane], words[1][lane], words[2][lane], words[3][lane]});
            std::uint8_t two[2];
            random.spinsOf(drawn[lane], two);
            spins[0][lane] = two[0];
            spins[1][lane] = two[1];
            const std::array<std::uint64_t, 4> after = random.words();
            for (std::size_t k = 0; k < 4; ++k)
                words[k][lane] = after[k];
        }
        for (std::size_t k = 0; k < 4; ++k)
            st.s[k][g] = hn::Load(du, words[k]);
        first = hn::Load(du, spins[0]);
        second = hn::Load(du, spins[1]);
    }
}

// One spin of class `cls` on every lane: the word gains its table entry; a
// lane that has reached a stop keeps its word from then on.
template <bool Stops>
HWY_INLINE void step(const LaneTable::Packed& t, VI& word, VU cls, VI& stopped, VI& lowest) {
    const DI di;
    const VI at = hn::Or(hn::ShiftLeftSame(hn::BitCast(di, cls), t.shift),
                         hn::And(word, hn::Set(di, 0xFFFF)));
    const VI entry = hn::GatherIndex(di, t.entries.data(), at);
    if constexpr (Stops) {
        word = hn::Add(word, hn::IfThenZeroElse(hn::MaskFromVec(stopped), entry));
        const auto stop =
            hn::Or(hn::Lt(word, hn::Set(di, t.below)), hn::Not(hn::Lt(word, hn::Set(di, t.above))));
        stopped = hn::Or(stopped, hn::VecFromMask(di, stop));
    } else {
        word = hn::Add(word, entry);
    }
    // The state's bits below the Saldo's do not change which word is lower
    // in Saldo: the lowest word's Saldo is the lowest Saldo.
    lowest = hn::Min(lowest, word);
}

// An odd last spin, drawn as Random::fill() draws it, one lane at a time.
void lastSpin(const LaneTable::Packed& t, Streams& st, VI (&word)[vectors],
              const VI (&stopped)[vectors], VI (&lowest)[vectors]) {
    const DU du;
    const DI di;
    const std::size_t n = hn::Lanes(du);
    HWY_ALIGN std::uint64_t words[4][hn::MaxLanes(du)];
    HWY_ALIGN std::int64_t played[hn::MaxLanes(di)];
    HWY_ALIGN std::int64_t still[hn::MaxLanes(di)];
    for (std::size_t g = 0; g < vectors; ++g) {
        for (std::size_t k = 0; k < 4; ++k)
            hn::Store(st.s[k][g], du, words[k]);
        hn::Store(word[g], di, played);
        hn::Store(stopped[g], di, still);
        for (std::size_t lane = 0; lane < n; ++lane) {
            Random random({words[0][lane], words[1][lane], words[2][lane], words[3][lane]});
            const std::uint8_t cls = random.spin();
            if (still[lane] == 0)
                played[lane] += t.entries[(std::size_t{cls} << t.shift) |
                                          static_cast<std::size_t>(played[lane] & 0xFFFF)];
        }
        word[g] = hn::Load(di, played);
        lowest[g] = hn::Min(lowest[g], word[g]);
    }
}

template <bool Stops>
bool playRuns(const LaneTable::Packed& t, const BaselineJob& job, std::size_t first,
              std::size_t count, Amount* saldos, Amount* lowests, const Progress& progress,
              const std::atomic<bool>* cancel) {
    const DU du;
    const DI di;
    const std::size_t n = hn::Lanes(du);
    Streams st;
    VI word[vectors];
    VI stopped[vectors];
    VI lowest[vectors];
    for (std::size_t g = 0; g < vectors; ++g) {
        HWY_ALIGN std::uint64_t words[4][hn::MaxLanes(du)];
        for (std::size_t lane = 0; lane < n; ++lane) {
            const std::array<std::uint64_t, 4> w =
                Random(job.seed, job.file, first + g * n + lane).words();
            for (std::size_t k = 0; k < 4; ++k)
                words[k][lane] = w[k];
        }
        for (std::size_t k = 0; k < 4; ++k)
            st.s[k][g] = hn::Load(du, words[k]);
        word[g] = hn::Zero(di);
        stopped[g] = hn::Zero(di);
        lowest[g] = hn::Zero(di);
    }
    const std::uint64_t draws = job.spins / 2;
    for (std::uint64_t done = 0; done < draws;) {
        if (cancel != nullptr && cancel->load(std::memory_order_relaxed)) return false;
        const std::uint64_t now = std::min(block, draws - done);
        for (std::uint64_t i = 0; i < now; ++i) {
            VU one[vectors], two[vectors];
            for (std::size_t g = 0; g < vectors; ++g)
                draw(st, g, one[g], two[g]);
            for (std::size_t g = 0; g < vectors; ++g)
                step<Stops>(t, word[g], one[g], stopped[g], lowest[g]);
            for (std::size_t g = 0; g < vectors; ++g)
                step<Stops>(t, word[g], two[g], stopped[g], lowest[g]);
        }
        done += now;
        if (progress) progress(2 * now * count);
    }
    if (job.spins % 2 != 0) {
        lastSpin(t, st, word, stopped, lowest);
        if (progress) progress(count);
    }
    HWY_ALIGN std::int64_t words[hn::MaxLanes(di)];
    HWY_ALIGN std::int64_t lows[hn::MaxLanes(di)];
    for (std::size_t g = 0; g < vectors; ++g) {
        hn::Store(word[g], di, words);
        hn::Store(lowest[g], di, lows);
        for (std::size_t lane = 0; lane < n && g * n + lane < count; ++lane) {
            saldos[g * n + lane] = words[lane] >> 16;
            lowests[g * n + lane] = std::min<Amount>(lows[lane] >> 16, 0);
        }
    }
    return true;
}

bool PlayLanes(const LaneTable::Packed& t, const BaselineJob& job, std::size_t first,
               std::size_t count, Amount* saldos, Amount* lowests, const Progress& progress,
               const std::atomic<bool>* cancel) {
    return t.stops ? playRuns<true>(t, job, first, count, saldos, lowests, progress, cancel)
                   : playRuns<false>(t, job, first, count, saldos, lowests, progress, cancel);
}

}  // namespace HWY_NAMESPACE
}  // namespace tamvek::system
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace tamvek::system {

HWY_EXPORT(GroupSize);
HWY_EXPORT(PlayLanes);

namespace {

// The Saldo stays below 2^46, so that Saldo * 65536 + state fits a word.
constexpr Amount wordLimit = Amount{1} << 46;

// The packed word at which a Saldo of `saldo` begins.
std::int64_t wordOf(Amount saldo) {
    return saldo * 65536;
}

}  // namespace

std::optional<LaneTable> LaneTable::of(const Compiled& c, std::uint64_t spins) {
    if (c.path != Path::Table || c.pairStates.size() > 65536) return std::nullopt;
    Amount largest = 0;
    for (const TableStep& step : c.table)
        largest = std::max({largest, step.delta, -step.delta});
    if (largest > 0 && spins >= static_cast<std::uint64_t>(wordLimit / largest))
        return std::nullopt;

    LaneTable lanes;
    Packed& p = lanes.m_packed;
    const std::size_t states = c.pairStates.size();
    p.shift = static_cast<int>(std::bit_width(states - 1));
    p.entries.assign(std::size_t{37} << p.shift, 0);
    for (std::size_t cls = 0; cls < 37; ++cls) {
        for (std::size_t state = 0; state < states; ++state) {
            const TableStep& step = c.table[state * c.columns + c.column[cls]];
            const auto next = static_cast<std::int64_t>(step.at / c.rowBytes());
            p.entries[(cls << p.shift) | state] =
                wordOf(step.delta) + next - static_cast<std::int64_t>(state);
        }
    }
    // A Saldo at or below the stop loss is a word below the next Saldo's
    // first; one at or above the take profit a word at or above its first.
    p.stops = c.stops;
    p.below = c.stopBelow > -wordLimit ? wordOf(c.stopBelow + 1)
                                       : std::numeric_limits<std::int64_t>::min();
    p.above =
        c.stopAbove < wordLimit ? wordOf(c.stopAbove) : std::numeric_limits<std::int64_t>::max();
    return lanes;
}

std::size_t LaneTable::group() {
    return HWY_DYNAMIC_DISPATCH(GroupSize)();
}

bool LaneTable::play(const BaselineJob& job, std::size_t first, std::size_t count, Amount* saldos,
                     Amount* lowests, const std::function<void(std::uint64_t)>& progress,
                     const std::atomic<bool>* cancel) const {
    return HWY_DYNAMIC_DISPATCH(PlayLanes)(m_packed, job, first, count, saldos, lowests, progress,
                                           cancel);
}

}  // namespace tamvek::system
#endif  // HWY_ONCE
