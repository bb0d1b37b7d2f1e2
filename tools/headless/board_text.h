// Boards written as text, for tests and benchmarks.
#pragma once

#include "board.h"

#include <string>
#include <vector>

namespace chromatta {

// A board written as seven strings of thirteen codes, row 0 first. Anything else is a mistake
// of the caller's and throws std::invalid_argument.
Board boardOf(const std::vector<std::string> &rows);

// The board as seven strings of thirteen codes.
std::vector<std::string> rowsOf(const Board &board);

} // namespace chromatta
