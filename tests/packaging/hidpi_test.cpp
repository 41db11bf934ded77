// SPDX-License-Identifier: MIT
// At a device pixel ratio of 2 the windows keep their layout in logical
// pixels (so in twips), and every sprite, line and fill is the ratio-1
// rendering doubled pixel for pixel: nearest-neighbour, nothing smoothed.
// Text is the exception: fonts are rasterised afresh at the larger size, so
// level 2's sidewalk captions are compared by where their ink lies instead.
// At a fractional ratio every screen pixel shows the game pixels it covers,
// each by its share, up to the field's last partial column and row, so
// sprites keep their shape as they move. The ratio is the one asked for by
// QT_SCALE_FACTOR, or by PLODWAY_TEST_RATIO where the system's DPI sets it.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <cmath>
#include <deque>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "app/level_window.h"
#include "app/menu_window.h"
#include "desktop/common/pixel_grid.h"
#include "rules/art/art.h"
#include "rules/levels/levels.h"
#include "widgets/colors.h"
#include "widgets/pixmaps.h"
#include "widgets/play_field.h"
#include "widgets/sharp_pixels.h"
#include "widgets/twips.h"

namespace {

// The ratio the whole process was asked to run at; 0 when none was, which
// fails every test: a registration that loses its setting must not pass at
// whatever ratio the process happens to get.
const qreal kRatio = [] {
    for (const char* name : {"PLODWAY_TEST_RATIO", "QT_SCALE_FACTOR"})
        if (const QByteArray asked = qgetenv(name); !asked.isEmpty()) return asked.toDouble();
    return 0.0;
}();
const bool kWholeRatio = kRatio == std::round(kRatio);

// Shows a window and checks that it got the ratio asked for.
::testing::AssertionResult runsAtTheRatioAskedFor(QWidget& window) {
    if (kRatio <= 0) return ::testing::AssertionFailure() << "no ratio asked for: set QT_SCALE_FACTOR or PLODWAY_TEST_RATIO";
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return ::testing::AssertionFailure() << "the window never showed";
    if (window.devicePixelRatio() != kRatio)
        return ::testing::AssertionFailure() << "asked for ratio " << kRatio << ", got " << window.devicePixelRatio();
    return ::testing::AssertionSuccess();
}

QImage renderAtRatio1(QWidget* widget) {
    QImage image(widget->size(), QImage::Format_RGB32);
    image.setDevicePixelRatio(1);
    image.fill(Qt::magenta);
    widget->render(&image);
    return image;
}

QImage grabAtRatio(QWidget* widget) {
    const QPixmap pixmap = widget->grab();
    EXPECT_EQ(pixmap.devicePixelRatio(), kRatio);
    EXPECT_EQ(pixmap.size(), (QSizeF(widget->size()) * kRatio).toSize());
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

// What the screen pixel (x, y) shows of `picture` enlarged `ratio` times:
// the picture's pixels by the share of it each covers, those beyond the
// picture left out. Worked out afresh, in floating point.
QRgb areaAverage(const QImage& picture, qreal ratio, int x, int y) {
    const double left = x / ratio, right = (x + 1) / ratio, top = y / ratio, bottom = (y + 1) / ratio;
    double red = 0, green = 0, blue = 0, area = 0;
    for (int py = int(top); py < bottom && py < picture.height(); ++py)
        for (int px = int(left); px < right && px < picture.width(); ++px) {
            const double share = (std::min(right, px + 1.0) - std::max(left, double(px))) *
                                 (std::min(bottom, py + 1.0) - std::max(top, double(py)));
            const QRgb c = picture.pixel(px, py);
            red += share * qRed(c), green += share * qGreen(c), blue += share * qBlue(c), area += share;
        }
    return qRgb(int(std::lround(red / area)), int(std::lround(green / area)), int(std::lround(blue / area)));
}

// Pixels of `shown` (at `origin` in it, for `size` pixels) that differ from
// `picture` averaged at the ratio: at all at a whole ratio, where every
// screen pixel is one picture pixel, and by more than rounding otherwise.
Mismatch compareAveraged(const QImage& picture, const QImage& shown, QPoint origin, QSize size, qreal ratio) {
    const int slack = ratio == std::round(ratio) ? 0 : 1;
    Mismatch m;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const QRgb want = areaAverage(picture, ratio, x, y), got = shown.pixel(origin + QPoint(x, y));
            if (std::abs(qRed(got) - qRed(want)) <= slack && std::abs(qGreen(got) - qGreen(want)) <= slack &&
                std::abs(qBlue(got) - qBlue(want)) <= slack)
                continue;
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

QRect scaled(const QRect& r, qreal factor) {
    return QRectF(QPointF(r.topLeft()) * factor, QSizeF(r.size()) * factor).toAlignedRect();
}

struct Caption {
    QRect rect;  // logical pixels
    QRgb background;
};

std::vector<Caption> captions(rules::LevelControls& controls) {
    std::vector<Caption> found;
    for (const rules::Drawable& control : controls.paintOrder())
        if (auto* label = std::get_if<const rules::Label*>(&control); label && !(*label)->caption.empty())
            found.push_back({widgets::pxRect((*label)->left, (*label)->top, (*label)->width, (*label)->height),
                             widgets::toQColor((*label)->backColor).rgb()});
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
    QPointer<app::LevelWindow> window;
};

TEST_P(HiDpiLevel, KeepsItsLayoutAndScalesTheFieldEvenly) {
    const LevelCase c = GetParam();
    window = new app::LevelWindow(levels::byNumber(c.number), nullptr, [] {});
    ASSERT_TRUE(runsAtTheRatioAskedFor(*window));

    EXPECT_EQ(window->size(), c.client);
    EXPECT_EQ(window->restartButton()->geometry(), c.restart);

    QTest::qWait(120);  // a few traffic ticks in, so vehicles stand between their layout places
    // Back to back without the event loop, so both show the same moment.
    widgets::PlayField* field = window->playField();
    const QImage x1 = renderAtRatio1(field);
    const QImage x2 = grabAtRatio(field);

    const std::vector<Caption> texts = captions(window->controls());
    ASSERT_EQ(texts.size(), c.captionCount);
    std::vector<QRect> excluded;
    for (const Caption& t : texts) excluded.push_back(t.rect);

    if (kRatio == 2) {
        const Mismatch m = compareDoubled(x1, x2, excluded);
        EXPECT_EQ(m.count, 0) << "first differing 2x pixel at (" << m.first.x() << ", " << m.first.y() << ")";
    } else if (kRatio < 2 && !kWholeRatio) {
        // Drawn at 1 and averaged, text and all; the last screen column and
        // row, which the field covers only in part, show the field alone.
        const Mismatch m = compareAveraged(x1, x2, {0, 0}, x2.size(), kRatio);
        EXPECT_EQ(m.count, 0) << "first wrongly averaged pixel at (" << m.first.x() << ", " << m.first.y()
                              << ") of " << x2.width() << " x " << x2.height();
    }

    // Captions: the ink covers the same area, within a pixel of rasterising:
    // none is cut off.
    for (const Caption& t : texts) {
        const QRect ink1 = inkBounds(x1, t.rect, t.background);
        // At a fractional ratio the strip's edge pixels are shared with its
        // neighbours, so only the pixels wholly inside it are searched.
        const QRect inside = kWholeRatio ? scaled(t.rect, kRatio) : scaled(t.rect, kRatio).adjusted(1, 1, -1, -1);
        const QRect ink2 = inkBounds(x2, inside, t.background);
        ASSERT_FALSE(ink1.isEmpty());
        ASSERT_FALSE(ink2.isEmpty());
        const QRect expected = scaled(ink1, kRatio);
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

// How much screen each pixel of a vehicle's picture covers, found by
// drawing the picture again with that one pixel changed: the screen's change,
// measured along the pixel's change of colour, summed. Probed along the
// picture's middle row and middle column, which meet every phase of the
// screen's pixel grid.
class Footprints {
public:
    // The picture at `at` in a field with `room` pixels around it.
    Footprints(const art::Picture& picture, QPoint at, int room)
        : box_(twips(picture.width() + 2 * room), twips(picture.height() + 2 * room), kBackground),
          image_(revision_, {"probe"}, float(at.x() * rules::kTwipsPerPixel),
                 float(at.y() * rules::kTwipsPerPixel), &picture, true),
          order_{&image_},
          field_(box_, order_, nullptr),
          picture_(picture) {
        const char* const* xpm = picture.xpm;
        int width, height, colours, perPixel;
        std::sscanf(xpm[0], "%d %d %d %d", &width, &height, &colours, &perPixel);
        for (int i = 0; i <= colours + height; ++i) rows_.emplace_back(xpm[i]);
        rows_[0] = std::to_string(width) + ' ' + std::to_string(height) + ' ' + std::to_string(colours + 2) + " 1";
        // Two colours of our own, far from any the picture has.
        rows_.insert(rows_.begin() + 1 + colours, {"# c #000000", "@ c #FF00FF"});
        firstRow_ = 3 + colours;
    }

    // Screen area (in screen pixels) of every probed pixel, in probe order.
    std::vector<double> measure() {
        const QImage plain = grab(&picture_);
        std::vector<double> areas;
        const QImage art = widgets::image(picture_);  // a copy: the cache grows with every probe
        auto probe = [&](int x, int y) {
            const QRgb was = qAlpha(art.pixel(x, y)) ? art.pixel(x, y) : kBackground;
            const bool dark = qRed(was) + qGreen(was) + qBlue(was) > 384;
            std::vector<std::string> rows = rows_;
            rows[firstRow_ + y][x] = dark ? '#' : '@';
            areas.push_back(area(plain, grab(picture(rows)), was, dark ? 0x000000 : 0xFF00FF));
        };
        for (int x = 0; x < art.width(); ++x) probe(x, art.height() / 2);
        for (int y = 0; y < art.height(); ++y) probe(art.width() / 2, y);
        return areas;
    }

private:
    static constexpr QRgb kBackground = 0x808080;

    static float twips(int pixels) { return float(pixels * rules::kTwipsPerPixel); }

    QImage grab(const art::Picture* picture) {
        image_.setPicture(picture);
        return field_.grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    // Every probe is a picture of its own, as pictures are told apart by
    // address, and lives as long as the process, as the pixmaps made of it.
    static const art::Picture* picture(const std::vector<std::string>& rows) {
        static std::deque<std::vector<std::string>> texts;
        static std::deque<std::vector<const char*>> pointers;
        static std::deque<art::Picture> pictures;
        auto& rowPointers = pointers.emplace_back();
        for (const std::string& row : texts.emplace_back(rows)) rowPointers.push_back(row.c_str());
        return &pictures.emplace_back(art::Picture{"probe", art::Kind::Sprite, rowPointers.data(), nullptr});
    }

    static double area(const QImage& before, const QImage& after, QRgb from, QRgb to) {
        const double dr = qRed(to) - qRed(from), dg = qGreen(to) - qGreen(from), db = qBlue(to) - qBlue(from);
        double sum = 0;
        for (int y = 0; y < before.height(); ++y)
            for (int x = 0; x < before.width(); ++x) {
                const QRgb a = before.pixel(x, y), b = after.pixel(x, y);
                sum += (qRed(b) - qRed(a)) * dr + (qGreen(b) - qGreen(a)) * dg + (qBlue(b) - qBlue(a)) * db;
            }
        return sum / (dr * dr + dg * dg + db * db);
    }

    rules::Revision revision_;
    rules::PictureBox box_;
    rules::Image image_;
    std::vector<rules::Drawable> order_;
    widgets::PlayField field_;
    const art::Picture& picture_;
    std::vector<std::string> rows_;
    int firstRow_ = 0;
};

struct Vehicle {
    const art::Picture* picture;
    QPointF place;  // twips
    float step;     // twips a tick
};

// Every kind of vehicle once, at its first place and with its step.
std::vector<Vehicle> vehicles() {
    std::vector<Vehicle> found;
    std::set<std::pair<const art::Picture*, float>> seen;
    for (int n = 1; n <= levels::kLevelCount; ++n) {
        const rules::LevelDef& def = levels::byNumber(n);
        for (const rules::TrafficRow& row : def.traffic)
            for (const rules::LayoutEntry& e : def.layout)
                if (e.ref.name == std::string(row.vehicle.name) && e.ref.index == row.vehicle.index &&
                    seen.insert({e.picture, row.step}).second)
                    found.push_back({e.picture, {e.left, e.top}, row.step});
    }
    return found;
}

TEST(SharpPixels, EveryVehiclePixelCoversTheSameAreaAtEveryStep) {
    QWidget window;
    ASSERT_TRUE(runsAtTheRatioAskedFor(window));
    // The picture drawn at x and at x + period lands on the same fractions
    // of a screen pixel.
    const int period = desktop::gridPeriod(kRatio);
    ASSERT_GT(period, 0);
    const double even = kRatio * kRatio;  // screen pixels a game pixel covers
    const std::vector<Vehicle> all = vehicles();
    ASSERT_GE(all.size(), 5u);
    for (const Vehicle& v : all) {
        std::vector<double> last;
        for (int tick = 0; tick < 4; ++tick) {
            // The picture where it stands on this tick, moved by whole grid
            // periods into a small field: the same fractions of a screen pixel.
            const int x = widgets::px(float(v.place.x()) + tick * v.step);
            const int y = widgets::px(float(v.place.y()));
            const QPoint at(((x % period) + period) % period + period, ((y % period) + period) % period + period);
            const std::vector<double> areas = Footprints(*v.picture, at, 2 * period).measure();
            const auto [least, most] = std::minmax_element(areas.begin(), areas.end());
            SCOPED_TRACE(std::string(v.picture->name) + " on tick " + std::to_string(tick));
            EXPECT_GE(*least, even * 0.95) << "probe " << least - areas.begin() << " covers too little";
            EXPECT_LE(*most, even * 1.05) << "probe " << most - areas.begin() << " covers too much";
            if (!last.empty()) {
                std::size_t most = 0;
                for (std::size_t i = 0; i < areas.size(); ++i)
                    if (std::abs(areas[i] - last[i]) > std::abs(areas[most] - last[most])) most = i;
                EXPECT_LE(std::abs(areas[most] - last[most]), even * 0.05)
                    << "probe " << most << " changed from " << last[most] << " since the last step";
            }
            last = areas;
        }
    }
}

TEST(HiDpiMenu, TitlePictureCoversEvenAreas) {
    app::MenuWindow menu;
    ASSERT_TRUE(runsAtTheRatioAskedFor(menu));
    EXPECT_EQ(menu.size(), QSize(186, 216));

    auto* title = menu.findChild<QLabel*>("title");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->geometry(), QRect(4, 4, 180, 101));
    const QImage shot = grabAtRatio(title);
    const QImage picture = widgets::image(art::picTitle).convertToFormat(QImage::Format_RGB32);
    // The picture sits at the top left inside the sunken frame; at 2 it is
    // doubled exactly, at fractional ratios averaged.
    const QPoint origin = (QPointF(title->contentsRect().topLeft()) * kRatio).toPoint();
    const QSize size = (QSizeF(picture.size()) * kRatio).toSize();
    const Mismatch m = compareAveraged(picture, shot, origin, size, kRatio);
    EXPECT_EQ(m.count, 0) << "of " << size.width() * size.height() << " pixels; first at (" << m.first.x() << ", "
                          << m.first.y() << ")";
}

}  // namespace
