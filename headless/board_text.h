// Boards written as text, for tests and benchmarks.
#pragma once

#include "board.h"

#include <string>
#include <vector>

namespace chromatta {

// A board written as seven strings of thirteen codes, row 0 first: the one parser of boards as
// text, for the harness's `board` command, the tests and the benchmarks. Anything else throws
// std::invalid_argument with one printable line that names the row.
Board boardOf(const std::vector<std::string> &rows);

// The board as seven strings of thirteen codes.
std::vector<std::string> rowsOf(const Board &board);

} // namespace chromatta
