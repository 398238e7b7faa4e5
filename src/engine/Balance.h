#pragma once
// The money side: the balance label as book of record, highest and lowest
// balance, and the rows of the profit/loss table.

#include "engine/ChancePair.h"
#include "engine/Game.h"

namespace tamvek::engine {

double readBalanceLabel(const Game& game);
void showBalance(Game& game);
void noteHighest(Game& game, double figure);
void noteLowest(Game& game, double figure);
void appendWinRow(Game& game, const ChancePair& pair);
void appendLossRow(Game& game, const ChancePair& pair);

// The profit/loss table starts with this many rows and grows when they are used.
inline constexpr int profitTableRows = 999;

}  // namespace tamvek::engine
