#include "winsys/message_box.h"

#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

namespace winsys {

namespace {
constexpr int kIconMask = 0x70;
constexpr int kInformation = 64;
constexpr int kExclamation = 48;
constexpr int kQuestion = 32;
constexpr int kCritical = 16;
constexpr int kMinimumWidth = 180;  // pixels

QMessageBox::Icon iconFor(int style) {
    switch (style & kIconMask) {
        case kInformation: return QMessageBox::Information;
        case kExclamation: return QMessageBox::Warning;
        case kQuestion: return QMessageBox::Question;
        case kCritical: return QMessageBox::Critical;
        default: return QMessageBox::NoIcon;
    }
}
}  // namespace

void msgBox(QWidget* parent, const QString& text, int style, const std::optional<QString>& title) {
    QMessageBox box(iconFor(style), title.value_or(kDefaultTitle), text, QMessageBox::Ok, parent);
    box.setObjectName("MsgBox");
    // Wide enough for the title bar to show its caption beside the frame's
    // buttons; a box as narrow as "Winner!" would otherwise lose it.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(kMinimumWidth, 0, QSizePolicy::Minimum, QSizePolicy::Expanding),
                      grid->rowCount(), 0, 1, grid->columnCount());
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

}  // namespace winsys
