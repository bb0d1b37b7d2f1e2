// The window's timer on a clock the test sets: where its ticks fall after it rested, after a
// tick that ran late and after one that ran a hair early.
#include "refresh_timer.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace chromatta::ui::test {
namespace {

using namespace std::chrono_literals;
using Clock = RefreshTimer::Clock;

TEST(RefreshTimer, RestsUntilWokenAndKeepsTheGridItStartedWith)
{
    const Clock::time_point origin = Clock::now();
    Clock::time_point now = origin;
    RefreshTimer timer(nullptr, [&] { return now; });
    auto *refreshTimer = timer.findChild<QTimer *>(QStringLiteral("refreshTimer"));
    ASSERT_NE(refreshTimer, nullptr);
    QSignalSpy ticks(&timer, &RefreshTimer::ticked);

    timer.wake();
    EXPECT_TRUE(timer.resting()) << "woken before the window started it";
    timer.start();
    EXPECT_EQ(timer.due(), origin + 100ms);
    EXPECT_EQ(refreshTimer->interval(), 100);

    // The tick comes; nobody wakes the timer, so it rests.
    now = origin + 100ms;
    ASSERT_TRUE(ticks.wait(2000));
    EXPECT_TRUE(timer.resting());

    // A press 1.234 s in: the next tick is the grid's, at 1.3 s, not 100 ms after the press.
    now = origin + 1234ms;
    timer.wake();
    EXPECT_FALSE(timer.resting());
    EXPECT_EQ(timer.due(), origin + 1300ms);
    EXPECT_EQ(refreshTimer->interval(), 66);
    now = origin + 1250ms;
    timer.wake();
    EXPECT_EQ(timer.due(), origin + 1300ms) << "a second wake moved the tick already due";

    // That tick runs a hair before its moment and asks for more: the next is at 1.4 s, not a
    // second one at 1.3 s.
    now = origin + 1299ms + 700us;
    ASSERT_TRUE(ticks.wait(2000));
    timer.wake();
    EXPECT_EQ(timer.due(), origin + 1400ms);

    // A sound held the thread past 1.4 s until 1.65 s: the late tick runs at once, and the
    // ones missed meanwhile are not made up; the next stays on the grid.
    now = origin + 1650ms;
    ASSERT_TRUE(ticks.wait(2000));
    timer.wake();
    EXPECT_EQ(timer.due(), origin + 1700ms);

    timer.stop();
    timer.wake();
    EXPECT_TRUE(timer.resting()) << "woken after the window stopped it for good";
    EXPECT_EQ(ticks.count(), 3);
}

} // namespace
} // namespace chromatta::ui::test
