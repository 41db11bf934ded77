// SPDX-License-Identifier: MIT
// The page (web/) shows the canvas once the menu is up, and offers to play
// again once it has closed: it hears both as events on its window.
#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <emscripten/emscripten.h>

#include "desktop/common/blocked_windows.h"
#include "desktop/web/page_facts.h"
#include "desktop/web/web_parts.h"

namespace desktop::web {
namespace {

void tellPage(const char* event) {
    emscripten_run_script(QByteArray("window.dispatchEvent(new Event('").append(event).append("'))").constData());
}

class PageEvents : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!watched->isWidgetType() || event->spontaneous()) return false;
        auto* window = static_cast<QWidget*>(watched);
        if (!window->isWindow()) return false;
        if (event->type() == QEvent::Show && recordMenu(menu_, window)) {
            tellPage(kRunningEvent);
        } else if (event->type() == QEvent::Hide && window == menu_) {
            tellPage(kEndedEvent);
        }
        return false;
    }

private:
    QPointer<QWidget> menu_;
};

}  // namespace

void tellPageOfTheMenu() { qApp->installEventFilter(new PageEvents(qApp)); }

bool recordMenu(QPointer<QWidget>& menu, QWidget* shown) {
    if (menu || ownerOf(shown)) return false;
    menu = shown;
    return true;
}

}  // namespace desktop::web
