// SPDX-License-Identifier: MIT
#include "rules/art/art.h"

#include <cstdio>

namespace art {
namespace {
#include "rules/art/pictures/picTurtle.xpm"
#include "rules/art/pictures/picTurtleDead.xpm"
#include "rules/art/pictures/picTread.xpm"
#include "rules/art/pictures/picCar.xpm"
#include "rules/art/pictures/picSemi.xpm"
#include "rules/art/pictures/picSportsCar.xpm"
#include "rules/art/pictures/picBus.xpm"
#include "rules/art/pictures/picManhole.xpm"
#include "rules/art/pictures/picTruckBoat.xpm"
#include "rules/art/pictures/picCactus.xpm"
#include "rules/art/pictures/picTitle.xpm"

constexpr int kIconSize = 32;

// The first XPM string is "width height colours chars-per-pixel".
void xpmSize(const char* const* xpm, int* w, int* h) {
    *w = *h = 0;
    std::sscanf(xpm[0], "%d %d", w, h);
}
}  // namespace

int Picture::width() const {
    if (kind == Kind::Icon) return kIconSize;
    int w, h;
    xpmSize(xpm, &w, &h);
    return w;
}

int Picture::height() const {
    if (kind == Kind::Icon) return kIconSize;
    int w, h;
    xpmSize(xpm, &w, &h);
    return h;
}

const Picture picTurtle{"picTurtle", Kind::Sprite, picTurtle_xpm, nullptr};
const Picture picTurtleDead{"picTurtleDead", Kind::Sprite, picTurtleDead_xpm, nullptr};
const Picture picTread{"picTread", Kind::Sprite, picTread_xpm, nullptr};
const Picture picCar{"picCar", Kind::Sprite, picCar_xpm, nullptr};
const Picture picSemi{"picSemi", Kind::Sprite, picSemi_xpm, nullptr};
const Picture picSportsCar{"picSportsCar", Kind::Sprite, picSportsCar_xpm, nullptr};
const Picture picBus{"picBus", Kind::Sprite, picBus_xpm, nullptr};
const Picture picManhole{"picManhole", Kind::Sprite, picManhole_xpm, nullptr};
const Picture picTruckBoat{"picTruckBoat", Kind::Sprite, picTruckBoat_xpm, nullptr};
const Picture picCactus{"picCactus", Kind::Sprite, picCactus_xpm, nullptr};
const Picture picTitle{"picTitle", Kind::Title, picTitle_xpm, nullptr};
const Picture icoTurtle{"icoTurtle", Kind::Icon, nullptr, &picTurtle};
const Picture icoTurtleDead{"icoTurtleDead", Kind::Icon, nullptr, &picTurtleDead};

const Picture* const* allPictures(int* count) {
    static const Picture* const all[] = {
        &picTurtle, &picTurtleDead, &picTread,  &picCar,    &picSemi,
        &picSportsCar, &picBus,     &picManhole, &picTruckBoat, &picCactus,
        &picTitle,  &icoTurtle,     &icoTurtleDead,
    };
    *count = static_cast<int>(sizeof all / sizeof all[0]);
    return all;
}

}  // namespace art
