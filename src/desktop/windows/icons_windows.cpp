// SPDX-License-Identifier: MIT
// Window icons on Windows, which sends a changed icon out at once: it is
// simply set. A dialog frame without an icon set shows none.
#include <QIcon>
#include <QWidget>

#include "desktop/desktop.h"

namespace desktop {

void setIconNow(QWidget* window, const QIcon& icon) { window->setWindowIcon(icon); }

void showNoWindowIcon(QWidget* window) { window->setWindowIcon(QIcon()); }

}  // namespace desktop
