// SPDX-License-Identifier: MIT
#include "rules/handlers.h"
#include "rules/runtime_error.h"

namespace rules {

// Moves every vehicle by its step, then wraps the ones that have left the
// field. Two passes, so the collision check never sees a half-moved list.
void moveTraffic(LevelControls& controls) {
    const auto& rows = controls.def.traffic;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        Image& vehicle = *controls.trafficVehicles[i];
        vehicle.move(add(vehicle.left(), rows[i].step));
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        Image& vehicle = *controls.trafficVehicles[i];
        const TrafficRow& row = rows[i];
        if (row.step < 0) {
            if (vehicle.left() < row.threshold) vehicle.move(add(controls.field.width(), row.reentry));
        } else {
            if (vehicle.left() > add(controls.field.width(), row.threshold)) vehicle.move(row.reentry);
        }
    }
}

}  // namespace rules
