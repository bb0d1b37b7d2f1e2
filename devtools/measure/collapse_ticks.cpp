// collapse-ticks: the real window's timer while a collapse runs. The window idles until its
// timer rests, a group is pressed twice at a moment off the timer's grid, and the ticks of the
// collapse that follows are timed against the grid the window started with; the wake-ups of all
// the process's threads over the collapse are counted from /proc.
// Usage: collapse-ticks   (needs a display; prints its figures, exit 1 if the timer misbehaves)
#include "board_geometry.h"
#include "game.h"
#include "main_window.h"
#include "refresh_timer.h"

#include <QApplication>
#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

using namespace chromatta;
using namespace std::chrono_literals;
using Clock = ui::RefreshTimer::Clock;

namespace {

// Every thread's context switches so far: each one is a wake-up of that thread.
long long wakeups()
{
    long long total = 0;
    std::error_code error;
    for (const auto &task : std::filesystem::directory_iterator("/proc/self/task", error)) {
        std::ifstream status(task.path() / "status");
        for (std::string line; std::getline(status, line);)
            if (line.find("ctxt_switches:") != std::string::npos)
                total += std::stoll(line.substr(line.find(':') + 1));
    }
    return total;
}

// A settled board: a row of eleven greens on the floor, and two full columns at the right.
// Clearing the greens empties eleven columns at once, and the two columns then slide one place
// left per pass: eleven passes, the clearing's own and ten ticks, then a tick that finds it
// settled.
Board longSlide()
{
    Board board;
    for (int row = 0; row < Board::Rows; ++row)
        for (int column = 0; column < Board::Columns; ++column)
            board.set(row, column, CellCode::Empty);
    for (int column = 0; column <= 10; ++column)
        board.set(6, column, CellCode {'g'});
    for (int row = 0; row < Board::Rows; ++row)
        for (int column = 11; column <= 12; ++column)
            board.set(row, column, (row + column) % 2 ? CellCode {'r'} : CellCode {'b'});
    return board;
}

// Notes when each tick begins (the timer's own event, before the window handles it) and how
// many wake-ups the process had by then.
class TickClock : public QObject
{
public:
    std::vector<Clock::time_point> starts;
    std::vector<long long> wokenBy;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Timer) {
            starts.push_back(Clock::now());
            wokenBy.push_back(wakeups());
        }
        return QObject::eventFilter(watched, event);
    }
};

// Runs the event loop as the program does (QTest::qWait would sleep in 10 ms steps and so
// delay the very ticks measured here).
void runFor(std::chrono::milliseconds span)
{
    QEventLoop loop;
    QTimer::singleShot(span, &loop, &QEventLoop::quit);
    loop.exec();
}

double ms(Clock::duration span)
{
    return std::chrono::duration<double, std::milli>(span).count();
}

struct Parts
{
    ui::MainWindow *window;
    ui::RefreshTimer *timer;
    QTimer *refreshTimer;
    QWidget *board;
};

// The window shown, its board the long slide, left until its timer rests; nothing (and a line
// on standard error) when that fails.
std::optional<Parts> settledWindow()
{
    auto *window = new ui::MainWindow;
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        return std::fprintf(stderr, "collapse-ticks: the window did not show\n"), std::nullopt;
    const Parts parts {window, window->findChild<ui::RefreshTimer *>(),
                       window->findChild<QTimer *>(QStringLiteral("refreshTimer")),
                       window->findChild<QWidget *>(QStringLiteral("board"))};
    if (!parts.timer || !parts.refreshTimer || !parts.board)
        return std::fprintf(stderr, "collapse-ticks: the window has no refresh timer or board\n"),
               std::nullopt;
    GameState slide;
    slide.board = longSlide();
    window->startFrom(slide);
    runFor(1234ms);
    if (!parts.timer->resting())
        return std::fprintf(stderr, "collapse-ticks: the timer never rested\n"), std::nullopt;
    return parts;
}

// Selects the greens, then clears them at a moment off the timer's grid, and notes the ticks of
// the collapse that follows; returns the span from the clearing press to the settling tick.
Clock::duration runCollapse(const Parts &parts, TickClock &ticks)
{
    const BoardGrid::Pixel centre = BoardGrid::centrePixel(6, 0);
    const QPoint greens = parts.board->contentsRect().topLeft() + QPoint(centre.x, centre.y);
    QTest::mouseClick(parts.board, Qt::LeftButton, {}, greens);
    runFor(537ms);
    parts.refreshTimer->installEventFilter(&ticks);
    const Clock::time_point pressed = Clock::now();
    QTest::mouseClick(parts.board, Qt::LeftButton, {}, greens); // the clearing: the collapse starts
    {
        // Until the tick after which the window lets its timer rest (the window handles each
        // tick before this sees it), or 5 s at the most.
        QEventLoop loop;
        QObject::connect(parts.timer, &ui::RefreshTimer::ticked, &loop, [&] {
            if (parts.timer->resting())
                loop.quit();
        });
        QTimer::singleShot(5s, &loop, &QEventLoop::quit);
        loop.exec();
    }
    const Clock::duration took = Clock::now() - pressed;
    parts.refreshTimer->removeEventFilter(&ticks);
    return took;
}

void report(const TickClock &ticks, Clock::time_point origin, Clock::duration collapse)
{
    std::vector<double> offGrid, spacing;
    for (std::size_t i = 0; i < ticks.starts.size(); ++i) {
        offGrid.push_back(ms((ticks.starts[i] - origin) % ui::RefreshTimer::Period));
        if (i > 0)
            spacing.push_back(ms(ticks.starts[i] - ticks.starts[i - 1]));
    }
    std::sort(spacing.begin(), spacing.end());
    std::printf("collapse: %zu ticks over %.2f s after the clearing press, the last one settled\n",
                ticks.starts.size(), ms(collapse) / 1000);
    std::printf("  tick start after its grid point (ms): max %.2f, each [",
                *std::max_element(offGrid.begin(), offGrid.end()));
    for (std::size_t i = 0; i < offGrid.size(); ++i)
        std::printf("%s%.2f", i ? " " : "", offGrid[i]);
    std::printf("]\n  spacing (ms): min %.2f, median %.2f, max %.2f\n", spacing.front(),
                spacing[spacing.size() / 2], spacing.back());
    // From the first tick of the collapse to the last: the ticks' own wake-ups, without the
    // press's.
    const long long woken = ticks.wokenBy.back() - ticks.wokenBy.front();
    const double ticking = ms(ticks.starts.back() - ticks.starts.front()) / 1000;
    std::printf("  wake-ups of all threads from the first tick to the last: %lld in %.2f s, %.1f "
                "per second\n",
                woken, ticking, double(woken) / ticking);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const std::optional<Parts> parts = settledWindow();
    if (!parts)
        return 1;
    TickClock ticks;
    const Clock::duration collapse = runCollapse(*parts, ticks);
    const Clock::time_point origin = parts->timer->origin();
    delete parts->window;
    if (ticks.starts.size() < 2)
        return std::fprintf(stderr, "collapse-ticks: %zu ticks\n", ticks.starts.size()), 1;
    report(ticks, origin, collapse);
    return 0;
}
