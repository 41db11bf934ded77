// SPDX-License-Identifier: MIT
// The platform's standard controls where Qt's behave otherwise: a list box
// that never empties its selection once the user has made one and tells a
// screen reader which item is current and whether it is selected, and a push
// button that Enter clicks while it has the focus. Linking them also makes
// the game's top-level windows report a window or dialog role to assistive
// technology, where Qt would report a plain QWidget window as a filler.
#pragma once

#include <QListWidget>
#include <QPushButton>

namespace widgets {

class ListBox : public QListWidget {
public:
    using QListWidget::QListWidget;

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    void focusInEvent(QFocusEvent* event) override;
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
    void rowsInserted(const QModelIndex& parent, int start, int end) override;

private:
    void describeSelection(int row);
};

class PushButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace widgets
