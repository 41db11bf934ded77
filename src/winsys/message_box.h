// The platform's modal message box: a text, a style value and an optional
// title. Style 0 is OK alone, 64 OK with the information icon.
#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace winsys {

inline const QString kDefaultTitle = QStringLiteral("Plodway");

void msgBox(QWidget* parent, const QString& text, int style, const std::optional<QString>& title);

}  // namespace winsys
