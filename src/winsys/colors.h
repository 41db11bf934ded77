// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>

#include "winsys/controls.h"

namespace winsys {

// An RGB value or a system colour, as the desktop shows it.
QColor toQColor(Rgb colour);

}  // namespace winsys
