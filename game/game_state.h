// The record of one game: the board, the points, the selection value and the resets.
#pragma once

#include "board.h"

#include <cstdint>

namespace chromatta {

// The game record of the main window. The level has no field: its only copy is the caption of
// the label lvl, and the points are mirrored by the caption of Pts.
struct GameState
{
    Board board;
    std::int64_t points = 0;
    std::int64_t selectionValue = 0;
    std::int64_t resetCount = 0;
};

} // namespace chromatta
