// SPDX-License-Identifier: MIT
// plodway-icons HICOLOR_DIR APP_ID SIZE...: writes the live-turtle window
// icon as HICOLOR_DIR/<size>x<size>/apps/APP_ID.png for each size, enlarged
// with nearest neighbour so the 32-pixel art stays blocky rather than blurred.
// At sizes that are not whole multiples of 32 (48) some art pixels come out
// one icon pixel wider than others, which still reads sharper than blending.
#include <QDir>
#include <QImage>
#include <QTextStream>

#include "art/art.h"
#include "art/pixmaps.h"

int main(int argc, char** argv) {
    QTextStream err(stderr);
    if (argc < 4) {
        err << "usage: plodway-icons HICOLOR_DIR APP_ID SIZE...\n";
        return 2;
    }
    const QDir hicolor(QString::fromLocal8Bit(argv[1]));
    const QString appId = QString::fromLocal8Bit(argv[2]);
    const QImage& icon = art::image(art::icoTurtle);
    for (int i = 3; i < argc; ++i) {
        bool ok = false;
        const int size = QString::fromLocal8Bit(argv[i]).toInt(&ok);
        if (!ok || size < icon.width()) {
            err << "size " << argv[i] << " is not a number of pixels from " << icon.width() << " up\n";
            return 2;
        }
        const QString dir = hicolor.filePath(QStringLiteral("%1x%1/apps").arg(size));
        const QString path = dir + QLatin1Char('/') + appId + QStringLiteral(".png");
        // Each icon pixel takes the art pixel under its centre.
        QImage scaled(size, size, QImage::Format_ARGB32);
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                scaled.setPixel(x, y, icon.pixel((2 * x + 1) * icon.width() / (2 * size),
                                                 (2 * y + 1) * icon.height() / (2 * size)));
        if (!QDir().mkpath(dir) || !scaled.save(path, "PNG")) {
            err << "cannot write " << path << "\n";
            return 1;
        }
    }
    return 0;
}
