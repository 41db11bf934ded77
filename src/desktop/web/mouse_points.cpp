// SPDX-License-Identifier: MIT
// Qt 6.4 in the browser finds the window under the mouse in CSS pixels but
// then holds the point against the window's place in game pixels: at any
// scale but one CSS pixel per game pixel (the page's QT_SCALE_FACTOR), a
// click in a window lands elsewhere in it or nowhere, and its close box
// answers none. So the mouse over a window's client area is delivered from
// here, in CSS pixels, which Qt turns into game pixels itself, and a click
// on a close box closes the window here; the rest of a title bar stays Qt's.
#include <QGuiApplication>
#include <QPointer>
#include <QWindow>
#include <emscripten/bind.h>
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>
#include <emscripten/val.h>
#include <qpa/qplatformscreen.h>
#include <qpa/qplatformwindow.h>
#include <qpa/qwindowsysteminterface.h>

#include <string>

#include "desktop/web/web_parts.h"

namespace desktop::web {
namespace {

using emscripten::val;

QPointer<QWindow> pressedIn;
QPointer<QWindow> closeBoxPressedIn;

// The modal window where it is under the point, else the one window there:
// the game's windows overlap only where a box covers its owner.
QWindow* clientAreaAt(const QPoint& point) {
    QWindow* modal = QGuiApplication::modalWindow();
    QWindow* found = nullptr;
    for (QWindow* window : QGuiApplication::topLevelWindows()) {
        if (!window->isVisible() || !window->handle() || !window->handle()->geometry().contains(point)) continue;
        if (window == modal) return window;
        found = window;
    }
    return found;
}

// Where Qt draws a window's close box, in CSS pixels: a square at the right
// end of the title bar, which lies a border's width inside the frame.
QRect closeBoxOf(const QWindow* window) {
    const QRect client = window->handle()->geometry();
    const QMargins frame = window->handle()->frameMargins();
    const int border = frame.left(), titleHeight = frame.top() - 2 * border;
    if (titleHeight <= 0) return {};
    const int side = titleHeight - 4, right = client.right() + frame.right() - border;
    return QRect(right - side - 2, client.top() - frame.top() + border + 2, side, side);
}

// The close box under the point of the window that would take a click:
// the modal one while there is one.
QWindow* closeBoxAt(const QPoint& point) {
    QWindow* modal = QGuiApplication::modalWindow();
    for (QWindow* window : QGuiApplication::topLevelWindows()) {
        if (!window->isVisible() || !window->handle() || (modal && window != modal)) continue;
        if (closeBoxOf(window).contains(point)) return window;
    }
    return nullptr;
}

// A press and a release on the same close box close its window.
bool clickCloseBox(const std::string& type, const QPoint& point) {
    if (type == "pointerdown") {
        closeBoxPressedIn = closeBoxAt(point);
        if (closeBoxPressedIn) closeBoxPressedIn->requestActivate();
        return closeBoxPressedIn;
    }
    if (!closeBoxPressedIn) return false;
    if (type == "pointerup") {
        QPointer<QWindow> window = closeBoxPressedIn;
        closeBoxPressedIn.clear();
        if (closeBoxOf(window).contains(point)) window->close();
    }
    return true;
}

Qt::MouseButton buttonOf(int button) {
    switch (button) {
    case 0: return Qt::LeftButton;
    case 1: return Qt::MiddleButton;
    case 2: return Qt::RightButton;
    default: return Qt::NoButton;
    }
}

Qt::MouseButtons buttonsOf(int buttons) {
    Qt::MouseButtons held;
    if (buttons & 1) held |= Qt::LeftButton;
    if (buttons & 2) held |= Qt::RightButton;
    if (buttons & 4) held |= Qt::MiddleButton;
    return held;
}

Qt::KeyboardModifiers modifiersOf(const val& event) {
    Qt::KeyboardModifiers held;
    if (event["shiftKey"].as<bool>()) held |= Qt::ShiftModifier;
    if (event["ctrlKey"].as<bool>()) held |= Qt::ControlModifier;
    if (event["altKey"].as<bool>()) held |= Qt::AltModifier;
    if (event["metaKey"].as<bool>()) held |= Qt::MetaModifier;
    return held;
}

void deliverMouse(val event) {
    if (event["pointerType"].as<std::string>() != "mouse") return;
    QWindow* any = QGuiApplication::focusWindow();
    if (!any && !QGuiApplication::topLevelWindows().isEmpty()) any = QGuiApplication::topLevelWindows().first();
    if (!any || !any->screen() || event["target"]["tagName"].as<std::string>() != "CANVAS") return;
    const std::string type = event["type"].as<std::string>();
    const QPoint point = any->screen()->handle()->geometry().topLeft() +
                         QPoint(event["offsetX"].as<int>(), event["offsetY"].as<int>());
    const bool leftOrNoPress = type != "pointerdown" || event["button"].as<int>() == 0;
    if (!pressedIn && leftOrNoPress && clickCloseBox(type, point)) {
        event.call<void>("stopImmediatePropagation");
        return;
    }
    QWindow* target = pressedIn ? pressedIn.data() : clientAreaAt(point);
    if (!target) return;
    event.call<void>("stopImmediatePropagation");
    QEvent::Type kind = QEvent::MouseMove;
    if (type == "pointerdown") {
        kind = QEvent::MouseButtonPress;
        pressedIn = target;
        target->requestActivate();
    } else if (type == "pointerup") {
        kind = QEvent::MouseButtonRelease;
        if (event["buttons"].as<int>() == 0) pressedIn.clear();
    }
    const QPoint local = point - target->handle()->geometry().topLeft();
    QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::SynchronousDelivery>(
        target, static_cast<ulong>(emscripten_performance_now()), local, point, buttonsOf(event["buttons"].as<int>()),
        kind == QEvent::MouseMove ? Qt::NoButton : buttonOf(event["button"].as<int>()), kind, modifiersOf(event));
}

}  // namespace

// Heard before Qt's own listeners on the canvas, which the events it takes
// then never reach.
void deliverMouseInClientAreas() {
    const val listener = val::module_property("plodwayDeliverMouse");
    val window = val::global("window");
    for (const char* type : {"pointerdown", "pointermove", "pointerup"})
        window.call<void>("addEventListener", val(type), listener, val(true));
}

}  // namespace desktop::web

EMSCRIPTEN_BINDINGS(plodway_mouse) { emscripten::function("plodwayDeliverMouse", &desktop::web::deliverMouse); }
