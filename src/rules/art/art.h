// SPDX-License-Identifier: MIT
// The built-in pictures. This header is free of any toolkit so that the game
// rules can copy pictures between images; the pixels are turned into pixmaps
// by pixmaps.h, once per picture.
#pragma once

#include <cstdint>

namespace art {

enum class Kind : std::uint8_t {
    Sprite,  // white is the one transparent colour and is never drawn
    Title,   // every pixel drawn
    Icon,    // derived from a sprite: placed at (6, 1) of 32 x 32, the rest masked
};

// A picture is a shared value: images that show the same picture hold the
// same address, so identity is a pointer comparison.
struct Picture {
    const char* name;
    Kind kind;
    const char* const* xpm;  // palette plus one text row per pixel row; null for icons
    const Picture* iconOf;   // icons: the sprite the icon is made from

    int width() const;   // pixels
    int height() const;  // pixels
};

extern const Picture picTurtle;
extern const Picture picTurtleDead;
extern const Picture picTread;
extern const Picture picCar;
extern const Picture picSemi;
extern const Picture picSportsCar;
extern const Picture picBus;
extern const Picture picManhole;
extern const Picture picTruckBoat;
extern const Picture picCactus;
extern const Picture picTitle;
extern const Picture icoTurtle;
extern const Picture icoTurtleDead;

// All thirteen, in catalogue order.
const Picture* const* allPictures(int* count);

}  // namespace art
