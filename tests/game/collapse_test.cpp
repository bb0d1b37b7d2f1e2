// The collapse: boxes falling one gap per pass, columns closing, the timer finishing it.
#include "test_support.h"

using namespace chromatta;
using CollapseTest = chromatta::test::RulesFixture;

namespace {

// Column 0 from row 0 to row 6 as seven letters, the rest of the board full of boxes.
std::vector<std::string> withColumn0(const std::string &column)
{
    std::vector<std::string> rows;
    for (char c : column)
        rows.push_back(std::string(1, c) + "rrrrrrrrrrrr");
    return rows;
}

std::string column0(const std::vector<std::string> &rows)
{
    std::string column;
    for (const auto &row : rows)
        column += row[0];
    return column;
}

} // namespace

TEST_F(CollapseTest, OneDropPassMovesTheLowestBoxOfEachStackThroughItsGap)
{
    start(withColumn0("gbXXyXX"));
    game->dropBoxes();
    EXPECT_EQ(column0(rows()), "gXXbXXy");
    game->dropBoxes();
    EXPECT_EQ(column0(rows()), "XXgXXby");
    game->dropBoxes();
    EXPECT_EQ(column0(rows()), "XXXXgby");
    game->dropBoxes();
    EXPECT_EQ(column0(rows()), "XXXXgby");

    start(withColumn0("YXXXXXX"));
    game->dropBoxes();
    EXPECT_EQ(column0(rows()), "XXXXXXY"); // a highlighted box falls with its highlight
}

TEST_F(CollapseTest, FullAndEmptyColumnsDoNotMove)
{
    start(withColumn0("XXXXXXX"));
    const auto before = rows();
    game->dropBoxes();
    EXPECT_EQ(rows(), before);
    start(std::vector<std::string>(7, "rgbyrgbyrgbyr"));
    game->dropBoxes();
    game->closeEmptyColumns();
    EXPECT_EQ(rows(), std::vector<std::string>(7, "rgbyrgbyrgbyr"));
}

TEST_F(CollapseTest, EachPassClosesOneEmptyColumnToTheLeftOfEveryColumn)
{
    // A, E, E, B, C -> A, E, B, C, E -> A, B, C, E, E
    start({"gXXbrXXXXXXXX", "gXXbrXXXXXXXX", "gXXbrXXXXXXXX", "gXXbrXXXXXXXX", "gXXbrXXXXXXXX",
           "gXXbrXXXXXXXX", "gXXbrXXXXXXXX"});
    game->closeEmptyColumns();
    EXPECT_EQ(rows()[0], "gXbrXXXXXXXXX");
    game->closeEmptyColumns();
    EXPECT_EQ(rows()[6], "gbrXXXXXXXXXX");

    // E, A, E, B -> A, E, B, E -> A, B, E, E; a column with one box left is not empty.
    start({"XXXXXXXXXXXXX", "XXXXXXXXXXXXX", "XXXXXXXXXXXXX", "XXXXXXXXXXXXX", "XXXXXXXXXXXXX",
           "XXXXXXXXXXXXX", "XyXyXXXXXXXXX"});
    game->closeEmptyColumns();
    EXPECT_EQ(rows()[6], "yXyXXXXXXXXXX");
    game->closeEmptyColumns();
    EXPECT_EQ(rows()[6], "yyXXXXXXXXXXX");
}

TEST_F(CollapseTest, TheLastColumnsAtTheRightEdge)
{
    std::vector<std::string> board(7, "ggggggggggggX");
    start(board);
    game->closeEmptyColumns();
    EXPECT_EQ(rows(), board); // an empty column 12 stays where it is

    board.assign(7, "gggggggggggXr");
    start(board);
    game->closeEmptyColumns();
    EXPECT_EQ(rows(), std::vector<std::string>(7, "gggggggggggrX"));
}

TEST_F(CollapseTest, ClearingDropsThenClosesOnceAndTheTimerFinishes)
{
    // Clearing the whole column 1 (and a box in column 3) leaves a stack over a gap.
    start({"yByXXXXXXXXXX", "yBXXXXXXXXXXX", "rBXbXXXXXXXXX", "rBXgXXXXXXXXX", "gBXBXXXXXXXXX",
           "gBXXXXXXXXXXX", "bBXXXXXXXXXXX"},
          {.selectionValue = 32000});
    game->clearGroup();
    // One drop pass: the lone "y" of column 2 falls all the way, the lower box of column 3's
    // stack falls, the upper one waits; one closing pass slides both columns left.
    EXPECT_EQ(rows(),
              (std::vector<std::string> {"yXXXXXXXXXXXX", "yXXXXXXXXXXXX", "rXbXXXXXXXXXX",
                                         "rXXXXXXXXXXXX", "gXXXXXXXXXXXX", "gXXXXXXXXXXXX",
                                         "bygXXXXXXXXXX"}));
    EXPECT_EQ(game->state().points, 32000);
    EXPECT_EQ(boxesShown(), 10);
    EXPECT_EQ(count('b'), "2");
    game->tick();
    EXPECT_EQ(label(Label::ReshuffleCost), "25000");
    EXPECT_EQ(rows()[2], "rXXXXXXXXXXXX");
    EXPECT_EQ(rows()[5], "gXbXXXXXXXXXX");
    EXPECT_EQ(rows()[6], "bygXXXXXXXXXX");
    EXPECT_TRUE(game->lastHandlerChangedAnything());
    // Settled: a tick changes nothing more, and says so; the window may then rest.
    const auto settled = rows();
    game->tick();
    EXPECT_EQ(rows(), settled);
    EXPECT_FALSE(game->lastHandlerChangedAnything());
    // A new cost is a change too, though no box moves: a reshuffle of an empty board.
    start(std::vector<std::string>(7, "XXXXXXXXXXXXX"));
    game->tick();
    game->tick();
    EXPECT_FALSE(game->lastHandlerChangedAnything());
    game->reshuffle();
    game->tick();
    EXPECT_TRUE(game->lastHandlerChangedAnything());
    game->tick();
    EXPECT_FALSE(game->lastHandlerChangedAnything());
}
