#include "winsys/message_box.h"

#include <QMessageBox>

namespace winsys {

namespace {
constexpr int kIconMask = 0x70;
constexpr int kInformation = 64;
constexpr int kExclamation = 48;
constexpr int kQuestion = 32;
constexpr int kCritical = 16;

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
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

}  // namespace winsys
