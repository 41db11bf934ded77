// SPDX-License-Identifier: MIT
// At a device pixel ratio of 2 the windows keep their layout in logical
// pixels (so in twips), and every sprite, line and fill is the ratio-1
// rendering doubled pixel for pixel: nearest-neighbour, nothing smoothed.
// Text is the exception: fonts are rasterised afresh at the larger size, so
// level 2's sidewalk captions are compared by where their ink lies instead.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <optional>
#include <variant>
#include <vector>

#include "app/menu_window.h"
#include "art/art.h"
#include "art/pixmaps.h"
#include "engine/level_window.h"
#include "levels/levels.h"
#include "winsys/colors.h"
#include "winsys/play_field.h"
#include "winsys/twips.h"

namespace {

// Set before main() creates the application, so the whole process runs at 2x.
const bool kScaled = [] {
    qputenv("QT_SCALE_FACTOR", "2");
    return true;
}();

QImage renderAtRatio1(QWidget* widget) {
    QImage image(widget->size(), QImage::Format_RGB32);
    image.setDevicePixelRatio(1);
    image.fill(Qt::magenta);
    widget->render(&image);
    return image;
}

QImage grabAtRatio2(QWidget* widget) {
    const QPixmap pixmap = widget->grab();
    EXPECT_EQ(pixmap.devicePixelRatio(), 2.0);
    EXPECT_EQ(pixmap.size(), widget->size() * 2);
    return pixmap.toImage().convertToFormat(QImage::Format_RGB32);
}

struct Mismatch {
    int count = 0;
    QPoint first;  // in 2x pixels
};

// Pixels of the 2x image that differ from the 1x pixel they should double,
// leaving out the excluded rectangles (logical pixels).
Mismatch compareDoubled(const QImage& x1, const QImage& x2, const std::vector<QRect>& excluded = {}) {
    Mismatch m;
    for (int y = 0; y < x2.height(); ++y)
        for (int x = 0; x < x2.width(); ++x) {
            const QPoint logical(x / 2, y / 2);
            bool skip = false;
            for (const QRect& r : excluded) skip = skip || r.contains(logical);
            if (skip || x2.pixel(x, y) == x1.pixel(logical)) continue;
            if (m.count++ == 0) m.first = QPoint(x, y);
        }
    return m;
}

// Smallest rectangle of pixels inside `area` that differ from `background`.
QRect inkBounds(const QImage& image, const QRect& area, QRgb background) {
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != (background & 0xFFFFFF)) bounds |= QRect(x, y, 1, 1);
    return bounds;
}

QRect scaled(const QRect& r, int factor) { return {r.topLeft() * factor, r.size() * factor}; }

struct Caption {
    QRect rect;  // logical pixels
    QRgb background;
};

std::vector<Caption> captions(engine::LevelControls& controls) {
    std::vector<Caption> found;
    for (const winsys::Drawable& control : controls.paintOrder())
        if (auto* label = std::get_if<const winsys::Label*>(&control); label && !(*label)->caption.empty())
            found.push_back({winsys::pxRect((*label)->left, (*label)->top, (*label)->width, (*label)->height),
                             winsys::toQColor((*label)->backColor).rgb()});
    return found;
}

struct LevelCase {
    int number;
    QSize client;       // logical pixels, as at ratio 1
    QRect restart;
    std::size_t captionCount;
};

void PrintTo(const LevelCase& c, std::ostream* os) { *os << "level " << c.number; }

class HiDpiLevel : public ::testing::TestWithParam<LevelCase> {
protected:
    void TearDown() override {
        if (window) window->close();
        QTest::qWait(1);  // let the deferred delete run
    }
    QPointer<engine::LevelWindow> window;
};

TEST_P(HiDpiLevel, FieldIsTheRatio1FieldDoubledAndTheLayoutKeepsItsLogicalSize) {
    const LevelCase c = GetParam();
    window = new engine::LevelWindow(levels::byNumber(c.number), nullptr, [] {});
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    ASSERT_EQ(window->devicePixelRatio(), 2.0) << "QT_SCALE_FACTOR=2 did not take";

    EXPECT_EQ(window->size(), c.client);
    EXPECT_EQ(window->restartButton()->geometry(), c.restart);

    QTest::qWait(120);  // a few traffic ticks in, so vehicles stand between their layout places
    // Back to back without the event loop, so both show the same moment.
    winsys::PlayField* field = window->playField();
    const QImage x1 = renderAtRatio1(field);
    const QImage x2 = grabAtRatio2(field);
    ASSERT_EQ(x2.size(), x1.size() * 2);

    const std::vector<Caption> texts = captions(window->controls());
    ASSERT_EQ(texts.size(), c.captionCount);
    std::vector<QRect> excluded;
    for (const Caption& t : texts) excluded.push_back(t.rect);

    const Mismatch m = compareDoubled(x1, x2, excluded);
    EXPECT_EQ(m.count, 0) << "first differing 2x pixel at (" << m.first.x() << ", " << m.first.y() << ")";

    // Captions: the ink covers the same area, within a pixel of rasterising.
    for (const Caption& t : texts) {
        const QRect ink1 = inkBounds(x1, t.rect, t.background);
        const QRect ink2 = inkBounds(x2, scaled(t.rect, 2), t.background);
        ASSERT_FALSE(ink1.isEmpty());
        ASSERT_FALSE(ink2.isEmpty());
        const QRect expected = scaled(ink1, 2);
        EXPECT_LE(std::abs(ink2.left() - expected.left()), 2) << "caption at y " << t.rect.y();
        EXPECT_LE(std::abs(ink2.right() - expected.right()), 2) << "caption at y " << t.rect.y();
        EXPECT_LE(std::abs(ink2.top() - expected.top()), 2) << "caption at y " << t.rect.y();
        EXPECT_LE(std::abs(ink2.bottom() - expected.bottom()), 2) << "caption at y " << t.rect.y();
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, HiDpiLevel,
                         ::testing::Values(LevelCase{1, {501, 325}, {412, 292, 81, 29}, 0},
                                           LevelCase{2, {477, 356}, {400, 324, 73, 29}, 2},
                                           LevelCase{3, {466, 361}, {384, 324, 81, 33}, 0}),
                         [](const auto& info) { return "Level" + std::to_string(info.param.number); });

TEST(HiDpiMenu, TitlePictureIsThePictureDoubled) {
    app::MenuWindow menu;
    menu.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    ASSERT_EQ(menu.devicePixelRatio(), 2.0);
    EXPECT_EQ(menu.size(), QSize(186, 216));

    auto* title = menu.findChild<QLabel*>("title");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->geometry(), QRect(4, 4, 180, 101));
    const QImage shot = grabAtRatio2(title);
    const QImage& picture = art::image(art::picTitle);
    // The picture sits at the top left inside the sunken frame.
    const QPoint origin = title->contentsRect().topLeft() * 2;
    int wrong = 0;
    for (int y = 0; y < picture.height() * 2; ++y)
        for (int x = 0; x < picture.width() * 2; ++x)
            if (shot.pixel(origin + QPoint(x, y)) != (picture.pixel(x / 2, y / 2) | 0xFF000000u)) ++wrong;
    EXPECT_EQ(wrong, 0) << "of " << picture.width() * picture.height() * 4 << " pixels";
}

}  // namespace
