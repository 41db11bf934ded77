// SPDX-License-Identifier: MIT
// The page's layout as the page asks for it before Qt starts: built alone
// into page-layout.wasm, a module with no imports, so that the page sizes its
// desktop by the very code the game places its windows by. The answer's
// parts are read one by one, as a module without a heap hands out numbers
// only.
#include <emscripten/emscripten.h>

#include "desktop/web/page_layout.h"

namespace {
desktop::web::PageLayout chosen;
}

extern "C" {

// Returns the scale; the rest comes from plodway_layout_part().
EMSCRIPTEN_KEEPALIVE double plodway_choose_layout(int areaLeft, int areaTop, int areaWidth, int areaHeight, double dpr,
                                                  double forced, int menuWidth, int menuHeight, int levelWidth,
                                                  int levelHeight) {
    chosen = desktop::web::chooseLayout({areaLeft, areaTop, areaWidth, areaHeight}, dpr, forced,
                                        {menuWidth, menuHeight}, {levelWidth, levelHeight});
    return chosen.factor;
}

// 0 width, 1 height, 2 left, 3 top (CSS pixels), 4 stacked.
EMSCRIPTEN_KEEPALIVE int plodway_layout_part(int part) {
    const int parts[] = {chosen.width, chosen.height, chosen.left, chosen.top, chosen.stacked};
    return part >= 0 && part < 5 ? parts[part] : 0;
}
}
