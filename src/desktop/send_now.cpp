// SPDX-License-Identifier: MIT
// Flushes Qt's X11 connection; elsewhere requests go out as they are made.
#include "desktop/send_now.h"

#if PLODWAY_HAVE_XCB
#include <QGuiApplication>
#include <xcb/xcb.h>
#endif

namespace desktop {

void sendNow() {
#if PLODWAY_HAVE_XCB
    // Asked of another platform, Qt 6.4 does not answer null but crashes.
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
    if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) xcb_flush(x11->connection());
#endif
}

}  // namespace desktop
