// The LEVEL UP label: granted at the threshold, refused below it, none after level 10; the deal
// waits for the window.
#include "test_support.h"

using namespace chromatta;
using chromatta::test::LevelThresholds;
using LevelTest = chromatta::test::RulesFixture;

namespace {

const std::vector<std::string> EmptyBoard(7, "XXXXXXXXXXXXX");

} // namespace

TEST_F(LevelTest, GrantedExactlyAtTheThresholdKeepingPointsAndResets)
{
    for (const auto &[level, threshold] : LevelThresholds) {
        start(EmptyBoard,
              {.level = level, .points = threshold, .selectionValue = 4500, .reshuffleCount = 2});
        EXPECT_EQ(levelUp(), Outcome::LevelWon);
        EXPECT_EQ(game->state().level, level + 1);
        EXPECT_EQ(label(Label::Level), std::to_string(level + 1));
        EXPECT_EQ(game->state().points, threshold);
        EXPECT_EQ(game->state().reshuffleCount, 2);
        EXPECT_EQ(game->state().selectionValue, 4500);
        // The fill drew the threshold from the old level; the next tick shows the new one.
        EXPECT_EQ(label(Label::NextLevelThreshold), "NEXT LEVEL: " + std::to_string(threshold));
        EXPECT_EQ(boxesShown(), 91);
    }
}

TEST_F(LevelTest, RefusedBelowTheThresholdStartsOver)
{
    for (const auto &[level, threshold] : LevelThresholds) {
        std::vector<std::string> pair = EmptyBoard;
        pair[6] = "GGXXXXXXXXXXX";
        start(pair, {.level = level, .points = threshold - 500, .reshuffleCount = 2});
        game->showSelectionValue();
        EXPECT_EQ(levelUp(), Outcome::Refusal);
        EXPECT_EQ(label(Label::Level), "1");
        EXPECT_EQ(label(Label::Points), "0");
        EXPECT_EQ(game->state().points, 0);
        EXPECT_EQ(game->state().reshuffleCount, 0);
        EXPECT_EQ(game->state().selectionValue, 0);
        EXPECT_EQ(label(Label::SelectionValue), "2000"); // the label is not cleared
        game->tick();
        EXPECT_EQ(label(Label::ReshuffleCost), "25000");
        EXPECT_EQ(label(Label::NextLevelThreshold), "NEXT LEVEL: 200000");
    }
}

// The window shows the refusal until the player closes it, and its timer ticks meanwhile: each
// tick is a handler of its own, after the level-up's has returned, and never one inside another.
TEST_F(LevelTest, TheDealWaitsUntilTheGameGoesOnAndTicksComeBetweenNeverInside)
{
    // A stack over a gap: ticks while the refusal is shown move it, on the board the player had.
    std::vector<std::string> gap = EmptyBoard;
    gap[0] = "gXXXXXXXXXXXX";
    start(gap, {.points = 100});
    const GameState before = game->state();
    EXPECT_EQ(game->levelUpClicked(), Outcome::Refusal);
    EXPECT_EQ(game->state(), before);
    game->tick();
    EXPECT_EQ(rows()[6], "gXXXXXXXXXXXX");
    game->goOn();
    EXPECT_EQ(countBoxes(game->state().board).all(), 91);
    EXPECT_EQ(game->state().points, 0);
    const GameState dealt = game->state();
    game->goOn(); // nothing waits any more
    EXPECT_EQ(game->state(), dealt);

    // A tick from inside a handler (here from the deal's draws) is refused.
    struct TickingDraws : DrawSource
    {
        Game *game = nullptr;
        double draw() override
        {
            game->tick();
            return 0.5;
        }
        void reseed(std::int64_t) override { }
    } ticking;
    Game inner(ticking, clock);
    ticking.game = &inner;
    EXPECT_THROW(inner.windowOpened(), std::logic_error);
}

TEST_F(LevelTest, NegativePointsAreRefusedAndLevelTenIsTheLast)
{
    start(EmptyBoard, {.points = -25000});
    EXPECT_EQ(levelUp(), Outcome::Refusal);
    EXPECT_EQ(label(Label::Points), "0");

    start(EmptyBoard, {.level = 10, .points = 999999999});
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(levelUp(), Outcome::Nothing);
    EXPECT_EQ(game->state().level, 10);
    EXPECT_EQ(rows(), EmptyBoard);
}
