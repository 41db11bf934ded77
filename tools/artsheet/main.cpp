// SPDX-License-Identifier: MIT
// plodway-artsheet DIR: writes each built-in picture enlarged 8x (nearest
// neighbour, transparency kept) as DIR/<name>.png, and all of them on one
// checkerboard as DIR/contact-sheet.png, so the art can be reviewed in a
// browser or a pull request without running the game.
#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextStream>

#include <algorithm>
#include <vector>

#include "rules/art/art.h"
#include "widgets/pixmaps.h"

namespace {

constexpr int kZoom = 8;        // the single pictures
constexpr int kSheetZoom = 3;   // the contact sheet
constexpr int kSheetWidth = 1000;
constexpr int kMargin = 16;

QImage enlarged(const QImage& img, int zoom) {
    return img.scaled(img.size() * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

void paintCheckerboard(QPainter& p, const QRect& r) {
    constexpr int square = 6;
    p.save();
    p.setClipRect(r);
    for (int y = r.top(); y <= r.bottom(); y += square)
        for (int x = r.left(); x <= r.right(); x += square) {
            const bool dark = ((x - r.left()) / square + (y - r.top()) / square) % 2;
            p.fillRect(x, y, square, square, dark ? QColor(0xCC, 0xCC, 0xCC) : QColor(0xF4, 0xF4, 0xF4));
        }
    p.restore();
}

QImage contactSheet(const std::vector<const art::Picture*>& pictures, const QFont& font) {
    const QFontMetrics fm(font);
    const int label = fm.height() + 4;

    // Flow the pictures into rows, left to right.
    struct Cell { const art::Picture* pic; QRect box; };
    std::vector<Cell> cells;
    int x = kMargin, y = kMargin, rowHeight = 0;
    for (const art::Picture* pic : pictures) {
        const QSize size(pic->width() * kSheetZoom, pic->height() * kSheetZoom);
        const int cellWidth = std::max(size.width(), fm.horizontalAdvance(pic->name));
        if (x > kMargin && x + cellWidth > kSheetWidth - kMargin) {
            x = kMargin;
            y += rowHeight + kMargin;
            rowHeight = 0;
        }
        cells.push_back({pic, QRect(QPoint(x, y + label), size)});
        x += cellWidth + kMargin;
        rowHeight = std::max(rowHeight, label + size.height());
    }

    QImage sheet(kSheetWidth, y + rowHeight + kMargin, QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    p.setFont(font);
    p.setPen(Qt::black);
    for (const Cell& c : cells) {
        p.drawText(c.box.left(), c.box.top() - 4 - fm.descent(), c.pic->name);
        paintCheckerboard(p, c.box);
        p.drawImage(c.box.topLeft(), enlarged(widgets::image(*c.pic), kSheetZoom));
    }
    return sheet;
}

}  // namespace

int main(int argc, char** argv) {
    // Only images are written, so no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: plodway-artsheet OUTPUT_DIR\n";
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(dir.path())) {
        err << "cannot create " << dir.path() << "\n";
        return 1;
    }

    int count = 0;
    const art::Picture* const* all = art::allPictures(&count);
    const std::vector<const art::Picture*> pictures(all, all + count);

    int failures = 0;
    auto save = [&](const QImage& img, const QString& name) {
        const QString path = dir.filePath(name + ".png");
        if (!img.save(path, "PNG")) {
            err << "cannot write " << path << "\n";
            ++failures;
        }
    };
    for (const art::Picture* pic : pictures) save(enlarged(widgets::image(*pic), kZoom), pic->name);

    QFont font("DejaVu Sans");
    font.setPixelSize(13);
    save(contactSheet(pictures, font), "contact-sheet");
    return failures == 0 ? 0 : 1;
}
