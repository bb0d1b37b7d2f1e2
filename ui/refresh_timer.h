// The window's refresh timer: ticks on a 100 ms grid that rest while nothing moves.
#pragma once

#include <QObject>

#include <chrono>
#include <functional>

class QTimer;

namespace chromatta::ui {

// The window's timer: a tick every 100 ms on one grid that starts with the window, that
// can rest while nothing moves and wake without shifting the grid. Resting, it costs the process
// no wake-up at all; woken, its next tick comes at the very moment it would have come had it
// never rested. A tick that falls due while the thread is busy (a sound holds it) runs when the
// thread is free again, and the ones missed meanwhile are not made up.
class RefreshTimer : public QObject
{
    Q_OBJECT

public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds Period {100};

    // The clock is the steady clock of the system; tests pass one they control.
    explicit RefreshTimer(QObject *parent, std::function<Clock::time_point()> now = Clock::now);

    // The grid starts now: the first tick is due one period later.
    void start();
    // Makes sure the next tick on the grid comes; nothing if one is already due.
    void wake();
    // For good: no tick comes after this, whoever wakes the timer.
    void stop();

    bool resting() const;
    Clock::time_point origin() const { return origin_; }
    // The moment the tick last asked for was due.
    Clock::time_point due() const { return due_; }

    // The first point of the grid that lies strictly after `after`.
    static Clock::time_point nextOnGrid(Clock::time_point origin, Clock::time_point after);

signals:
    // One tick: the receiver decides whether the timer goes on (wake) or rests (nothing).
    void ticked();

private:
    void arm(Clock::time_point due);

    std::function<Clock::time_point()> now_;
    QTimer *timer_;
    Clock::time_point origin_ {};
    Clock::time_point due_ {};
    bool started_ = false;
    bool stopped_ = false;
};

} // namespace chromatta::ui
