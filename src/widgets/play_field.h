// SPDX-License-Identifier: MIT
// The play field: paints its controls bottom first, takes key presses while
// enabled and passes them on as the platform's virtual key codes. It tells a
// screen reader which keys it takes, or, while disabled, that the turtle was
// run over and how to bring it back.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <vector>

#include "rules/controls.h"
#include "widgets/sharp_pixels.h"

namespace widgets {

class PlayField : public QWidget {
public:
    PlayField(const rules::PictureBox& box, const std::vector<rules::Drawable>& paintOrder, QWidget* parent);

    std::function<void(std::int16_t key, std::int16_t modifiers)> onKeyDown;

    // Enables or disables the field; disabled, it tells a screen reader the
    // turtle was run over.
    void setTakesKeys(bool takesKeys);
    // The control that brings a run-over turtle back, and takes the focus
    // the disabled field gives up.
    void setRestartControl(QWidget* restart);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void describe(bool runOver);

    const rules::PictureBox& box_;
    const std::vector<rules::Drawable>& paintOrder_;
    SharpCanvas canvas_;
    QWidget* restart_ = nullptr;
};

// The platform's virtual key code for a Qt key, 0 where it has none.
std::int16_t virtualKeyCode(int qtKey);
// Shift 1, Ctrl 2, Alt 4, as the platform passed modifiers.
std::int16_t modifierMask(Qt::KeyboardModifiers modifiers);

void paintControl(class QPainter& painter, const rules::Drawable& control);

}  // namespace widgets
