// SPDX-License-Identifier: MIT
// plodway-web-layout: prints, as JSON, the numbers the web page sizes its
// desktop by before the game starts: the menu's client size and the largest
// level's (the widest and the tallest over all levels), in game pixels; the
// margin around the windows and the gap between them, in game pixels; and
// the frame Qt draws around a window in the browser, in CSS pixels. The web
// build's staging fills them into the page (web/CMakeLists.txt).
#include <algorithm>
#include <cstdio>

#include "app/menu_window.h"
#include "desktop/web/web_layout.h"
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
    std::printf("{\"menu\": {\"width\": %d, \"height\": %d}, \"level\": {\"width\": %d, \"height\": %d}, "
                "\"margin\": %d, \"gap\": %d, \"frame\": {\"side\": %d, \"top\": %d, \"bottom\": %d}}\n",
                menu.width(), menu.height(), level.width(), level.height(), web::kMargin, web::kGap,
                web::kFrameSide, web::kFrameTop, web::kFrameBottom);
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
}
