// SPDX-License-Identifier: MIT
#include "rules/handlers.h"
#include "rules/runtime_error.h"

namespace rules {

namespace {

// Strictly inside: a corner on an edge is no hit.
bool cornerInside(const Image& turtle, const Image& vehicle) {
    return turtle.left() > vehicle.left() && add(vehicle.left(), vehicle.width()) > turtle.left() &&
           turtle.top() > vehicle.top() && add(vehicle.top(), vehicle.height()) > turtle.top();
}

void runOver(LevelControls& controls, const Image& vehicle, const TreadRule& rule, bool savePicture) {
    Image& turtle = controls.turtle;
    // A second hit in the same check must not save the dead picture as the live one.
    if (savePicture) controls.savedTurtle.setPicture(turtle.picture());
    turtle.setPicture(controls.deadTurtle.picture());
    controls.treadMark.setVisible(true);
    controls.treadMark.setLeft(rule.leftOfTurtle
                               ? add(add(turtle.left(), kTreadOverlap), -controls.image(rule.widthOf).width())
                               : turtle.left());
    controls.treadMark.setTop(vehicle.top());
    controls.collisionChecksOn = false;
    controls.field.setEnabled(false);
    controls.restartButton.setEnabled(true);
}

}  // namespace

// Tests the turtle's top-left corner against every hazard, then the goal
// line, then pulls a turtle that strayed off the field back to its edge.
void checkCollisions(LevelControls& controls, LevelHost& host) {
    Image& turtle = controls.turtle;
    bool hit = false;
    for (std::size_t i = 0; i < controls.def.hazards.size(); ++i) {
        const Image& vehicle = *controls.hazardVehicles[i];
        if (cornerInside(turtle, vehicle)) {
            runOver(controls, vehicle, controls.def.hazards[i].tread, !hit);
            hit = true;
        }
    }

    if (turtle.top() < controls.def.goalLine) {
        host.showMessage("Winner!", kPlainMessage, std::nullopt, [&controls, &host] {
            controls.collisionChecksOn = false;
            controls.field.setEnabled(false);
            controls.restartButton.setEnabled(true);
            host.closeWindow();
            host.openNextLevel();
        });
        return;  // the window closes once the box does: touch nothing of it again
    }

    if (turtle.left() < 0) turtle.setLeft(0);
    if (turtle.left() > controls.field.width()) turtle.setLeft(add(controls.field.width(), -turtle.width()));
    if (turtle.top() > controls.def.bottomLimit) turtle.setTop(controls.def.bottomLimit);
}

}  // namespace rules
