// SPDX-License-Identifier: MIT
#include "winsys/modal.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <utility>

#include "desktop/blocked_windows.h"
#include "desktop/wayland_modal.h"

namespace winsys {
namespace {

bool inBrowser() { return QApplication::platformName() == QLatin1String("wasm"); }

// Ends the window's modal display once the program hides it. Minimising
// hides it too, but the window stays shown as far as the program is
// concerned, and the level must go on. A minimised modal window has no
// task-bar button of its own and its owner takes no input, so restoring the
// owner brings it back; activating the owner does too, as every blocked
// window does (desktop/blocked_windows.h). Lives as long as the window.
class ModalWatch : public QObject {
public:
    ModalWatch(QWidget* window, std::function<void()> onHidden)
        : QObject(window), window_(window),
          owner_(window->parentWidget() ? window->parentWidget()->window() : nullptr),
          onHidden_(std::move(onHidden)) {
        window->installEventFilter(this);
        if (owner_) owner_->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_) {
            if (event->type() == QEvent::Hide && !window_->isVisible() && onHidden_) {
                handBackKeyboard();
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
    // A desktop's window manager gives the keyboard back to the window
    // under the one that closed; in the browser no one does, and the keys
    // would go nowhere until a click. Checked once the closing handler has
    // returned: a win opens the next level in its place.
    void handBackKeyboard() {
        if (!inBrowser()) return;
        QTimer::singleShot(0, [owner = owner_] {
            QWidget* modal = QApplication::activeModalWidget();
            QWidget* next = modal ? modal : owner.data();
            if (next && next->isVisible() && !next->isMinimized()) next->activateWindow();
        });
    }

    QWidget* window_;  // this watch's parent
    QPointer<QWidget> owner_;
    std::function<void()> onHidden_;
};

void show(QWidget* window, std::function<void()> onHidden) {
    desktop::answerBlockedWindows();
    new ModalWatch(window, std::move(onHidden));
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    desktop::markModal(window);
}

}  // namespace

void openModal(QWidget* window) {
    show(window, [window] { window->deleteLater(); });
}

void showModal(QWidget* window) {
    QEventLoop loop;
    QPointer<QWidget> guard(window);
    QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
    show(window, [&loop] { loop.quit(); });
    if (guard && window->isVisible()) loop.exec();
    delete guard;
    // Qt 6.4 in the browser: once the wait has ended, posted events stay
    // undelivered (timers still fire) until events are processed from a
    // fresh stack, so the next level would never get the keyboard. One timer
    // does that.
    if (inBrowser()) QTimer::singleShot(1, [] { QCoreApplication::processEvents(); });
}

}  // namespace winsys
