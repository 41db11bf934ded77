// SPDX-License-Identifier: MIT
// Reading the pictures back pixel by pixel.
#pragma once

#include <QImage>
#include <QRect>
#include <QString>

#include <set>

#include "rules/art/art.h"
#include "widgets/pixmaps.h"

namespace arttest {

// The rectangle with both corners included, as the pictures are described.
inline QRect span(int x0, int y0, int x1, int y1) { return QRect(QPoint(x0, y0), QPoint(x1, y1)); }

inline QRgb rgb(const QImage& img, int x, int y) { return img.pixel(x, y) & 0xFFFFFFu; }
inline bool drawn(const QImage& img, int x, int y) { return qAlpha(img.pixel(x, y)) != 0; }

// Smallest rectangle holding every drawn pixel of `colour` (any colour when
// colour is ~0u) inside `within`; null when there is none.
inline QRect bounds(const QImage& img, QRgb colour = ~0u, QRect within = QRect()) {
    if (within.isNull()) within = img.rect();
    QRect r;
    for (int y = within.top(); y <= within.bottom(); ++y)
        for (int x = within.left(); x <= within.right(); ++x)
            if (drawn(img, x, y) && (colour == ~0u || rgb(img, x, y) == colour))
                r |= QRect(x, y, 1, 1);
    return r;
}

inline std::set<QRgb> colours(const QImage& img, QRect within = QRect()) {
    if (within.isNull()) within = img.rect();
    std::set<QRgb> s;
    for (int y = within.top(); y <= within.bottom(); ++y)
        for (int x = within.left(); x <= within.right(); ++x)
            if (drawn(img, x, y)) s.insert(rgb(img, x, y));
    return s;
}

inline QString hex(QRgb c) { return QString("%1").arg(c & 0xFFFFFFu, 6, 16, QChar('0')).toUpper(); }

}  // namespace arttest
