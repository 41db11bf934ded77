// SPDX-License-Identifier: MIT
// GoogleTest main for window tests: a QApplication on the offscreen
// platform unless a display was asked for.
#include <gtest/gtest.h>

#include <QApplication>

#include <cstdio>

#include "desktop/desktop.h"

int main(int argc, char** argv) {
    // Unbuffered: a test program that dies, or is ended at its time limit,
    // still shows how far it got (a pipe is otherwise fully buffered).
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // As the game does at start-up (app/startup.cpp): with a platform chosen
    // above, only what Qt's platform leaves to the game.
    desktop::choosePlatform(argc, argv);
    QApplication app(argc, argv);
    // As the game does at start-up (app/startup.cpp).
    desktop::install();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
