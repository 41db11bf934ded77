#include "engine/handlers.h"
#include "winsys/runtime_error.h"

namespace engine {

using winsys::add;

namespace {

// Strictly inside: a corner on an edge is no hit.
bool cornerInside(const Image& T, const Image& V) {
    return T.left() > V.left() && add(V.left(), V.width()) > T.left() &&
           T.top() > V.top() && add(V.top(), V.height()) > T.top();
}

void runOver(LevelForm& f, const Image& V, const TreadRule& rule, bool savePicture) {
    Image& T = f.imgTurtle;
    // A second hit in the same tick must not save the dead picture as the live one.
    if (savePicture) f.imgTemp.setPicture(T.picture());
    T.setPicture(f.imgTurtleDead.picture());
    f.imgTread.setVisible(true);
    f.imgTread.setLeft(rule.leftOfTurtle
                           ? add(add(T.left(), kTreadOverlap), -f.image(rule.widthOf).width())
                           : T.left());
    f.imgTread.setTop(V.top());
    f.Timer2.setEnabled(false);
    f.Picture1.setEnabled(false);
    f.cmdNewGame.setEnabled(true);
}

}  // namespace

// Tests the turtle's top-left corner against every hazard, then the goal
// line, then pulls a turtle that strayed off the field back to its edge.
void Timer2_Timer(LevelForm& f, LevelHost& host) {
    Image& T = f.imgTurtle;
    bool hit = false;
    for (std::size_t i = 0; i < f.def.hazards.size(); ++i) {
        const Image& V = *f.hazardVehicles[i];
        if (cornerInside(T, V)) {
            runOver(f, V, f.def.hazards[i].tread, !hit);
            hit = true;
        }
    }

    if (T.top() < f.def.goalLine) {
        host.MsgBox("Winner!", vbOKOnly, std::nullopt);
        f.Timer2.setEnabled(false);
        f.Picture1.setEnabled(false);
        f.cmdNewGame.setEnabled(true);
        host.Unload();
        host.ChangeLevel();
        return;  // the window is closed: touch nothing of it again
    }

    if (T.left() < 0) T.setLeft(0);
    if (T.left() > f.Picture1.width()) T.setLeft(add(f.Picture1.width(), -T.width()));
    if (T.top() > f.def.bottomLimit) T.setTop(f.def.bottomLimit);
}

}  // namespace engine
