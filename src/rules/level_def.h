// SPDX-License-Identifier: MIT
// The tables that make a level: its window, its layout (topmost control
// first) and its traffic and hazard rules. Each level's folder fills one in.
#pragma once

#include <cstdint>
#include <vector>

#include "rules/controls.h"

namespace rules {

// One control of the play field's layout.
struct LayoutEntry {
    enum class Kind : std::uint8_t { Image, Strip, Line };
    Kind kind;
    ControlRef ref;
    float left, top, width, height;  // lines: x1, y1, x2, y2
    const art::Picture* picture = nullptr;
    bool visible = true;
    Rgb backColor = 0;
    Rgb foreColor = 0;
    const char* caption = "";
    const char* fontName = "";
    int fontSize = 0;
};

LayoutEntry image(ControlRef ref, float left, float top, float width, float height,
                  const art::Picture& picture, bool visible = true);
LayoutEntry strip(ControlRef ref, float left, float top, float width, float height, Rgb colour);
LayoutEntry line(ControlRef ref, float x1, float y1, float x2, float y2);
// A strip in the label colours whose caption is set in the given font.
LayoutEntry captionStrip(ControlRef ref, float left, float top, float width, float height,
                         const char* caption, const char* fontName, int fontSize);

// A vehicle in the traffic tick. The step is signed: negative drives left.
// Leftwards: gone when left < threshold, re-enters at W + reentry.
// Rightwards: gone when left > W + threshold, re-enters at reentry.
struct TrafficRow {
    ControlRef vehicle;
    float step;
    float threshold;
    float reentry;
};

// Where the tread mark goes when a hazard runs the turtle over: at the
// turtle's left edge, or ending 150 twips right of it for vehicles driving
// left, i.e. the turtle's left + 150 - the width of the named control.
struct TreadRule {
    bool leftOfTurtle = false;
    ControlRef widthOf{""};
};
inline constexpr float kTreadOverlap = 150;

struct HazardRow {
    ControlRef vehicle;
    TreadRule tread;
};

struct LevelDef {
    const char* windowName;  // the window's object name: level1 ...
    const char* caption;
    float clientWidth, clientHeight;
    float fieldWidth, fieldHeight;
    Rgb fieldBackColor;  // kAppWorkspace for the platform's workspace colour
    float buttonLeft, buttonTop, buttonWidth, buttonHeight;
    bool buttonEnabledAtLoad;
    std::vector<LayoutEntry> layout;  // topmost first

    float keyStep;
    float restartTop;
    float bottomLimit;
    float goalLine;
    int trafficInterval;  // ms
    std::vector<TrafficRow> traffic;  // move and wrap order
    std::vector<HazardRow> hazards;   // hit test order
};

}  // namespace rules
