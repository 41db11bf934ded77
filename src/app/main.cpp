// SPDX-License-Identifier: MIT
// Plodway: steer the turtle across the traffic.
#include <QApplication>

#include "app/menu_window.h"
#include "app/startup.h"

int main(int argc, char* argv[]) {
    const auto application = app::startApplication(argc, argv);
    app::MenuWindow menu;
    menu.show();
    return QApplication::exec();
}
