// SPDX-License-Identifier: MIT
// On X11 a close request to a blocked window is refused with the bell.
// Elsewhere the window system activates a window before its close box
// works, and blocked_windows.cpp passes that activation on.
#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QWidget>
#include <QWindow>
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "desktop/common/blocked_windows.h"
#include "desktop/linux/x11.h"

namespace desktop {
namespace {

// The window manager's close request, a WM_DELETE_WINDOW message, is
// refused with the bell. The modal window is activated with the time of the
// request, the player's click: window managers refuse an activation older
// than the player's last action elsewhere, and Qt's idea of the time may be.
class X11CloseRequests : public QAbstractNativeEventFilter {
public:
    explicit X11CloseRequests(xcb_connection_t* connection)
        : connection_(connection), protocols_(atom("WM_PROTOCOLS")), deleteWindow_(atom("WM_DELETE_WINDOW")),
          activeWindow_(atom("_NET_ACTIVE_WINDOW")) {}

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE) return false;
        const auto* request = static_cast<const xcb_client_message_event_t*>(message);
        if (request->type != protocols_ || request->data.data32[0] != deleteWindow_) return false;
        for (const QWindow* window : QGuiApplication::topLevelWindows()) {
            if (!window->handle() || window->winId() != request->window) continue;
            if (!blocked(window)) return false;
            QApplication::beep();
            if (QWidget* modal = raiseModal()) activate(modal->winId(), request->data.data32[1]);
            return true;
        }
        return false;
    }

private:
    xcb_atom_t atom(const char* name) const {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            connection_, xcb_intern_atom(connection_, 0, std::uint16_t(std::strlen(name)), name), nullptr);
        const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        return atom;
    }

    void activate(WId window, std::uint32_t time) const {
        xcb_client_message_event_t request{};
        request.response_type = XCB_CLIENT_MESSAGE;
        request.format = 32;
        request.window = xcb_window_t(window);
        request.type = activeWindow_;
        request.data.data32[0] = 1;  // from an application
        request.data.data32[1] = time;
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        xcb_send_event(connection_, 0, root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&request));
        xcb_flush(connection_);
    }

    xcb_connection_t* connection_;
    xcb_atom_t protocols_, deleteWindow_, activeWindow_;
};

}  // namespace

void answerX11CloseRequests() {
    // Qt's offscreen and Wayland platforms answer too, without a connection.
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection()) return;
    static X11CloseRequests filter(x11->connection());
    qApp->installNativeEventFilter(&filter);
}

}  // namespace desktop
