// SPDX-License-Identifier: MIT
// The platform's modal message box: a text, a style (MessageStyle in
// winsys/platform_codes.h) and an optional title.
#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace winsys {

inline const QString kDefaultTitle = QStringLiteral("Plodway");

void showMessageBox(QWidget* parent, const QString& text, int style, const std::optional<QString>& title);

}  // namespace winsys
