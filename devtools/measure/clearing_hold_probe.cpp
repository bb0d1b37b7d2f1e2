// Clearings in the real window for clearing-hold, and the counts it reads from /proc.
#include "clearing_hold_probe.h"

#include "board.h"
#include "board_geometry.h"
#include "game.h"
#include "main_window.h"
#include "process_counts.h"

#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

extern char **environ;

namespace chromatta::measure {

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

long long wakeups()
{
    long long total = 0;
    std::error_code error;
    for (const auto &task : fs::directory_iterator("/proc/self/task", error))
        total += statusField(task.path() / "status", "voluntary_ctxt_switches:") +
            statusField(task.path() / "status", "nonvoluntary_ctxt_switches:");
    return total;
}

// Two greens side by side in the top row and no other group.
Board twoGreens()
{
    Board board;
    const char *const codes = "rby";
    for (int row = 0; row < Board::Rows; ++row)
        for (int column = 0; column < Board::Columns; ++column)
            board.set(row, column,
                      cellCodeFromChar(codes[(row + column) % 3]).value_or(CellCode::Empty));
    board.set(0, 0, CellCode {'g'});
    board.set(0, 1, CellCode {'g'});
    return board;
}

} // namespace

long addressSpaceKb()
{
    return statusField("/proc/self/status", "VmSize:");
}

rlimit currentLimit(int resource)
{
    rlimit now {};
    getrlimit(resource, &now);
    return now;
}

Clearings::Clearings(ui::MainWindow &window, double soundSeconds)
    : window_(window)
    , soundSeconds_(soundSeconds)
{ }

void Clearings::settleFor(std::chrono::milliseconds span)
{
    QEventLoop loop;
    QTimer::singleShot(span, &loop, &QEventLoop::quit);
    loop.exec();
}

Clearings::Hold Clearings::clearOnce()
{
    auto *board = window_.findChild<QWidget *>(QStringLiteral("board"));
    GameState start;
    start.board = twoGreens();
    window_.startFrom(start);
    const BoardGrid::Pixel centre = BoardGrid::centrePixel(0, 0);
    const QPoint first = board->contentsRect().topLeft() + QPoint(centre.x, centre.y);
    QTest::mouseClick(board, Qt::LeftButton, {}, first);
    const auto pressed = Clock::now();
    // The box beside it clears the pair: the sound.
    QTest::mouseClick(board, Qt::LeftButton, {}, first + QPoint(BoardGrid::CellWidth, 0));
    return {pressed, Clock::now()};
}

// The process's threads and descriptors. Qt's pooled threads (it converts and scales images on
// them) come and go in their own time and are not counted.
static std::pair<long, long> threadsAndDescriptors()
{
    long threads = 0;
    std::error_code error;
    for (const auto &task : fs::directory_iterator("/proc/self/task", error)) {
        std::string name;
        std::getline(std::ifstream(task.path() / "comm"), name);
        threads += name != "Thread (pooled)";
    }
    return {threads, entriesIn("/proc/self/fd")};
}

std::vector<Clearings::Hold> Clearings::run(int count, const char *label)
{
    const auto [threads, descriptors] = threadsAndDescriptors();
    std::vector<double> holds;
    std::vector<Hold> each;
    for (int i = 0; i < count; ++i) {
        each.push_back(clearOnce());
        holds.push_back(each.back().seconds());
        settleFor(std::chrono::milliseconds(300));
    }
    std::vector<double> sorted = holds;
    std::sort(sorted.begin(), sorted.end());
    const double median = sorted[sorted.size() / 2];
    std::printf("%s: %d, sound %.3f s; hold (s) median %.3f (%+.0f ms over the sound), min %.3f, "
                "max %.3f\n",
                label, count, soundSeconds_, median, (median - soundSeconds_) * 1000,
                sorted.front(), sorted.back());
    const auto [threadsAfter, descriptorsAfter] = threadsAndDescriptors();
    std::printf("  descriptors %ld -> %ld, threads %ld -> %ld; each hold (ms) [", descriptors,
                descriptorsAfter, threads, threadsAfter);
    for (std::size_t i = 0; i < holds.size(); ++i)
        std::printf("%s%.0f", i ? " " : "", holds[i] * 1000);
    std::printf("]\n");
    return each;
}

void Clearings::countSettledWakeups()
{
    settleFor(std::chrono::seconds(2));
    const long long before = wakeups();
    settleFor(std::chrono::seconds(10));
    std::printf("settled 10 s after the clearings: %lld wake-ups of all threads (the measuring "
                "timer's own included)\n",
                wakeups() - before);
}

SinkRecording::SinkRecording(const std::string &command)
{
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0)
        return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
    const std::string line = "exec " + command;
    const char *arguments[] = {"sh", "-c", line.c_str(), nullptr};
    pid_t child = -1;
    const bool spawned = posix_spawn(&child, "/bin/sh", &actions, nullptr,
                                     const_cast<char *const *>(arguments), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    close(ends[1]);
    if (!spawned) {
        close(ends[0]);
        return;
    }
    pid_ = child;
    output_ = ends[0];
    reader_ = std::thread([this] { read(); });
}

SinkRecording::~SinkRecording()
{
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    if (reader_.joinable())
        reader_.join();
    if (output_ >= 0)
        close(output_);
}

void SinkRecording::read()
{
    std::int16_t samples[4096];
    std::size_t carried = 0; // bytes of a sample split between two reads
    for (;;) {
        const ssize_t got =
            ::read(output_, reinterpret_cast<char *>(samples) + carried, sizeof samples - carried);
        if (got <= 0)
            return;
        const std::size_t bytes = carried + std::size_t(got);
        Piece piece {Clock::now()};
        piece.samples = int(bytes / 2);
        for (int i = 0; i < piece.samples; ++i) {
            piece.heard += samples[i] != 0;
            piece.peak = std::max(piece.peak, std::abs(int(samples[i])));
        }
        carried = bytes % 2;
        if (carried != 0)
            reinterpret_cast<char *>(samples)[0] = reinterpret_cast<char *>(samples)[bytes - 1];
        const std::lock_guard lock(mutex_);
        pieces_.push_back(piece);
    }
}

SinkRecording::Heard SinkRecording::between(Clock::time_point from, Clock::time_point to)
{
    Heard heard;
    long samples = 0;
    const std::lock_guard lock(mutex_);
    for (const Piece &piece : pieces_)
        if (piece.came >= from && piece.came < to) {
            samples += piece.heard;
            heard.samples += piece.samples;
            heard.peak = std::max(heard.peak, piece.peak);
        }
    heard.milliseconds = double(samples) / 8.0;
    return heard;
}

} // namespace chromatta::measure
