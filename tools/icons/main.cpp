// plodway-icons HICOLOR_DIR APP_ID SIZE...: writes the live-turtle window
// icon as HICOLOR_DIR/<size>x<size>/apps/APP_ID.png for each size, enlarged
// with nearest neighbour so the 32-pixel art stays blocky rather than blurred.
// Each size must be a whole multiple of 32.
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
        // A fractional factor would make some art pixels wider than others.
        if (!ok || size < icon.width() || size % icon.width() != 0 || icon.width() != icon.height()) {
            err << "size " << argv[i] << " is not a whole multiple of " << icon.width() << "\n";
            return 2;
        }
        const QString dir = hicolor.filePath(QStringLiteral("%1x%1/apps").arg(size));
        const QString path = dir + QLatin1Char('/') + appId + QStringLiteral(".png");
        const QImage scaled = icon.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        if (!QDir().mkpath(dir) || !scaled.save(path, "PNG")) {
            err << "cannot write " << path << "\n";
            return 1;
        }
    }
    return 0;
}
