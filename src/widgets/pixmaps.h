// SPDX-License-Identifier: MIT
// Turns the built-in pictures into Qt images. Each picture is converted once
// and cached; painting only looks the pixmap up.
#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

#include "rules/art/art.h"

namespace widgets {

// ARGB image of the picture: sprites with white made transparent, icons with
// every pixel outside the sprite masked.
const QImage& image(const art::Picture& picture);
const QPixmap& pixmap(const art::Picture& picture);
QIcon icon(const art::Picture& picture);

// A 16 x 16 icon with nothing on it, for a title bar that should stay empty
// where the window system would show some other icon.
QIcon blankIcon();

// The nearest colour of the standard 16-colour palette.
QRgb nearestStandardColour(QRgb colour);

}  // namespace widgets
