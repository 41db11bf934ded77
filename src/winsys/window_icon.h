// SPDX-License-Identifier: MIT
// A window that shows no icon of its own in its title bar.
#pragma once

class QWidget;

namespace winsys {

void showNoWindowIcon(QWidget* window);

}  // namespace winsys
