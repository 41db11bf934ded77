#include "engine/handlers.h"
#include "winsys/runtime_error.h"

namespace engine {

using winsys::add;

// Arrows move the turtle a full step with no edge test (the collision tick
// pulls it back); P and Pause hold the level in a modal box. Modifiers are
// ignored, so Shift+Up and Ctrl+P act like Up and P.
void Picture1_KeyDown(LevelForm& f, LevelHost& host, std::int16_t KeyCode, std::int16_t /*Shift*/) {
    const float step = f.def.keyStep;
    Image& T = f.imgTurtle;
    if (KeyCode == vbKeyUp) {
        T.move(T.left(), add(T.top(), -step));
    } else if (KeyCode == vbKeyDown) {
        T.move(T.left(), add(T.top(), step));
    } else if (KeyCode == vbKeyRight) {
        T.move(add(T.left(), step), T.top());
    } else if (KeyCode == vbKeyLeft) {
        T.move(add(T.left(), -step), T.top());
    } else if (KeyCode == vbKeyP || KeyCode == vbKeyPause) {
        host.MsgBox("Paused", vbInformation + vbOKOnly, std::string(kProgramTitle));
    }
}

}  // namespace engine
