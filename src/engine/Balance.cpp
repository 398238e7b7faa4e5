#include "engine/Balance.h"

namespace tamvek::engine {
namespace {

double stakesOnTable(const GameState& s) {
    return static_cast<double>(s.stakeRedBlack) + static_cast<double>(s.stakeLowHigh) +
           static_cast<double>(s.stakeEvenOdd);
}

// Selects the next free row of the profit/loss table, growing the table when
// every row is used so that no settled stake goes unrecorded.
void selectNextRow(Game& game) {
    auto& table = game.form.tabelle1;
    const int row = game.state.profitRow;
    if (row >= table.rows()) table.setRows(table.rows() + profitTableRows);
    table.setRow(row);
}

void writeSpinCell(Game& game, Rgb marker) {
    auto& table = game.form.tabelle1;
    selectNextRow(game);
    table.setCol(0);
    if (game.state.fictitiousPlay == 1) table.setFill(colours::fictitious);
    table.setText(numberText(game.state.currentSpin));
    table.setCol(1);
    table.setFill(marker);
}

}  // namespace

double readBalanceLabel(const Game& game) {
    return numericValue(game.form.gewtotal.caption());
}

void showBalance(Game& game) {
    game.form.gewtotal.setCaption(numberText(game.state.balance));
}

void noteHighest(Game& game, double figure) {
    GameState& s = game.state;
    if (figure > static_cast<double>(s.highestBalance)) {
        s.highestBalance = nearestInt<Amount>(figure);
        game.form.gewhoch.setCaption(numberText(s.highestBalance));
    }
}

void noteLowest(Game& game, double figure) {
    GameState& s = game.state;
    if (figure < static_cast<double>(s.lowestBalance)) {
        s.lowestBalance = nearestInt<Amount>(figure);
        game.form.gewtief.setCaption(numberText(s.lowestBalance));
    }
}

void appendWinRow(Game& game, const ChancePair& pair) {
    GameState& s = game.state;
    auto& table = game.form.tabelle1;
    writeSpinCell(game, colours::profitRed);
    table.setCol(2);
    table.setText(numberText(s.*pair.stake / 2));  // the stake that was at risk
    game.ledger.book(pair.index, static_cast<double>(s.*pair.stake / 2));
    table.setCol(3);
    if (s.fictitiousPlay == 0) {
        s.balance = readBalanceLabel(game);
        table.setText(numberText(s.balance + stakesOnTable(s)));
        noteHighest(game, s.balance);
    } else {
        table.setText(numberText(s.balance));
    }
    ++s.profitRow;
}

void appendLossRow(Game& game, const ChancePair& pair) {
    GameState& s = game.state;
    auto& table = game.form.tabelle1;
    writeSpinCell(game, colours::side2Cell);
    table.setCol(2);
    table.setText(numberText(s.*pair.stake));
    game.ledger.book(pair.index, -static_cast<double>(s.*pair.stake));
    table.setCol(3);
    if (s.fictitiousPlay == 0)
        s.balance = readBalanceLabel(game) + stakesOnTable(s) - static_cast<double>(s.*pair.stake);
    table.setText(numberText(s.balance));
    ++s.profitRow;
}

}  // namespace tamvek::engine
