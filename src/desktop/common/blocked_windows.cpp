// SPDX-License-Identifier: MIT
// Blocked windows pass the focus on to the modal window.
#include "desktop/common/blocked_windows.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <vector>

namespace desktop {
namespace {

// Called whenever the focus moves, the window's or the widget's within it.
// Qt's Wayland plugin asks the compositor to activate the focus window each
// time, so the modal window is asked for after that, and once the window
// system has settled: the focus may be on its way to it already.
void passFocusOn() {
    static bool asking = false;
    if (asking || !blocked(QGuiApplication::focusWindow())) return;
    asking = true;
    QTimer::singleShot(0, qApp, [] {
        asking = false;
        if (blocked(QGuiApplication::focusWindow())) bringModalForward();
    });
}

}  // namespace

QWidget* ownerOf(const QWidget* window) {
    return window->parentWidget() ? window->parentWidget()->window() : nullptr;
}

bool blocked(const QWindow* window) {
    const QWidget* modal = QApplication::activeModalWidget();
    if (!window || !modal || !modal->isVisible() || !modal->windowHandle()) return false;
    const QWindow* modalWindow = modal->windowHandle();
    return window != modalWindow && !modalWindow->isAncestorOf(window, QWindow::IncludeTransients);
}

QWidget* raiseModal() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return nullptr;
    std::vector<QWidget*> owners;
    for (QWidget* window = modal; window; window = ownerOf(window)) owners.push_back(window);
    for (auto window = owners.rbegin(); window != owners.rend(); ++window)
        if ((*window)->isMinimized()) (*window)->showNormal();
    modal->raise();
    return modal;
}

void bringModalForward() {
    if (QWidget* modal = raiseModal()) modal->activateWindow();
}

void answerBlockedWindows() {
    QObject::connect(qApp, &QGuiApplication::focusObjectChanged, qApp, passFocusOn);
}

}  // namespace desktop
