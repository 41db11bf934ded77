// SPDX-License-Identifier: MIT
// Qt puts each new window at the top left of the canvas, and the title bars
// it draws there have no close box without a system menu and a minimise box
// with no task bar to come back from. Here the menu goes at the left of the
// page's desktop, each level beside the window that opens it and each box
// centred over its owner, all on whole device pixels; the menu has no
// minimise box and the levels keep their close box. A level goes below its
// owner where the page's desktop has no room beside it (a phone upright).
#include <QApplication>
#include <QBackingStore>
#include <QDialog>
#include <QEvent>
#include <QImage>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <QtGui/private/qhighdpiscaling_p.h>
#include <qpa/qplatformwindow.h>
#include <qpa/qwindowsysteminterface.h>

#include <algorithm>

#include "desktop/common/blocked_windows.h"
#include "desktop/common/pixel_grid.h"
#include "desktop/common/qt_scale.h"
#include "desktop/common/window_log.h"
#include "desktop/web/page_layout.h"
#include "desktop/web/web_parts.h"

namespace desktop::web {
namespace {

QMargins frameOf(const QWidget* window) {
    const QWindow* handle = window->windowHandle();
    return handle ? handle->frameMargins() : QMargins();
}

class WindowPlacement : public QObject {
public:
    explicit WindowPlacement(QObject* parent) : QObject(parent) { followScale(); }

    // Every shown window again, owners first, where it goes on the desktop
    // as it now is, at the scale now (the page laid itself out anew).
    void placeAll() {
        followScale();
        QList<QWidget*> waiting;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible() && window->windowHandle()) waiting.append(window);
        for (bool placedOne = true; placedOne;) {
            placedOne = false;
            for (QWidget* window : std::as_const(waiting)) {
                if (waiting.contains(ownerOf(window))) continue;
                place(window, Push::Always);
                waiting.removeOne(window);
                placedOne = true;
                break;
            }
        }
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!watched->isWidgetType()) return false;
        if (event->type() == QEvent::Paint) paintEdges(static_cast<QWidget*>(watched)->window());
        auto* window = static_cast<QWidget*>(watched);
        if (!window->isWindow()) return false;
        if (event->type() == QEvent::Show && !event->spontaneous()) {
            // The first window without an owner is the menu.
            recordMenu(menu_, window);
            fitTitleBar(window);
            place(window);
        } else if (event->type() == QEvent::Resize && window->isVisible() && qobject_cast<QDialog*>(window)) {
            // A message box fits itself to its text as it shows.
            place(window);
        }
        return false;
    }

private:
    // Whether a window's place goes to the screen only where it changed, or
    // always: after a change of scale, Qt still holds it at the old one.
    enum class Push { IfMoved, Always };

    // Qt places windows in whole CSS pixels, rounded from game pixels times
    // the page's CSS pixels a game pixel (QT_SCALE_FACTOR), and a window is
    // drawn on whole device pixels where its CSS pixels are.
    void followScale() {
        factor_ = qtScaleFactor();
        step_ = std::max(1, gridPeriod(qApp->primaryScreen()->devicePixelRatio() / factor_));
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

    // Qt sizes a window in whole CSS pixels, rounded from game pixels at
    // the page's scale, and its backing store with it: where that rounds
    // up, a line of device pixels at the right or bottom is never painted
    // and would show whatever memory held. It takes the colour of Qt's
    // frame beside it, as though the frame were that much wider. Checked
    // as anything in the window paints, while the backing store is open.
    static void paintEdges(QWidget* window) {
        if (window->windowType() == Qt::Popup || window->windowType() == Qt::ToolTip || !window->backingStore()) return;
        QPaintDevice* device = window->backingStore()->paintDevice();
        if (!device || device->devType() != QInternal::Image) return;
        auto* image = static_cast<QImage*>(device);
        if (image->depth() != 32) return;
        const qreal ratio = image->devicePixelRatio();
        const int width = std::min(image->width(), qRound(window->width() * ratio));
        const int height = std::min(image->height(), qRound(window->height() * ratio));
        if (width == image->width() && height == image->height()) return;
        constexpr QRgb kFrame = 0xffffffff;  // the fill of Qt 6.4's frame on the web
        for (int y = 0; y < image->height(); ++y) {
            // In place: the image shares its pixels with Qt's own.
            auto* line = reinterpret_cast<QRgb*>(const_cast<uchar*>(image->constScanLine(y)));
            std::fill(line + (y < height ? width : 0), line + image->width(), kFrame);
        }
    }

    // The menu at the left, a level beside its owner, a box centred over it
    // (or over the desktop, when it has no owner).
    void place(QWidget* window, Push push = Push::IfMoved) const {
        const QRect desk = window->screen()->geometry();
        const QMargins frame = frameOf(window);
        const QWidget* owner = ownerOf(window);
        const Frame edges{frame.left(), frame.top(), frame.right(), frame.bottom()};
        QPoint at;
        const QPoint half(window->width() / 2, window->height() / 2);
        if (window == menu_)
            at = desk.topLeft() + QPoint(menuLeft(edges), menuTop(edges));
        else if (!owner)
            at = desk.center() - half;
        else if (qobject_cast<QDialog*>(window))
            at = owner->geometry().center() - half;
        else {
            at = QPoint(snapUp(besideOwner(owner->frameGeometry().right(), edges), desk.left()),
                        owner->geometry().top());
            if (at.x() + window->width() + frame.right() > desk.right() + 1)
                at = QPoint(owner->geometry().left(), belowOwner(owner->frameGeometry().bottom(), edges));
        }
        // Title bar and all inside the desktop, where the desktop has room.
        at.setX(std::max(desk.left() + frame.left(), std::min(at.x(), desk.right() + 1 - frame.right() - window->width())));
        at.setY(std::max(desk.top() + frame.top(), std::min(at.y(), desk.bottom() + 1 - frame.bottom() - window->height())));
        at = QPoint(snapUp(at.x(), desk.left()), snapUp(at.y(), desk.top()));
        if (push == Push::Always) {
            QWindow* handle = window->windowHandle();
            handle->handle()->setGeometry(QHighDpi::toNativeWindowGeometry(QRect(at, window->size()), handle));
            // The widget learns its place from the window system's event:
            // the windows it owns are placed from it.
            QWindowSystemInterface::flushWindowSystemEvents();
            window->update();
        } else if (window->geometry().topLeft() != at) {
            window->setGeometry(QRect(at, window->size()));
        }
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

    // The first place from `value` on, in game pixels from the desktop's
    // `origin`, that Qt puts on a whole step of CSS pixels.
    int snapUp(int value, int origin) const {
        for (int at = value; at < value + 64; ++at)
            if (qRound((at - origin) * factor_) % step_ == 0) return at;
        return value;
    }

    double factor_ = 1;
    int step_ = 1;  // CSS pixels that span whole device pixels
    QPointer<QWidget> menu_;
};

QPointer<WindowPlacement> placement;

}  // namespace

void placeWindows() {
    placement = new WindowPlacement(qApp);
    qApp->installEventFilter(placement);
}

void placeWindowsAgain() {
    if (placement) placement->placeAll();
}

}  // namespace desktop::web
