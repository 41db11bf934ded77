// SPDX-License-Identifier: MIT
// Qt puts each new window at the top left of the canvas, and the title bars
// it draws there have no close box without a system menu and a minimise box
// with no task bar to come back from. Here the menu goes at the left of the
// page's desktop, each level beside the window that opens it and each box
// centred over its owner, all on whole device pixels; the menu has no
// minimise box and the levels keep their close box.
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

#include "desktop/blocked_windows.h"
#include "desktop/pixel_grid.h"
#include "desktop/web/web_parts.h"
#include "desktop/web_layout.h"
#include "desktop/window_log.h"

namespace desktop::web {
namespace {

int snapUp(int value, int origin, int step) { return origin + (value - origin + step - 1) / step * step; }

QMargins frameOf(const QWidget* window) {
    const QWindow* handle = window->windowHandle();
    return handle ? handle->frameMargins() : QMargins();
}

class WindowPlacement : public QObject {
public:
    // Qt places and sizes windows in whole CSS pixels, and the page makes a
    // game pixel a whole number of them (QT_SCALE_FACTOR): on whole device
    // pixels a window lands only where its place in game pixels times the
    // device pixels a game pixel covers is whole.
    explicit WindowPlacement(QObject* parent)
        : QObject(parent), step_(std::max(1, gridPeriod(qApp->primaryScreen()->devicePixelRatio()))) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!watched->isWidgetType()) return false;
        auto* window = static_cast<QWidget*>(watched);
        if (!window->isWindow()) return false;
        if (event->type() == QEvent::Show && !event->spontaneous()) {
            // The first window without an owner is the menu.
            if (!ownerOf(window) && !menu_) menu_ = window;
            fitTitleBar(window);
            place(window);
        } else if (event->type() == QEvent::Resize && window->isVisible() && qobject_cast<QDialog*>(window)) {
            // A message box fits itself to its text as it shows.
            place(window);
        }
        return false;
    }

private:
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
        const QWidget* owner = ownerOf(window);
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
        logPlaced(window, desk, frame);
    }

    // The page sized its desktop for the windows: one that does not fit is
    // a page that disagrees with the game.
    static void logPlaced(const QWidget* window, const QRect& desk, const QMargins& frame) {
        const QRect client = window->geometry();
        if (!desk.contains(client.marginsAdded(frame)))
            qWarning("plodway: the window %s (%dx%d) does not fit on the page's desktop (%dx%d)",
                     qUtf8Printable(window->objectName()), client.width(), client.height(), desk.width(),
                     desk.height());
        logWindowLine(QStringLiteral("window placed %1 at %2,%3 size %4x%5 frame %6,%7,%8,%9")
                          .arg(window->objectName())
                          .arg(client.x() - desk.x())
                          .arg(client.y() - desk.y())
                          .arg(client.width())
                          .arg(client.height())
                          .arg(frame.left())
                          .arg(frame.top())
                          .arg(frame.right())
                          .arg(frame.bottom()));
    }

    const int step_;
    QPointer<QWidget> menu_;
};

}  // namespace

void placeWindows() { qApp->installEventFilter(new WindowPlacement(qApp)); }

}  // namespace desktop::web
