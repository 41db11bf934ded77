// SPDX-License-Identifier: MIT
// The platform's standard controls where Qt's behave otherwise: a list box
// that never empties its selection once the user has made one, and a push
// button that Enter clicks while it has the focus. Linking them also makes
// the game's top-level windows report a window or dialog role to assistive
// technology, where Qt would report a plain QWidget window as a filler.
#pragma once

#include <QListWidget>
#include <QPushButton>

namespace winsys {

class ListBox : public QListWidget {
public:
    using QListWidget::QListWidget;

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
};

class PushButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace winsys
