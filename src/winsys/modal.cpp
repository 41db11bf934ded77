// SPDX-License-Identifier: MIT
#include "winsys/modal.h"

#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QWidget>

#include "desktop/blocked_windows.h"
#include "desktop/wayland_modal.h"

namespace winsys {
namespace {

// Ends the modal loop once the program hides the window. Minimising hides it
// too, but the window stays shown as far as the program is concerned, and
// the level must go on. A minimised modal window has no task-bar button of
// its own and its owner takes no input, so restoring the owner brings it
// back; activating the owner does too, as every blocked window does
// (desktop/blocked_windows.h).
class ModalWatch : public QObject {
public:
    ModalWatch(QWidget* window, QEventLoop& loop)
        : window_(window), owner_(window->parentWidget() ? window->parentWidget()->window() : nullptr),
          loop_(loop) {
        window->installEventFilter(this);
        if (owner_) owner_->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_) {
            if (event->type() == QEvent::Hide && !window_->isVisible()) loop_.quit();
        } else if (watched == owner_ && window_ && event->type() == QEvent::WindowStateChange &&
                   !owner_->isMinimized() && window_->isMinimized()) {
            desktop::bringModalForward();
        }
        return false;
    }

private:
    // The window is destroyed before this watch is, and the owner may hear
    // of it in between.
    QPointer<QWidget> window_;
    QPointer<QWidget> owner_;
    QEventLoop& loop_;
};

}  // namespace

void showModal(QWidget* window) {
    desktop::answerBlockedWindows();
    QEventLoop loop;
    QPointer<QWidget> guard(window);
    ModalWatch watch(window, loop);
    QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    desktop::markModal(window);
    if (window->isVisible()) loop.exec();
    delete guard;
}

}  // namespace winsys
