// plodway-screens DIR: writes DIR/menu.png and DIR/level1.png to level3.png,
// each the client area of the real window as it opens (offscreen, at one
// pixel per pixel). plodway-screens --check DIR renders them again and
// compares them with the files in DIR, pixel for pixel.
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTextStream>
#include <QWidget>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "app/menu_window.h"
#include "engine/level_window.h"
#include "levels/levels.h"

namespace {

// Shown and grabbed without running the event loop, so no timer ticks in
// between: the picture is the window's load state, the same on every run.
QImage grabWindow(QWidget& window) {
    window.show();
    QImage shot = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    window.close();
    return shot;
}

std::vector<std::pair<QString, QImage>> renderAll() {
    std::vector<std::pair<QString, QImage>> shots;
    {
        app::MenuWindow menu;
        shots.emplace_back(QStringLiteral("menu"), grabWindow(menu));
    }
    for (int n = 1; n <= levels::kLevelCount; ++n) {
        // Owned here: closing a level window only schedules its deletion.
        std::unique_ptr<engine::LevelWindow> level(
            new engine::LevelWindow(levels::byNumber(n), nullptr, [] {}));
        shots.emplace_back(QStringLiteral("level%1").arg(n), grabWindow(*level));
    }
    return shots;
}

int differingPixels(const QImage& a, const QImage& b) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) ++count;
    return count;
}

}  // namespace

int main(int argc, char** argv) {
    // The same pictures wherever it runs: no display, no scaling.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", "1");
    qunsetenv("QT_SCREEN_SCALE_FACTORS");
    qunsetenv("QT_ENABLE_HIGHDPI_SCALING");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("plodway"));
    QTextStream err(stderr);

    const QStringList args = QApplication::arguments().mid(1);
    const bool check = !args.isEmpty() && args.first() == QLatin1String("--check");
    if (args.size() != (check ? 2 : 1)) {
        err << "usage: plodway-screens [--check] DIR\n";
        return 2;
    }
    const QDir dir(args.last());
    if (!check && !QDir().mkpath(dir.path())) {
        err << "cannot create " << dir.path() << "\n";
        return 1;
    }

    int failures = 0;
    for (const auto& [name, shot] : renderAll()) {
        const QString path = dir.filePath(name + QStringLiteral(".png"));
        if (!check) {
            if (!shot.save(path, "PNG")) {
                err << "cannot write " << path << "\n";
                ++failures;
            }
            continue;
        }
        const QImage saved = QImage(path).convertToFormat(QImage::Format_RGB32);
        if (saved.isNull()) {
            err << path << ": missing or unreadable\n";
            ++failures;
        } else if (saved.size() != shot.size()) {
            err << path << ": " << saved.width() << "x" << saved.height() << ", the window now is "
                << shot.width() << "x" << shot.height() << "\n";
            ++failures;
        } else if (const int n = differingPixels(saved, shot); n > 0) {
            err << path << ": " << n << " pixels differ from the window now\n";
            ++failures;
        }
    }
    if (check && failures > 0)
        err << "refresh them with: cmake --build <build dir> --target screenshots\n";
    return failures == 0 ? 0 : 1;
}
