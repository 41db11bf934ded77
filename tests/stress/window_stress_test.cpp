// SPDX-License-Identifier: MIT
// Hundreds of level visits through the real windows, each closed in another
// state: alive, dead, after a pause, and inside the winner chain. Nothing may
// crash or hang, and memory must settle after warm-up.
#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>
#include <QTimer>
#include <fstream>

#include "app/level_window.h"
#include "app/menu_window.h"
#include "support/modal_answer.h"
#include "widgets/play_field.h"

using app::LevelWindow;

namespace {

long residentKiB() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * 4;  // 4 KiB pages
}

enum class Ending { Alive, Dead, AfterPause, WinnerChain };

LevelWindow* openLevel() { return dynamic_cast<LevelWindow*>(QApplication::activeModalWidget()); }

void randomInput(LevelWindow* level, QRandomGenerator& rng) {
    static const Qt::Key keys[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right,
                                   Qt::Key_A,  Qt::Key_Space, Qt::Key_5,   Qt::Key_Escape};
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(level->playField(), keys[rng.bounded(8)],
                        Qt::KeyboardModifiers(rng.bounded(2) ? Qt::ShiftModifier : Qt::NoModifier));
        QTest::qWait(int(rng.bounded(4)));
    }
}

// While a winner chain runs: closes the level it opened next, or answers
// the final message after level 3.
void leaveChain(const QString& won) {
    QWidget* modal = QApplication::activeModalWidget();
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box && box->text() == "You beat all three levels!") box->button(QMessageBox::Ok)->click();
    auto* level = dynamic_cast<LevelWindow*>(modal);
    if (level && level->isVisible() && level->objectName() != won) level->close();
}

// Runs inside the modal display of the level: plays a little, then leaves.
void playAndClose(Ending ending, QRandomGenerator& rng) {
    LevelWindow* level = openLevel();
    ASSERT_NE(level, nullptr);
    randomInput(level, rng);
    rules::LevelControls& controls = level->controls();
    switch (ending) {
        case Ending::Alive:
            break;
        case Ending::Dead: {
            rules::Image* v = controls.hazardVehicles.front();
            controls.turtle.move(v->left() + 30, v->top() + 30);
            waitFor([&] { return controls.treadMark.visible(); }, 1000);
            break;
        }
        case Ending::AfterPause:
            if (!controls.collisionChecksOn) QTest::mouseClick(level->restartButton(), Qt::LeftButton);  // run over
            answerNextBox(nullptr, [level = QPointer<LevelWindow>(level)] {
                if (level) level->close();  // refused while its box is up, as on the platform
                QTest::qWait(2);
            });
            QTest::keyClick(level->playField(), Qt::Key_P);
            break;
        case Ending::WinnerChain: {
            if (!controls.collisionChecksOn) QTest::mouseClick(level->restartButton(), Qt::LeftButton);  // run over
            answerNextBox(nullptr);  // "Winner!"; the next level is left by leaveChain()
            for (rules::Image* v : controls.hazardVehicles) v->move(-20000);
            controls.turtle.move(controls.turtle.left(), 100);
            return;  // the tick closes this window itself
        }
    }
    level->close();
}

TEST(WindowStress, HundredsOfVisitsInEveryStateThenTheMenuCloses) {
    auto* menu = new app::MenuWindow;
    menu->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    QRandomGenerator rng(20261207);
    constexpr int kCycles = 320, kWarmUp = 80;
    long warmRss = 0;
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        if (cycle == kWarmUp) warmRss = residentKiB();
        const Ending ending = Ending(cycle % 4);
        menu->list()->setCurrentRow((cycle / 4) % 3);
        const QString name = QString("level%1").arg((cycle / 4) % 3 + 1);
        QTimer chain;
        if (ending == Ending::WinnerChain) {
            QObject::connect(&chain, &QTimer::timeout, [&] { leaveChain(name); });
            chain.start(5);
        }
        QTimer::singleShot(0, [&] { playAndClose(ending, rng); });
        menu->playButton()->click();
        untilModalsClose();
        chain.stop();
        ASSERT_EQ(QApplication::activeModalWidget(), nullptr) << "cycle " << cycle;
        QTest::qWait(1);
    }
    const long growth = residentKiB() - warmRss;
    std::printf("resident memory after warm-up: %ld KiB, growth over %d cycles: %ld KiB\n", warmRss,
                kCycles - kWarmUp, growth);
#ifndef __SANITIZE_ADDRESS__
    EXPECT_LT(growth, 1024);
#else
    // AddressSanitizer holds freed memory in quarantine, so resident memory
    // grows by design; LeakSanitizer checks for leaks at exit instead.
    (void)growth;
#endif

    menu->close();
    EXPECT_TRUE(waitFor([] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible()) return false;
        return true;
    }));
    delete menu;
}

}  // namespace
