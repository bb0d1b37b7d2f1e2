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
    setBoard(withColumn0("gbXXyXX"));
    game.DropBoxes();
    EXPECT_EQ(column0(rows()), "gXXbXXy");
    game.DropBoxes();
    EXPECT_EQ(column0(rows()), "XXgXXby");
    game.DropBoxes();
    EXPECT_EQ(column0(rows()), "XXXXgby");
    game.DropBoxes();
    EXPECT_EQ(column0(rows()), "XXXXgby");

    setBoard(withColumn0("YXXXXXX"));
    game.DropBoxes();
    EXPECT_EQ(column0(rows()), "XXXXXXY"); // a highlighted box falls with its highlight
}

TEST_F(CollapseTest, FullAndEmptyColumnsDoNotMove)
{
    setBoard(withColumn0("XXXXXXX"));
    const auto before = rows();
    game.DropBoxes();
    EXPECT_EQ(rows(), before);
    setBoard(std::vector<std::string>(7, "rgbyrgbyrgbyr"));
    game.DropBoxes();
    game.CloseEmptyColumns();
    EXPECT_EQ(rows(), std::vector<std::string>(7, "rgbyrgbyrgbyr"));
}

TEST_F(CollapseTest, EachPassClosesOneEmptyColumnToTheLeftOfEveryColumn)
{
    // A, E, E, B, C -> A, E, B, C, E -> A, B, C, E, E
    setBoard({"gXXbrXXXXXXXX", "gXXbrXXXXXXXX", "gXXbrXXXXXXXX", "gXXbrXXXXXXXX", "gXXbrXXXXXXXX",
              "gXXbrXXXXXXXX", "gXXbrXXXXXXXX"});
    game.CloseEmptyColumns();
    EXPECT_EQ(rows()[0], "gXbrXXXXXXXXX");
    game.CloseEmptyColumns();
    EXPECT_EQ(rows()[6], "gbrXXXXXXXXXX");

    // E, A, E, B -> A, E, B, E -> A, B, E, E; a column with one box left is not empty.
    setBoard({"XXXXXXXXXXXXX", "XXXXXXXXXXXXX", "XXXXXXXXXXXXX", "XXXXXXXXXXXXX", "XXXXXXXXXXXXX",
              "XXXXXXXXXXXXX", "XyXyXXXXXXXXX"});
    game.CloseEmptyColumns();
    EXPECT_EQ(rows()[6], "yXyXXXXXXXXXX");
    game.CloseEmptyColumns();
    EXPECT_EQ(rows()[6], "yyXXXXXXXXXXX");
}

TEST_F(CollapseTest, TheLastColumnsAtTheRightEdge)
{
    std::vector<std::string> board(7, "ggggggggggggX");
    setBoard(board);
    game.CloseEmptyColumns();
    EXPECT_EQ(rows(), board); // an empty column 12 stays where it is

    board.assign(7, "gggggggggggXr");
    setBoard(board);
    game.CloseEmptyColumns();
    EXPECT_EQ(rows(), std::vector<std::string>(7, "gggggggggggrX"));
}

TEST_F(CollapseTest, ClearingDropsThenClosesOnceAndTheTimerFinishes)
{
    // Clearing the whole column 1 (and a box in column 3) leaves a stack over a gap.
    setBoard({"yByXXXXXXXXXX", "yBXXXXXXXXXXX", "rBXbXXXXXXXXX", "rBXgXXXXXXXXX", "gBXBXXXXXXXXX",
              "gBXXXXXXXXXXX", "bBXXXXXXXXXXX"});
    game.state().selectionValue = 32000;
    game.ClearGroup();
    // One drop pass: the lone "y" of column 2 falls all the way, the lower box of column 3's
    // stack falls, the upper one waits; one closing pass slides both columns left.
    EXPECT_EQ(rows(),
              (std::vector<std::string> {"yXXXXXXXXXXXX", "yXXXXXXXXXXXX", "rXbXXXXXXXXXX",
                                         "rXXXXXXXXXXXX", "gXXXXXXXXXXXX", "gXXXXXXXXXXXX",
                                         "bygXXXXXXXXXX"}));
    EXPECT_EQ(game.state().points, 32000);
    EXPECT_EQ(caption(Label::Label4), "10");
    EXPECT_EQ(caption(Label::Label8), "2"); // blue
    game.Timer1_Timer();
    EXPECT_EQ(caption(Label::Nmmc), "25000");
    EXPECT_EQ(rows()[2], "rXXXXXXXXXXXX");
    EXPECT_EQ(rows()[5], "gXbXXXXXXXXXX");
    EXPECT_EQ(rows()[6], "bygXXXXXXXXXX");
    EXPECT_TRUE(game.lastHandlerChangedAnything());
    // Settled: a tick changes nothing more, and says so; the window may then rest.
    const auto settled = rows();
    game.Timer1_Timer();
    EXPECT_EQ(rows(), settled);
    EXPECT_FALSE(game.lastHandlerChangedAnything());
    // A new cost is a change too, though no box moves.
    ++game.state().resetCount;
    game.Timer1_Timer();
    EXPECT_TRUE(game.lastHandlerChangedAnything());
    game.Timer1_Timer();
    EXPECT_FALSE(game.lastHandlerChangedAnything());
}
