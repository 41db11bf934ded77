// SPDX-License-Identifier: MIT
// On X11, Qt holds a changed icon back until other traffic goes out, and a
// full sync to send it would also wait for the X server. So the connection
// is flushed instead. And the X server tells every client that watches the
// window's properties of the change, Qt too, whose event thread then wakes
// the main thread for nothing: per blink three wake-ups instead of one. So
// for the moment of the change Qt's connection stops watching them, under a
// server grab, so that no other change (the window manager's WM_STATE when
// the window is minimised) goes unseen. On Wayland the icon goes out as set.
#include <QGuiApplication>
#include <QIcon>
#include <QWidget>
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>

#include "desktop/desktop.h"

namespace desktop {
namespace {

// The events Qt's connection selects on the window, asked once per window:
// asking again would wait for the X server on every blink.
std::uint32_t selectedEvents(xcb_connection_t* connection, xcb_window_t window) {
    static xcb_window_t asked = XCB_NONE;
    static std::uint32_t events = 0;
    if (window != asked) {
        auto* reply = xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, window),
                                                      nullptr);
        events = reply ? reply->your_event_mask : 0;
        asked = reply ? window : XCB_NONE;
        std::free(reply);
    }
    return events;
}

}  // namespace

void setIconNow(QWidget* window, const QIcon& icon) {
    // Asked of another platform, Qt 6.4 does not answer null but crashes.
    auto* x11 = QGuiApplication::platformName() == QLatin1String("xcb")
                    ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                    : nullptr;
    if (x11 && window->testAttribute(Qt::WA_WState_Created)) {
        xcb_connection_t* connection = x11->connection();
        const auto id = xcb_window_t(window->winId());
        const std::uint32_t events = selectedEvents(connection, id);
        if (events & XCB_EVENT_MASK_PROPERTY_CHANGE) {
            const std::uint32_t quiet = events & ~std::uint32_t(XCB_EVENT_MASK_PROPERTY_CHANGE);
            xcb_grab_server(connection);
            xcb_change_window_attributes(connection, id, XCB_CW_EVENT_MASK, &quiet);
            window->setWindowIcon(icon);
            xcb_change_window_attributes(connection, id, XCB_CW_EVENT_MASK, &events);
            xcb_ungrab_server(connection);
        } else {
            window->setWindowIcon(icon);
        }
        xcb_flush(connection);
        return;
    }
    window->setWindowIcon(icon);
}

}  // namespace desktop
