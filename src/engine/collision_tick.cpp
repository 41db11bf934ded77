#include "engine/handlers.h"
#include "winsys/runtime_error.h"

namespace engine {

using winsys::add;

namespace {

// Strictly inside: a corner on an edge is no hit.
bool cornerInside(const Image& T, const Image& V) {
    return T.Left() > V.Left() && add(V.Left(), V.Width()) > T.Left() &&
           T.Top() > V.Top() && add(V.Top(), V.Height()) > T.Top();
}

void runOver(LevelForm& f, const Image& V, const TreadRule& rule, bool savePicture) {
    Image& T = f.imgTurtle;
    // A second hit in the same tick must not save the dead picture as the live one.
    if (savePicture) f.imgTemp.setPicture(T.picture());
    T.setPicture(f.imgTurtleDead.picture());
    f.imgTread.setVisible(true);
    f.imgTread.setLeft(rule.leftOfTurtle
                           ? add(add(T.Left(), kTreadOverlap), -f.image(rule.widthOf).Width())
                           : T.Left());
    f.imgTread.setTop(V.Top());
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

    if (T.Top() < f.def.goalLine) {
        host.MsgBox("Winner!", vbOKOnly, std::nullopt);
        f.Timer2.setEnabled(false);
        f.Picture1.setEnabled(false);
        f.cmdNewGame.setEnabled(true);
        host.Unload();
        host.ChangeLevel();
        return;  // the window is closed: touch nothing of it again
    }

    if (T.Left() < 0) T.setLeft(0);
    if (T.Left() > f.Picture1.Width()) T.setLeft(add(f.Picture1.Width(), -T.Width()));
    if (T.Top() > f.def.bottomLimit) T.setTop(f.def.bottomLimit);
}

}  // namespace engine
