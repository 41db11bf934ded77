// SPDX-License-Identifier: MIT
// What the play field paints: stacking order, transparency, lines, strips.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>

#include "rules/level_controls.h"
#include "rules/levels/levels.h"
#include "widgets/pixmaps.h"
#include "widgets/play_field.h"

using namespace widgets;

namespace {

QImage render(const rules::LevelControls& controls) {
    PlayField field(controls.field, controls.paintOrder(), nullptr);
    return field.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// First opaque pixel of a picture, to find where an image shows itself.
QPoint opaquePixel(const art::Picture& p) {
    const QImage& img = widgets::image(p);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(img.pixel(x, y))) return {x, y};
    return {-1, -1};
}

constexpr QRgb kGreen = 0xFF00C000, kWhite = 0xFFFFFFFF, kGrey = 0xFF808080;

TEST(PlayField, Level1ScenerySpritesAndStacking) {
    rules::LevelControls controls{levels::level1()};
    const QImage img = render(controls);
    ASSERT_EQ(img.size(), QSize(501, 325));
    EXPECT_EQ(img.pixel(0, 0), kGreen);
    EXPECT_EQ(img.pixel(500, 300), kGreen);
    // Lane line 0 from (8, 184) to (492, 184): the platform's dash, 18 on, 6 off.
    EXPECT_EQ(img.pixel(7, 184), kGrey);
    EXPECT_EQ(img.pixel(8, 184), kWhite);
    EXPECT_EQ(img.pixel(25, 184), kWhite);
    EXPECT_EQ(img.pixel(26, 184), kGrey);
    EXPECT_EQ(img.pixel(32, 184), kWhite);
    // The lower verge (from row 284) covers semi 1's bottom row.
    EXPECT_EQ(img.pixel(470, 284), kGreen);
    // The turtle is drawn over the verge; the hidden tread mark is not drawn.
    const QPoint t = opaquePixel(art::picTurtle);
    EXPECT_EQ(img.pixel(236 + t.x(), 292 + t.y()), widgets::image(art::picTurtle).pixel(t) | 0xFF000000u);
}

TEST(PlayField, WhiteIsTransparentAndHiddenImagesAreNotDrawn) {
    rules::LevelControls controls{levels::level1()};
    // The tread mark is hidden at (3180, -180); show it over the upper verge.
    controls.treadMark.move(0, 0);
    QImage img = render(controls);
    EXPECT_EQ(img.pixel(0, 0), kGreen);  // the tread's white corner shows the verge
    controls.treadMark.move(0, 1500);  // over the road, under everything else
    const QImage without = render(controls);
    controls.treadMark.setVisible(true);
    img = render(controls);
    const QImage& tread = widgets::image(art::picTread);
    int drawn = 0;
    for (int y = 0; y < tread.height(); ++y)
        for (int x = 0; x < tread.width(); ++x) {
            if (qAlpha(tread.pixel(x, y)) == 0)
                EXPECT_EQ(img.pixel(x, 100 + y), without.pixel(x, 100 + y)) << x << ", " << y;
            else
                drawn += img.pixel(x, 100 + y) != without.pixel(x, 100 + y);
        }
    EXPECT_GT(drawn, 0);
}

TEST(PlayField, Level3LinesStartTheirDashesAtTheRight) {
    rules::LevelControls controls{levels::level3()};
    const QImage img = render(controls);
    // Lane line 0 from x 464 leftwards: 18 pixels 464..447 drawn, then a gap.
    EXPECT_EQ(img.pixel(464, 100), kWhite);
    EXPECT_EQ(img.pixel(447, 100), kWhite);
    EXPECT_NE(img.pixel(446, 100), kWhite);
    EXPECT_EQ(img.pixel(0, 0), 0xFFFFC080);  // sand
}

TEST(PlayField, Level2SidewalksShowTheirCaption) {
    rules::LevelControls controls{levels::level2()};
    const QImage img = render(controls);
    int textPixels = 0;
    const QRgb face = img.pixel(476, 2);
    for (int y = 0; y < 37; ++y)
        for (int x = 0; x < 477; ++x)
            if (img.pixel(x, y) != face) ++textPixels;
    EXPECT_GT(textPixels, 11 * 10);  // eleven bars, each many pixels tall
}

TEST(PlayField, KeysAreThePlatformsVirtualKeyCodes) {
    EXPECT_EQ(virtualKeyCode(Qt::Key_Left), 37);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Up), 38);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Right), 39);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Down), 40);
    EXPECT_EQ(virtualKeyCode(Qt::Key_P), 80);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Pause), 19);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Space), 32);
    EXPECT_EQ(modifierMask(Qt::ShiftModifier | Qt::AltModifier), 5);

    rules::LevelControls controls{levels::level1()};
    PlayField field(controls.field, controls.paintOrder(), nullptr);
    std::vector<std::pair<int, int>> got;
    field.onKeyDown = [&](std::int16_t key, std::int16_t modifiers) { got.emplace_back(key, modifiers); };
    QKeyEvent lowerP(QEvent::KeyPress, Qt::Key_P, Qt::NoModifier, "p");
    QKeyEvent ctrlP(QEvent::KeyPress, Qt::Key_P, Qt::ControlModifier, "");
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier, "", true);
    QKeyEvent altLeft(QEvent::KeyPress, Qt::Key_Left, Qt::AltModifier, "");
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, "\x1b");
    QKeyEvent f5(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier, "");
    // Every key reaches the game; the field takes only those it plays by,
    // and leaves the rest (a browser's shortcuts) to whoever answers them.
    std::vector<bool> taken;
    for (QKeyEvent* e : {&lowerP, &ctrlP, &repeat, &altLeft, &escape, &f5}) {
        QCoreApplication::sendEvent(&field, e);
        taken.push_back(e->isAccepted());
    }
    EXPECT_EQ(got, (std::vector<std::pair<int, int>>{{80, 0}, {80, 2}, {38, 0}, {37, 4}, {27, 0}, {0, 0}}));
    EXPECT_EQ(taken, (std::vector<bool>{true, false, true, false, false, false}));
}

}  // namespace
