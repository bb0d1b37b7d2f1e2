// Growing the highlighted group from a seed, and the value of a selection.
#include "game.h"

namespace chromatta {

int Game::extend(int row, int column, int rowStep, int columnStep, CellCode from, CellCode to)
{
    // The starting cell is neither read nor written; the walk stops at the edge, never wraps.
    int written = 0;
    int r = row + rowStep;
    int c = column + columnStep;
    while (Board::onBoard(r, c) && state_.board.at(r, c) == from) {
        state_.board.set(r, c, to);
        ++written;
        r += rowStep;
        c += columnStep;
    }
    return written;
}

int Game::sweepOnce()
{
    // Up, down, right, left: the order in which the walks start from each highlighted cell.
    static constexpr int directions[4][2] = {{-1, 0}, {1, 0}, {0, 1}, {0, -1}};
    int highlighted = 0;
    for (int row = 0; row < Board::Rows; ++row) {
        for (int column = 0; column < Board::Columns; ++column) {
            // A cell holds at most one colour, and no walk writes its own starting cell, so
            // testing the colours in turn comes down to the colour of the cell itself.
            const CellCode lit = state_.board.at(row, column);
            if (!isHighlighted(lit))
                continue;
            for (const auto &[rowStep, columnStep] : directions)
                highlighted += extend(row, column, rowStep, columnStep, plainOf(lit), lit);
        }
    }
    return highlighted;
}

void Game::growSelection()
{
    // Each sweep spreads the highlight from every highlighted cell it meets. A single sweep can
    // miss continuations reached by upward or leftward walks, so sweeps repeat until one adds
    // nothing: the whole connected group is highlighted, valued and later cleared.
    while (sweepOnce() > 0) { }
    showSelectionValue();
}

void Game::unhighlightAll()
{
    for (int row = 0; row < Board::Rows; ++row)
        for (int column = 0; column < Board::Columns; ++column)
            state_.board.set(row, column, plainOf(state_.board.at(row, column)));
}

void Game::showSelectionValue()
{
    const std::int64_t n = countBoxes(state_.board).highlighted;
    state_.selectionValue = n * n * 500;
    state_.shown.selectionValue = state_.selectionValue;
}

} // namespace chromatta
