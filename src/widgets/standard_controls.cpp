// SPDX-License-Identifier: MIT
#include "widgets/standard_controls.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QTimer>

namespace widgets {

// A click on the empty part of the list, a Ctrl+click on the selected item
// and Ctrl+Space would each leave nothing selected.
QItemSelectionModel::SelectionFlags ListBox::selectionCommand(const QModelIndex& index,
                                                              const QEvent* event) const {
    const QItemSelectionModel::SelectionFlags command = QListWidget::selectionCommand(index, event);
    const bool empties = !index.isValid() || (command & QItemSelectionModel::Deselect);
    if (selectionModel()->hasSelection() && empties) return QItemSelectionModel::NoUpdate;
    return command;
}

// Qt names the current item to a screen reader before it says that the list
// has the focus, so the reader says the list and how many items it has, and
// never which item the arrow keys go on from. Once the list has said so, the
// current item is named again.
void ListBox::focusInEvent(QFocusEvent* event) {
    QListWidget::focusInEvent(event);
    QTimer::singleShot(0, this, [this] {
        if (!hasFocus() || currentRow() < 0) return;
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(currentRow());
        QAccessible::updateAccessibility(&focus);
    });
}

// Qt 6.4 gives a screen reader no selection interface for a list, so on
// Linux it cannot tell the current item from the selected one: each item's
// accessible name says which it is, and the reader reads it out with the
// item. The name, not the description: Orca 48 keeps an item's description
// for up to two seconds once read, so an item selected within that time was
// still read as "not selected"; the name it reads afresh.
void ListBox::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
    for (const QModelIndex& index : deselected.indexes()) describeSelection(index.row());
    for (const QModelIndex& index : selected.indexes()) describeSelection(index.row());
    QListWidget::selectionChanged(selected, deselected);
}

void ListBox::rowsInserted(const QModelIndex& parent, int start, int end) {
    QListWidget::rowsInserted(parent, start, end);
    for (int row = start; row <= end; ++row) describeSelection(row);
}

void ListBox::describeSelection(int row) {
    QListWidgetItem* listItem = item(row);
    if (!listItem) return;
    listItem->setData(Qt::AccessibleTextRole, listItem->text() + (listItem->isSelected()
                                                                      ? QStringLiteral(", selected")
                                                                      : QStringLiteral(", not selected")));
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
}  // namespace widgets
