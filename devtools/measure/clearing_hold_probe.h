// What clearing-hold measures: clearings in the real window, each press's hold timed, and the
// process's descriptors, threads and wake-ups read from /proc.
#pragma once

#include <sys/resource.h>

#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace chromatta::ui {
class MainWindow;
}

namespace chromatta::measure {

rlimit currentLimit(int resource);
// The process's address space now, in KiB.
long addressSpaceKb();

class Clearings
{
public:
    Clearings(ui::MainWindow &window, double soundSeconds);

    // The press that cleared, and the moment it returned.
    struct Hold
    {
        std::chrono::steady_clock::time_point pressed;
        std::chrono::steady_clock::time_point ended;
        double seconds() const { return std::chrono::duration<double>(ended - pressed).count(); }
    };

    // Clears a pair of greens `count` times, a moment apart, and prints the holds against the
    // sound's length and the descriptors and threads before and after.
    std::vector<Hold> run(int count, const char *label);
    // Runs the event loop for a while, as the program does between presses.
    void settleFor(std::chrono::milliseconds span);
    // Prints the wake-ups of all threads over 10 s once the game has settled.
    void countSettledWakeups();

private:
    Hold clearOnce();

    ui::MainWindow &window_;
    double soundSeconds_;
};

// What the sink plays, as a command prints it (16-bit mono samples at 8000 Hz, such as
// `pw-record` or `parec` on the sink's monitor), each piece stamped with the moment it came.
class SinkRecording
{
public:
    using Clock = std::chrono::steady_clock;

    explicit SinkRecording(const std::string &command);
    ~SinkRecording(); // stops the command
    SinkRecording(const SinkRecording &) = delete;
    SinkRecording &operator=(const SinkRecording &) = delete;

    bool started() const { return output_ >= 0; }
    // Milliseconds of sound (samples not zero, at 8000 Hz) that came from `from` to `to`, and
    // their peak.
    struct Heard
    {
        double milliseconds = 0;
        int peak = 0;
        long samples = 0; // all samples that came, zero or not
    };
    Heard between(Clock::time_point from, Clock::time_point to);

private:
    struct Piece
    {
        Clock::time_point came;
        int heard = 0;
        int peak = 0;
        int samples = 0;
    };
    void read();

    int output_ = -1; // what the command prints
    int pid_ = -1;
    std::mutex mutex_;
    std::vector<Piece> pieces_;
    std::thread reader_;
};

} // namespace chromatta::measure
