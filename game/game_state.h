// The record of one game: board, level, points, selection value and reshuffles, all numbers.
#pragma once

#include "board.h"

#include <cstdint>

namespace chromatta {

// The record of the game in the main window, all of it numbers: the labels are written from it
// and never read back. A game may start from any record (Game's constructor).
struct GameState
{
    Board board {};
    std::int64_t level = 1;
    std::int64_t points = 0;
    std::int64_t selectionValue = 0;
    std::int64_t reshuffleCount = 0;
};

} // namespace chromatta
