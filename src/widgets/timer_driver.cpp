// SPDX-License-Identifier: MIT
#include "widgets/timer_driver.h"

namespace widgets {

TimerDriver::TimerDriver(const rules::Timer& timer, QObject* owner, std::function<void()> onTick)
    : control_(timer), timer_(new QTimer(owner)) {
    // Precise: vehicles move one step per tick, so the spacing of ticks is
    // their speed. On Windows a coarse 50 ms timer follows the system's
    // 15.6 ms clock and fires after 47 or 62 ms; a precise one keeps 50.
    timer_->setTimerType(Qt::PreciseTimer);
    timer_->setInterval(timer.interval());
    QObject::connect(timer_, &QTimer::timeout, owner, std::move(onTick));
}

void TimerDriver::sync() {
    if (control_.enabled() && !timer_->isActive()) timer_->start();
    if (!control_.enabled() && timer_->isActive()) timer_->stop();
}

void TimerDriver::hold() { timer_->stop(); }

}  // namespace widgets
