// The reshuffle: its rising cost and the recolouring from the pools of boxes on the board.
#include "test_support.h"

using namespace chromatta;
using ReshuffleTest = chromatta::test::RulesFixture;

namespace {

// 91 draws for randomInRange(0, 30) that give these values, cell by cell (repeating).
std::deque<double> reshuffleDraws(const std::vector<int> &values)
{
    std::deque<double> draws;
    for (int cell = 0; cell < Board::Cells; ++cell)
        draws.push_back(double(values[cell % values.size()]) / 31);
    return draws;
}

} // namespace

TEST_F(ReshuffleTest, ChargesARisingCostEvenBelowZero)
{
    start(std::vector<std::string>(7, "XXXXXXXXXXXXX"));
    draws.draws = reshuffleDraws({30});
    game->reshuffle();
    EXPECT_EQ(game->state().points, -25000);
    EXPECT_EQ(label(Label::Points), "-25000");
    EXPECT_EQ(game->state().reshuffleCount, 1);
    game->tick();
    EXPECT_EQ(label(Label::ReshuffleCost), "45000");

    draws.draws = reshuffleDraws({30});
    game->reshuffle();
    EXPECT_EQ(game->state().points, -70000);
    draws.draws = reshuffleDraws({0});
    game->reshuffle();
    EXPECT_EQ(game->state().points, -135000);
    EXPECT_EQ(label(Label::Points), "-135000");
    EXPECT_EQ(draws.drawn, 3 * 91);
    // An empty board stays empty: the picked cells find every pool dry.
    EXPECT_EQ(rows(), std::vector<std::string>(7, "XXXXXXXXXXXXX"));
    EXPECT_EQ(boxesShown(), 0);
}

TEST_F(ReshuffleTest, RecoloursByClassAndPreferenceOrder)
{
    // Pools: yellow 1, red 1, green 1, blue 1 (the rest empty). Values per cell: 0 (class 0:
    // yellow first), 3 (class 1: green first), 6 (class 2: blue first), 9 (class 3: red first),
    // then 12 (unchanged) for the rest, which would find the pools dry anyway.
    start({"XXXXXXXXXXXXX", "XXXXXXXXXXXXX", "XXXXXXXXXXXXX", "XXXXXXXXXXXXX", "XXXXXXXXXXXXX",
           "XXXXXXXXXXXXX", "yrgBXXXXXXXXX"});
    std::vector<int> values = {0, 3, 6, 9, 0, 3};
    values.resize(91, 12);
    draws.draws = reshuffleDraws(values);
    game->reshuffle();
    EXPECT_EQ(rows()[0], "ygbrXXXXXXXXX"); // the last two picked cells found every pool dry
    EXPECT_EQ(rows()[6], "yrgbXXXXXXXXX"); // the highlighted "B" was dissolved, then kept
    EXPECT_EQ(boxesShown(), 8);
}

TEST_F(ReshuffleTest, PreferenceFallsThroughDryPools)
{
    // Only red boxes: every picked cell of any class ends up red while the pool lasts.
    start({"rrrXXXXXXXXXX", "XXXXXXXXXXXXX", "XXXXXXXXXXXXX", "XXXXXXXXXXXXX", "XXXXXXXXXXXXX",
           "XXXXXXXXXXXXX", "XXXXXXXXXXXXX"});
    std::vector<int> values = {30, 30, 30, 0, 5, 7, 11};
    values.resize(91, 30);
    draws.draws = reshuffleDraws(values);
    game->reshuffle();
    // Three picked empty cells gained a red box each, the fourth found the pool dry.
    EXPECT_EQ(rows()[0], "rrrrrrXXXXXXX");
    EXPECT_EQ(count('r'), "6");
}

TEST_F(ReshuffleTest, AFullBoardStaysFullWithRealDraws)
{
    game->windowOpened();
    pressCell(0, 0);
    for (int i = 0; i < 50; ++i) {
        game->reshuffle();
        const BoxCounts boxes = countBoxes(game->state().board);
        EXPECT_EQ(boxes.plain(), 91);
        EXPECT_EQ(boxes.highlighted, 0);
        EXPECT_EQ(boxesShown(), 91);
    }
}
