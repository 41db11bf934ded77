// SPDX-License-Identifier: MIT
// plodway-page-facts: prints, as a JavaScript module, what the web page
// needs of the game before it starts and the names the two share: the
// menu's client size and the largest level's (the widest and the tallest
// over all levels), in game pixels, which the page's layout is chosen for;
// the frame Qt draws around a window in the browser, in CSS pixels, which
// the browser tests hold against the game's; the events the game and the
// page send each other; and the environment variables the page sets for the
// game. The web build's staging writes it into the site (web/stage.cmake).
#include <cstdio>

#include "app/menu_window.h"
#include "desktop/common/qt_scale.h"
#include "desktop/common/window_log.h"
#include "desktop/web/page_facts.h"
#include "rules/levels/levels.h"
#include "widgets/twips.h"

int main() {
    // Sized as the windows size themselves (pxSize).
    const QSize menu = widgets::pxSize(app::kMenuClientWidth, app::kMenuClientHeight);
    QSize level;
    for (int n = 1; n <= levels::kLevelCount; ++n) {
        const rules::LevelDef& def = levels::byNumber(n);
        level = level.expandedTo(widgets::pxSize(def.clientWidth, def.clientHeight));
    }
    namespace web = desktop::web;
    std::printf("// Made at staging by plodway-page-facts, from the game's own tables and names.\n"
                "export const menu = { width: %d, height: %d };\n"
                "export const level = { width: %d, height: %d };\n"
                "export const frame = { side: %d, top: %d, bottom: %d };\n"
                "export const events = { running: \"%s\", ended: \"%s\", playing: \"%s\", stopped: \"%s\", "
                "layout: \"%s\" };\n"
                "export const environment = { scale: \"%s\", windowLog: \"%s\" };\n",
                menu.width(), menu.height(), level.width(), level.height(), web::kFrameSide, web::kFrameTop,
                web::kFrameBottom, web::kRunningEvent, web::kEndedEvent, web::kPlayingEvent, web::kStoppedEvent,
                web::kLayoutEvent, desktop::kScaleVariable, desktop::kWindowLogVariable);
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
}
