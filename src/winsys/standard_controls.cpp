// SPDX-License-Identifier: MIT
#include "winsys/standard_controls.h"

#include <QAccessibleWidget>
#include <QKeyEvent>

namespace winsys {

// A click on the empty part of the list, a Ctrl+click on the selected item
// and Ctrl+Space would each leave nothing selected.
QItemSelectionModel::SelectionFlags ListBox::selectionCommand(const QModelIndex& index,
                                                              const QEvent* event) const {
    const QItemSelectionModel::SelectionFlags command = QListWidget::selectionCommand(index, event);
    const bool empties = !index.isValid() || (command & QItemSelectionModel::Deselect);
    if (selectionModel()->hasSelection() && empties) return QItemSelectionModel::NoUpdate;
    return command;
}

// Qt clicks a focused button on Enter only inside a QDialog.
void PushButton::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (!event->isAutoRepeat()) click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

namespace {

// The game's windows are classes made directly from QWidget. Qt passes each
// class name up the chain; answering for the window's own class only leaves
// message boxes and every other Qt class to Qt.
QAccessibleInterface* topLevelWindow(const QString& className, QObject* object) {
    if (!object->isWidgetType()) return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    const QMetaObject* meta = object->metaObject();
    if (!widget->isWindow() || className != QLatin1String(meta->className()) ||
        meta->superClass() != &QWidget::staticMetaObject)
        return nullptr;
    return new QAccessibleWidget(widget, widget->windowType() == Qt::Dialog ? QAccessible::Dialog
                                                                            : QAccessible::Window);
}

const bool windowRolesInstalled = (QAccessible::installFactory(topLevelWindow), true);

}  // namespace
}  // namespace winsys
