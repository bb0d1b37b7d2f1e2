// The record of one game: board, level, points, selection value and reshuffles, and what the
// window shows of them; all numbers.
#pragma once

#include "board.h"

#include <cstdint>
#include <optional>

namespace chromatta {

// What the player is shown, as the rules last showed it. It lags behind the rest of the record
// in places, and that lag is part of the game: a reshuffled board appears with the next tick,
// the threshold after a level-up is the old level's until the next tick, a cleared selection
// blanks its value while the record keeps it, and a new game leaves the selection value shown.
// Nothing here is read back by the rules.
struct Shown
{
    // The board as last drawn; nothing before the first drawing.
    std::optional<Board> board;
    // The boxes of each colour as last counted; nothing before the first deal.
    std::optional<BoxCounts> boxes;
    // Nothing: blank (no selection yet, or the last one was cleared).
    std::optional<std::int64_t> selectionValue;
    // The price of the next reshuffle, shown by every tick; nothing before the first tick.
    std::optional<std::int64_t> reshuffleCost;
    // The points the level-up asks for, shown with every drawing; nothing before the first.
    std::optional<std::int64_t> nextLevelThreshold;

    bool operator==(const Shown &) const = default;
};

// The record of the game in the main window, all of it numbers. A game may start from any
// record (Game's constructor).
struct GameState
{
    Board board {};
    std::int64_t level = 1;
    std::int64_t points = 0;
    std::int64_t selectionValue = 0;
    std::int64_t reshuffleCount = 0;
    Shown shown {};

    bool operator==(const GameState &) const = default;
};

} // namespace chromatta
