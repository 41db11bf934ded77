// SPDX-License-Identifier: MIT
// Pixel art at any display scale. At a whole device pixel ratio every game
// pixel becomes an even square of screen pixels. At a fractional one (1.25,
// 1.5, 1.75) nearest-neighbour would make game pixels 1 and 2 screen pixels
// wide in turn, and a moving sprite change shape from step to step; instead
// each screen pixel takes the colours of the game pixels it covers, each by
// the share it covers, so every game pixel covers the same screen area, with
// soft edges. That is what drawing at the next whole ratio and averaging
// down gives; the art is drawn at the whole ratio below instead (text is
// sharper there than at 1) and averaged up, which costs less: at 1.5 about
// what 1 costs.
#pragma once

#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QRegion>
#include <functional>

class QPainter;

namespace widgets {

// Blocks of game pixels that span a whole number of screen pixels
// (desktop::gridPeriod) are averaged on their own with the same result as
// the whole field; at ratios without one the whole field is.

// Paints a fixed-size area, drawn in logical pixels by `draw`, onto a
// painter of any device pixel ratio. The drawing at the whole ratio is
// kept between paints, so only the area asked for is drawn afresh.
class SharpCanvas {
public:
    explicit SharpCanvas(QSize logicalSize) : size_(logicalSize) {}

    void paint(QPainter& painter, const QRegion& area, const std::function<void(QPainter&)>& draw);

private:
    QSize size_;
    QImage drawing_;  // at the whole ratio, for fractional ratios only
    qreal ratio_ = 0;
};

// A picture enlarged for a device pixel ratio, the same way.
QPixmap sharpPixmap(const QImage& picture, qreal ratio);

}  // namespace widgets
