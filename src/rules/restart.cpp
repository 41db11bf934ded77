// SPDX-License-Identifier: MIT
#include "rules/handlers.h"

namespace rules {

// Brings a run-over turtle back alive on the restart row, in the column it
// died in. The traffic is left alone: it keeps the places it has reached.
void restartTurtle(LevelControls& controls) {
    controls.restartButton.setEnabled(false);
    controls.turtle.setTop(controls.def.restartTop);
    controls.turtle.setPicture(controls.savedTurtle.picture());
    controls.collisionChecksOn = true;
    controls.field.setEnabled(true);
    controls.treadMark.setVisible(false);
    controls.field.setFocus();
}

}  // namespace rules
