#pragma once

#include "game.h"
#include "recording_toolkit.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace chromatta::test {

// A game on a recording toolkit, with a board written as seven rows.
struct RulesFixture : ::testing::Test
{
    RecordingToolkit toolkit;
    Game game {toolkit};

    void setBoard(const std::vector<std::string> &rows) { game.state().board = boardOf(rows); }
    std::vector<std::string> rows() const { return rowsOf(game.state().board); }
    const std::string &caption(Label label) const { return game.captions().read(label); }

    // A press at the centre of a drawn cell.
    void pressCell(int row, int column, int button = LeftButton)
    {
        game.dest_MouseDown(button, 0, float(30 + 705 * column + 352), float(75 + 720 * row + 360));
    }
};

} // namespace chromatta::test
