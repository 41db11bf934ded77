// SPDX-License-Identifier: MIT
// The platform's modal message box: a text, a style (MessageStyle in
// rules/box_styles.h) and an optional title.
#pragma once

#include <QString>
#include <functional>
#include <optional>

class QMessageBox;
class QWidget;

namespace widgets {

inline const QString kDefaultTitle = QStringLiteral("Plodway");

// Shows the box modally; `closed` runs once it is answered (widgets/modal.h).
void showMessageBox(QWidget* parent, const QString& text, int style, const std::optional<QString>& title,
                    std::function<void()> closed = [] {});

// The same box, not yet shown, deleted when closed: for pictures of it.
QMessageBox* makeMessageBox(QWidget* parent, const QString& text, int style, const std::optional<QString>& title);

}  // namespace widgets
