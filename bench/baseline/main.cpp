// SPDX-License-Identifier: MIT
// The yardstick for bench/measure.sh: a bare Qt Widgets window as large as
// level 1's, repainted whole every 50 ms, with no game behind it.
// Usage: plodway-baseline [fast-interval-ms [coarse]]   (default 0: none)
// A fast interval adds a precise timer that does nothing, to show what a
// timer of that rhythm costs by itself. "coarse" repaints on Qt's default
// (coarse) timer instead of a precise one, to show what that costs the
// rhythm: on Windows it follows the system's 15.6 ms clock.
#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <cstdlib>

namespace {

class BareWindow : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Window));
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int fastInterval = argc > 1 ? std::atoi(argv[1]) : 0;
    BareWindow window;
    window.setWindowTitle(QStringLiteral("Plodway baseline"));
    window.setFixedSize(501, 325);

    const bool coarse = argc > 2 && QByteArray(argv[2]) == "coarse";
    QTimer repaint;
    repaint.setTimerType(coarse ? Qt::CoarseTimer : Qt::PreciseTimer);
    repaint.setInterval(50);
    QObject::connect(&repaint, &QTimer::timeout, &window, [&window] { window.update(); });

    // Does as little as a timeout can.
    unsigned ticks = 0;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(fastInterval);
    QObject::connect(&tick, &QTimer::timeout, &window, [&ticks] { ++ticks; });

    window.show();
    repaint.start();
    if (fastInterval > 0) tick.start();
    return QApplication::exec();
}
