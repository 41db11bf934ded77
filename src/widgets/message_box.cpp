// SPDX-License-Identifier: MIT
#include "widgets/message_box.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QPointer>
#include <QProxyStyle>
#include <QSpacerItem>
#include <map>
#include <utility>

#include "desktop/common/fixed_size.h"
#include "rules/box_styles.h"
#include "widgets/modal.h"

namespace widgets {

namespace {
constexpr int kMinimumWidth = 240;  // pixels
constexpr int kIconSize = 32;       // pixels

// The application's style, but for the box's icon: 32 pixels square, as
// Qt 6.4 draws it, whose standard icons go no larger. Qt 6.8's go larger,
// and it draws them at the style's 48, which made "Paused" 16 pixels taller.
// And one icon of each kind for every box: Qt 6.8 makes a new one for each,
// and QPixmapCache keeps each new icon's pixmaps until it is full (10 MB).
class BoxStyle : public QProxyStyle {
public:
    BoxStyle() : QProxyStyle(QApplication::style()->name()) {}
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        return metric == PM_MessageBoxIconSize ? kIconSize : QProxyStyle::pixelMetric(metric, option, widget);
    }
    QIcon standardIcon(StandardPixmap which, const QStyleOption* option, const QWidget* widget) const override {
        QIcon& icon = icons_[which];
        if (icon.isNull()) icon = QProxyStyle::standardIcon(which, option, widget);
        return icon;
    }

private:
    mutable std::map<StandardPixmap, QIcon> icons_;
};

QStyle* boxStyle() {
    static QPointer<QStyle> style;
    if (!style) {
        style = new BoxStyle;
        style->setParent(qApp);
    }
    return style;
}

QMessageBox::Icon iconFor(int style) {
    switch (style & rules::kIconMask) {
        case rules::kInformationIcon: return QMessageBox::Information;
        case rules::kExclamationIcon: return QMessageBox::Warning;
        case rules::kQuestionIcon: return QMessageBox::Question;
        case rules::kCriticalIcon: return QMessageBox::Critical;
        default: return QMessageBox::NoIcon;
    }
}
}  // namespace

QMessageBox* makeMessageBox(QWidget* parent, const QString& text, int style, const std::optional<QString>& title) {
    auto* box = new QMessageBox(QMessageBox::NoIcon, title.value_or(kDefaultTitle), text, QMessageBox::Ok, parent);
    box->setObjectName("messageBox");
    // Screen readers read an alert's name, and leave out a label the name
    // holds: Orca 48 reads no one-word label otherwise, and a description
    // Orca 43 would read twice.
    box->setAccessibleName(box->windowTitle() + QStringLiteral(": ") + text);
    box->setStyle(boxStyle());
    box->setIcon(iconFor(style));  // by the box's own style
    // Wide enough for the title bar to show its caption beside the frame's
    // buttons; a box as narrow as "Winner!" would otherwise lose it.
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout()))
        grid->addItem(new QSpacerItem(kMinimumWidth, 0, QSizePolicy::Minimum, QSizePolicy::Expanding),
                      grid->rowCount(), 0, 1, grid->columnCount());
    box->setAttribute(Qt::WA_DeleteOnClose);
    desktop::keepFixedSize(box);
    return box;
}

void showMessageBox(QWidget* parent, const QString& text, int style, const std::optional<QString>& title,
                    std::function<void()> closed) {
    // Rather than exec(): the compositor learns that the box is modal before
    // it first draws it.
    showModal(makeMessageBox(parent, text, style, title), std::move(closed));
}

}  // namespace widgets
