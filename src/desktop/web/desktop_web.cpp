// SPDX-License-Identifier: MIT
// The desktop in a browser: all of the game's windows share one canvas,
// with no window manager to place them, to give the keyboard back, or to
// restore a minimised window.
#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "desktop/blocked_windows.h"
#include "desktop/desktop.h"
#include "desktop/web/web_parts.h"
#include "desktop/window_log.h"

namespace desktop {

// Qt's wasm platform is the only one there is.
void choosePlatform(int, char**) {}

void install() {
    // Closing the menu ends the game. Left to Qt 6.4, the program would
    // quit with its last window, and in the browser that ends in "memory
    // access out of bounds" before aboutToQuit is even emitted: so the
    // program stays, windowless, and the page hears of the end.
    qApp->setQuitOnLastWindowClosed(false);
    answerBlockedWindows();
    web::placeWindows();
    web::tellPageOfTheMenu();
    // Last, so that it is asked first: a window is logged as shown before
    // it is logged as placed.
    startWindowLog();
}

void modalWindowShown(QWidget*) {}

// No one gives the keyboard back to the window under the one that closed,
// and the keys would go nowhere until a click. Checked once the closing
// handler has returned: a win opens the next level in its place.
void modalWindowClosed(QWidget* owner) {
    QTimer::singleShot(0, [owner = QPointer<QWidget>(owner)] {
        QWidget* modal = QApplication::activeModalWidget();
        QWidget* next = modal ? modal : owner.data();
        if (next && next->isVisible() && !next->isMinimized()) next->activateWindow();
    });
}

// Qt 6.4 in the browser: once a nested wait has ended, posted events stay
// undelivered (timers still fire) until events are processed from a fresh
// stack, so the next level would never get the keyboard. One timer does that.
void nestedWaitEnded() {
    QTimer::singleShot(1, [] { QCoreApplication::processEvents(); });
}

}  // namespace desktop
