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
    game.FillBoard();
    EXPECT_EQ(draws.drawn, 546);
    EXPECT_TRUE(draws.draws.empty());
    // The walk goes row by row: cells 0..6 of the walk are b g r y b g r, and so on.
    EXPECT_EQ(game.state().board.rowText(0), "bgrybgrbgrybg");
    int total = 0;
    for (Label l : {Label::Label6, Label::Label8, Label::Label10, Label::Label12})
        total += std::stoi(game.captions().read(l));
    EXPECT_EQ(total, 91);
    EXPECT_EQ(game.captions().read(Label::Label4), "91");
    EXPECT_EQ(game.captions().read(Label::NEXTLEVEL), "NEXT LEVEL: 200000");
    EXPECT_EQ(toolkit.paints().size(), 91u);
}

TEST_F(FillBoardTest, OverwritesHighlightsButKeepsTheSelectionValue)
{
    setBoard({"YYXXXXXXXXXXX", "XXXXXXXXXXXXX", "XXXXXXXXXXXXX", "XXXXXXXXXXXXX", "XXXXXXXXXXXXX",
              "XXXXXXXXXXXXX", "XXXXXXXXXXXXX"});
    game.state().selectionValue = 2000;
    game.captions().set(Label::SelPts, "2000");
    game.state().points = 700;
    game.FillBoard(); // real draws
    for (int row = 0; row < Board::Rows; ++row)
        for (int column = 0; column < Board::Columns; ++column)
            EXPECT_TRUE(isPlain(game.state().board.at(row, column)));
    EXPECT_EQ(game.state().selectionValue, 2000);
    EXPECT_EQ(game.captions().read(Label::SelPts), "2000");
    EXPECT_EQ(game.state().points, 700);
}

TEST_F(FillBoardTest, EachColourMakesUpAboutAQuarterOverManyFills)
{
    std::map<CellCode, int> counts;
    constexpr int fills = 400;
    for (int i = 0; i < fills; ++i) {
        game.FillBoard();
        for (int row = 0; row < Board::Rows; ++row)
            for (int column = 0; column < Board::Columns; ++column)
                ++counts[game.state().board.at(row, column)];
    }
    ASSERT_EQ(counts.size(), 4u);
    for (const auto &[code, count] : counts)
        EXPECT_NEAR(count, fills * 91 / 4.0, fills * 91 * 0.02) << toChar(code);
}

TEST_F(StartUpTest, FormLoadDealsAndNewGameStartsOverInOrder)
{
    game.Form_Load();
    EXPECT_EQ(game.captions().read(Label::Pts), "0");
    EXPECT_EQ(game.captions().read(Label::lvl), "1");
    EXPECT_EQ(game.captions().read(Label::SelPts), "");
    EXPECT_EQ(game.captions().read(Label::Nmmc), "");
    EXPECT_EQ(game.captions().read(Label::Label4), "91");

    game.captions().set(Label::lvl, "3");
    game.captions().set(Label::SelPts, "4500");
    game.state().points = 12345;
    game.captions().setNumber(Label::Pts, 12345);
    game.state().selectionValue = 4500;
    game.state().resetCount = 2;
    game.NewGame();
    // The fill's redraw still read level 3; the next tick corrects it.
    EXPECT_EQ(game.captions().read(Label::NEXTLEVEL), "NEXT LEVEL: 640000");
    EXPECT_EQ(game.captions().read(Label::lvl), "1");
    EXPECT_EQ(game.captions().read(Label::Pts), "0");
    EXPECT_EQ(game.captions().read(Label::SelPts), "4500");
    EXPECT_EQ(game.state().points, 0);
    EXPECT_EQ(game.state().selectionValue, 0);
    EXPECT_EQ(game.state().resetCount, 0);
    game.Timer1_Timer();
    EXPECT_EQ(game.captions().read(Label::NEXTLEVEL), "NEXT LEVEL: 200000");
    EXPECT_EQ(game.captions().read(Label::Nmmc), "25000");
}

TEST_F(DrawBoardTest, PaintsColumnByColumnOnTheGridOfHolderB)
{
    setBoard({"ygXXXXXXXXXXX", "rXXXXXXXXXXXX", "bXXXXXXXXXXXX", "YXXXXXXXXXXXX", "RXXXXXXXXXXXX",
              "GXXXXXXXXXXXX", "BXXXXXXXXXXXb"});
    game.DrawBoard();
    const auto &p = toolkit.paints();
    ASSERT_EQ(p.size(), 9u);
    using P = Paint;
    EXPECT_EQ(p[0], (P {Holder::y, 30, 75, 705, 720}));
    EXPECT_EQ(p[1], (P {Holder::r, 30, 795, 705, 720}));
    EXPECT_EQ(p[2], (P {Holder::b, 30, 1515, 705, 720}));
    EXPECT_EQ(p[3], (P {Holder::yh, 30, 2235, 705, 720}));
    EXPECT_EQ(p[4], (P {Holder::rh, 30, 2955, 705, 720}));
    EXPECT_EQ(p[5], (P {Holder::gh, 30, 3675, 705, 720}));
    EXPECT_EQ(p[6], (P {Holder::bh, 30, 4395, 705, 720}));
    EXPECT_EQ(p[7], (P {Holder::g, 735, 75, 705, 720})); // a "g" is squeezed to holder b's size
    EXPECT_EQ(p[8], (P {Holder::b, 8490, 4395, 705, 720}));

    // Unknown codes and "X" paint nothing; a second draw paints the same.
    game.state().board.set(0, 0, CellCode::NoCode);
    game.DrawBoard();
    EXPECT_EQ(toolkit.paints().size(), 8u);
    EXPECT_EQ(toolkit.clears(), 2);
}

TEST_F(DrawBoardTest, EveryCellDrawnIsTheCellAPressOnItsCentreActsOn)
{
    setBoard(std::vector<std::string>(7, "bgryBGRYbgryb"));
    game.DrawBoard();
    ASSERT_EQ(toolkit.paints().size(), std::size_t(Board::Cells));
    for (int i = 0; i < Board::Cells; ++i) {
        const Paint &paint = toolkit.paints()[i];
        const auto cell = Game::cellAt(paint.x + paint.width / 2, paint.y + paint.height / 2);
        ASSERT_TRUE(cell.has_value()) << i;
        EXPECT_EQ(cell->column, i / Board::Rows) << i; // painted column by column
        EXPECT_EQ(cell->row, i % Board::Rows) << i;
    }
}

TEST_F(DrawBoardTest, NextLevelShowsTheThresholdAndStaysFromLevelTen)
{
    setBoard(std::vector<std::string>(7, "XXXXXXXXXXXXX"));
    for (const auto &[level, threshold] : chromatta::test::LevelThresholds) {
        EXPECT_EQ(NextLevelThreshold(level), threshold);
        game.captions().setNumber(Label::lvl, level);
        game.DrawBoard();
        EXPECT_EQ(game.captions().read(Label::NEXTLEVEL),
                  "NEXT LEVEL: " + std::to_string(threshold));
    }
    for (int level : {10, 11, 250}) {
        EXPECT_FALSE(NextLevelThreshold(level).has_value());
        game.captions().setNumber(Label::lvl, level);
        game.DrawBoard();
        EXPECT_EQ(game.captions().read(Label::NEXTLEVEL), "NEXT LEVEL: 3500000");
    }
}
