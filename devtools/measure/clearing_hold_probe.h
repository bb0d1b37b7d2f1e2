// What clearing-hold measures: clearings in the real window, each press's hold timed, and the
// process's descriptors, threads and wake-ups read from /proc.
#pragma once

#include <sys/resource.h>

#include <chrono>

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

    // Clears a pair of greens `count` times, a moment apart, and prints the holds against the
    // sound's length and the descriptors and threads before and after.
    void run(int count, const char *label);
    // Runs the event loop for a while, as the program does between presses.
    void settleFor(std::chrono::milliseconds span);
    // Prints the wake-ups of all threads over 10 s once the game has settled.
    void countSettledWakeups();

private:
    double clearOnce();

    ui::MainWindow &window_;
    double soundSeconds_;
};

} // namespace chromatta::measure
