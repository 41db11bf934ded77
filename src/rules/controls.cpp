// SPDX-License-Identifier: MIT
#include "rules/controls.h"

#include <cmath>

#include "rules/runtime_error.h"

namespace rules {

namespace {
float finite(float value) {
    if (!std::isfinite(value)) throwOverflow();
    return value;
}
}  // namespace

std::string ControlRef::text() const {
    return index < 0 ? std::string(name) : std::string(name) + " " + std::to_string(index);
}

Image::Image(Revision& revision, ControlRef ref, float left, float top, Picture picture, bool visible)
    : Control(revision, ref),
      left_(finite(left)),
      top_(finite(top)),
      width_(float(picture->width() * kTwipsPerPixel)),
      height_(float(picture->height() * kTwipsPerPixel)),
      picture_(picture),
      visible_(visible) {}

void Image::move(float left) { move(left, top_); }

void Image::move(float left, float top) {
    left_ = finite(left);
    top_ = finite(top);
    changed();
}

void Image::setPicture(Picture picture) {
    picture_ = picture;
    width_ = float(picture->width() * kTwipsPerPixel);
    height_ = float(picture->height() * kTwipsPerPixel);
    changed();
}

void Image::setVisible(bool visible) {
    visible_ = visible;
    changed();
}

}  // namespace rules
