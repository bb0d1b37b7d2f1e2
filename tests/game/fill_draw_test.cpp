// Dealing, starting over and drawing the board; the grid drawn and the grid pressed.
#include "test_support.h"

#include <map>

using namespace chromatta;
using chromatta::test::drawFor;
using FillBoardTest = chromatta::test::RulesFixture;
using StartUpTest = chromatta::test::RulesFixture;
using DrawBoardTest = chromatta::test::RulesFixture;

namespace {

// Six draws per cell; only the sixth picks the code.
std::deque<double> fillDraws(const std::vector<int> &keptValues)
{
    std::deque<double> draws;
    for (int cell = 0; cell < Board::Cells; ++cell) {
        for (int i = 0; i < 5; ++i)
            draws.push_back(drawFor(40, 40)); // would give "y" if it were kept
        draws.push_back(drawFor(keptValues[cell % keptValues.size()], 40));
    }
    return draws;
}

} // namespace

TEST_F(FillBoardTest, KeepsTheSixthDrawAndPicksCodesByRemainder)
{
    draws.draws = fillDraws({1, 2, 3, 4, 37, 38, 39});
    game->fillBoard();
    EXPECT_EQ(draws.drawn, 546);
    EXPECT_TRUE(draws.draws.empty());
    // The walk goes row by row: cells 0..6 of the walk are b g r y b g r, and so on.
    EXPECT_EQ(game->state().board.rowText(0), "bgrybgrbgrybg");
    int total = 0;
    for (char letter : {'r', 'b', 'g', 'y'})
        total += std::stoi(count(letter));
    EXPECT_EQ(total, 91);
    EXPECT_EQ(label(Label::NextLevelThreshold), "NEXT LEVEL: 200000");
    EXPECT_EQ(game->state().shown.board, game->state().board);
}

TEST_F(FillBoardTest, OverwritesHighlightsButKeepsTheSelectionValue)
{
    start({"YYXXXXXXXXXXX", "XXXXXXXXXXXXX", "XXXXXXXXXXXXX", "XXXXXXXXXXXXX", "XXXXXXXXXXXXX",
           "XXXXXXXXXXXXX", "XXXXXXXXXXXXX"},
          {.points = 700});
    game->showSelectionValue();
    game->fillBoard(); // real draws
    for (int row = 0; row < Board::Rows; ++row)
        for (int column = 0; column < Board::Columns; ++column)
            EXPECT_TRUE(isPlain(game->state().board.at(row, column)));
    EXPECT_EQ(game->state().selectionValue, 2000);
    EXPECT_EQ(label(Label::SelectionValue), "2000");
    EXPECT_EQ(game->state().points, 700);
}

TEST_F(FillBoardTest, EachColourMakesUpAboutAQuarterOverManyFills)
{
    std::map<CellCode, int> counts;
    constexpr int fills = 400;
    for (int i = 0; i < fills; ++i) {
        game->fillBoard();
        for (int row = 0; row < Board::Rows; ++row)
            for (int column = 0; column < Board::Columns; ++column)
                ++counts[game->state().board.at(row, column)];
    }
    ASSERT_EQ(counts.size(), 4u);
    for (const auto &[code, count] : counts)
        EXPECT_NEAR(count, fills * 91 / 4.0, fills * 91 * 0.02) << toChar(code);
}

TEST_F(StartUpTest, FormLoadDealsAndNewGameStartsOverInOrder)
{
    game->windowOpened();
    EXPECT_EQ(label(Label::Points), "0");
    EXPECT_EQ(label(Label::Level), "1");
    EXPECT_EQ(label(Label::SelectionValue), "");
    EXPECT_EQ(label(Label::ReshuffleCost), "");
    EXPECT_EQ(boxesShown(), 91);

    start({"GGGXXXXXXXXXX", "XXXXXXXXXXXXX", "XXXXXXXXXXXXX", "XXXXXXXXXXXXX", "XXXXXXXXXXXXX",
           "XXXXXXXXXXXXX", "XXXXXXXXXXXXX"},
          {.level = 3, .points = 12345, .reshuffleCount = 2});
    game->showSelectionValue();
    game->newGame();
    // The fill's redraw still used level 3; the next tick corrects it.
    EXPECT_EQ(label(Label::NextLevelThreshold), "NEXT LEVEL: 640000");
    EXPECT_EQ(label(Label::Level), "1");
    EXPECT_EQ(label(Label::Points), "0");
    EXPECT_EQ(label(Label::SelectionValue), "4500");
    EXPECT_EQ(game->state().points, 0);
    EXPECT_EQ(game->state().selectionValue, 0);
    EXPECT_EQ(game->state().reshuffleCount, 0);
    game->tick();
    EXPECT_EQ(label(Label::NextLevelThreshold), "NEXT LEVEL: 200000");
    EXPECT_EQ(label(Label::ReshuffleCost), "25000");
}

TEST(GridTest, EveryCellIsTheCellAPressOnItsCentreOrCornerActsOn)
{
    for (int row = 0; row < Board::Rows; ++row) {
        for (int column = 0; column < Board::Columns; ++column) {
            const Cell cell {row, column};
            const auto centre = BoardGrid::centrePixel(row, column);
            EXPECT_EQ(BoardGrid::cellAtPixel(centre.x, centre.y), cell);
            EXPECT_EQ(BoardGrid::cellAtPixel(BoardGrid::cellLeft(column), BoardGrid::cellTop(row)),
                      cell);
        }
    }
}

TEST_F(DrawBoardTest, NextLevelShowsTheThresholdAndStaysFromLevelTen)
{
    const std::vector<std::string> empty(7, "XXXXXXXXXXXXX");
    for (const auto &[level, threshold] : chromatta::test::LevelThresholds) {
        EXPECT_EQ(nextLevelThreshold(level), threshold);
        start(empty, {.level = level});
        game->drawBoard();
        EXPECT_EQ(label(Label::NextLevelThreshold), "NEXT LEVEL: " + std::to_string(threshold));
    }
    for (int level : {10, 11, 250}) {
        EXPECT_FALSE(nextLevelThreshold(level).has_value());
        GameState after = game->state(); // level 9's threshold shown
        after.level = level;
        game.emplace(draws, clock, after);
        game->drawBoard();
        EXPECT_EQ(label(Label::NextLevelThreshold), "NEXT LEVEL: 3500000");
    }
}
