// SPDX-License-Identifier: MIT
#include "rules/level_def.h"

namespace rules {

LayoutEntry image(ControlRef ref, float left, float top, float width, float height,
                  const art::Picture& picture, bool visible) {
    LayoutEntry e{LayoutEntry::Kind::Image, ref, left, top, width, height};
    e.picture = &picture;
    e.visible = visible;
    return e;
}

LayoutEntry strip(ControlRef ref, float left, float top, float width, float height, Rgb colour) {
    LayoutEntry e{LayoutEntry::Kind::Strip, ref, left, top, width, height};
    e.backColor = colour;
    return e;
}

LayoutEntry line(ControlRef ref, float x1, float y1, float x2, float y2) {
    return LayoutEntry{LayoutEntry::Kind::Line, ref, x1, y1, x2, y2};
}

LayoutEntry captionStrip(ControlRef ref, float left, float top, float width, float height,
                         const char* caption, const char* fontName, int fontSize) {
    LayoutEntry e = strip(ref, left, top, width, height, kButtonFace);
    e.foreColor = kButtonText;
    e.caption = caption;
    e.fontName = fontName;
    e.fontSize = fontSize;
    return e;
}

}  // namespace rules
