// SPDX-License-Identifier: MIT
// The play field's canvas at the fractional display scales, painted as play
// paints it: by the rectangles that changed, on a field whose size is no
// whole number of screen pixels.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QRegion>

#include "widgets/sharp_pixels.h"

using widgets::SharpCanvas;

namespace {

constexpr QRgb kGrey = 0xFF808080, kRed = 0xFFFF0000, kWhite = 0xFFFFFFFF, kBlack = 0xFF000000;
// Odd in both directions: the last screen column and row are partly beyond it.
const QSize kField(13, 9);

QImage screen(qreal ratio) {
    QImage image((QSizeF(kField) * ratio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::magenta);
    return image;
}

void paint(SharpCanvas& canvas, QImage& onto, const QRegion& area, const std::function<void(QPainter&)>& draw) {
    QPainter painter(&onto);
    canvas.paint(painter, area, draw);
}

class SharpCanvasAt : public ::testing::TestWithParam<qreal> {};

TEST_P(SharpCanvasAt, RedrawnByChangedRectanglesIsTheWholeAveraged) {
    const qreal ratio = GetParam();
    // A square driving right, across the field's edge and out of it.
    QRect square(3, 5, 3, 3);
    auto draw = [&square](QPainter& p) {
        p.fillRect(QRect(QPoint(0, 0), kField), kGrey);
        p.fillRect(square, kRed);
    };
    SharpCanvas played(kField);
    QImage shown = screen(ratio);
    paint(played, shown, QRect(QPoint(0, 0), kField), draw);
    for (int step = 0; step < 4; ++step) {
        const QRect was = square;
        square.translate(step == 0 ? 5 : 3, step % 2);  // from odd places: none on a period's edge
        paint(played, shown, (QRegion(was) + square) & QRect(QPoint(0, 0), kField), draw);

        SharpCanvas fresh(kField);
        QImage whole = screen(ratio);
        paint(fresh, whole, QRect(QPoint(0, 0), kField), draw);
        ASSERT_EQ(shown, whole) << "after step " << step << ", the square at " << square.x() << ", " << square.y();
    }
    // Gone beyond the edge, it leaves nothing: the screen's last, partial
    // column and row show the field alone.
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            ASSERT_EQ(shown.pixel(x, y), kGrey) << "at " << x << ", " << y << " of " << shown.width() << " x "
                                                << shown.height();
}

INSTANTIATE_TEST_SUITE_P(Ratios, SharpCanvasAt, ::testing::Values(1.25, 1.5, 1.75),
                         [](const auto& info) { return "Ratio" + std::to_string(int(info.param * 100)); });

// Black and white game columns: a screen pixel that straddles two shows
// their mix by the share of it each covers, rounded to the nearest.
TEST(SharpCanvas, BlendsNeighboursByTheirExactShare) {
    struct Case {
        qreal ratio;
        int x;      // screen column
        int grey;   // 255 × the white share, rounded
    };
    for (const Case c : {Case{1.5, 1, 128}, Case{1.25, 1, 191}, Case{1.25, 2, 128}, Case{1.75, 1, 64}}) {
        SharpCanvas canvas(kField);
        QImage shown = screen(c.ratio);
        paint(canvas, shown, QRect(QPoint(0, 0), kField), [](QPainter& p) {
            p.fillRect(QRect(QPoint(0, 0), kField), kWhite);
            for (int x = 0; x < kField.width(); x += 2) p.fillRect(x, 0, 1, kField.height(), kBlack);
        });
        EXPECT_EQ(shown.pixel(c.x, 2), qRgb(c.grey, c.grey, c.grey)) << "column " << c.x << " at " << c.ratio;
    }
}

}  // namespace
