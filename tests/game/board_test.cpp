// The board, the cell codes, the captions and the count labels.
#include "test_support.h"

#include <cstdint>
#include <limits>

using namespace chromatta;
using ShowBoxCountsTest = chromatta::test::RulesFixture;

TEST(BoardTest, IndicesOffTheBoardThrowInsteadOfWrapping)
{
    Board board;
    EXPECT_EQ(board.at(0, 0), CellCode::NoCode);
    EXPECT_NO_THROW(board.set(6, 12, CellCode::X));
    EXPECT_EQ(board.at(6, 12), CellCode::X);
    EXPECT_THROW(board.at(7, 0), std::out_of_range);
    EXPECT_THROW(board.at(0, 13), std::out_of_range);
    EXPECT_THROW(board.set(-1, 0, CellCode::b), std::out_of_range);
    EXPECT_THROW(board.set(0, -1, CellCode::b), std::out_of_range);
}

TEST(BoardTest, CodesAreCaseSensitiveAndOnlyNineLettersAreCodes)
{
    EXPECT_TRUE(isPlain(CellCode::b));
    EXPECT_FALSE(isPlain(CellCode::B));
    EXPECT_TRUE(isHighlighted(CellCode::Y));
    EXPECT_FALSE(isHighlighted(CellCode::X));
    EXPECT_EQ(highlightedOf(CellCode::g), CellCode::G);
    EXPECT_EQ(plainOf(CellCode::R), CellCode::r);
    EXPECT_EQ(plainOf(CellCode::X), CellCode::X);
    for (char c : std::string("bgryBGRYX"))
        EXPECT_TRUE(cellCodeFromChar(c).has_value()) << c;
    for (char c : std::string(".xZ0 w"))
        EXPECT_FALSE(cellCodeFromChar(c).has_value()) << c;
}

TEST(CaptionsTest, StartFromTheDesignTextsAndReadBackExactly)
{
    RecordingToolkit toolkit;
    Captions captions(toolkit);
    EXPECT_EQ(captions.read(Label::Pts), "0");
    EXPECT_EQ(captions.read(Label::lvl), "1");
    EXPECT_EQ(captions.read(Label::SelPts), "");
    EXPECT_EQ(captions.read(Label::Nmmc), "");
    EXPECT_EQ(captions.read(Label::NEXTLEVEL), "NEXT LEVEL:");
    EXPECT_EQ(captions.read(Label::Label4), "");
    for (Label l : {Label::Label6, Label::Label8, Label::Label10, Label::Label12})
        EXPECT_EQ(captions.read(l), "25");

    captions.setNumber(Label::Pts, -25000);
    EXPECT_EQ(captions.read(Label::Pts), "-25000");
    EXPECT_EQ(captions.readNumber(Label::Pts), -25000);
    // Beyond 2^53 a double would round; the score must come back exactly.
    captions.setNumber(Label::Pts, 9007199254740993);
    EXPECT_EQ(captions.readNumber(Label::Pts), 9007199254740993);
    // The widest numbers a saturated score can reach still fit the caption whole.
    captions.setNumber(Label::Pts, std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(captions.read(Label::Pts), "-9223372036854775808");
    captions.setNumber(Label::Pts, std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(captions.read(Label::Pts), "9223372036854775807");
    EXPECT_EQ(toolkit.captionWrites(), 4);
}

TEST_F(ShowBoxCountsTest, CountsPlainBoxesOnlyIntoTheirLabels)
{
    setBoard({
        "bbbbbbbbbbbbb",
        "ggggggggggggg",
        "rrrrrrrrrrrrr",
        "yyyyyyyyyyyyy",
        "bgryBGRYXXbgr",
        "bbbbbbbbbbbbb",
        "yyyyyyyyyyyyy",
    });
    game.ShowBoxCounts();
    const Captions &c = game.captions();
    EXPECT_EQ(c.read(Label::Label8), "28"); // blue
    EXPECT_EQ(c.read(Label::Label10), "15"); // green
    EXPECT_EQ(c.read(Label::Label6), "15"); // red
    EXPECT_EQ(c.read(Label::Label12), "27"); // yellow
    EXPECT_EQ(c.read(Label::Label4), "85");
}
