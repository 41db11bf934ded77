// SPDX-License-Identifier: MIT
// Drives a Timer control with a real Qt timer. The control's enabled flag is
// the truth; sync() makes the real timer follow it, hold() stops it without
// touching the flag (while a modal box of the window is open).
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

#include "rules/controls.h"

namespace widgets {

class TimerDriver {
public:
    TimerDriver(const rules::Timer& timer, QObject* owner, std::function<void()> onTick);

    void sync();
    void hold();

private:
    const rules::Timer& control_;
    QTimer* timer_;
};

}  // namespace widgets
