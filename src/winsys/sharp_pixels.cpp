// SPDX-License-Identifier: MIT
#include "winsys/sharp_pixels.h"

#include <QPainter>
#include <cmath>

namespace winsys {
namespace {

bool isWhole(qreal ratio) { return std::abs(ratio - std::round(ratio)) < 1e-6; }

// The fewest game pixels that span a whole number of screen pixels: 4 at
// 1.25 and 1.75, 2 at 1.5. Blocks of that size are smoothed on their own
// with the same result as the whole field; at other ratios the whole field is.
int gridPeriod(qreal ratio) {
    for (int period = 1; period <= 16; ++period)
        if (isWhole(period * ratio)) return period;
    return 0;
}

// The area grown to whole periods; the whole field where there are none.
QRect alignedOutwards(const QRect& area, int period, QSize field) {
    const QRect inside = area & QRect(QPoint(0, 0), field);
    if (period == 0 || inside.isEmpty()) return QRect(QPoint(0, 0), field);
    const int left = inside.left() / period * period, top = inside.top() / period * period;
    const int right = (inside.right() / period + 1) * period, bottom = (inside.bottom() / period + 1) * period;
    return QRect(left, top, right - left, bottom - top);
}

}  // namespace

int sharpDrawingRatio(qreal ratio) {
    return isWhole(ratio) ? int(std::round(ratio)) : int(std::ceil(ratio));
}

void SharpCanvas::paint(QPainter& painter, const QRect& area, const std::function<void(QPainter&)>& draw) {
    // From the painter, not its device: a widget rendered elsewhere (a grab,
    // a screenshot at another ratio) still names itself as the device.
    const qreal ratio = painter.deviceTransform().m11();
    if (isWhole(ratio)) {
        drawing_ = QImage();
        draw(painter);
        return;
    }
    const int whole = sharpDrawingRatio(ratio);
    const int period = gridPeriod(ratio);
    QRect block = alignedOutwards(area, period, size_);
    if (drawing_.isNull() || drawing_.devicePixelRatio() != whole || ratio_ != ratio) {
        // Whole periods, so that every block ends on the screen's pixel grid;
        // what lies beyond the field is never shown.
        const QSize padded = alignedOutwards(QRect(QPoint(0, 0), size_), period, size_).size();
        drawing_ = QImage(padded * whole, QImage::Format_RGB32);
        drawing_.setDevicePixelRatio(whole);
        drawing_.fill(Qt::black);
        ratio_ = ratio;
        block = QRect(QPoint(0, 0), padded);
    }
    {
        QPainter p(&drawing_);
        p.setClipRect(block);
        draw(p);
    }
    // Averaging each screen pixel's share of the whole-ratio drawing gives
    // every game pixel the same screen area; smoothing by sampling would not.
    const QSize target = (QSizeF(block.size()) * ratio).toSize();
    QImage shown = drawing_.copy(QRect(block.topLeft() * whole, block.size() * whole))
                       .scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    shown.setDevicePixelRatio(ratio);
    painter.drawImage(block.topLeft(), shown);
}

QPixmap sharpPixmap(const QImage& picture, qreal ratio) {
    const int whole = sharpDrawingRatio(ratio);
    QImage scaled = picture.scaled(picture.size() * whole, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (!isWhole(ratio))
        scaled = scaled.scaled((QSizeF(picture.size()) * ratio).toSize(), Qt::IgnoreAspectRatio,
                               Qt::SmoothTransformation);
    QPixmap pixmap = QPixmap::fromImage(scaled);
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

}  // namespace winsys
