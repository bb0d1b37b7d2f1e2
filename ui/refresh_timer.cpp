// The refresh timer: one single-shot QTimer armed for each point of the grid in turn.
#include "refresh_timer.h"

#include <QTimer>

#include <algorithm>

namespace chromatta::ui {

RefreshTimer::RefreshTimer(QObject *parent, std::function<Clock::time_point()> now)
    : QObject(parent)
    , now_(std::move(now))
    , timer_(new QTimer(this))
{
    timer_->setObjectName(QStringLiteral("refreshTimer"));
    // One tick at a time, each armed for its own point of the grid: a periodic timer would
    // wake the process ten times a second for ticks that change nothing.
    timer_->setSingleShot(true);
    // The default coarse timer may fire several percent off, which shows in the collapse.
    timer_->setTimerType(Qt::PreciseTimer);
    connect(timer_, &QTimer::timeout, this, &RefreshTimer::ticked);
}

void RefreshTimer::start()
{
    origin_ = now_();
    started_ = true;
    arm(origin_ + Period);
}

void RefreshTimer::wake()
{
    if (!started_ || stopped_ || timer_->isActive())
        return;
    // Past the tick last due as well: a tick that ran a hair before its moment must not be
    // followed by a second one for the same moment.
    arm(nextOnGrid(origin_, std::max(now_(), due_)));
}

void RefreshTimer::stop()
{
    stopped_ = true;
    timer_->stop();
}

bool RefreshTimer::resting() const
{
    return !timer_->isActive();
}

RefreshTimer::Clock::time_point RefreshTimer::nextOnGrid(Clock::time_point origin,
                                                         Clock::time_point after)
{
    if (after < origin)
        return origin;
    return origin + Period * ((after - origin) / Period + 1);
}

void RefreshTimer::arm(Clock::time_point due)
{
    due_ = due;
    // Rounded up, so the tick never comes before its moment; Qt's precise timers keep to the
    // millisecond.
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(due - now_());
    timer_->start(int(std::max<std::chrono::milliseconds::rep>(wait.count(), 0)));
}

} // namespace chromatta::ui
