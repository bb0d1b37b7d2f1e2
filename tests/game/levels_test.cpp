// The LEVEL UP label: granted at the threshold, refused below it, none after level 10.
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
        const auto sounds = toolkit.sounds().size();
        game->levelUpClicked();
        EXPECT_EQ(game->state().level, level + 1);
        EXPECT_EQ(caption(Label::Level), std::to_string(level + 1));
        EXPECT_EQ(game->state().points, threshold);
        EXPECT_EQ(game->state().reshuffleCount, 2);
        EXPECT_EQ(game->state().selectionValue, 4500);
        ASSERT_EQ(toolkit.sounds().size(), sounds + 1);
        EXPECT_EQ(toolkit.sounds().back(), toolkit.programFolder() + "/win.wav");
        // The fill drew the threshold from the old level; the next tick shows the new one.
        EXPECT_EQ(caption(Label::NextLevelThreshold), "NEXT LEVEL: " + std::to_string(threshold));
        EXPECT_EQ(caption(Label::BoxCount), "91");
    }
    EXPECT_TRUE(toolkit.messages().empty());
}

TEST_F(LevelTest, RefusedBelowTheThresholdStartsOver)
{
    for (const auto &[level, threshold] : LevelThresholds) {
        std::vector<std::string> pair = EmptyBoard;
        pair[6] = "GGXXXXXXXXXXX";
        start(pair, {.level = level, .points = threshold - 500, .reshuffleCount = 2});
        game->showSelectionValue();
        game->levelUpClicked();
        ASSERT_FALSE(toolkit.messages().empty());
        EXPECT_EQ(toolkit.messages().back(), "You need more points!|Nope");
        EXPECT_EQ(caption(Label::Level), "1");
        EXPECT_EQ(caption(Label::Points), "0");
        EXPECT_EQ(game->state().points, 0);
        EXPECT_EQ(game->state().reshuffleCount, 0);
        EXPECT_EQ(game->state().selectionValue, 0);
        EXPECT_EQ(caption(Label::SelectionValue), "2000"); // the label is not cleared
        game->tick();
        EXPECT_EQ(caption(Label::ReshuffleCost), "25000");
        EXPECT_EQ(caption(Label::NextLevelThreshold), "NEXT LEVEL: 200000");
    }
    EXPECT_TRUE(toolkit.sounds().empty());
    EXPECT_EQ(toolkit.messages().size(), LevelThresholds.size());
}

TEST_F(LevelTest, NegativePointsAreRefusedAndLevelTenIsTheLast)
{
    start(EmptyBoard, {.points = -25000});
    game->levelUpClicked();
    EXPECT_EQ(toolkit.messages().size(), 1u);
    EXPECT_EQ(caption(Label::Points), "0");

    start(EmptyBoard, {.level = 10, .points = 999999999});
    for (int i = 0; i < 3; ++i)
        game->levelUpClicked();
    EXPECT_EQ(game->state().level, 10);
    EXPECT_EQ(rows(), EmptyBoard);
    EXPECT_EQ(toolkit.messages().size(), 1u);
    EXPECT_TRUE(toolkit.sounds().empty());
}
