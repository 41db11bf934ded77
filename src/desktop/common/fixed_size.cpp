// SPDX-License-Identifier: MIT
// Fixed-size windows undo a maximise, or a resize, that comes all the same.
#include "desktop/fixed_size.h"

#include <QEvent>
#include <QWidget>

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
        if (fixed == window->maximumSize() && window->size() != fixed) window->resize(fixed);
        return false;
    }
};

}  // namespace

void keepFixedSize(QWidget* window) { window->installEventFilter(new FixedSize(window)); }

}  // namespace desktop
