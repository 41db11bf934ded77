// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>

#include "rules/controls.h"

namespace widgets {

// An RGB value or a system colour, as the desktop shows it.
QColor toQColor(rules::Rgb colour);

}  // namespace widgets
