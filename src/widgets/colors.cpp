// SPDX-License-Identifier: MIT
#include "widgets/colors.h"

#include <QApplication>
#include <QPalette>

namespace widgets {

QColor toQColor(rules::Rgb colour) {
    if (!rules::isSysColor(colour)) return QColor(QRgb(colour));
    const QPalette palette = QApplication::palette();
    switch (colour) {
        case rules::kButtonFace: return palette.color(QPalette::Button);
        case rules::kButtonText: return palette.color(QPalette::ButtonText);
        default: break;
    }
    // Qt's palette has no application-workspace colour; the classic mid grey stands in.
    return QColor(0x80, 0x80, 0x80);
}

}  // namespace widgets
