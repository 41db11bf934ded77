#include "engine/handlers.h"
#include "winsys/runtime_error.h"

namespace engine {

using winsys::add;

// Moves every vehicle by its step, then wraps the ones that have left the
// field. Two passes, so the collision tick never sees a half-moved list.
void Timer1_Timer(LevelForm& f) {
    const auto& rows = f.def.traffic;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        Image& v = *f.trafficVehicles[i];
        v.move(add(v.left(), rows[i].step));
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        Image& v = *f.trafficVehicles[i];
        const TrafficRow& row = rows[i];
        if (row.step < 0) {
            if (v.left() < row.threshold) v.move(add(f.Picture1.width(), row.reentry));
        } else {
            if (v.left() > add(f.Picture1.width(), row.threshold)) v.move(row.reentry);
        }
    }
}

}  // namespace engine
