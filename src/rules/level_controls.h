// SPDX-License-Identifier: MIT
// A level window's controls, created afresh from the level's layout at every
// opening. The play state lives only in these controls' properties.
#pragma once

#include <deque>
#include <vector>

#include "rules/controls.h"
#include "rules/level_def.h"

namespace rules {

class LevelControls {
public:
    explicit LevelControls(const LevelDef& def);
    LevelControls(const LevelControls&) = delete;
    LevelControls& operator=(const LevelControls&) = delete;

    const LevelDef& def;
    Revision revision;

    std::deque<Image> images;
    std::deque<Label> labels;
    std::deque<Line> lines;

    PictureBox field;
    Button restartButton;
    Timer trafficTimer;
    // While on (the turtle is alive), the window checks for collisions after
    // every event.
    bool collisionChecksOn = true;

    Image& turtle;
    Image& savedTurtle;  // hidden; holds the live picture while the turtle lies dead
    Image& deadTurtle;   // hidden; the picture a run-over turtle takes
    Image& treadMark;

    // A control of the layout by name and index; a missing one is a
    // run-time error, as addressing an absent control was on the platform.
    Image& image(const ControlRef& ref);

    // The field's controls bottom first, the order they are painted in.
    const std::vector<Drawable>& paintOrder() const { return paintOrder_; }

    // The vehicles of the traffic and hazard tables, resolved once.
    std::vector<Image*> trafficVehicles;
    std::vector<Image*> hazardVehicles;

private:
    std::vector<Drawable> paintOrder_;
};

}  // namespace rules
