// SPDX-License-Identifier: MIT
// Fixed-size windows undo a maximise, or a resize, that comes all the same.
#include "desktop/common/fixed_size.h"

#include <QEvent>
#include <QWidget>

#include "desktop/common/qt_scale.h"

namespace desktop {
namespace {

class FixedSize : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::WindowStateChange && event->type() != QEvent::Resize) return false;
        constexpr Qt::WindowStates kRefused = Qt::WindowMaximized | Qt::WindowFullScreen;
        auto* window = static_cast<QWidget*>(watched);
        if (window->isMinimized()) return false;
        if (window->windowState() & kRefused) window->setWindowState(window->windowState() & ~kRefused);
        // A box fits itself to its text before it shows: only a size that
        // is fixed is kept.
        const QSize fixed = window->minimumSize();
        if (fixed != window->maximumSize() || window->size() == fixed) return false;
        // Under a Qt scale below one, a box given back its size was sized
        // again by the window system, rounded, for as long as it stayed open
        // (the last box, over the menu, at a phone's 2/3); it keeps that
        // rounding, which shows the same. A level keeps its exact size, for
        // its field's last pixels to meet its frame.
        if (window->inherits("QDialog") && sameOnScreen(window->size(), fixed)) return false;
        window->resize(fixed);
        return false;
    }
};

}  // namespace

void keepFixedSize(QWidget* window) { window->installEventFilter(new FixedSize(window)); }

}  // namespace desktop
