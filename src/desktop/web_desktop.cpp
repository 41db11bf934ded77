// SPDX-License-Identifier: MIT
#include "desktop/web_desktop.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <emscripten/emscripten.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace desktop {
namespace {

// Game pixels around the windows and between the menu and a level; the
// page sizes the canvas with the same numbers (cmake/web/index.html).
constexpr int kMargin = 8;
constexpr int kGap = 8;

// Qt places and sizes windows in whole CSS pixels, and the page makes a game
// pixel a whole number of them (QT_SCALE_FACTOR): a window whose size were a
// fraction of a CSS pixel would leave a column or row of its backing store
// unpainted, or cut one off. On whole device pixels a window lands only
// where its place in game pixels times the device pixels a game pixel
// covers is whole: windows go on multiples of the smallest such step.
int gridStep() {
    const qreal devicePixels = qApp->primaryScreen()->devicePixelRatio();
    for (int step = 1; step <= 64; ++step)
        if (std::abs(step * devicePixels - std::round(step * devicePixels)) < 1e-3) return step;
    return 1;
}

int snapUp(int value, int origin, int step) { return origin + (value - origin + step - 1) / step * step; }

// An event on the page's window (cmake/web/index.html).
void tellPage(const char* event) {
    emscripten_run_script(QByteArray("window.dispatchEvent(new Event('").append(event).append("'))").constData());
}

QMargins frameOf(const QWidget* window) {
    const QWindow* handle = window->windowHandle();
    return handle ? handle->frameMargins() : QMargins();
}

class WebDesktop : public QObject {
public:
    explicit WebDesktop(QObject* parent) : QObject(parent), step_(gridStep()) {
        log_ = qEnvironmentVariable("PLODWAY_WINDOW_LOG") == QLatin1String("1");
        if (log_)
            connect(qApp, &QApplication::focusChanged, this, [](QWidget*, QWidget* now) {
                if (now) logLine(QStringLiteral("focus %1 in %2").arg(nameOf(now), nameOf(now->window())));
            });
        // Closing the menu ends the game. Left to Qt 6.4, the program would
        // quit with its last window, and in the browser that ends in "memory
        // access out of bounds" before aboutToQuit is even emitted: so the
        // program stays, windowless, and the page hears of the end from here.
        qApp->setQuitOnLastWindowClosed(false);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!watched->isWidgetType()) return false;
        auto* window = static_cast<QWidget*>(watched);
        if (!window->isWindow()) return false;
        switch (event->type()) {
            case QEvent::Show:
                if (event->spontaneous()) break;
                // The first window without an owner is the menu.
                if (!window->parentWidget() && !menu_) {
                    menu_ = window;
                    tellPage("plodway-running");
                }
                fitTitleBar(window);
                place(window);
                if (log_) logShown(window);
                break;
            case QEvent::Resize:
                // A message box fits itself to its text as it shows.
                if (window->isVisible() && qobject_cast<QDialog*>(window)) place(window);
                break;
            case QEvent::Hide:
                if (event->spontaneous()) break;
                if (log_) logLine(QStringLiteral("window hidden %1").arg(window->objectName()));
                if (window == menu_) tellPage("plodway-ended");
                break;
            default: break;
        }
        return false;
    }

private:
    // A box's own buttons have no object name: their class stands in.
    static QString nameOf(const QObject* object) {
        return object->objectName().isEmpty() ? QString::fromLatin1(object->metaObject()->className())
                                              : object->objectName();
    }

    static void logLine(const QString& line) {
        std::printf("%s\n", line.toUtf8().constData());
        std::fflush(stdout);
    }

    static void logShown(const QWidget* window) {
        QString line = QStringLiteral("window shown %1 \"%2\"").arg(window->objectName(), window->windowTitle());
        if (const auto* box = qobject_cast<const QMessageBox*>(window)) line += QStringLiteral(" \"%1\"").arg(box->text());
        logLine(line);
    }

    // Qt's title bars on the web draw a close box only beside a system
    // menu, and a minimise box with nothing to restore from.
    static void fitTitleBar(QWidget* window) {
        QWindow* handle = window->windowHandle();
        if (!handle) return;
        Qt::WindowFlags flags = handle->flags() & ~Qt::WindowMinimizeButtonHint;
        if (flags & Qt::WindowCloseButtonHint) flags |= Qt::WindowSystemMenuHint;
        if (flags != handle->flags()) handle->setFlags(flags);
    }

    // The menu at the left, a level beside its owner, a box centred over it
    // (or over the desktop, when it has no owner).
    void place(QWidget* window) const {
        const QRect desk = window->screen()->geometry();
        const QMargins frame = frameOf(window);
        const QWidget* owner = window->parentWidget() ? window->parentWidget()->window() : nullptr;
        QPoint at;
        const QPoint half(window->width() / 2, window->height() / 2);
        if (window == menu_)
            at = desk.topLeft() + QPoint(kMargin + frame.left(), kMargin + frame.top());
        else if (!owner)
            at = desk.center() - half;
        else if (qobject_cast<QDialog*>(window))
            at = owner->geometry().center() - half;
        else
            at = QPoint(owner->frameGeometry().right() + 1 + kGap + frame.left(), owner->geometry().top());
        // Title bar and all inside the desktop, where the desktop has room.
        at.setX(std::max(desk.left() + frame.left(), std::min(at.x(), desk.right() + 1 - frame.right() - window->width())));
        at.setY(std::max(desk.top() + frame.top(), std::min(at.y(), desk.bottom() + 1 - frame.bottom() - window->height())));
        at = QPoint(snapUp(at.x(), desk.left(), step_), snapUp(at.y(), desk.top(), step_));
        if (window->geometry().topLeft() != at) window->setGeometry(QRect(at, window->size()));
    }

    const int step_;
    bool log_ = false;
    QPointer<QWidget> menu_;
};

}  // namespace

void arrangeWebDesktop() {
    auto* desktop = new WebDesktop(qApp);
    qApp->installEventFilter(desktop);
}

}  // namespace desktop
