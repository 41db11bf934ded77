#include "engine/handlers.h"

namespace engine {

// Brings a run-over turtle back alive on the restart row, in the column it
// died in. The traffic is left alone: it keeps the places it has reached.
void cmdNewGame_Click(LevelForm& f) {
    f.cmdNewGame.setEnabled(false);
    f.imgTurtle.setTop(f.def.restartTop);
    f.imgTurtle.setPicture(f.imgTemp.picture());
    f.Timer2.setEnabled(true);
    f.Picture1.setEnabled(true);
    f.imgTread.setVisible(false);
    f.Picture1.setFocus();
}

}  // namespace engine
