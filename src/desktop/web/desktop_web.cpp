// SPDX-License-Identifier: MIT
// The desktop in a browser: all of the game's windows share one canvas,
// with no window manager to place them, to give the keyboard back, or to
// restore a minimised window.
#include <QApplication>
#include <QFont>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <emscripten.h>

#include "desktop/common/blocked_windows.h"
#include "desktop/common/window_log.h"
#include "desktop/desktop.h"
#include "desktop/web/web_parts.h"

namespace desktop {

// Qt's wasm platform is the only one there is.
void choosePlatform(int, char**) {}

void install() {
    // The desktop's text. Debian's Qt draws the game's in fontconfig's
    // default, DejaVu Sans at 9 points, lightly hinted (the pictures in
    // docs/screenshots record the face and size); Qt's wasm platform would
    // take Bitstream Vera Sans at 12, unhinted, and the menu's list would no
    // longer hold its names. DejaVu Sans comes built into that platform, so
    // the desktop's choice is made here, built in as the pictures are: at
    // its 96 dots an inch 9 points are 12 pixels, as on the desktop, and
    // vertical hinting is FreeType's light hinting, which draws the menu
    // pixel for pixel as docs/screenshots/menu.png shows it.
    QFont text(QStringLiteral("DejaVu Sans"), 9);
    text.setHintingPreference(QFont::PreferVerticalHinting);
    QApplication::setFont(text);
    // Closing the menu ends the game. Left to Qt 6.4, the program would
    // quit with its last window, and in the browser that ends in "memory
    // access out of bounds" before aboutToQuit is even emitted: so the
    // program stays, windowless, and the page hears of the end.
    qApp->setQuitOnLastWindowClosed(false);
    answerBlockedWindows();
    web::placeWindows();
    web::deliverMouseInClientAreas();
    web::tellPageOfTheMenu();
    web::followPageLayout();
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

bool nestedWaits() { return false; }

// Emscripten ends the running call here and returns to the browser, which
// goes on delivering events to the program.
void leaveHandler() { emscripten_exit_with_live_runtime(); }

}  // namespace desktop
