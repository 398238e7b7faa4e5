#pragma once
// Taking a pair's stake off the table. A stake leaves the table when it is
// lost, given back after a zero, withdrawn, given back by a change of the
// halt-at box, or dropped by a new start; all of them end here.

#include "engine/ChancePair.h"
#include "engine/Game.h"

namespace tamvek::engine {

// Which of the pair's boxes lose their text.
enum class Emptied {
    StakedBox,  // the box of the staked side (a loss, a held stake given back)
    BothBoxes,
};

// What the pair's boxes may do afterwards.
enum class BoxesAfter {
    Free,       // unlocked and enabled: the player types the next stake
    AsTheyAre,  // locked and enabled as they were
    Locked,     // enabled, but locked until the next run begins
};

// The pair's stake, active, side and held fields go to 0, the emptied boxes
// turn light yellow, and the pair's "Setzen" and "Absetz" are disabled. Nothing
// is booked: whoever calls has booked or written what the stake was worth.
void takeOffTable(Game& game, const ChancePair& pair, Emptied emptied, BoxesAfter after);

// Takes the pair's stake home, as "Absetz" does: the stake goes into the
// balance (in fictitious play too, where nothing is noted or shown) and the
// pair is free for the next stake.
void takeHome(Game& game, const ChancePair& pair);

}  // namespace tamvek::engine
