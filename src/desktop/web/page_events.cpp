// SPDX-License-Identifier: MIT
// The page (web/) shows the canvas once the menu is up, and offers to play
// again once it has closed; it pauses a level that plays as it is hidden,
// and offers touch a pause control meanwhile: it hears all as events on
// its window.
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QTimer>
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
    explicit PageEvents(QObject* parent) : QObject(parent) {
        // Looked at once the window that showed or hid is (or is no longer)
        // the modal one, which Qt records only after its Show event and
        // before its Hide event.
        lookAtPlay_.setSingleShot(true);
        lookAtPlay_.setInterval(1);
        connect(&lookAtPlay_, &QTimer::timeout, this, &PageEvents::tellOfPlay);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!watched->isWidgetType() || event->spontaneous()) return false;
        auto* window = static_cast<QWidget*>(watched);
        if (!window->isWindow()) return false;
        if (event->type() == QEvent::Show && recordMenu(menu_, window)) {
            tellPage(kRunningEvent);
        } else if (event->type() == QEvent::Hide && window == menu_) {
            tellPage(kEndedEvent);
        }
        if (event->type() == QEvent::Show || event->type() == QEvent::Hide) lookAtPlay_.start();
        return false;
    }

private:
    // A level plays while it is the modal window on top: no box over it.
    bool levelPlays() const {
        QWidget* modal = QApplication::activeModalWidget();
        return modal && modal != menu_ && !qobject_cast<QDialog*>(modal);
    }

    void tellOfPlay() {
        if (levelPlays() == playing_) return;
        playing_ = !playing_;
        tellPage(playing_ ? kPlayingEvent : kStoppedEvent);
    }

    QPointer<QWidget> menu_;
    QTimer lookAtPlay_;
    bool playing_ = false;
};

}  // namespace

void tellPageOfTheMenu() { qApp->installEventFilter(new PageEvents(qApp)); }

bool recordMenu(QPointer<QWidget>& menu, QWidget* shown) {
    if (menu || ownerOf(shown)) return false;
    menu = shown;
    return true;
}

}  // namespace desktop::web
