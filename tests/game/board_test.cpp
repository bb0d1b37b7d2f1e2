// The board, the cell codes, the label texts and the count labels.
#include "test_support.h"

#include <cstdint>
#include <limits>

using namespace chromatta;
using ShowBoxCountsTest = chromatta::test::RulesFixture;

TEST(BoardTest, IndicesOffTheBoardThrowInsteadOfWrapping)
{
    Board board;
    EXPECT_EQ(board.at(0, 0), CellCode::NoCode);
    EXPECT_NO_THROW(board.set(6, 12, CellCode::Empty));
    EXPECT_EQ(board.at(6, 12), CellCode::Empty);
    EXPECT_THROW(board.at(7, 0), std::out_of_range);
    EXPECT_THROW(board.at(0, 13), std::out_of_range);
    EXPECT_THROW(board.set(-1, 0, CellCode {'b'}), std::out_of_range);
    EXPECT_THROW(board.set(0, -1, CellCode {'b'}), std::out_of_range);
}

TEST(BoardTest, CodesAreCaseSensitiveAndOnlyNineLettersAreCodes)
{
    EXPECT_TRUE(isPlain(CellCode {'b'}));
    EXPECT_FALSE(isPlain(CellCode {'B'}));
    EXPECT_TRUE(isHighlighted(CellCode {'Y'}));
    EXPECT_FALSE(isHighlighted(CellCode::Empty));
    EXPECT_EQ(highlightedOf(CellCode {'g'}), CellCode {'G'});
    EXPECT_EQ(plainOf(CellCode {'R'}), CellCode {'r'});
    EXPECT_EQ(plainOf(CellCode::Empty), CellCode::Empty);
    for (char c : std::string("bgryBGRYX"))
        EXPECT_TRUE(cellCodeFromChar(c).has_value()) << c;
    for (char c : std::string(".xZ0 w"))
        EXPECT_FALSE(cellCodeFromChar(c).has_value()) << c;
}

TEST(LabelsTest, StartFromWhatTheWindowFirstShowsAndShowNumbersExactly)
{
    GameState state;
    const auto text = [&](Label label) {
        return labelText(label, state);
    };
    EXPECT_EQ(text(Label::Points), "0");
    EXPECT_EQ(text(Label::Level), "1");
    EXPECT_EQ(text(Label::SelectionValue), "");
    EXPECT_EQ(text(Label::ReshuffleCost), "");
    EXPECT_EQ(text(Label::NextLevelThreshold), "NEXT LEVEL:");
    for (int colour = 0; colour < ColourCount; ++colour)
        EXPECT_EQ(countText(colour, state), "25");

    state.points = -25000;
    EXPECT_EQ(text(Label::Points), "-25000");
    // Beyond 2^53 a double would round; the score must be shown exactly.
    state.points = 9007199254740993;
    EXPECT_EQ(text(Label::Points), "9007199254740993");
    state.points = std::numeric_limits<std::int64_t>::min();
    EXPECT_EQ(text(Label::Points), "-9223372036854775808");
    state.shown.selectionValue = 0;
    EXPECT_EQ(text(Label::SelectionValue), "0");
}

TEST_F(ShowBoxCountsTest, CountsPlainBoxesOnlyIntoTheirLabels)
{
    start({
        "bbbbbbbbbbbbb",
        "ggggggggggggg",
        "rrrrrrrrrrrrr",
        "yyyyyyyyyyyyy",
        "bgryBGRYXXbgr",
        "bbbbbbbbbbbbb",
        "yyyyyyyyyyyyy",
    });
    game->showBoxCounts();
    EXPECT_EQ(count('b'), "28");
    EXPECT_EQ(count('g'), "15");
    EXPECT_EQ(count('r'), "15");
    EXPECT_EQ(count('y'), "27");
}
