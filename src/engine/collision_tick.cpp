// SPDX-License-Identifier: MIT
#include "engine/handlers.h"
#include "winsys/runtime_error.h"

namespace engine {

using winsys::add;

namespace {

// Strictly inside: a corner on an edge is no hit.
bool cornerInside(const Image& turtle, const Image& vehicle) {
    return turtle.left() > vehicle.left() && add(vehicle.left(), vehicle.width()) > turtle.left() &&
           turtle.top() > vehicle.top() && add(vehicle.top(), vehicle.height()) > turtle.top();
}

void runOver(LevelForm& form, const Image& vehicle, const TreadRule& rule, bool savePicture) {
    Image& turtle = form.turtle;
    // A second hit in the same check must not save the dead picture as the live one.
    if (savePicture) form.savedTurtle.setPicture(turtle.picture());
    turtle.setPicture(form.deadTurtle.picture());
    form.treadMark.setVisible(true);
    form.treadMark.setLeft(rule.leftOfTurtle
                               ? add(add(turtle.left(), kTreadOverlap), -form.image(rule.widthOf).width())
                               : turtle.left());
    form.treadMark.setTop(vehicle.top());
    form.collisionChecksOn = false;
    form.field.setEnabled(false);
    form.restartButton.setEnabled(true);
}

}  // namespace

// Tests the turtle's top-left corner against every hazard, then the goal
// line, then pulls a turtle that strayed off the field back to its edge.
void checkCollisions(LevelForm& form, LevelHost& host) {
    Image& turtle = form.turtle;
    bool hit = false;
    for (std::size_t i = 0; i < form.def.hazards.size(); ++i) {
        const Image& vehicle = *form.hazardVehicles[i];
        if (cornerInside(turtle, vehicle)) {
            runOver(form, vehicle, form.def.hazards[i].tread, !hit);
            hit = true;
        }
    }

    if (turtle.top() < form.def.goalLine) {
        host.showMessage("Winner!", winsys::kPlainMessage, std::nullopt);
        form.collisionChecksOn = false;
        form.field.setEnabled(false);
        form.restartButton.setEnabled(true);
        host.closeWindow();
        host.openNextLevel();
        return;  // the window is closed: touch nothing of it again
    }

    if (turtle.left() < 0) turtle.setLeft(0);
    if (turtle.left() > form.field.width()) turtle.setLeft(add(form.field.width(), -turtle.width()));
    if (turtle.top() > form.def.bottomLimit) turtle.setTop(form.def.bottomLimit);
}

}  // namespace engine
