// The LEVEL UP label: granted at the threshold, refused below it, none after level 10.
#include "test_support.h"

using namespace chromatta;
using chromatta::test::LevelThresholds;
using LevelTest = chromatta::test::RulesFixture;

TEST_F(LevelTest, GrantedExactlyAtTheThresholdKeepingPointsAndResets)
{
    for (const auto &[level, threshold] : LevelThresholds) {
        game.captions().setNumber(Label::lvl, level);
        game.state().points = threshold;
        game.captions().setNumber(Label::Pts, threshold);
        game.state().resetCount = 2;
        game.state().selectionValue = 4500;
        game.captions().set(Label::SelPts, "4500");
        const auto sounds = toolkit.sounds().size();
        game.Label3_Click();
        EXPECT_EQ(caption(Label::lvl), std::to_string(level + 1));
        EXPECT_EQ(game.state().points, threshold);
        EXPECT_EQ(caption(Label::Pts), std::to_string(threshold));
        EXPECT_EQ(game.state().resetCount, 2);
        EXPECT_EQ(game.state().selectionValue, 4500);
        EXPECT_EQ(caption(Label::SelPts), "4500");
        ASSERT_EQ(toolkit.sounds().size(), sounds + 1);
        EXPECT_EQ(toolkit.sounds().back(), toolkit.programFolder() + "/win.wav");
        // The fill drew NEXTLEVEL from the old level; the next tick shows the new one.
        EXPECT_EQ(caption(Label::NEXTLEVEL), "NEXT LEVEL: " + std::to_string(threshold));
        EXPECT_EQ(caption(Label::Label4), "91");
    }
    EXPECT_TRUE(toolkit.messages().empty());
}

TEST_F(LevelTest, RefusedBelowTheThresholdStartsOver)
{
    for (const auto &[level, threshold] : LevelThresholds) {
        game.captions().setNumber(Label::lvl, level);
        game.state().points = threshold - 500;
        game.captions().setNumber(Label::Pts, threshold - 500);
        game.state().resetCount = 2;
        game.state().selectionValue = 2000;
        game.captions().set(Label::SelPts, "2000");
        game.Label3_Click();
        ASSERT_FALSE(toolkit.messages().empty());
        EXPECT_EQ(toolkit.messages().back(), "You need more points!|Nope");
        EXPECT_EQ(caption(Label::lvl), "1");
        EXPECT_EQ(caption(Label::Pts), "0");
        EXPECT_EQ(game.state().points, 0);
        EXPECT_EQ(game.state().resetCount, 0);
        EXPECT_EQ(game.state().selectionValue, 0);
        EXPECT_EQ(caption(Label::SelPts), "2000");
        game.Timer1_Timer();
        EXPECT_EQ(caption(Label::Nmmc), "25000");
        EXPECT_EQ(caption(Label::NEXTLEVEL), "NEXT LEVEL: 200000");
    }
    EXPECT_TRUE(toolkit.sounds().empty());
    EXPECT_EQ(toolkit.messages().size(), LevelThresholds.size());
}

TEST_F(LevelTest, NegativePointsAreRefusedAndLevelTenIsTheLast)
{
    game.state().points = -25000;
    game.captions().set(Label::Pts, "-25000");
    game.Label3_Click();
    EXPECT_EQ(toolkit.messages().size(), 1u);
    EXPECT_EQ(caption(Label::Pts), "0");

    game.Form_Load();
    game.captions().set(Label::lvl, "10");
    game.captions().set(Label::Pts, "999999999");
    game.state().points = 999999999;
    const auto board = rows();
    for (int i = 0; i < 3; ++i)
        game.Label3_Click();
    EXPECT_EQ(caption(Label::lvl), "10");
    EXPECT_EQ(rows(), board);
    EXPECT_EQ(toolkit.messages().size(), 1u);
    EXPECT_TRUE(toolkit.sounds().empty());
}
