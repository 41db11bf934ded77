// SPDX-License-Identifier: MIT
// The yardstick for bench/measure.sh: a bare Qt Widgets window as large as
// level 1's, repainted whole every 50 ms, with no game behind it.
// Usage: plodway-baseline [fast-interval-ms [coarse]]   (default 0: none)
//        plodway-baseline --icon-blink [sync]
// A fast interval adds a precise timer that does nothing, to show what a
// timer of that rhythm costs by itself. "coarse" repaints on Qt's default
// (coarse) timer instead of a precise one, to show what that costs the
// rhythm: on Windows it follows the system's 15.6 ms clock.
// --icon-blink is the yardstick for the menu at rest instead: a bare window
// of the menu's size that swaps two window icons every 500 ms with plain
// setWindowIcon, and has no other timer and no repaints. On X11 plain Qt
// holds each icon back until other traffic goes out, so nothing blinks;
// "sync" sends it with QGuiApplication::sync(), public Qt's only way to.
#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
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

// What Qt alone costs for the menu's blink: nothing is flushed or synced
// by hand, so whether the X server sees each icon is Qt's affair.
int blinkIcon(bool sync) {
    QWidget window;
    window.setWindowTitle(QStringLiteral("Plodway baseline icon blink"));
    window.setFixedSize(186, 216);

    QPixmap live(32, 32), dead(32, 32);
    live.fill(Qt::darkGreen);
    dead.fill(Qt::darkRed);
    const QIcon icons[2] = {QIcon(live), QIcon(dead)};
    int shown = 0;
    window.setWindowIcon(icons[shown]);

    // The menu's blink timer is Qt's default (coarse) one too.
    QTimer blink;
    blink.setInterval(500);
    QObject::connect(&blink, &QTimer::timeout, &window, [&] {
        shown = 1 - shown;
        window.setWindowIcon(icons[shown]);
        if (sync) QGuiApplication::sync();
    });

    window.show();
    blink.start();
    return QApplication::exec();
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc > 1 && QByteArray(argv[1]) == "--icon-blink") return blinkIcon(argc > 2 && QByteArray(argv[2]) == "sync");
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
