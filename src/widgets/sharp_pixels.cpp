// SPDX-License-Identifier: MIT
#include "widgets/sharp_pixels.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "desktop/common/pixel_grid.h"

namespace widgets {
namespace {

bool isWhole(qreal ratio) { return std::abs(ratio - std::round(ratio)) < 1e-6; }

// The whole ratio the art is drawn at before averaging; the ratio itself when whole.
int sharpDrawingRatio(qreal ratio) {
    return isWhole(ratio) ? int(std::round(ratio)) : std::max(1, int(std::floor(ratio)));
}

// The area grown to whole periods; the whole field where there are none.
QRect alignedOutwards(const QRect& area, int period, QSize field) {
    const QRect inside = area & QRect(QPoint(0, 0), field);
    if (period == 0 || inside.isEmpty()) return QRect(QPoint(0, 0), field);
    const int left = inside.left() / period * period, top = inside.top() / period * period;
    const int right = (inside.right() / period + 1) * period, bottom = (inside.bottom() / period + 1) * period;
    return QRect(left, top, right - left, bottom - top);
}

// One axis of an area-averaging scale: the share each source pixel has in
// each target pixel, by how much of the target pixel it covers, in 256ths
// that add up to 256.
struct Share {
    int source;
    quint32 weight;
};
std::vector<std::vector<Share>> shares(int from, int to) {
    std::vector<std::vector<Share>> result(to);
    const double step = double(from) / to;
    for (int i = 0; i < to; ++i) {
        const double begin = i * step, end = (i + 1) * step;
        quint32 given = 0;
        for (int s = int(begin); s < from && s < end; ++s) {
            const double covered = (std::min(end, s + 1.0) - std::max(begin, double(s))) / step;
            result[i].push_back({s, quint32(std::lround(covered * 256))});
            given += result[i].back().weight;
        }
        result[i].back().weight += 256 - given;  // what rounding left over
    }
    return result;
}

// The shares of `pixels` (every `stride`th from the first), all four
// channels at once, two to a 32-bit word: 255 × 256 leaves room for the sum.
QRgb mix(const QRgb* pixels, int stride, const std::vector<Share>& shares) {
    quint32 redBlue = 0x00800080, alphaGreen = 0x00800080;  // rounding
    for (const Share& s : shares) {
        const QRgb c = pixels[qsizetype(s.source) * stride];
        redBlue += (c & 0x00FF00FFu) * s.weight;
        alphaGreen += ((c >> 8) & 0x00FF00FFu) * s.weight;
    }
    return ((redBlue >> 8) & 0x00FF00FFu) | (alphaGreen & 0xFF00FF00u);
}

// Each target pixel the average of the source pixels it covers, weighted by
// how much of it they cover, whichever way it scales: across, then down.
// Qt's smooth scaling samples when it enlarges.
QImage averaged(const QImage& source, QSize size) {
    const QImage image = source.format() == QImage::Format_RGB32 ? source : source.convertToFormat(QImage::Format_ARGB32);
    const auto across = shares(image.width(), size.width()), down = shares(image.height(), size.height());
    QImage wide(size.width(), image.height(), image.format());
    for (int y = 0; y < image.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(wide.scanLine(y));
        for (int x = 0; x < size.width(); ++x) out[x] = mix(in, 1, across[x]);
    }
    QImage result(size, image.format());
    const int stride = int(wide.bytesPerLine() / sizeof(QRgb));
    for (int y = 0; y < size.height(); ++y) {
        auto* out = reinterpret_cast<QRgb*>(result.scanLine(y));
        const auto* column = reinterpret_cast<const QRgb*>(wide.constBits());
        for (int x = 0; x < size.width(); ++x) out[x] = mix(column + x, stride, down[y]);
    }
    result.setDevicePixelRatio(source.devicePixelRatio());
    return result;
}

// What lies beyond the field (the drawing is padded to whole periods) shares
// the screen's last, partial pixels with the field's last column and row: it
// repeats them, so those pixels show the field alone, and whatever was drawn
// there (a vehicle driving out) never lingers.
void repeatEdges(QImage& drawing, QSize field) {
    const int whole = int(drawing.devicePixelRatio());
    const int width = field.width() * whole, height = field.height() * whole;
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(drawing.scanLine(y));
        std::fill(line + width, line + drawing.width(), line[width - 1]);
    }
    for (int y = height; y < drawing.height(); ++y)
        std::memcpy(drawing.scanLine(y), drawing.constScanLine(height - 1), drawing.bytesPerLine());
}

// A drawing of `size` logical pixels at the whole ratio, padded to whole
// periods so that every block of it ends on the screen's pixel grid.
QImage paddedDrawing(QSize size, qreal ratio, QImage::Format format) {
    const int whole = sharpDrawingRatio(ratio);
    QImage drawing(alignedOutwards(QRect(QPoint(0, 0), size), desktop::gridPeriod(ratio), size).size() * whole, format);
    drawing.setDevicePixelRatio(whole);
    return drawing;
}

}  // namespace

void SharpCanvas::paint(QPainter& painter, const QRegion& area, const std::function<void(QPainter&)>& draw) {
    // From the painter, not its device: a widget rendered elsewhere (a grab,
    // a screenshot at another ratio) still names itself as the device.
    const qreal ratio = painter.deviceTransform().m11();
    if (isWhole(ratio)) {
        drawing_ = QImage();
        draw(painter);
        return;
    }
    const int whole = sharpDrawingRatio(ratio);
    const int period = desktop::gridPeriod(ratio);
    // Each changed rectangle on its own: their bounding rectangle is most of
    // the field when vehicles move in several lanes.
    QRegion blocks;
    for (const QRect& r : area) blocks += alignedOutwards(r, period, size_);
    if (drawing_.isNull() || drawing_.devicePixelRatio() != whole || ratio_ != ratio) {
        drawing_ = paddedDrawing(size_, ratio, QImage::Format_RGB32);
        drawing_.fill(Qt::black);
        ratio_ = ratio;
        blocks = QRect(QPoint(0, 0), drawing_.deviceIndependentSize().toSize());
    }
    {
        QPainter p(&drawing_);
        p.setClipRegion(blocks);
        draw(p);
    }
    // Only blocks at the field's edge reach beyond it.
    if (!QRect(QPoint(0, 0), size_).contains(blocks.boundingRect())) repeatEdges(drawing_, size_);
    // Averaging what each screen pixel covers of the whole-ratio drawing
    // gives every game pixel the same screen area; smoothing by sampling
    // (bilinear) would not.
    for (const QRect& block : blocks) {
        const QSize target = (QSizeF(block.size()) * ratio).toSize();
        QImage shown = averaged(drawing_.copy(QRect(block.topLeft() * whole, block.size() * whole)), target);
        shown.setDevicePixelRatio(ratio);
        painter.drawImage(block.topLeft(), shown);
    }
}

QPixmap sharpPixmap(const QImage& picture, qreal ratio) {
    const int whole = sharpDrawingRatio(ratio);
    QImage scaled = whole == 1 ? picture : picture.scaled(picture.size() * whole, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (!isWhole(ratio)) {
        // Padded to whole periods, as the field is: a pixmap of whole screen
        // pixels and whole logical ones, which Qt draws as it is. One of a
        // fraction of a logical pixel is drawn resampled, unevenly.
        const QImage art = scaled.convertToFormat(QImage::Format_ARGB32);
        QImage drawing = paddedDrawing(picture.size(), ratio, QImage::Format_ARGB32);
        for (int y = 0; y < art.height(); ++y)
            std::memcpy(drawing.scanLine(y), art.constScanLine(y), std::size_t(art.width()) * sizeof(QRgb));
        repeatEdges(drawing, picture.size());
        scaled = averaged(drawing, (drawing.deviceIndependentSize() * ratio).toSize());
    }
    QPixmap pixmap = QPixmap::fromImage(scaled);
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

}  // namespace widgets
