// Linked only into the instrumented executables: an application-wide event
// filter that time-stamps the timer events Qt delivers, so the game's own
// code runs exactly as shipped. Lines on standard error, read by measure.py:
//   app <realtime ns>                    the QApplication exists
//   shown <realtime ns> <title>          first paint of a top-level window
//   traffic <interval us> <collisions>   every 50 ms tick: time since the last
//                                        one, 1 ms ticks delivered in between
//   gaps n=<> p50=<> p99=<> max=<>       1 ms tick spacing so far, in us
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <array>
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
            if (auto* timer = qobject_cast<QTimer*>(object)) onTimer(timer->interval());
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
    // 10 us buckets up to 100 ms; the last one takes everything longer.
    static constexpr std::int64_t kBucketUs = 10;
    static constexpr std::size_t kBuckets = 10000;

    void onTimer(int interval) {
        const Clock::time_point now = Clock::now();
        if (interval == 1) {
            if (lastCollision_ != Clock::time_point{}) {
                const std::int64_t gap = microseconds(now - lastCollision_);
                ++gaps_[std::min<std::size_t>(std::size_t(gap / kBucketUs), kBuckets - 1)];
                ++gapCount_;
                maxGapUs_ = std::max(maxGapUs_, gap);
            }
            lastCollision_ = now;
            ++collisions_;
        } else if (interval == 50) {
            if (lastTraffic_ != Clock::time_point{}) {
                std::fprintf(stderr, "traffic %lld %d\n", static_cast<long long>(microseconds(now - lastTraffic_)),
                             collisions_);
                if (++trafficTicks_ % 20 == 0) printGaps();
                std::fflush(stderr);
            }
            lastTraffic_ = now;
            collisions_ = 0;
        }
    }

    std::int64_t gapPercentile(double p) const {
        const auto wanted = static_cast<std::uint64_t>(p * double(gapCount_));
        std::uint64_t seen = 0;
        for (std::size_t i = 0; i < kBuckets; ++i) {
            seen += gaps_[i];
            if (seen > wanted) return std::int64_t(i) * kBucketUs;
        }
        return maxGapUs_;
    }

    void printGaps() const {
        if (gapCount_ == 0) return;
        std::fprintf(stderr, "gaps n=%llu p50=%lld p99=%lld max=%lld\n", static_cast<unsigned long long>(gapCount_),
                     static_cast<long long>(gapPercentile(0.5)), static_cast<long long>(gapPercentile(0.99)),
                     static_cast<long long>(maxGapUs_));
    }

    bool shown_ = false;
    Clock::time_point lastTraffic_{};
    Clock::time_point lastCollision_{};
    int collisions_ = 0;
    unsigned trafficTicks_ = 0;
    std::array<std::uint64_t, kBuckets> gaps_{};
    std::uint64_t gapCount_ = 0;
    std::int64_t maxGapUs_ = 0;
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
