// SPDX-License-Identifier: MIT
// The platform's modal message box: a text, a style (MessageStyle in
// rules/box_styles.h) and an optional title.
#pragma once

#include <QString>
#include <optional>

class QMessageBox;
class QWidget;

namespace widgets {

inline const QString kDefaultTitle = QStringLiteral("Plodway");

void showMessageBox(QWidget* parent, const QString& text, int style, const std::optional<QString>& title);

// The same box, not yet shown, deleted when closed: for pictures of it.
QMessageBox* makeMessageBox(QWidget* parent, const QString& text, int style, const std::optional<QString>& title);

}  // namespace widgets
