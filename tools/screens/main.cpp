// SPDX-License-Identifier: MIT
// plodway-screens [--check [--fields]] [--scale N] [--platform NAME] DIR [NAME...]:
// writes DIR/menu.png, DIR/level1.png to level3.png, and the boxes
// DIR/paused.png and DIR/winner.png (or just the NAMEs given), each the
// client area of the real window as it opens, offscreen (or
// on the Qt platform NAME), at N device pixels per pixel (1 unless given; 2
// for the software centres' larger shots).
// With --check it renders them again and compares them with the files in DIR:
// pixel for pixel where the system has the font the files were made with
// (noted in each file), and where it has another font, everywhere but on the
// controls whose text that font draws; likewise a box's icon, the platform's
// own, where the platform draws another (Qt 6.8's Fusion has new standard
// icons). With --fields only the game's own
// pictures must match, the play fields and the title picture (their text
// still left out where the font differs); the rest, drawn by the platform's
// style (the boxes whole), is counted and reported.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QTextStream>
#include <QWidget>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <tuple>
#include <utility>
#include <variant>
#include <vector>

#include "app/level_window.h"
#include "app/menu_window.h"
#include "rules/box_styles.h"
#include "rules/levels/levels.h"
#include "widgets/message_box.h"
#include "widgets/play_field.h"
#include "widgets/twips.h"

namespace {

const char kFontKey[] = "Font";
const char kIconKey[] = "Icon";

struct Shot {
    QString name;
    QImage image;
    std::vector<QRect> textAreas;  // in image pixels
    QRect gameArea;                // what the game itself paints, in image pixels
    QString icon;                  // a box's icon: a digest of its pixels, or empty
    QRect iconArea;                // where it is drawn, in image pixels
};

// Where the platform's font draws: the controls with text, and the captions
// the play field paints (in window pixels).
std::vector<QRect> textAreas(QWidget& window, std::vector<QRect> captions, int scale) {
    for (QWidget* child : window.findChildren<QWidget*>()) {
        const auto* label = qobject_cast<QLabel*>(child);
        const bool text = qobject_cast<QAbstractButton*>(child) || qobject_cast<QAbstractItemView*>(child) ||
                          (label && !label->text().isEmpty());
        if (text && child->isVisible()) captions.emplace_back(child->mapTo(&window, QPoint(0, 0)), child->size());
    }
    for (QRect& r : captions) r = QRect(r.topLeft() * scale, r.size() * scale);
    return captions;
}

std::vector<QRect> fieldCaptions(app::LevelWindow& level) {
    std::vector<QRect> captions;
    const QPoint origin = level.playField()->mapTo(&level, QPoint(0, 0));
    for (const rules::Drawable& control : level.controls().paintOrder())
        if (auto* label = std::get_if<const rules::Label*>(&control); label && !(*label)->caption.empty())
            captions.push_back(
                widgets::pxRect((*label)->left, (*label)->top, (*label)->width, (*label)->height).translated(origin));
    return captions;
}

// Shown and grabbed without running the event loop, so no timer ticks in
// between: the picture is the window's load state, the same on every run.
// `game` is what the game itself paints, in window pixels.
Shot grabWindow(const QString& name, QWidget& window, QRect game, std::vector<QRect> captions, int scale) {
    window.show();
    Shot shot{name, window.grab().toImage().convertToFormat(QImage::Format_RGB32),
              textAreas(window, std::move(captions), scale),
              QRect(game.topLeft() * scale, game.size() * scale) & QRect(QPoint(0, 0), window.size() * scale),
              {},
              {}};
    window.close();
    return shot;
}

std::vector<Shot> render(const QStringList& names, int scale) {
    std::vector<Shot> shots;
    const auto wanted = [&](const QString& name) { return names.isEmpty() || names.contains(name); };
    if (wanted(QStringLiteral("menu"))) {
        app::MenuWindow menu;
        const QLabel& title = *menu.findChild<QLabel*>(QStringLiteral("title"));
        const QRect picture(title.mapTo(&menu, title.contentsRect().topLeft()),
                            title.pixmap().deviceIndependentSize().toSize());
        shots.push_back(grabWindow(QStringLiteral("menu"), menu, picture, {}, scale));
    }
    for (int n = 1; n <= levels::kLevelCount; ++n) {
        const QString name = QStringLiteral("level%1").arg(n);
        if (!wanted(name)) continue;
        // Owned here: closing a level window only schedules its deletion.
        std::unique_ptr<app::LevelWindow> level(
            new app::LevelWindow(levels::byNumber(n), nullptr, [] {}));
        const QWidget& field = *level->playField();
        shots.push_back(grabWindow(name, *level, QRect(field.mapTo(level.get(), QPoint(0, 0)), field.size()),
                                   fieldCaptions(*level), scale));
    }
    // The boxes a level shows, one with the platform's icon and one without.
    for (const auto& [name, text, style] : {std::tuple{"paused", "Paused", rules::kInformationIcon},
                                            std::tuple{"winner", "Winner!", rules::kPlainMessage}}) {
        if (!wanted(QLatin1String(name))) continue;
        QMessageBox* box = widgets::makeMessageBox(nullptr, QLatin1String(text), style, std::nullopt);
        shots.push_back(grabWindow(QLatin1String(name), *box, {}, {}, scale));
        for (const QLabel* label : box->findChildren<QLabel*>()) {
            if (label->pixmap().isNull()) continue;
            const QImage icon = label->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
            shots.back().icon = QString::fromLatin1(
                QCryptographicHash::hash(QByteArrayView(icon.constBits(), icon.sizeInBytes()), QCryptographicHash::Sha1)
                    .toHex());
            const QRect area(label->mapTo(box, QPoint(0, 0)), label->size());
            shots.back().iconArea = QRect(area.topLeft() * scale, area.size() * scale);
        }
        delete box;
    }
    return shots;
}

// Pixels that differ inside `within`, but for those in `skipped`.
int differingPixels(const QImage& a, const QImage& b, const std::vector<QRect>& skipped, QRect within) {
    int count = 0;
    for (int y = within.top(); y <= within.bottom(); ++y)
        for (int x = within.left(); x <= within.right(); ++x) {
            if (a.pixel(x, y) == b.pixel(x, y)) continue;
            bool skip = false;
            for (const QRect& r : skipped) skip = skip || r.contains(x, y);
            if (!skip) ++count;
        }
    return count;
}

QString fontInUse() {
    const QFontInfo font(QApplication::font());
    return QStringLiteral("%1 %2pt").arg(font.family()).arg(font.pointSizeF());
}

}  // namespace

int main(int argc, char** argv) {
    QTextStream err(stderr);
    bool check = false, fields = false;
    QByteArray platform = "offscreen";
    int scale = 1;
    int next = 1;
    for (; next < argc && argv[next][0] == '-'; ++next) {
        if (std::strcmp(argv[next], "--check") == 0) {
            check = true;
        } else if (std::strcmp(argv[next], "--fields") == 0) {
            fields = true;
        } else if (std::strcmp(argv[next], "--platform") == 0 && next + 1 < argc) {
            platform = argv[++next];
        } else if (std::strcmp(argv[next], "--scale") == 0 && next + 1 < argc) {
            scale = std::atoi(argv[++next]);
        } else {
            scale = 0;
            break;
        }
    }
    if (next >= argc || scale < 1) {
        err << "usage: plodway-screens [--check [--fields]] [--scale N] [--platform NAME] DIR [NAME...]\n";
        return 2;
    }
    // The same pictures wherever it runs: no display, the scale asked for.
    qputenv("QT_QPA_PLATFORM", platform);
    qputenv("QT_SCALE_FACTOR", QByteArray::number(scale));
    qunsetenv("QT_SCREEN_SCALE_FACTORS");
    qunsetenv("QT_ENABLE_HIGHDPI_SCALING");
    int appArgc = 1;
    QApplication app(appArgc, argv);
    QApplication::setApplicationName(QStringLiteral("plodway"));

    const QDir dir(QString::fromLocal8Bit(argv[next]));
    QStringList names;
    for (int i = next + 1; i < argc; ++i) names << QString::fromLocal8Bit(argv[i]);
    if (!check && !QDir().mkpath(dir.path())) {
        err << "cannot create " << dir.path() << "\n";
        return 1;
    }

    const QString font = fontInUse();
    int failures = 0;
    for (Shot& shot : render(names, scale)) {
        const QString path = dir.filePath(shot.name + QStringLiteral(".png"));
        if (!check) {
            shot.image.setText(QLatin1String(kFontKey), font);
            if (!shot.icon.isEmpty()) shot.image.setText(QLatin1String(kIconKey), shot.icon);
            if (!shot.image.save(path, "PNG")) {
                err << "cannot write " << path << "\n";
                ++failures;
            }
            continue;
        }
        const QImage file(path);
        const QImage saved = file.convertToFormat(QImage::Format_RGB32);
        const QString savedFont = file.text(QLatin1String(kFontKey));
        std::vector<QRect> skipped;
        if (!savedFont.isEmpty() && savedFont != font) {
            err << path << ": made with the font " << savedFont << ", this system draws text with "
                << font << ": comparing all but the text controls\n";
            skipped = shot.textAreas;
        }
        const QString savedIcon = file.text(QLatin1String(kIconKey));
        if (!savedIcon.isEmpty() && savedIcon != shot.icon) {
            err << path << ": made with another icon than the platform's now: comparing all but the icon\n";
            skipped.push_back(shot.iconArea);
        }
        if (saved.isNull()) {
            err << path << ": missing or unreadable\n";
            ++failures;
        } else if (saved.size() != shot.image.size()) {
            err << path << ": " << saved.width() << "x" << saved.height() << ", the window now is "
                << shot.image.width() << "x" << shot.image.height() << "\n";
            ++failures;
        } else if (fields) {
            const int inside = differingPixels(saved, shot.image, skipped, shot.gameArea);
            const int text = differingPixels(saved, shot.image, {}, shot.gameArea) - inside;
            const int elsewhere = differingPixels(saved, shot.image, {}, saved.rect()) - inside - text;
            const int area = shot.gameArea.width() * shot.gameArea.height();
            err << path << ": " << inside << " of the game's " << area << " pixels differ";
            if (!skipped.empty()) err << ", and " << text << " where the other font draws its text";
            err << "; " << elsewhere << " of the other " << shot.image.width() * shot.image.height() - area
                << ", drawn by the platform's style\n";
            if (inside > 0) ++failures;
        } else if (const int n = differingPixels(saved, shot.image, skipped, saved.rect()); n > 0) {
            err << path << ": " << n << " pixels differ from the window now\n";
            ++failures;
        }
    }
    if (check && failures > 0)
        err << "refresh them with: cmake --build <build dir> --target screenshots\n";
    return failures == 0 ? 0 : 1;
}
