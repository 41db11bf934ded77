// SPDX-License-Identifier: MIT
// The page lays itself out again as the screen turns or the browser's
// window is resized or zoomed: it sizes the canvas anew and tells the game
// its new scale (kLayoutEvent). The game follows at once, before the next
// frame: Qt's scale becomes the new one, its screen the canvas as it now
// is, and every window is placed again.
#include <QByteArray>
#include <QtGlobal>
#include <QtGui/private/qhighdpiscaling_p.h>
#include <emscripten/bind.h>
#include <emscripten/val.h>
#include <qpa/qwindowsysteminterface.h>

#include "desktop/common/qt_scale.h"
#include "desktop/web/page_facts.h"
#include "desktop/web/web_parts.h"

namespace desktop::web {
namespace {

using emscripten::val;

QtMessageHandler shownOnwards = nullptr;

// Qt warns that its scale should change only while no window exists: here
// every window is placed again at the new scale straight after.
void withoutScaleWarning(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (!text.startsWith(QLatin1String("QHighDpiScaling::setFactor"))) shownOnwards(type, context, text);
}

void layOutAgain(val event) {
    const double factor = event["detail"].as<double>();
    if (!(factor > 0)) return;
    // Qt's scale, and the variable that told it the first one, which the
    // game reads the scale by (qt_scale.h).
    qputenv(kScaleVariable, QByteArray::number(factor, 'g', 17));
    shownOnwards = qInstallMessageHandler(withoutScaleWarning);
    QHighDpiScaling::setGlobalFactor(factor);
    qInstallMessageHandler(shownOnwards);
    // Qt would see the canvas's new size only as the browser next lays out.
    val::module_property("qtResizeAllScreens")(val::null());
    QWindowSystemInterface::flushWindowSystemEvents();
    placeWindowsAgain();
}

}  // namespace

void followPageLayout() {
    val::global("window").call<void>("addEventListener", val(kLayoutEvent), val::module_property("plodwayLayOutAgain"));
}

}  // namespace desktop::web

EMSCRIPTEN_BINDINGS(plodway_layout) { emscripten::function("plodwayLayOutAgain", &desktop::web::layOutAgain); }
