// SPDX-License-Identifier: MIT
// The title scene and the two window icons made from the turtle sprites.
#include <gtest/gtest.h>

#include <QIcon>

#include "art_test_util.h"

using namespace arttest;

namespace {

constexpr QRgb kOlive = 0x808000, kDarkRed = 0x800000, kGreen = 0x008000, kRed = 0xFF0000;

bool greenish(QRgb c) { return qGreen(c) > 2 * qRed(c) && qGreen(c) > 2 * qBlue(c); }
bool greyish(QRgb c) { return qRed(c) == qGreen(c) && qGreen(c) == qBlue(c) && qRed(c) > 0x60 && qRed(c) < 0xA0; }
bool reddish(QRgb c) { return qRed(c) >= 0x80 && qGreen(c) < 0x40 && qBlue(c) < 0x40; }
bool blue(QRgb c) { return qBlue(c) >= 0x80 && qRed(c) == 0 && qGreen(c) == 0; }

TEST(ArtTitle, SizePaletteAndNoTransparency) {
    EXPECT_EQ(art::picTitle.width(), 175);
    EXPECT_EQ(art::picTitle.height(), 96);
    const QImage raw(art::picTitle.xpm);
    EXPECT_EQ(raw.format(), QImage::Format_Indexed8);
    EXPECT_EQ(raw.colorCount(), 256);
    const QImage& img = widgets::image(art::picTitle);
    ASSERT_EQ(img.size(), QSize(175, 96));
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) ASSERT_EQ(qAlpha(img.pixel(x, y)), 255) << x << ", " << y;
    // White is an ordinary colour here: the centre line is drawn.
    EXPECT_EQ(rgb(img, 0, 44), 0xFFFFFFu);
}

TEST(ArtTitle, VergesRoadAndDashedCentreLine) {
    const QImage& img = widgets::image(art::picTitle);
    for (int x = 0; x < 175; ++x) {
        for (int y : {0, 8, 15, 76, 85, 95}) ASSERT_TRUE(greenish(rgb(img, x, y))) << x << ", " << y;
        for (int y : {16, 75}) ASSERT_TRUE(greyish(rgb(img, x, y))) << x << ", " << y;
    }
    // Row 44: white dashes of 10-16 pixels separated by 5-pixel gaps of road.
    std::vector<std::pair<bool, int>> runs;  // (white, length)
    for (int x = 0; x < 175; ++x) {
        const QRgb c = rgb(img, x, 44);
        const bool white = c == 0xFFFFFF;
        ASSERT_TRUE(white || greyish(c)) << x;
        if (runs.empty() || runs.back().first != white) runs.push_back({white, 0});
        ++runs.back().second;
    }
    ASSERT_GE(runs.size(), 15u);
    for (size_t i = 0; i < runs.size(); ++i) {
        if (i == 0 || i + 1 == runs.size()) continue;  // cut off by the picture's edge
        if (runs[i].first) {
            EXPECT_TRUE(runs[i].second >= 10 && runs[i].second <= 16) << i << ": " << runs[i].second;
        } else {
            EXPECT_EQ(runs[i].second, 5) << i;
        }
    }
}

TEST(ArtTitle, NameAboveTheLineTurtleAndBylineBelow) {
    const QImage& img = widgets::image(art::picTitle);
    QRect red, byline, turtleHead;
    for (int y = 0; y < 96; ++y)
        for (int x = 0; x < 175; ++x) {
            const QRgb c = rgb(img, x, y);
            if (reddish(c) && y < 44) red |= QRect(x, y, 1, 1);
            if (blue(c)) byline |= QRect(x, y, 1, 1);
            if (greenish(c) && y > 44 && y < 76) turtleHead |= QRect(x, y, 1, 1);
        }
    // The name and its drips stay in the upper lane and span most of it.
    EXPECT_GE(red.top(), 16);
    EXPECT_LE(red.bottom(), 43);
    EXPECT_GT(red.width(), 80);
    EXPECT_GT(red.height(), 20);
    // The run-over turtle left of centre in the lower lane: its green head and
    // scraps; the byline at the right.
    EXPECT_FALSE(turtleHead.isNull());
    EXPECT_LT(turtleHead.right(), 87);
    EXPECT_GT(byline.left(), 87);
    EXPECT_GT(byline.top(), 44);
    EXPECT_LT(byline.bottom(), 76);
    // Skid marks: red on the road to the right of the turtle, before the byline.
    int skid = 0;
    for (int y = 45; y < 76; ++y)
        for (int x = turtleHead.right() + 1; x < byline.left(); ++x) skid += reddish(rgb(img, x, y));
    EXPECT_GT(skid, 60);
}

TEST(ArtIcons, NearestStandardColourHalvesGoToTheBrighter) {
    EXPECT_EQ(widgets::nearestStandardColour(0x804000), kOlive) << "brown";
    EXPECT_EQ(widgets::nearestStandardColour(0x502800), kDarkRed) << "dark brown";
    EXPECT_EQ(widgets::nearestStandardColour(0x400000), kDarkRed);
    EXPECT_EQ(widgets::nearestStandardColour(0x004000), kGreen);
    EXPECT_EQ(widgets::nearestStandardColour(0x3F0000), 0x000000u);
    for (QRgb c : {0x000000u, 0x800000u, 0x008000u, 0x808000u, 0x000080u, 0x800080u, 0x008080u, 0xC0C0C0u,
                   0x808080u, 0xFF0000u, 0x00FF00u, 0xFFFF00u, 0x0000FFu, 0xFF00FFu, 0x00FFFFu, 0xFFFFFFu})
        EXPECT_EQ(widgets::nearestStandardColour(c), c) << hex(c).toStdString();
}

TEST(ArtIcons, SpriteAtSixOneInStandardColoursRestMasked) {
    struct Case { const art::Picture* icon; std::set<QRgb> colours; };
    for (const Case& c : {Case{&art::icoTurtle, {kOlive, kDarkRed, kGreen}},
                          Case{&art::icoTurtleDead, {kRed, kDarkRed, kGreen, kOlive}}}) {
        SCOPED_TRACE(c.icon->name);
        const QImage& icon = widgets::image(*c.icon);
        const QImage& sprite = widgets::image(*c.icon->iconOf);
        ASSERT_EQ(icon.size(), QSize(32, 32));
        EXPECT_EQ(QSize(c.icon->width(), c.icon->height()), QSize(32, 32));
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const QPoint s(x - 6, y - 1);
                const bool fromSprite = sprite.rect().contains(s) && drawn(sprite, s.x(), s.y());
                ASSERT_EQ(qAlpha(icon.pixel(x, y)), fromSprite ? 255 : 0) << x << ", " << y;
                if (fromSprite) {
                    ASSERT_EQ(rgb(icon, x, y), widgets::nearestStandardColour(rgb(sprite, s.x(), s.y())))
                        << x << ", " << y;
                }
            }
        EXPECT_EQ(colours(icon), c.colours);
        EXPECT_EQ(widgets::icon(*c.icon).pixmap(32, 32).size(), QSize(32, 32));
    }
    EXPECT_EQ(widgets::image(art::icoTurtle).size(), widgets::image(art::icoTurtleDead).size());
}

}  // namespace
