// Presses: the cell hit, selecting, clearing and presses that select nothing.
#include "test_support.h"

#include <cmath>

using namespace chromatta;
using PressTest = chromatta::test::RulesFixture;

TEST(HitTest, PressesAreTestedOnTheDrawnGrid)
{
    const auto at = [](double x, double y) {
        return BoardGrid::cellAtTwips(x, y);
    };
    EXPECT_FALSE(at(29.9, 100).has_value()); // left margin
    EXPECT_FALSE(at(100, 74.9).has_value()); // top margin
    auto cell = at(30, 75);
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->row, 0);
    EXPECT_EQ(cell->column, 0);
    cell = at(734.9, 794.9);
    EXPECT_EQ(cell->row, 0);
    EXPECT_EQ(cell->column, 0);
    cell = at(735, 795);
    EXPECT_EQ(cell->row, 1);
    EXPECT_EQ(cell->column, 1);
    // The right-most strip of column 12 and the top edge of row 6 act on the boxes drawn there.
    cell = at(30 + 13 * 705 - 1, 75 + 6 * 720);
    EXPECT_EQ(cell->row, 6);
    EXPECT_EQ(cell->column, 12);
    EXPECT_FALSE(at(30 + 13 * 705, 100).has_value());
    EXPECT_FALSE(at(100, 75 + 7 * 720).has_value());
    EXPECT_FALSE(at(-1e30, 100).has_value());
    EXPECT_FALSE(at(std::nan(""), 100).has_value());
    // Positions are rounded to single precision first: a hair left of a grid line is on it.
    cell = at(734.99999, 100);
    EXPECT_EQ(cell->column, 1);
}

TEST_F(PressTest, APressSelectsAndASecondPressClears)
{
    start({"ggbXXXXXXXXXX", "XXXXXXXXXXXXX", "XXXXXXXXXXXXX", "XXXXXXXXXXXXX", "XXXXXXXXXXXXX",
           "XXXXXXXXXXXXX", "XXXXXXXXXXXXX"},
          {.points = 500});
    pressCell(0, 1);
    EXPECT_EQ(rows()[0], "GGbXXXXXXXXXX");
    EXPECT_EQ(label(Label::SelectionValue), "2000");
    EXPECT_EQ(pressCell(0, 0), Outcome::ClearingSound);
    // The "b" fell to the floor and moved one column left, one step of each pass.
    EXPECT_EQ(rows()[0], "XXXXXXXXXXXXX");
    EXPECT_EQ(rows()[6], "XbXXXXXXXXXXX");
    EXPECT_EQ(game->state().points, 2500);
    EXPECT_EQ(label(Label::Points), "2500");
    EXPECT_EQ(label(Label::SelectionValue), "");
}

TEST_F(PressTest, PressesThatSelectNothing)
{
    start({"yyXXXXXXXXXXX", "XXrXXXXXXXXXX", "XXXrXXXXXXXXX", "XXXXXXXXXXXXX", "XXXXXXXXXXXXX",
           "XXXXXXXXXXXXX", "XXXXXXXXXXXXX"});
    pressCell(0, 0);
    ASSERT_EQ(rows()[0], "YYXXXXXXXXXXX");

    // "X" and a press beside the grid leave the highlight alone but draw the board.
    for (const auto where : {std::optional<Cell>(Cell {3, 3}), std::optional<Cell>()}) {
        GameState undrawn = game->state();
        undrawn.shown.board.reset();
        game.emplace(draws, clock, undrawn);
        game->press(where);
        EXPECT_EQ(game->state().shown.board, game->state().board);
    }
    EXPECT_EQ(rows()[0], "YYXXXXXXXXXXX");

    // A box whose only partner touches a corner: the highlight goes, the value label stays.
    pressCell(1, 2);
    EXPECT_EQ(rows()[0], "yyXXXXXXXXXXX");
    EXPECT_EQ(rows()[1], "XXrXXXXXXXXXX");
    EXPECT_EQ(label(Label::SelectionValue), "2000");
    EXPECT_EQ(game->state().points, 0);
}

TEST_F(PressTest, PartnersOnTheFirstRowAndColumnCount)
{
    start({"bXXXXXXXXXXXX", "bXXXXXXXXXXXX", "XXXXXXXXXXXXX", "XXXXXXXXXXXXX", "XXXXXXXXXXXXX",
           "XXXXXXXXXXXXX", "rrXXXXXXXXXXX"});
    pressCell(1, 0);
    EXPECT_EQ(rows()[0], "BXXXXXXXXXXXX");
    pressCell(6, 1);
    EXPECT_EQ(rows()[6], "RRXXXXXXXXXXX");
    EXPECT_EQ(rows()[0], "bXXXXXXXXXXXX"); // the blue pair lost its highlight
}

TEST_F(PressTest, ClearingThenSelectingTheBoxThatFellIntoThePressedCell)
{
    // The "g" above the pair falls into the pressed cell and has a partner beside it.
    start({"XXXXXXXXXXXXX", "XXXXXXXXXXXXX", "XXXXXXXXXXXXX", "XXXXXXXXXXXXX", "gXXXXXXXXXXXX",
           "rrXXXXXXXXXXX", "ggXXXXXXXXXXX"});
    pressCell(5, 0);
    pressCell(5, 0);
    EXPECT_EQ(rows()[4], "XXXXXXXXXXXXX");
    EXPECT_EQ(rows()[5], "GXXXXXXXXXXXX");
    EXPECT_EQ(rows()[6], "GGXXXXXXXXXXX");
    EXPECT_EQ(game->state().points, 2000);
    EXPECT_EQ(label(Label::SelectionValue), "4500");
    EXPECT_EQ(game->state().selectionValue, 4500);
}
