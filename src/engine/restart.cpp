// SPDX-License-Identifier: MIT
#include "engine/handlers.h"

namespace engine {

// Brings a run-over turtle back alive on the restart row, in the column it
// died in. The traffic is left alone: it keeps the places it has reached.
void restartTurtle(LevelForm& form) {
    form.restartButton.setEnabled(false);
    form.turtle.setTop(form.def.restartTop);
    form.turtle.setPicture(form.savedTurtle.picture());
    form.collisionChecksOn = true;
    form.field.setEnabled(true);
    form.treadMark.setVisible(false);
    form.field.setFocus();
}

}  // namespace engine
