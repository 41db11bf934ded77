// SPDX-License-Identifier: MIT
#include "widgets/play_field.h"

#include <QKeyEvent>
#include <QPainter>

#include "rules/key_codes.h"
#include "widgets/colors.h"
#include "widgets/pixmaps.h"
#include "widgets/twips.h"

namespace widgets {
namespace {

// The platform's dashed pen: 18 pixels drawn, 6 left out, from the line's start.
constexpr int kDash = 18;
constexpr int kGap = 6;

const char* const kKeyHelp = "Arrow keys move the turtle; P or Pause pauses";
// Disabled, the field takes no keys until "Restart" brings the turtle back.
const char* const kRunOver = "Run over. Press Enter to restart.";

void paintImage(QPainter& p, const rules::Image& image) {
    if (!image.visible()) return;
    p.drawPixmap(px(image.left()), px(image.top()), pixmap(*image.picture()));
}

void paintLabel(QPainter& p, const rules::Label& label) {
    const QRect r = pxRect(label.left, label.top, label.width, label.height);
    p.fillRect(r, toQColor(label.backColor));
    if (label.caption.empty()) return;
    QFont font(QString::fromStdString(label.fontName));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(label.fontSize);
    p.save();
    p.setClipRect(r);
    p.setFont(font);
    p.setPen(toQColor(label.foreColor));
    p.drawText(r, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
               QString::fromStdString(label.caption));
    p.restore();
}

// Horizontal and vertical lines only, which is all the layouts use; the
// last point is left out, as the platform's pens did.
void paintLine(QPainter& p, const rules::Line& line) {
    const QPoint from(px(line.x1), px(line.y1));
    const QPoint to(px(line.x2), px(line.y2));
    const int length = std::max(std::abs(to.x() - from.x()), std::abs(to.y() - from.y()));
    const QPoint dir((to.x() > from.x()) - (to.x() < from.x()), (to.y() > from.y()) - (to.y() < from.y()));
    const QColor colour = toQColor(line.borderColor);
    // One rectangle per dash, spanning from its first to its last pixel.
    for (int start = 0; start < length; start += kDash + kGap) {
        const int last = std::min(start + kDash, length) - 1;
        const QPoint a = from + dir * start, b = from + dir * last;
        p.fillRect(QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                         QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y()))),
                   colour);
    }
}

}  // namespace

void paintControl(QPainter& painter, const rules::Drawable& control) {
    std::visit(
        [&](auto* c) {
            using T = std::remove_cv_t<std::remove_pointer_t<decltype(c)>>;
            if constexpr (std::is_same_v<T, rules::Image>) paintImage(painter, *c);
            else if constexpr (std::is_same_v<T, rules::Label>) paintLabel(painter, *c);
            else paintLine(painter, *c);
        },
        control);
}

PlayField::PlayField(const rules::PictureBox& box, const std::vector<rules::Drawable>& paintOrder, QWidget* parent)
    : QWidget(parent), box_(box), paintOrder_(paintOrder), canvas_(pxSize(box.width(), box.height())) {
    setObjectName("field");
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);  // every pixel is painted: no flicker of a cleared background
    setFixedSize(pxSize(box.width(), box.height()));
    // The field has no caption a screen reader could fall back on.
    setAccessibleName(QStringLiteral("Play field"));
    describe(false);
}

void PlayField::setRestartControl(QWidget* restart) {
    restart_ = restart;
    describe(!isEnabled());
}

// Nothing visible changes when the turtle dies or comes back; a screen
// reader hears it from the descriptions. The field's is changed first, while
// the field may still hold the focus that disabling passes on: a screen
// reader reads out changes of the focused control. Qt 6.4 leaves the new
// text out of the change it sends over AT-SPI, so Orca cannot read that one;
// it does read the description of a control the focus comes to. So "Restart",
// where the focus goes, says it too, and only while the turtle is run over.
void PlayField::setTakesKeys(bool takesKeys) {
    if (takesKeys == isEnabled()) return;
    describe(!takesKeys);
    setEnabled(takesKeys);
}

void PlayField::describe(bool runOver) {
    setAccessibleDescription(QString::fromLatin1(runOver ? kRunOver : kKeyHelp));
    if (restart_) restart_->setAccessibleDescription(runOver ? QString::fromLatin1(kRunOver) : QString());
}

void PlayField::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    canvas_.paint(painter, event->region(), [this](QPainter& p) {
        p.fillRect(rect(), toQColor(box_.backColor()));
        for (const rules::Drawable& control : paintOrder_) paintControl(p, control);
    });
}

// Every key goes to the game, as the platform passed them all. The field
// takes only those it plays by, the arrows, P and Pause, and those without
// Ctrl, Alt or Meta: the rest are left to whatever else answers keys (in a
// browser, its own shortcuts: Ctrl+L, F5, Alt+Left, Escape...).
void PlayField::keyPressEvent(QKeyEvent* event) {
    const std::int16_t key = virtualKeyCode(event->key());
    if (onKeyDown) onKeyDown(key, modifierMask(event->modifiers()));
    const bool playKey = key == rules::kKeyLeft || key == rules::kKeyUp || key == rules::kKeyRight ||
                         key == rules::kKeyDown || key == rules::kKeyP || key == rules::kKeyPause;
    if (!playKey || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        event->ignore();
}

std::int16_t virtualKeyCode(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Left: return rules::kKeyLeft;
        case Qt::Key_Up: return rules::kKeyUp;
        case Qt::Key_Right: return rules::kKeyRight;
        case Qt::Key_Down: return rules::kKeyDown;
        case Qt::Key_Pause: return rules::kKeyPause;
        case Qt::Key_Space: return rules::kKeySpace;
        case Qt::Key_Return:
        case Qt::Key_Enter: return rules::kKeyReturn;
        case Qt::Key_Escape: return rules::kKeyEscape;
        case Qt::Key_Tab: return rules::kKeyTab;
        case Qt::Key_Backspace: return rules::kKeyBackspace;
        default: break;
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return std::int16_t(qtKey);  // 65..90 alike
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return std::int16_t(qtKey);  // 48..57 alike
    return 0;
}

std::int16_t modifierMask(Qt::KeyboardModifiers modifiers) {
    return std::int16_t((modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
                        (modifiers & Qt::AltModifier ? 4 : 0));
}

}  // namespace widgets
