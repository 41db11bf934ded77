// Plodway: steer the turtle across the traffic.
#include <QApplication>

#include "app/menu_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // No display name: window captions must read exactly as the layouts give them.
    QApplication::setApplicationName(QStringLiteral("plodway"));
    app::MenuWindow frmMain;
    frmMain.show();
    return QApplication::exec();
}
