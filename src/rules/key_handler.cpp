// SPDX-License-Identifier: MIT
#include "rules/handlers.h"
#include "rules/runtime_error.h"

namespace rules {

// Arrows move the turtle a full step with no edge test (the collision check
// pulls it back); P and Pause hold the level in a modal box. Modifiers are
// ignored, so Shift+Up and Ctrl+P act like Up and P.
void handleKey(LevelControls& controls, LevelHost& host, std::int16_t key, std::int16_t /*modifiers*/) {
    const float step = controls.def.keyStep;
    Image& turtle = controls.turtle;
    if (key == kKeyUp) {
        turtle.move(turtle.left(), add(turtle.top(), -step));
    } else if (key == kKeyDown) {
        turtle.move(turtle.left(), add(turtle.top(), step));
    } else if (key == kKeyRight) {
        turtle.move(add(turtle.left(), step), turtle.top());
    } else if (key == kKeyLeft) {
        turtle.move(add(turtle.left(), -step), turtle.top());
    } else if (key == kKeyP || key == kKeyPause) {
        host.showMessage("Paused", kInformationIcon, std::string(kProgramTitle), [] {});
    }
}

}  // namespace rules
