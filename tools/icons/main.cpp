// SPDX-License-Identifier: MIT
// plodway-icons HICOLOR_DIR APP_ID SIZE...: writes the live-turtle window
// icon as HICOLOR_DIR/<size>x<size>/apps/APP_ID.png for each size.
// plodway-icons --ico FILE SIZE...: writes it as one Windows icon file with
// an image of each size, for the .exe's resources.
// plodway-icons --png FILE SIZE: writes it as one PNG, for the web app's
// manifest; plodway-icons --maskable FILE SIZE #RRGGBB: the same on that
// colour, the turtle inside the circle a launcher may cut the icon to.
// Icons are enlarged with nearest neighbour so the 32-pixel art stays blocky
// rather than blurred; the 16-pixel one is averaged down. At sizes that are
// not whole multiples of 32 (48) some art pixels come out one icon pixel
// wider than others, which still reads sharper than blending.
#include <QBuffer>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTextStream>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <vector>

#include "rules/art/art.h"
#include "widgets/pixmaps.h"

namespace {

QImage scaledIcon(int size) {
    const QImage& icon = widgets::image(art::icoTurtle);
    // Smaller than the art, dropping pixels would lose the shell's pattern:
    // averaging keeps it.
    if (size < icon.width())
        return icon.convertToFormat(QImage::Format_ARGB32)
            .scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    // Each icon pixel takes the art pixel under its centre.
    QImage scaled(size, size, QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            scaled.setPixel(x, y, icon.pixel((2 * x + 1) * icon.width() / (2 * size),
                                             (2 * y + 1) * icon.height() / (2 * size)));
    return scaled;
}

// A maskable icon's safe zone: the circle of 40 % of its size around its
// centre, which every launcher's mask keeps. The turtle is enlarged by the
// most whole times that keep all its pixels in it, on the colour.
QImage maskableIcon(int size, QRgb background) {
    const QImage& icon = widgets::image(art::icoTurtle);
    const double radius = 0.4 * size;
    const auto fits = [&](int factor) {
        const double origin = (size - factor * icon.width()) / 2 - size / 2.0;
        for (int y = 0; y < icon.height(); ++y)
            for (int x = 0; x < icon.width(); ++x) {
                if (qAlpha(icon.pixel(x, y)) == 0) continue;
                // The pixel's corner furthest from the centre.
                const double left = origin + x * factor, top = origin + y * factor;
                const double dx = std::max(std::abs(left), std::abs(left + factor));
                const double dy = std::max(std::abs(top), std::abs(top + factor));
                if (dx * dx + dy * dy > radius * radius) return false;
            }
        return true;
    };
    int factor = 1;
    while (fits(factor + 1)) ++factor;
    QImage out(size, size, QImage::Format_ARGB32);
    out.fill(background);
    const int origin = (size - factor * icon.width()) / 2;
    for (int y = 0; y < icon.height() * factor; ++y)
        for (int x = 0; x < icon.width() * factor; ++x) {
            const QRgb pixel = icon.pixel(x / factor, y / factor);
            if (qAlpha(pixel) != 0) out.setPixel(origin + x, origin + y, pixel);
        }
    return out;
}

template <class T>
void append(QByteArray& out, T value) {
    value = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// An .ico file: a directory of images, each stored as a PNG, which Windows
// reads since Vista and which keeps the file small.
QByteArray icoFile(const std::vector<int>& sizes) {
    std::vector<QByteArray> images;
    for (int size : sizes) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        scaledIcon(size).save(&buffer, "PNG");
        images.push_back(png);
    }
    QByteArray out;
    append<quint16>(out, 0);  // reserved
    append<quint16>(out, 1);  // an icon, not a cursor
    append<quint16>(out, quint16(sizes.size()));
    quint32 offset = 6 + 16 * quint32(sizes.size());
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const quint8 side = sizes[i] >= 256 ? 0 : quint8(sizes[i]);  // 0 stands for 256
        out.append(char(side)).append(char(side)).append(char(0)).append(char(0));  // no palette
        append<quint16>(out, 1);   // colour planes
        append<quint16>(out, 32);  // bits per pixel
        append<quint32>(out, quint32(images[i].size()));
        append<quint32>(out, offset);
        offset += quint32(images[i].size());
    }
    for (const QByteArray& image : images) out.append(image);
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    QTextStream err(stderr);
    const bool png = argc == 4 && qstrcmp(argv[1], "--png") == 0;
    const bool maskable = argc == 5 && qstrcmp(argv[1], "--maskable") == 0;
    if (png || maskable) {
        // Web icons are whole multiples of the art, so that no pixel of it
        // comes out wider than another; a maskable one enlarges it by whole
        // times on its colour at any size (Safari's home screen wants 180).
        const int art = widgets::image(art::icoTurtle).width();
        bool ok = false;
        const int size = QString::fromLocal8Bit(argv[3]).toInt(&ok);
        if (!ok || size < art || size > 1024 || (!maskable && size % art != 0)) {
            err << "size " << argv[3] << " is not " << (maskable ? "" : "a multiple of ") << art
                << " pixels or more, up to 1024\n";
            return 2;
        }
        const QColor colour(QString::fromLocal8Bit(maskable ? argv[4] : "#000"));
        if (!colour.isValid()) {
            err << argv[4] << " is not a colour (#RRGGBB)\n";
            return 2;
        }
        const QImage image = maskable ? maskableIcon(size, colour.rgb()) : scaledIcon(size);
        if (!image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
            err << "cannot write " << argv[2] << "\n";
            return 1;
        }
        return 0;
    }
    const bool ico = argc > 1 && qstrcmp(argv[1], "--ico") == 0;
    constexpr int firstSize = 3;
    if (argc < firstSize + 1) {
        err << "usage: plodway-icons HICOLOR_DIR APP_ID SIZE...\n"
               "       plodway-icons --ico FILE SIZE...\n"
               "       plodway-icons --png FILE SIZE\n"
               "       plodway-icons --maskable FILE SIZE #RRGGBB\n";
        return 2;
    }
    // Launchers get no icon smaller than the art; a .ico holds 16 to 256.
    const int smallest = ico ? 16 : widgets::image(art::icoTurtle).width();
    const int largest = ico ? 256 : 1024;
    std::vector<int> sizes;
    for (int i = firstSize; i < argc; ++i) {
        bool ok = false;
        const int size = QString::fromLocal8Bit(argv[i]).toInt(&ok);
        if (!ok || size < smallest || size > largest) {
            err << "size " << argv[i] << " is not a number of pixels from " << smallest << " to " << largest << "\n";
            return 2;
        }
        sizes.push_back(size);
    }

    if (ico) {
        QFile file(QString::fromLocal8Bit(argv[2]));
        if (!file.open(QIODevice::WriteOnly) || file.write(icoFile(sizes)) < 0) {
            err << "cannot write " << argv[2] << "\n";
            return 1;
        }
        return 0;
    }
    const QDir hicolor(QString::fromLocal8Bit(argv[1]));
    const QString appId = QString::fromLocal8Bit(argv[2]);
    for (int size : sizes) {
        const QString dir = hicolor.filePath(QStringLiteral("%1x%1/apps").arg(size));
        const QString path = dir + QLatin1Char('/') + appId + QStringLiteral(".png");
        if (!QDir().mkpath(dir) || !scaledIcon(size).save(path, "PNG")) {
            err << "cannot write " << path << "\n";
            return 1;
        }
    }
    return 0;
}
