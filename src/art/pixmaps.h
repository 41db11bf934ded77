// SPDX-License-Identifier: MIT
// Turns the built-in pictures into Qt images. Each picture is converted once
// and cached; painting only looks the pixmap up.
#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

#include "art/art.h"

namespace art {

// ARGB image of the picture: sprites with white made transparent, icons with
// every pixel outside the sprite masked.
const QImage& image(const Picture& picture);
const QPixmap& pixmap(const Picture& picture);
QIcon icon(const Picture& picture);

// The nearest colour of the standard 16-colour palette.
QRgb nearestStandardColour(QRgb colour);

}  // namespace art
