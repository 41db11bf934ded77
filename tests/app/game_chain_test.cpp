// SPDX-License-Identifier: MIT
// The whole game from the menu: win level 1, 2 and 3 in a row with real key
// presses and clicks, waiting at each lane until the road ahead is clear.
#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cmath>

#include "app/level_window.h"
#include "app/menu_window.h"
#include "support/modal_answer.h"
#include "widgets/play_field.h"

using app::LevelWindow;

namespace {

// True when no vehicle is near the column in the row one step up.
bool clearAhead(LevelWindow* level) {
    rules::LevelControls& controls = level->controls();
    const float left = controls.turtle.left(), top = controls.turtle.top() - controls.def.keyStep;
    for (const rules::Image* v : controls.hazardVehicles) {
        const bool sameRow = top > v->top() - 200 && top < v->top() + v->height() + 200;
        if (sameRow && std::abs(v->left() + v->width() / 2 - left) < v->width() / 2 + 2000) return false;
    }
    return true;
}

struct Driver {
    std::vector<QString> won;
    QString finalText, finalTitle;
    int deaths = 0;
    bool acting = false;

    // Acts from the event loop, as a real key press or click comes. A won
    // level opens the next one inside that action, and this driver's timer
    // must go on ticking there, which it cannot while its own handler runs.
    template <class Action>
    void later(Action action) {
        acting = true;
        QTimer::singleShot(0, [this, action] {
            acting = false;
            action();
        });
    }

    void step() {
        if (acting) return;
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            if (box->text() == "You beat all three levels!") finalText = box->text(), finalTitle = box->windowTitle();
            later([box = QPointer<QMessageBox>(box)] {
                // For screenshots under a real X server, boxes can be left up a while.
                QTest::qWait(qEnvironmentVariableIntValue("PLODWAY_TEST_BOX_DELAY_MS"));
                if (box) QTest::keyClick(box, Qt::Key_Return);
            });
            return;
        }
        auto* level = dynamic_cast<LevelWindow*>(modal);
        if (!level || !level->isVisible()) return;
        if (level->restartButton()->isEnabled() && !level->playField()->isEnabled()) {
            ++deaths;
            later([restart = QPointer<QPushButton>(level->restartButton())] {
                if (restart) QTest::mouseClick(restart, Qt::LeftButton);
            });
            return;
        }
        if (level->controls().turtle.top() - level->controls().def.keyStep < level->controls().def.goalLine)
            won.push_back(level->objectName());
        if (clearAhead(level))
            later([field = QPointer<QWidget>(level->playField())] {
                if (field) QTest::keyClick(field, Qt::Key_Up);
            });
    }
};

TEST(GameChain, FromTheMenuThroughAllThreeLevelsWithRealKeys) {
    app::MenuWindow menu;
    menu.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    Driver driver;
    QTimer tick;
    tick.setInterval(30);
    QObject::connect(&tick, &QTimer::timeout, [&] { driver.step(); });
    QTimer::singleShot(60000, [] { ADD_FAILURE() << "the chain did not end"; QApplication::activeModalWidget()->close(); });
    tick.start();

    menu.list()->setCurrentRow(0);
    QTest::keyClick(menu.list(), Qt::Key_Return);
    untilModalsClose(70000);
    tick.stop();

    EXPECT_EQ(driver.won, (std::vector<QString>{"level1", "level2", "level3"}));
    EXPECT_EQ(driver.finalText, "You beat all three levels!");
    EXPECT_EQ(driver.finalTitle, "Plodway");
    EXPECT_EQ(menu.list()->currentRow(), 2);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    std::printf("deaths on the way: %d\n", driver.deaths);
}

}  // namespace
