// SPDX-License-Identifier: MIT
#include "rules/level_controls.h"

#include <cstring>

#include "rules/runtime_error.h"

namespace rules {
namespace {

using Kind = LayoutEntry::Kind;

std::deque<Image> buildImages(const LevelDef& def, Revision& revision) {
    std::deque<Image> images;
    for (const LayoutEntry& e : def.layout)
        if (e.kind == Kind::Image)
            images.emplace_back(revision, e.ref, e.left, e.top, e.picture, e.visible);
    return images;
}

std::deque<Label> buildLabels(const LevelDef& def, Revision& revision) {
    std::deque<Label> labels;
    for (const LayoutEntry& e : def.layout) {
        if (e.kind != Kind::Strip) continue;
        Label& l = labels.emplace_back(revision, e.ref);
        l.left = e.left, l.top = e.top, l.width = e.width, l.height = e.height;
        l.backColor = e.backColor, l.foreColor = e.foreColor;
        l.caption = e.caption, l.fontName = e.fontName, l.fontSize = e.fontSize;
    }
    return labels;
}

std::deque<Line> buildLines(const LevelDef& def, Revision& revision) {
    std::deque<Line> lines;
    for (const LayoutEntry& e : def.layout) {
        if (e.kind != Kind::Line) continue;
        Line& l = lines.emplace_back(revision, e.ref);
        l.x1 = e.left, l.y1 = e.top, l.x2 = e.width, l.y2 = e.height;
    }
    return lines;
}

Image& find(std::deque<Image>& images, const ControlRef& ref) {
    for (Image& i : images)
        if (std::strcmp(i.ref().name, ref.name) == 0 && i.ref().index == ref.index) return i;
    throw RuntimeError(340, "Control array element '" + ref.text() + "' doesn't exist");
}

// Layout lists topmost first; painting wants bottom first.
std::vector<Drawable> buildPaintOrder(const LevelDef& def, const std::deque<Image>& images,
                                             const std::deque<Label>& labels,
                                             const std::deque<Line>& lines) {
    std::vector<Drawable> order;
    auto image = images.begin();
    auto label = labels.begin();
    auto line = lines.begin();
    for (const LayoutEntry& e : def.layout) {
        switch (e.kind) {
            case Kind::Image: order.emplace_back(&*image++); break;
            case Kind::Strip: order.emplace_back(&*label++); break;
            case Kind::Line: order.emplace_back(&*line++); break;
        }
    }
    return {order.rbegin(), order.rend()};
}

}  // namespace

LevelControls::LevelControls(const LevelDef& def)
    : def(def),
      images(buildImages(def, revision)),
      labels(buildLabels(def, revision)),
      lines(buildLines(def, revision)),
      field(def.fieldWidth, def.fieldHeight, def.fieldBackColor),
      restartButton("Restart", def.buttonEnabledAtLoad),
      trafficTimer(def.trafficInterval),
      turtle(find(images, {"turtle"})),
      savedTurtle(find(images, {"savedTurtle"})),
      deadTurtle(find(images, {"deadTurtle"})),
      treadMark(find(images, {"treadMark"})) {
    for (const TrafficRow& row : def.traffic) trafficVehicles.push_back(&image(row.vehicle));
    for (const HazardRow& row : def.hazards) hazardVehicles.push_back(&image(row.vehicle));
    paintOrder_ = buildPaintOrder(def, images, labels, lines);
}

Image& LevelControls::image(const ControlRef& ref) { return find(images, ref); }

}  // namespace rules
