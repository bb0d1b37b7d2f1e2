// The cost of one frame of the real window during a collapse: a tick of the window's timer on a
// board that is still moving, rendering the new frame, and painting it into the window; and of
// a tick that finds nothing to change. Runs on Qt's
// offscreen platform unless QT_QPA_PLATFORM says otherwise; on xcb (tools/measure.sh runs it so
// under Xvfb) each frame is also handed to the X server.
#include "board_surface.h"
#include "game.h"
#include "main_window.h"
#include "refresh_timer.h"

#include <QApplication>

#include <benchmark/benchmark.h>

using namespace chromatta;

namespace {

Board collapsingBoard(int shift)
{
    // Every other row empty and an empty column in the middle: every tick moves boxes.
    Board board;
    for (int row = 0; row < Board::Rows; ++row)
        for (int column = 0; column < Board::Columns; ++column)
            board.set(row, column,
                      column == 6 || row % 2 == 1
                          ? CellCode::Empty
                          : cellCodeFromChar("bgry"[(row + column + shift) % 4]).value());
    return board;
}

// One tick as the window's timer gives it: the window runs the rules' tick and decides what to
// show and whether to tick again.
void tick(ui::MainWindow &window)
{
    emit window.findChild<ui::RefreshTimer *>()->ticked();
}

void BM_FrameDuringCollapse(benchmark::State &state)
{
    auto *window = new ui::MainWindow;
    window->show();
    QApplication::processEvents();
    auto *surface = window->findChild<ui::BoardSurface *>(QStringLiteral("board"));
    // Two such boards in turn, so that every tick has a frame to show that differs from the
    // one on screen, as in a real collapse.
    const Board moving[2] = {collapsingBoard(0), collapsingBoard(1)};
    int turn = 0;
    for (auto _ : state) {
        GameState next;
        next.board = moving[turn ^= 1];
        window->startFrom(next);
        tick(*window);
        surface->repaint();
    }
    delete window;
}
BENCHMARK(BM_FrameDuringCollapse)->Unit(benchmark::kMicrosecond);

void BM_IdleTick(benchmark::State &state)
{
    auto *window = new ui::MainWindow;
    window->show();
    QApplication::processEvents();
    for (auto _ : state)
        tick(*window); // a settled board: nothing is rendered or painted
    delete window;
}
BENCHMARK(BM_IdleTick)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
