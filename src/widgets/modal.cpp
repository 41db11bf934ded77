// SPDX-License-Identifier: MIT
#include "widgets/modal.h"

#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <utility>

#include "desktop/common/blocked_windows.h"
#include "desktop/desktop.h"

namespace widgets {
namespace {

// Ends the window's modal display once the program hides it. Minimising
// hides it too, but the window stays shown as far as the program is
// concerned, and the level must go on. A minimised modal window has no
// task-bar button of its own and its owner takes no input, so restoring the
// owner brings it back; activating the owner does too, as every blocked
// window does (desktop/blocked_windows.h). Lives as long as the window.
class ModalWatch : public QObject {
public:
    ModalWatch(QWidget* window, std::function<void()> onHidden)
        : QObject(window), window_(window), owner_(desktop::ownerOf(window)), onHidden_(std::move(onHidden)) {
        window->installEventFilter(this);
        if (owner_) owner_->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_) {
            if (event->type() == QEvent::Hide && !window_->isVisible() && onHidden_) {
                desktop::modalWindowClosed(owner_);
                // Once only: a destroyed window is hidden on its way out too.
                std::exchange(onHidden_, {})();
            }
        } else if (watched == owner_ && event->type() == QEvent::WindowStateChange && !owner_->isMinimized() &&
                   window_->isMinimized()) {
            desktop::bringModalForward();
        }
        return false;
    }

private:
    QWidget* window_;  // this watch's parent
    QPointer<QWidget> owner_;
    std::function<void()> onHidden_;
};

void show(QWidget* window, std::function<void()> onHidden) {
    new ModalWatch(window, std::move(onHidden));
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    desktop::modalWindowShown(window);
}

}  // namespace

void openModal(QWidget* window) {
    show(window, [] {});
}

void showModal(QWidget* box, std::function<void()> closed) {
    if (!desktop::nestedWaits()) {
        show(box, std::move(closed));
        return;
    }
    QEventLoop loop;
    QPointer<QWidget> guard(box);
    QObject::connect(box, &QObject::destroyed, &loop, &QEventLoop::quit);
    show(box, [quit = QPointer<QEventLoop>(&loop)] {
        if (quit) quit->quit();
    });
    if (guard && box->isVisible()) loop.exec();
    closed();
}

}  // namespace widgets
