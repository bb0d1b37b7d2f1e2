// Time per operation of the rules, headless.
#include "board_geometry.h"
#include "board_text.h"
#include "game.h"
#include "random.h"
#include "script_engine.h"

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>
#include <vector>

using namespace chromatta;

namespace {

// The rules' chance, as the window's.
Generator draws;
WallClock wallClock;

GameState withBoard(const Board &board)
{
    GameState state;
    state.board = board;
    return state;
}

// A one-box-wide snake that fills the board with yellow, walls of red between its turns:
// the group the selection has the hardest time reaching in full.
Board snakeBoard()
{
    std::vector<std::string> rows(Board::Rows);
    for (int row = 0; row < Board::Rows; ++row) {
        for (int column = 0; column < Board::Columns; ++column) {
            const bool wall = row % 2 == 1 && column != (row % 4 == 1 ? 12 : 0);
            rows[row] += wall ? 'r' : 'y';
        }
    }
    return boardOf(rows);
}

void BM_FillBoard(benchmark::State &state)
{
    Game game(draws, wallClock);
    for (auto _ : state)
        game.fillBoard();
}
BENCHMARK(BM_FillBoard);

void growFrom(benchmark::State &state, const Board &board, int row, int column)
{
    Board seeded = board;
    seeded.set(row, column, highlightedOf(board.at(row, column)));
    for (auto _ : state) {
        Game game(draws, wallClock, withBoard(seeded));
        game.growSelection();
        benchmark::DoNotOptimize(game.state().selectionValue);
    }
}

void BM_GrowSelection_SingleColourFullBoard(benchmark::State &state)
{
    growFrom(state,
             boardOf(std::vector<std::string>(Board::Rows, std::string(Board::Columns, 'g'))), 6,
             12);
}
BENCHMARK(BM_GrowSelection_SingleColourFullBoard);

void BM_GrowSelection_Snake(benchmark::State &state)
{
    growFrom(state, snakeBoard(), 6, 12);
}
BENCHMARK(BM_GrowSelection_Snake);

void BM_ClearGroupWithCollapse(benchmark::State &state)
{
    GameState start =
        withBoard(boardOf(std::vector<std::string>(Board::Rows, std::string(Board::Columns, 'b'))));
    for (int row = 0; row < Board::Rows; ++row)
        for (int column = 3; column < 6; ++column)
            start.board.set(row, column, CellCode {'G'});
    start.selectionValue = 21 * 21 * 500;
    for (auto _ : state) {
        Game game(draws, wallClock, start);
        game.clearGroup();
        benchmark::DoNotOptimize(game.state().points);
    }
}
BENCHMARK(BM_ClearGroupWithCollapse);

void BM_Tick_Settled(benchmark::State &state)
{
    Game game(draws, wallClock);
    game.windowOpened();
    for (auto _ : state)
        game.tick();
}
BENCHMARK(BM_Tick_Settled);

void BM_Tick_DuringCollapse(benchmark::State &state)
{
    // Boxes stacked over gaps in every column and an empty column in the middle.
    std::vector<std::string> rows(Board::Rows);
    for (int row = 0; row < Board::Rows; ++row)
        for (int column = 0; column < Board::Columns; ++column)
            rows[row] += column == 6 || row % 2 == 1 ? 'X' : "bgry"[(row + column) % 4];
    const Board board = boardOf(rows);
    for (auto _ : state) {
        Game game(draws, wallClock, withBoard(board));
        game.tick();
    }
}
BENCHMARK(BM_Tick_DuringCollapse);

void BM_DrawBoard(benchmark::State &state)
{
    Game game(draws, wallClock);
    game.windowOpened();
    for (auto _ : state)
        game.drawBoard();
}
BENCHMARK(BM_DrawBoard);

// A whole game through the script engine: a deal, then presses over the whole board with ticks
// in between, reshuffles and a level-up.
void BM_WholeRandomGame(benchmark::State &state)
{
    std::string script = "load\n";
    for (int i = 0; i < 300; ++i) {
        const int column = (i * 7) % 13, row = (i * 3) % 7;
        // The harness presses in twips.
        const std::string press = "press " +
            std::to_string((BoardGrid::cellLeft(column) + 20) * BoardGrid::TwipsPerPixel) + " " +
            std::to_string((BoardGrid::cellTop(row) + 20) * BoardGrid::TwipsPerPixel) + "\n";
        script += press + press + "tick 3\n";
        if (i % 100 == 99)
            script += "reset\ntick 7\n";
    }
    script += "levelup\nshow\n";
    ScriptOptions options;
    options.seed = 7;
    for (auto _ : state) {
        std::istringstream in(script);
        std::ostringstream out, err;
        benchmark::DoNotOptimize(runScript(in, out, err, options));
    }
}
BENCHMARK(BM_WholeRandomGame)->Unit(benchmark::kMillisecond);

} // namespace
