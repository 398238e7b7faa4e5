#pragma once
// The one rule by which a stake on an even-money chance lives. The window's
// game, the system tester and everything else that plays a stake settle
// through here:
// - a stake is placed on one side of a pair; a pair holds one stake;
// - a zero holds every stake on the table until the next number that decides
//   its pair (a second zero changes nothing);
// - a held stake whose side then comes up is only given back;
// - a stake whose side does not come up is lost;
// - a stake whose side comes up doubles and rides on; it goes home after
//   `ride` wins (0: it rides until it is lost), or at the win that would take
//   it past the largest stake;
// - a number that does not decide the pair (red/black on 37 and the other
//   numbers off the wheel) leaves the stake as it was, held or not.

#include <algorithm>
#include <cstdint>

#include "core/Numbers.h"
#include "wheel/Wheel.h"

namespace tamvek::wheel {

// What one pair has on the table between two spins.
struct Stake {
    Amount units = 0;        // on the table now, after its wins
    std::uint8_t side = 0;   // 0: the pair is free; 1 or 2: the side staked
    bool held = false;       // a zero holds it
    std::uint32_t wins = 0;  // since it was placed
    std::uint32_t ride = 0;  // wins to let it ride, then home; 0: until it is lost

    constexpr bool on() const { return side != 0; }
    bool operator==(const Stake&) const = default;
};

enum class Outcome : std::uint8_t {
    Untouched,  // nothing on the pair, or the number does not decide it
    Held,       // a zero: the stake waits for the next number that decides its pair
    GivenBack,  // a held stake whose side came up: back to the player, no win
    Lost,
    Rides,  // won: doubled, and stays on
    Home,   // won: doubled, and taken home
};

struct Settled {
    Outcome outcome = Outcome::Untouched;
    // The stake as the outcome leaves it: what was lost, given back or taken
    // home, or what rides on; for Untouched and Held what stays on the table.
    Amount units = 0;

    constexpr bool ends() const {
        return outcome == Outcome::GivenBack || outcome == Outcome::Lost ||
               outcome == Outcome::Home;
    }
};

// A new stake of `units` on `side` (1 or 2).
constexpr Stake place(std::uint8_t side, Amount units, std::uint32_t ride = 0) {
    return {units, side, false, 0, ride};
}

// The side of `pair` that number class `cls` brings up: 1, 2, or 0 when it
// does not decide the pair (zero; red/black off the wheel).
constexpr std::uint8_t sideUp(Pair pair, std::uint8_t cls) {
    return sidesOf[cls].side[static_cast<std::size_t>(pair)];
}

// Settles the stake on `pair` against a spin of class `cls`. A stake that ends
// leaves the pair free. `most` is the table's maximum (at most largestStake):
// the win that would take a riding stake past it goes home instead.
constexpr Settled settle(Stake& stake, Pair pair, std::uint8_t cls, Amount most = largestStake) {
    if (!stake.on()) return {};
    if (cls == 0) {
        stake.held = true;
        return {Outcome::Held, stake.units};
    }
    const std::uint8_t up = sideUp(pair, cls);
    if (up == 0) return {Outcome::Untouched, stake.units};
    const Amount units = stake.units;
    if (up != stake.side) {
        stake = {};
        return {Outcome::Lost, units};
    }
    if (stake.held) {
        stake = {};
        return {Outcome::GivenBack, units};
    }
    const Amount doubled = std::min(units, largestStake) * 2;
    ++stake.wins;
    if ((stake.ride > 0 && stake.wins >= stake.ride) || doubled > most) {
        stake = {};
        return {Outcome::Home, doubled};
    }
    stake.units = doubled;
    return {Outcome::Rides, doubled};
}

// Whether the player may take the stake home before the next spin ("Absetz"):
// a held stake may not.
constexpr bool canTakeHome(const Stake& stake) {
    return stake.on() && !stake.held;
}

}  // namespace tamvek::wheel
