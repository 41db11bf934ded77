// SPDX-License-Identifier: MIT
#include "winsys/colors.h"

#include <QApplication>
#include <QPalette>

namespace winsys {

QColor toQColor(Rgb colour) {
    if (!isSysColor(colour)) return QColor(QRgb(colour));
    const QPalette palette = QApplication::palette();
    switch (colour) {
        case kButtonFace: return palette.color(QPalette::Button);
        case kButtonText: return palette.color(QPalette::ButtonText);
        default: break;
    }
    // Qt's palette has no application-workspace colour; the classic mid grey stands in.
    return QColor(0x80, 0x80, 0x80);
}

}  // namespace winsys
