// Selection: walks, groups joined by their sides, the value of a selection.
#include "test_support.h"

#include <algorithm>

using namespace chromatta;
using SelectionTest = chromatta::test::RulesFixture;

TEST_F(SelectionTest, WalksStopAtOtherCodesAndNeverWrap)
{
    // Walks from row 3 and from the bottom row: an "r" stops one, the edges stop the others,
    // and none goes on to the other side of the board or the next row.
    start({"yyyyyyyyyyyyy", "XXXXXXXXXXXXX", "XXXXXXXXXXXXy", "yyYyyryyXyyyy", "XXXXXXXXXXXXX",
           "XXXXXXXXXXXXX", "Yyyyyyyyyyyyy"});
    game->growSelection();
    EXPECT_EQ(rows()[3], "YYYYYryyXyyyy");
    EXPECT_EQ(rows()[6], "YYYYYYYYYYYYY");
    EXPECT_EQ(rows()[2], "XXXXXXXXXXXXy");
    EXPECT_EQ(rows()[0], "yyyyyyyyyyyyy");
}

TEST_F(SelectionTest, GroupsJoinBySidesOnlyNotCorners)
{
    // A yellow seed at (3, 0) with "y" at (3, 1), (3, 2), (2, 1); (4, 3) touches only a corner.
    start({"XXXXXXXXXXXXX", "XXXXXXXXXXXXX", "XyXXXXXXXXXXX", "YyyXXXXXXXXXX", "XXXyXXXXXXXXX",
           "XXXXXXXXXXXXX", "yXXXXXXXXXXXy"});
    game->growSelection();
    EXPECT_EQ(rows()[2], "XYXXXXXXXXXXX");
    EXPECT_EQ(rows()[3], "YYYXXXXXXXXXX");
    EXPECT_EQ(rows()[4], "XXXyXXXXXXXXX");
    EXPECT_EQ(rows()[6], "yXXXXXXXXXXXy");
    EXPECT_EQ(label(Label::SelectionValue), "8000");
    EXPECT_EQ(game->state().selectionValue, 8000);
}

TEST_F(SelectionTest, TheWholeStaircaseIsSelectedFromEitherEnd)
{
    const std::vector<std::string> staircase = {
        "XXXXXXyyXXXXX", "XXXXXXXyyXXXX", "XXXXXXXXyyXXX", "XXXXXXXXXyyXX",
        "XXXXXXXXXXyyX", "XXXXXXXXXXXyy", "XXXXXXXXXXXXy",
    };
    for (const auto &[row, column] : {std::pair {6, 12}, std::pair {0, 6}}) {
        start(staircase);
        pressCell(row, column);
        int highlighted = 0;
        for (const auto &line : rows())
            highlighted += int(std::count(line.begin(), line.end(), 'Y'));
        EXPECT_EQ(highlighted, 13) << "seeded at " << row << ", " << column;
        EXPECT_EQ(label(Label::SelectionValue), std::to_string(13 * 13 * 500));
    }
    // A second press anywhere on it banks all thirteen.
    pressCell(3, 9);
    EXPECT_EQ(game->state().points, 13 * 13 * 500);
}

TEST_F(SelectionTest, ValueCountsEveryHighlightedCode)
{
    start({"XXXXXXXXXXXXX", "XXXXXXXXXXXXX", "XXXXXXXXXXXXX", "XXXXXXXXXXXXX", "XXXXXXXXXXXXX",
           "XXXXXXXXXXXXX", "XXXXXXXXXXXXX"});
    game->showSelectionValue();
    EXPECT_EQ(label(Label::SelectionValue), "0");
    start({"YRXXXXXXXXXXX", "GXXXXXXXXXXXX", "XXXXXXXXXXXXX", "XXXXXXXXXXXXX", "XXXXXXXXXXXXX",
           "XXXXXXXXXXXXX", "XXXXXXXXXXXXX"});
    game->showSelectionValue();
    EXPECT_EQ(label(Label::SelectionValue), "4500");
    start(std::vector<std::string>(7, "BBBBBBBBBBBBB"));
    game->showSelectionValue();
    EXPECT_EQ(label(Label::SelectionValue), "4140500");
    EXPECT_EQ(game->state().selectionValue, 91 * 91 * 500);
}

TEST_F(SelectionTest, UnhighlightTurnsEveryHighlightBackAndKeepsTheValue)
{
    start({"YyRrGgBbXYYRR", "XXXXXXXXXXXXX", "XXXXXXXXXXXXX", "XXXXXXXXXXXXX", "XXXXXXXXXXXXX",
           "XXXXXXXXXXXXX", "XXXXXXXXXXXXX"});
    game->showSelectionValue();
    game->unhighlightAll();
    EXPECT_EQ(rows()[0], "yyrrggbbXyyrr");
    EXPECT_EQ(label(Label::SelectionValue), "32000");
    EXPECT_EQ(game->state().selectionValue, 32000);
}
