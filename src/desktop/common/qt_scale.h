// SPDX-License-Identifier: MIT
// Qt's own scale, QT_SCALE_FACTOR (set by the page in the browser, or by a
// player): Qt sizes a window in the window system's pixels, game pixels
// times the scale, rounded.
#pragma once

#include <QSize>
#include <QtGlobal>

namespace desktop {

inline constexpr char kScaleVariable[] = "QT_SCALE_FACTOR";

inline double qtScaleFactor() {
    bool ok = false;
    const double factor = qEnvironmentVariable(kScaleVariable).toDouble(&ok);
    return ok && factor > 0 ? factor : 1.0;
}

// Whether two sizes are one size in the window system's pixels. Under a
// scale below one, Qt reports a size back rounded the other way (at 2/3,
// 262 game pixels are 175 CSS pixels, which come back as 263).
inline bool sameOnScreen(QSize a, QSize b) {
    const double factor = qtScaleFactor();
    return qRound(a.width() * factor) == qRound(b.width() * factor) &&
           qRound(a.height() * factor) == qRound(b.height() * factor);
}

}  // namespace desktop
