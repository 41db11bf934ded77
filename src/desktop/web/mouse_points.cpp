// SPDX-License-Identifier: MIT
// Qt 6.4 in the browser finds the window under the mouse in CSS pixels but
// then holds the point against the window's place in game pixels: at any
// scale but one CSS pixel per game pixel (the page's QT_SCALE_FACTOR), a
// click in a window lands elsewhere in it or nowhere. So the mouse over a
// window's client area is delivered from here, in CSS pixels, which Qt turns
// into game pixels itself; title bars, which Qt gets right, stay Qt's.
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
