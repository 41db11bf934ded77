// SPDX-License-Identifier: MIT
// On Windows a dialog frame without an icon set shows none.
#include <QIcon>
#include <QWidget>

#include "desktop/window_icons.h"

namespace desktop {

void showNoWindowIcon(QWidget* window) { window->setWindowIcon(QIcon()); }

}  // namespace desktop
