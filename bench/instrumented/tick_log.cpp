// SPDX-License-Identifier: MIT
// Linked only into the instrumented executables: an application-wide event
// filter that time-stamps the events Qt delivers, so the game's own code runs
// exactly as shipped. Lines on standard error, read by measure.py:
//   app <realtime ns>                    the QApplication exists
//   shown <realtime ns> <title>          first paint of a top-level window
//   traffic <interval us>                every 50 ms tick: time since the last one
//   key <monotonic us> <auto-repeat>     every key press a widget receives, and
//                                        whether Qt took it for an auto-repeat
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdint>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;

std::int64_t realtimeNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

std::int64_t microseconds(Clock::duration d) {
    return std::chrono::duration_cast<std::chrono::microseconds>(d).count();
}

class TickLog : public QObject {
public:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Timer) {
            auto* timer = qobject_cast<QTimer*>(object);
            if (timer && timer->interval() == 50) onTraffic();
        } else if (event->type() == QEvent::KeyPress && object->isWidgetType()) {
            // Once per press: the window forwards it to the focused widget.
            std::fprintf(stderr, "key %lld %d\n", static_cast<long long>(microseconds(Clock::now().time_since_epoch())),
                         static_cast<QKeyEvent*>(event)->isAutoRepeat() ? 1 : 0);
            std::fflush(stderr);
        } else if (!shown_ && event->type() == QEvent::Paint) {
            auto* widget = qobject_cast<QWidget*>(object);
            if (widget && widget->isWindow()) {
                shown_ = true;
                std::fprintf(stderr, "shown %lld %s\n", static_cast<long long>(realtimeNs()),
                             qUtf8Printable(widget->windowTitle()));
                std::fflush(stderr);
            }
        }
        return false;
    }

private:
    void onTraffic() {
        const Clock::time_point now = Clock::now();
        if (lastTraffic_ != Clock::time_point{}) {
            std::fprintf(stderr, "traffic %lld\n", static_cast<long long>(microseconds(now - lastTraffic_)));
            std::fflush(stderr);
        }
        lastTraffic_ = now;
    }

    bool shown_ = false;
    Clock::time_point lastTraffic_{};
};

void installTickLog() {
    std::fprintf(stderr, "app %lld\n", static_cast<long long>(realtimeNs()));
    std::fflush(stderr);
    auto* log = new TickLog;
    log->setParent(QCoreApplication::instance());  // goes with the application
    QCoreApplication::instance()->installEventFilter(log);
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(installTickLog)
