// SPDX-License-Identifier: MIT
#include "engine/handlers.h"
#include "winsys/runtime_error.h"

namespace engine {

using winsys::add;

// Arrows move the turtle a full step with no edge test (the collision check
// pulls it back); P and Pause hold the level in a modal box. Modifiers are
// ignored, so Shift+Up and Ctrl+P act like Up and P.
void handleKey(LevelControls& controls, LevelHost& host, std::int16_t key, std::int16_t /*modifiers*/) {
    const float step = controls.def.keyStep;
    Image& turtle = controls.turtle;
    if (key == winsys::kKeyUp) {
        turtle.move(turtle.left(), add(turtle.top(), -step));
    } else if (key == winsys::kKeyDown) {
        turtle.move(turtle.left(), add(turtle.top(), step));
    } else if (key == winsys::kKeyRight) {
        turtle.move(add(turtle.left(), step), turtle.top());
    } else if (key == winsys::kKeyLeft) {
        turtle.move(add(turtle.left(), -step), turtle.top());
    } else if (key == winsys::kKeyP || key == winsys::kKeyPause) {
        host.showMessage("Paused", winsys::kInformationIcon, std::string(kProgramTitle));
    }
}

}  // namespace engine
