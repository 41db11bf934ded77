// SPDX-License-Identifier: MIT
#include "widgets/pixmaps.h"

#include <QHash>
#include <QPainter>

#include <climits>

namespace widgets {
namespace {

constexpr QPoint kIconOrigin(6, 1);

QImage spriteImage(const art::Picture& p) {
    QImage img = QImage(p.xpm).convertToFormat(QImage::Format_ARGB32);
    if (p.kind == art::Kind::Sprite) {
        for (int y = 0; y < img.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 0; x < img.width(); ++x)
                if ((line[x] & 0xFFFFFFu) == 0xFFFFFFu) line[x] = 0;
        }
    }
    return img;
}

QImage iconImage(const art::Picture& p) {
    QImage icon(p.width(), p.height(), QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    const QImage& sprite = image(*p.iconOf);
    for (int y = 0; y < sprite.height(); ++y)
        for (int x = 0; x < sprite.width(); ++x) {
            const QRgb c = sprite.pixel(x, y);
            if (qAlpha(c) != 0)
                icon.setPixel(kIconOrigin + QPoint(x, y), nearestStandardColour(c) | 0xFF000000u);
        }
    return icon;
}

}  // namespace

// Nearest by squared RGB distance. A colour exactly halfway between two
// standard colours goes to the brighter one, as a half rounds up: brown
// 804000 lies midway between olive 808000 and dark red 800000 and becomes
// olive. Without the tie-break the answer would hang on the table's order.
QRgb nearestStandardColour(QRgb colour) {
    static const QRgb standard[16] = {
        0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
        0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
    };
    auto brightness = [](QRgb c) { return qRed(c) + qGreen(c) + qBlue(c); };
    QRgb best = standard[0];
    int bestDistance = INT_MAX;
    for (QRgb s : standard) {
        const int dr = qRed(colour) - qRed(s), dg = qGreen(colour) - qGreen(s), db = qBlue(colour) - qBlue(s);
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance || (d == bestDistance && brightness(s) > brightness(best)))
            bestDistance = d, best = s;
    }
    return best;
}

const QImage& image(const art::Picture& picture) {
    static QHash<const art::Picture*, QImage> cache;
    auto it = cache.find(&picture);
    if (it == cache.end())
        it = cache.insert(&picture, picture.kind == art::Kind::Icon ? iconImage(picture) : spriteImage(picture));
    return *it;
}

const QPixmap& pixmap(const art::Picture& picture) {
    static QHash<const art::Picture*, QPixmap> cache;
    auto it = cache.find(&picture);
    if (it == cache.end()) it = cache.insert(&picture, QPixmap::fromImage(image(picture)));
    return *it;
}

QIcon icon(const art::Picture& picture) { return QIcon(pixmap(picture)); }

QIcon blankIcon() {
    QPixmap blank(16, 16);
    blank.fill(Qt::transparent);
    return QIcon(blank);
}

}  // namespace widgets
