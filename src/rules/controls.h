// SPDX-License-Identifier: MIT
// The controls the game's handlers work on: images, colour strips, lines,
// timers, buttons and the play field. Free of any toolkit so the rules can be
// driven tick by tick in tests; the Qt layer shows them and feeds them events.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <variant>

#include "rules/art/art.h"

namespace rules {

using Picture = const art::Picture*;
using Rgb = std::uint32_t;  // 0xRRGGBB

constexpr int kTwipsPerPixel = 15;

// System colours, coded as the platform did: the high bit set, the colour's
// number below. The window layer maps them to the desktop's palette.
constexpr Rgb sysColor(int number) { return 0x80000000u | Rgb(number); }
constexpr bool isSysColor(Rgb colour) { return (colour & 0x80000000u) != 0; }
inline constexpr Rgb kAppWorkspace = sysColor(12);
inline constexpr Rgb kButtonFace = sysColor(15);
inline constexpr Rgb kButtonText = sysColor(18);

// Counts every change that shows on screen, so a window repaints only when
// something it draws has changed.
class Revision {
public:
    void bump() { ++value_; }
    unsigned value() const { return value_; }

private:
    unsigned value_ = 0;
};

// Name and index of a control, e.g. car 1; index -1 for a single control.
struct ControlRef {
    const char* name;
    int index = -1;
    std::string text() const;
};

class Control {
public:
    Control(Revision& revision, ControlRef ref) : revision_(&revision), ref_(ref) {}
    const ControlRef& ref() const { return ref_; }

protected:
    void changed() { revision_->bump(); }

private:
    Revision* revision_;
    ControlRef ref_;
};

// An image: exactly as large as its picture, positions in single-precision twips.
class Image : public Control {
public:
    Image(Revision& revision, ControlRef ref, float left, float top, Picture picture, bool visible);

    float left() const { return left_; }
    float top() const { return top_; }
    float width() const { return width_; }
    float height() const { return height_; }
    Picture picture() const { return picture_; }
    bool visible() const { return visible_; }

    void move(float left);             // left alone
    void move(float left, float top);  // left and top together, size kept
    void setLeft(float left) { move(left); }
    void setTop(float top) { move(left_, top); }
    void setPicture(Picture picture);
    void setVisible(bool visible);

private:
    float left_, top_, width_, height_;
    Picture picture_;
    bool visible_;
};

// An opaque colour strip, optionally with a caption drawn at its top left.
struct Label : Control {
    Label(Revision& revision, ControlRef ref) : Control(revision, ref) {}
    float left = 0, top = 0, width = 0, height = 0;
    Rgb backColor = 0;
    Rgb foreColor = 0;
    std::string caption;
    std::string fontName;
    int fontSize = 0;  // points
};

// A dashed one-pixel line, drawn from (x1, y1) to (x2, y2).
struct Line : Control {
    Line(Revision& revision, ControlRef ref) : Control(revision, ref) {}
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Rgb borderColor = 0xFFFFFF;
};

// A periodic timer. The window layer starts and stops the real timer to match.
class Timer {
public:
    explicit Timer(int interval, bool enabled = true) : interval_(interval), enabled_(enabled) {}
    int interval() const { return interval_; }
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }

private:
    int interval_;
    bool enabled_;
};

class Button {
public:
    Button(std::string caption, bool enabled) : caption_(std::move(caption)), enabled_(enabled) {}
    const std::string& caption() const { return caption_; }
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }

private:
    std::string caption_;
    bool enabled_;
};

// The play field: takes key presses while enabled and focused.
class PictureBox {
public:
    PictureBox(float width, float height, Rgb backColor)
        : width_(width), height_(height), backColor_(backColor) {}
    float width() const { return width_; }
    float height() const { return height_; }
    Rgb backColor() const { return backColor_; }
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }

    // Asks the window to give the field the keyboard focus.
    void setFocus() { if (onSetFocus) onSetFocus(); }
    std::function<void()> onSetFocus;

private:
    float width_, height_;
    Rgb backColor_;
    bool enabled_ = true;
};

// A control the play field paints, in its stacking order.
using Drawable = std::variant<const Image*, const Label*, const Line*>;

}  // namespace rules
