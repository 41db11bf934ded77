// SPDX-License-Identifier: MIT
// The launcher icons made at build time are the built-in live-turtle window
// icon enlarged with nearest neighbour: each icon pixel has the colour of
// the art pixel under its centre, transparent ones stay transparent, and no
// blended pixel appears at an edge (48 included, which is 1.5 times 32).
#include <gtest/gtest.h>

#include <QImage>

#include "rules/art/art.h"
#include "widgets/pixmaps.h"

namespace {

class LauncherIcon : public ::testing::TestWithParam<int> {};

TEST_P(LauncherIcon, IsTheWindowIconEnlargedWithNearestNeighbour) {
    const int size = GetParam();
    const QString path = QStringLiteral(PLODWAY_HICOLOR_DIR "/%1x%1/apps/" PLODWAY_APP_ID ".png").arg(size);
    const QImage icon = QImage(path).convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(icon.isNull()) << path.toStdString();
    ASSERT_EQ(icon.size(), QSize(size, size));

    const QImage& source = widgets::image(art::icoTurtle);
    ASSERT_EQ(source.size(), QSize(32, 32));
    int opaque = 0, transparent = 0, wrong = 0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const QRgb want = source.pixel((2 * x + 1) * 32 / (2 * size), (2 * y + 1) * 32 / (2 * size));
            const QRgb got = icon.pixel(x, y);
            if (qAlpha(want) == 0) {
                ++transparent;
                if (qAlpha(got) != 0) ++wrong;
            } else {
                ++opaque;
                if (got != want) ++wrong;
            }
        }
    EXPECT_EQ(wrong, 0);
    // Both kinds present: a blank or fully opaque icon would be no turtle.
    EXPECT_GT(opaque, size * size / 10);
    EXPECT_GT(transparent, size * size / 10);
}

INSTANTIATE_TEST_SUITE_P(Sizes, LauncherIcon, ::testing::Values(32, 48, 64, 128, 256));

}  // namespace
