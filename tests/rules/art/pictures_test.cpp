// SPDX-License-Identifier: MIT
// The ten sprites: size, colours, transparency, opaque area, and the parts
// that the levels rely on being where they are.
#include <gtest/gtest.h>

#include <QByteArray>

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

#include "art_test_util.h"

using namespace arttest;

namespace {

constexpr QRgb kWhite = 0xFFFFFF, kBlack = 0x000000, kRed = 0xFF0000, kDarkRed = 0x800000,
               kGreen = 0x008000, kBrown = 0x804000, kDarkBrown = 0x502800, kSilver = 0xC0C0C0,
               kBlue = 0x0000FF, kNavy = 0x000080, kGrey = 0x808080, kTeal = 0x008080,
               kDarkTeal = 0x007078, kMagenta = 0xFF00FF, kCyan = 0x00FFFF, kSemiRoof = 0xE00000,
               kChassis = 0x888888, kLightGrey = 0xB0B0B0, kOlive = 0x808000;

struct SpriteSpec {
    const art::Picture* picture;
    QSize size;
    std::set<QRgb> colours;
    QRect opaque;
};

const SpriteSpec kSprites[] = {
    {&art::picTurtle, {21, 30}, {kBrown, kDarkBrown, kGreen}, span(1, 0, 18, 29)},
    {&art::picTurtleDead, {21, 30}, {kRed, kDarkRed, kGreen, kBrown, kDarkBrown}, span(0, 0, 20, 29)},
    {&art::picTread, {58, 52}, {kRed, kBlack}, span(3, 17, 55, 35)},
    {&art::picCar, {58, 52}, {kBlue, kSilver, kBlack, kNavy, kRed}, span(3, 15, 52, 36)},
    {&art::picSemi, {66, 49},
     {kRed, kSemiRoof, kChassis, kSilver, kLightGrey, kBlack, kDarkRed}, span(4, 12, 63, 36)},
    {&art::picSportsCar, {67, 37}, {kMagenta, kBlack, kCyan, kRed}, span(10, 6, 58, 29)},
    {&art::picBus, {123, 49}, {kNavy, kSilver, kBlack}, span(7, 11, 115, 37)},
    {&art::picManhole, {25, 25}, {kGrey, kSilver, kBlack}, span(2, 2, 22, 22)},
    {&art::picTruckBoat, {118, 52},
     {kTeal, kRed, kBlue, kDarkTeal, kSilver, kNavy, kBlack, kGrey}, span(6, 10, 114, 38)},
    {&art::picCactus, {15, 23}, {kGreen, kBlack}, span(2, 1, 13, 21)},
};

// Palette entries of an XPM whose colour is `value`, e.g. "#FFFFFF".
int paletteEntries(const char* const* xpm, const char* value) {
    int w, h, n, cpp;
    std::sscanf(xpm[0], "%d %d %d %d", &w, &h, &n, &cpp);
    int found = 0;
    for (int i = 1; i <= n; ++i)
        found += QByteArray(xpm[i]).simplified().endsWith(QByteArray("c ") + value);
    return found;
}

TEST(ArtSprites, SizeColoursTransparencyAndOpaqueArea) {
    for (const SpriteSpec& s : kSprites) {
        SCOPED_TRACE(s.picture->name);
        const QImage& img = widgets::image(*s.picture);
        const QImage raw(s.picture->xpm);
        EXPECT_EQ(QSize(s.picture->width(), s.picture->height()), s.size);
        EXPECT_EQ(img.size(), s.size);
        EXPECT_EQ(paletteEntries(s.picture->xpm, "#FFFFFF"), 1) << "one white, transparent entry";
        // White, and only white, is left undrawn; everything else is fully opaque.
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const bool white = (raw.pixel(x, y) & 0xFFFFFFu) == kWhite;
                ASSERT_EQ(qAlpha(img.pixel(x, y)), white ? 0 : 255) << x << ", " << y;
            }
        std::set<QRgb> seen = colours(img);
        for (QRgb c : seen) EXPECT_TRUE(s.colours.count(c)) << "unlisted colour " << hex(c).toStdString();
        for (QRgb c : s.colours) EXPECT_TRUE(seen.count(c)) << "listed but unused " << hex(c).toStdString();
        EXPECT_EQ(bounds(img), s.opaque);
    }
}

// Every picture's colours, most used first, as the catalogue lists them. The
// title has 256 colours: its leading three are checked, the rest are used less.
TEST(ArtPictures, ColoursRankMostUsedFirst) {
    struct Ranking {
        const art::Picture* picture;
        std::vector<QRgb> colours;
        bool onlyThese;
    };
    const Ranking rankings[] = {
        {&art::picTurtle, {kBrown, kDarkBrown, kGreen}, true},
        {&art::picTurtleDead, {kRed, kDarkRed, kGreen, kBrown, kDarkBrown}, true},
        {&art::picTread, {kRed, kBlack}, true},
        {&art::picCar, {kBlue, kSilver, kBlack, kNavy, kRed}, true},
        {&art::picSemi, {kRed, kSemiRoof, kChassis, kSilver, kLightGrey, kBlack, kDarkRed}, true},
        {&art::picSportsCar, {kMagenta, kBlack, kCyan, kRed}, true},
        {&art::picBus, {kNavy, kSilver, kBlack}, true},
        {&art::picManhole, {kGrey, kSilver, kBlack}, true},
        {&art::picTruckBoat, {kTeal, kRed, kBlue, kDarkTeal, kSilver, kNavy, kBlack, kGrey}, true},
        {&art::picCactus, {kGreen, kBlack}, true},
        {&art::picTitle, {kGrey, kGreen, kRed}, false},
        {&art::icoTurtle, {kOlive, kDarkRed, kGreen}, true},
        {&art::icoTurtleDead, {kRed, kDarkRed, kGreen, kOlive}, true},
    };
    int count = 0;
    const art::Picture* const* all = art::allPictures(&count);
    ASSERT_EQ(std::size(rankings), size_t(count));
    for (int i = 0; i < count; ++i) {
        const Ranking& r = rankings[i];
        ASSERT_EQ(r.picture, all[i]) << "one ranking per picture, in catalogue order";
        SCOPED_TRACE(r.picture->name);
        const QImage& img = widgets::image(*r.picture);
        std::map<QRgb, int> uses;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (drawn(img, x, y)) ++uses[rgb(img, x, y)];
        for (size_t k = 0; k + 1 < r.colours.size(); ++k)
            EXPECT_GT(uses[r.colours[k]], uses[r.colours[k + 1]])
                << hex(r.colours[k]).toStdString() << " before " << hex(r.colours[k + 1]).toStdString();
        const int least = uses[r.colours.back()];
        for (auto [colour, n] : uses) {
            if (std::find(r.colours.begin(), r.colours.end(), colour) != r.colours.end()) continue;
            EXPECT_FALSE(r.onlyThese) << "unlisted " << hex(colour).toStdString();
            EXPECT_LT(n, least) << hex(colour).toStdString();
        }
    }
}

TEST(ArtSprites, LiveAndDeadTurtleShareOneSize) {
    EXPECT_EQ(widgets::image(art::picTurtle).size(), widgets::image(art::picTurtleDead).size());
    EXPECT_EQ(art::picTurtle.width(), art::picTurtleDead.width());
    EXPECT_EQ(art::picTurtle.height(), art::picTurtleDead.height());
}

TEST(ArtSprites, TurtleHeadShellLegsAndTail) {
    const QImage& img = widgets::image(art::picTurtle);
    // Head: the green at the top, x 7-12, y 0-4; nothing else up there.
    EXPECT_EQ(bounds(img, kGreen, span(0, 0, 20, 4)), span(7, 0, 12, 4));
    EXPECT_EQ(bounds(img, ~0u, span(0, 0, 20, 4)), span(7, 0, 12, 4));
    // Shell: rows 5-26, ringed in dark brown (the eyes above are dark brown too).
    EXPECT_EQ(bounds(img, kDarkBrown, span(0, 5, 20, 29)), span(3, 5, 16, 26));
    EXPECT_TRUE(span(3, 5, 16, 26).contains(bounds(img, kBrown)));
    for (int y = 5; y <= 26; ++y) EXPECT_NE(rgb(img, 9, y), kGreen) << y;
    // Legs: green beside the shell only at y 7-9 and 22-24, on both sides.
    for (const QRect& side : {span(0, 5, 2, 26), span(17, 5, 20, 26)}) {
        EXPECT_EQ(bounds(img, kGreen, QRect(side.left(), 5, side.width(), 10)).top(), 7);
        EXPECT_EQ(bounds(img, kGreen, QRect(side.left(), 5, side.width(), 10)).bottom(), 9);
        EXPECT_EQ(bounds(img, kGreen, QRect(side.left(), 15, side.width(), 12)).top(), 22);
        EXPECT_EQ(bounds(img, kGreen, QRect(side.left(), 15, side.width(), 12)).bottom(), 24);
    }
    // Tail: green, one or two pixels wide, rows 27-29.
    EXPECT_EQ(colours(img, span(0, 27, 20, 29)), std::set<QRgb>{kGreen});
    for (int y = 27; y <= 29; ++y) EXPECT_LE(bounds(img, kGreen, span(0, y, 20, y)).width(), 2) << y;
}

TEST(ArtSprites, DeadTurtleKeepsItsHeadAndNarrowsAtTheTail) {
    const QImage& img = widgets::image(art::picTurtleDead);
    EXPECT_EQ(bounds(img, kGreen, span(0, 0, 20, 4)), span(7, 0, 12, 4));
    // Where the tail was: red, x 7-13, rows 26-29.
    EXPECT_EQ(bounds(img, ~0u, span(0, 26, 20, 29)), span(7, 26, 13, 29));
    EXPECT_EQ(colours(img, span(0, 26, 20, 29)), (std::set<QRgb>{kRed, kDarkRed}));
    // Mostly a red blot, with dark-red cracks across it.
    int red = 0, all = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) red += rgb(img, x, y) == kRed, all += drawn(img, x, y);
    EXPECT_GT(2 * red, all);
    EXPECT_GT(bounds(img, kDarkRed, span(4, 6, 16, 24)).width(), 8);
    // Green and brown scraps at both edges.
    for (const QRect& edge : {span(0, 5, 2, 25), span(18, 5, 20, 25)}) {
        EXPECT_TRUE(colours(img, edge).count(kGreen));
        EXPECT_TRUE(colours(img, edge).count(kBrown));
    }
}

TEST(ArtSprites, TreadTracksRepeatTheZigzag) {
    const QImage& img = widgets::image(art::picTread);
    const char* pattern[3] = {"rkrr", "krkr", "rrrk"};
    for (int top : {17, 33})
        for (int dy = 0; dy < 3; ++dy)
            for (int x = 3; x <= 55; ++x) {
                const QRgb want = pattern[dy][(x - 3) % 4] == 'k' ? kBlack : kRed;
                ASSERT_EQ(rgb(img, x, top + dy), want) << x << ", " << top + dy;
                ASSERT_TRUE(drawn(img, x, top + dy));
            }
    EXPECT_TRUE(bounds(img, ~0u, span(0, 20, 57, 32)).isNull()) << "nothing between the tracks";
}

TEST(ArtSprites, CarFacesRight) {
    const QImage& img = widgets::image(art::picCar);
    // A solid body 50 x 22 with two-pixel black bumpers at both ends.
    EXPECT_EQ(bounds(img, ~0u, span(0, 25, 57, 25)), span(3, 25, 52, 25));
    for (int x : {3, 4, 51, 52}) EXPECT_EQ(rgb(img, x, 25), kBlack) << x;
    EXPECT_EQ(bounds(img, ~0u, span(20, 0, 20, 51)), span(20, 15, 20, 36));
    // Tail lights at the back (left), headlights at the front (right).
    EXPECT_LE(bounds(img, kRed).right(), 8);
    EXPECT_EQ(colours(img, span(47, 15, 52, 19)).count(kSilver), 1u);
    EXPECT_EQ(colours(img, span(47, 32, 52, 36)).count(kSilver), 1u);
    // The bonnet, with its navy creases, is the front half.
    EXPECT_GE(bounds(img, kNavy, span(38, 15, 52, 36)).width(), 6);
    EXPECT_TRUE(bounds(img, kNavy, span(3, 15, 12, 36)).isNull());
}

TEST(ArtSprites, SemiFacesLeftWithItsCabBeforeTheChassis) {
    const QImage& img = widgets::image(art::picSemi);
    EXPECT_EQ(rgb(img, 4, 24), kBlack) << "front bumper";
    EXPECT_EQ(rgb(img, 12, 24), kRed) << "bonnet";
    EXPECT_TRUE(colours(img, span(6, 12, 20, 36)).count(kDarkRed)) << "grille marks on the bonnet";
    EXPECT_EQ(bounds(img, kSemiRoof).left(), 27);
    EXPECT_EQ(bounds(img, kSemiRoof).right(), 37);
    EXPECT_EQ(bounds(img, kChassis, span(38, 18, 65, 30)).left(), 38);
    EXPECT_EQ(bounds(img, kChassis, span(38, 18, 65, 30)).right(), 63);
    // Coupling plate, about four pixels across, mid-chassis.
    const QRect plate = bounds(img, kBlack, span(40, 19, 63, 29));
    EXPECT_GE(plate.width(), 3);
    EXPECT_LE(plate.width(), 5);
    EXPECT_NEAR(plate.center().x(), 50.5, 2.0);
    // Mirrors at the roof's rear corners; twin wheels above and below at the rear.
    EXPECT_EQ(rgb(img, 37, 12), kLightGrey);
    EXPECT_EQ(rgb(img, 37, 36), kLightGrey);
    EXPECT_GE(bounds(img, kBlack, span(0, 12, 65, 12)).left(), 44);
    EXPECT_GE(bounds(img, kBlack, span(0, 36, 65, 36)).left(), 44);
}

TEST(ArtSprites, SportsCarFacesRight) {
    const QImage& img = widgets::image(art::picSportsCar);
    // The cockpit across the middle row, x 21-41, the windscreen just ahead.
    int x = 21;
    while (x <= 58 && rgb(img, x, 17) == kBlack) ++x;
    EXPECT_EQ(x, 42);
    EXPECT_EQ(rgb(img, 20, 17), kMagenta);
    EXPECT_EQ(rgb(img, 42, 17), kCyan);
    // Tail lights at the left end; the nose curves in towards the right.
    EXPECT_LE(bounds(img, kRed).right(), 12);
    EXPECT_EQ(bounds(img, ~0u, span(0, 17, 66, 17)).right(), 58);
    EXPECT_LT(bounds(img, ~0u, span(0, 10, 66, 10)).right(), 58);
    // Wheel stubs at the four corners, clear of the body.
    for (int y : {6, 29}) {
        EXPECT_EQ(colours(img, span(10, y, 58, y)), std::set<QRgb>{kBlack});
        EXPECT_TRUE(drawn(img, 18, y)); EXPECT_TRUE(drawn(img, 48, y));
    }
}

TEST(ArtSprites, BusFacesLeftWithOneFrontAndTwoRearWheelPairs) {
    const QImage& img = widgets::image(art::picBus);
    EXPECT_EQ(rgb(img, 9, 24), kSilver) << "windscreen at the left end";
    EXPECT_TRUE(colours(img, span(8, 15, 11, 33)).count(kBlack)) << "wipers and driver";
    EXPECT_FALSE(drawn(img, 7, 13)) << "bevelled corner";
    EXPECT_EQ(rgb(img, 60, 24), kNavy);
    EXPECT_TRUE(colours(img, span(50, 19, 72, 29)).count(kSilver)) << "roof sign";
    for (int y : {11, 37}) {
        std::vector<int> starts;  // where each wheel starts along the row
        for (int x = 0; x < img.width(); ++x)
            if (drawn(img, x, y) && (x == 0 || !drawn(img, x - 1, y))) starts.push_back(x);
        ASSERT_EQ(starts.size(), 3u) << y;
        EXPECT_LT(starts[0], 40);
        EXPECT_GT(starts[1], 80);
        EXPECT_EQ(colours(img, span(0, y, 122, y)), std::set<QRgb>{kBlack});
    }
}

TEST(ArtSprites, ManholeDiscSlotAndPickHole) {
    const QImage& img = widgets::image(art::picManhole);
    for (auto [x, y] : {std::pair{2, 12}, {22, 12}, {12, 2}, {12, 22}}) EXPECT_EQ(rgb(img, x, y), kSilver);
    for (auto [x, y] : {std::pair{2, 2}, {22, 2}, {2, 22}, {22, 22}}) EXPECT_FALSE(drawn(img, x, y)) << "round";
    EXPECT_EQ(rgb(img, 12, 9), kGrey);
    // The slot: black outline on rows 11-13, grey inside.
    const QRect slot = bounds(img, kBlack, span(0, 10, 24, 14));
    EXPECT_EQ(slot.top(), 11);
    EXPECT_EQ(slot.bottom(), 13);
    EXPECT_GE(slot.width(), 11);
    for (int x = slot.left(); x <= slot.right(); ++x) {
        EXPECT_EQ(rgb(img, x, 11), kBlack);
        EXPECT_EQ(rgb(img, x, 13), kBlack);
    }
    EXPECT_EQ(rgb(img, slot.left(), 12), kBlack);
    EXPECT_EQ(rgb(img, slot.right(), 12), kBlack);
    EXPECT_EQ(rgb(img, 12, 12), kGrey);
    // A single black pick hole above the slot, none below.
    const QRect hole = bounds(img, kBlack, span(0, 0, 24, 10));
    EXPECT_EQ(hole.size(), QSize(1, 1));
    EXPECT_TRUE(bounds(img, kBlack, span(0, 14, 24, 24)).isNull());
}

TEST(ArtSprites, TruckBoatTruckLeftBoatRight) {
    const QImage& img = widgets::image(art::picTruckBoat);
    const QRect truck = bounds(img, kTeal) | bounds(img, kDarkTeal);
    const QRect hull = bounds(img, kBlue) | bounds(img, kNavy);
    EXPECT_EQ(truck.left(), 6);
    EXPECT_LT(truck.right(), hull.left());
    EXPECT_TRUE(colours(img, truck).count(kSilver)) << "windscreen";
    // Bed at the truck's rear, behind the cab; tail lights at its rear corners.
    EXPECT_GT(bounds(img, kDarkTeal).center().x(), truck.center().x());
    EXPECT_EQ(bounds(img, kRed, truck).right(), truck.right());
    EXPECT_EQ(bounds(img, kRed, truck).height(), truck.height());
    // Tow bar between them, along the middle row.
    for (int x = truck.right() + 1; x < hull.left(); ++x) EXPECT_EQ(rgb(img, x, 24), kSilver) << x;
    // The bow points at the truck: the hull is narrowest at its left end.
    const QRect bow(hull.left(), 0, 1, 52);
    EXPECT_EQ((bounds(img, kBlue, bow) | bounds(img, kNavy, bow)).height(), 1);
    EXPECT_TRUE(colours(img, hull).count(kRed)) << "deck";
    // Mudguards above and below; motor at the stern with the grey shaft last.
    EXPECT_EQ(colours(img, span(0, 10, 117, 10)), std::set<QRgb>{kSilver});
    EXPECT_EQ(colours(img, span(0, 38, 117, 38)), std::set<QRgb>{kSilver});
    EXPECT_EQ(rgb(img, 114, 24), kGrey);
    EXPECT_EQ(rgb(img, hull.right() + 1, 24), kBlack);
}

TEST(ArtSprites, CactusTrunkArmsAndSpines) {
    const QImage& img = widgets::image(art::picCactus);
    for (int y = 2; y <= 21; ++y)
        for (int x = 6; x <= 9; ++x) EXPECT_TRUE(drawn(img, x, y)) << x << ", " << y;
    EXPECT_TRUE(bounds(img, ~0u, span(0, 0, 14, 22)).contains(span(2, 1, 13, 21)));
    // The left arm's tip is lower than the right arm's.
    const QRect left = bounds(img, kGreen, span(0, 0, 5, 22)), right = bounds(img, kGreen, span(10, 0, 14, 22));
    EXPECT_GT(left.top(), right.top());
    EXPECT_LT(left.top(), 12);
    // Spines are single pixels: no black pixel touches another.
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 14; ++x)
            if (drawn(img, x, y) && rgb(img, x, y) == kBlack) {
                EXPECT_FALSE(drawn(img, x + 1, y) && rgb(img, x + 1, y) == kBlack) << x << ", " << y;
                EXPECT_FALSE(drawn(img, x, y + 1) && rgb(img, x, y + 1) == kBlack) << x << ", " << y;
            }
}

}  // namespace
