// SPDX-License-Identifier: MIT
// Fixed-size windows undo a maximise that comes all the same.
#include "desktop/fixed_size.h"

#include <QEvent>
#include <QWidget>

namespace desktop {
namespace {

class MaximiseRefusal : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        constexpr Qt::WindowStates kRefused = Qt::WindowMaximized | Qt::WindowFullScreen;
        auto* window = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::WindowStateChange && (window->windowState() & kRefused))
            window->setWindowState(window->windowState() & ~kRefused);
        return false;
    }
};

}  // namespace

void refuseMaximise(QWidget* window) { window->installEventFilter(new MaximiseRefusal(window)); }

}  // namespace desktop
