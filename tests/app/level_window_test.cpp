// SPDX-License-Identifier: MIT
// The real level window on the offscreen platform: keys reach the turtle at
// once, boxes hold the level still, deaths and restarts show in the widgets.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "app/level_window.h"
#include "rules/levels/levels.h"
#include "support/modal_answer.h"
#include "widgets/play_field.h"

using app::LevelWindow;
using namespace rules;

namespace {

// Asks for a maximise as the title bar that Qt draws itself on Wayland does,
// and waits until the window has been told and has answered.
bool maximiseIsUndone(QWidget* window) {
    struct Watch : QObject {
        bool maximised = false;
        bool eventFilter(QObject* watched, QEvent* event) override {
            maximised = maximised || (event->type() == QEvent::WindowStateChange &&
                                      static_cast<QWidget*>(watched)->isMaximized());
            return false;
        }
    } watch;
    window->installEventFilter(&watch);
    const QSize size = window->size();
    window->windowHandle()->setWindowStates(Qt::WindowMaximized);
    return waitFor([&] { return watch.maximised && !window->isMaximized() && window->size() == size; });
}

class LevelWindowTest : public ::testing::Test {
protected:
    void open(int level) {
        window = new LevelWindow(levels::byNumber(level), nullptr, [this] {
            ++handOvers;
            visibleAtHandOver = window->isVisible();
        });
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }
    void TearDown() override {
        if (window) window->close();
        QTest::qWait(1);  // let the deferred delete run
    }
    LevelControls& controls() { return window->controls(); }
    void clearRoad() {
        for (Image* v : controls().hazardVehicles) v->move(-20000);
    }

    QPointer<LevelWindow> window;
    int handOvers = 0;
    bool visibleAtHandOver = true;
};

TEST_F(LevelWindowTest, WindowMatchesItsTable) {
    open(1);
    EXPECT_EQ(window->objectName(), "level1");
    EXPECT_EQ(window->windowTitle(), "Level 1: Country Highway");
    EXPECT_EQ(window->size(), QSize(501, 325));
    EXPECT_EQ(window->playField()->geometry(), QRect(0, 0, 501, 325));
    EXPECT_EQ(window->restartButton()->geometry(), QRect(412, 292, 81, 29));
    EXPECT_FALSE(window->restartButton()->isEnabled());
    EXPECT_EQ(window->restartButton()->text(), "Restart");
    EXPECT_TRUE(window->windowFlags() & Qt::Dialog);
    EXPECT_FALSE(window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(QApplication::focusWidget(), window->playField());
    // Vehicles move one step a tick: only a precise timer keeps their speed
    // where the system clock is coarse (Windows' 15.6 ms).
    const QList<QTimer*> timers = window->findChildren<QTimer*>(Qt::FindDirectChildrenOnly);
    ASSERT_EQ(timers.size(), 1);
    EXPECT_EQ(timers.front()->interval(), controls().trafficTimer.interval());
    EXPECT_EQ(timers.front()->timerType(), Qt::PreciseTimer);
}

TEST_F(LevelWindowTest, FieldSizesOfLevelsTwoAndThreeDifferFromTheirClientAreas) {
    open(2);
    EXPECT_EQ(window->size(), QSize(477, 356));
    EXPECT_EQ(window->playField()->size(), QSize(477, 357));
    EXPECT_EQ(window->restartButton()->geometry(), QRect(400, 324, 73, 29));
    window->close();
    open(3);
    EXPECT_EQ(window->size(), QSize(466, 361));
    EXPECT_EQ(window->playField()->size(), QSize(469, 361));
    EXPECT_EQ(window->restartButton()->geometry(), QRect(384, 324, 81, 33));
    EXPECT_TRUE(window->restartButton()->isEnabled());
}

TEST_F(LevelWindowTest, UpMovesTheTurtleAtOnceWithoutAClick) {
    open(1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    EXPECT_EQ(controls().turtle.top(), 4080);
    QTest::keyClick(window->playField(), Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(controls().turtle.left(), 3240);
}

TEST_F(LevelWindowTest, PausedHoldsBothTimersAndPlayResumesAfterwards) {
    open(1);
    QTest::qWait(120);
    Image& semi0 = controls().image({"semi", 0});
    float whileOpen = 0;
    SeenBox seen;
    answerNextBox(&seen, [&] {
        whileOpen = semi0.left();
        controls().turtle.move(3540, 100);  // past the goal: a collision check would win
        QTest::qWait(300);
        EXPECT_EQ(semi0.left(), whileOpen);
        EXPECT_EQ(handOvers, 0);
        controls().turtle.move(3540, 4380);
    });
    QTest::keyClick(window->playField(), Qt::Key_P);
    EXPECT_EQ(seen.text, "Paused");
    EXPECT_EQ(seen.title, "Plodway");
    EXPECT_EQ(seen.icon, int(QMessageBox::Information));
    EXPECT_TRUE(waitFor([&] { return semi0.left() != whileOpen; }, 1000));
}

TEST_F(LevelWindowTest, DeathRestartAndFocus) {
    open(1);
    clearRoad();
    Image& car1 = controls().image({"car", 1});
    controls().turtle.move(3540, 3180);
    car1.move(3000);
    ASSERT_TRUE(waitFor([&] { return controls().treadMark.visible(); }));
    EXPECT_FALSE(window->playField()->isEnabled());
    EXPECT_TRUE(window->restartButton()->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), window->restartButton());  // Space restarts
    const float top = controls().turtle.top();
    QTest::keyClick(window->playField(), Qt::Key_Up);  // a disabled field takes no keys
    EXPECT_EQ(controls().turtle.top(), top);

    QTest::mouseClick(window->restartButton(), Qt::LeftButton);
    EXPECT_EQ(controls().turtle.top(), 4320);
    EXPECT_FALSE(window->restartButton()->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), window->playField());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    EXPECT_EQ(controls().turtle.top(), 4020);
}

// A move that brings the turtle into a vehicle is answered before the next
// event is handled: the turtle lies dead under its tread mark and the field
// takes no more keys. Level 1, in car 1's lane (top 2760 to 3540).
TEST_F(LevelWindowTest, AMoveIntoAVehicleIsAnsweredBeforeTheNextEvent) {
    struct Case {
        const char* what;
        float turtleLeft, turtleTop, carLeft;
        Qt::Key key;  // pressed twice in a row; Key_unknown: one traffic tick
        float deadLeft, deadTop;
    };
    const Case cases[] = {
        {"Up into the car", 3540, 3600, 3000, Qt::Key_Up, 3540, 3300},
        // 7800 is off the field and clear of the car; pulled back to 7200 it is inside.
        {"Right off the field, pulled back into the car", 7500, 3180, 6500, Qt::Key_Right, 7200, 3180},
        {"the car drives onto the turtle", 3540, 3180, 2400, Qt::Key_unknown, 3540, 3180},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        open(1);
        clearRoad();
        Image& car1 = controls().image({"car", 1});
        car1.move(c.carLeft);
        controls().turtle.move(c.turtleLeft, c.turtleTop);
        const auto expectDead = [&] {
            EXPECT_EQ(controls().turtle.picture(), controls().deadTurtle.picture());
            EXPECT_EQ(controls().turtle.left(), c.deadLeft);
            EXPECT_EQ(controls().turtle.top(), c.deadTop);
            EXPECT_TRUE(controls().treadMark.visible());
            EXPECT_EQ(controls().treadMark.left(), c.deadLeft);
            EXPECT_EQ(controls().treadMark.top(), car1.top());
            EXPECT_FALSE(window->playField()->isEnabled());
            EXPECT_TRUE(window->restartButton()->isEnabled());
        };
        if (c.key != Qt::Key_unknown) {
            QTest::keyClick(window->playField(), c.key);
            QTest::keyClick(window->playField(), c.key);
            expectDead();
        } else {
            // A second receiver of the traffic timer runs right after the window's.
            QTimer* traffic = window->findChild<QTimer*>();
            ASSERT_NE(traffic, nullptr);
            float carAfterTick = 0;
            const auto seen = QObject::connect(traffic, &QTimer::timeout, window, [&] {
                if (carAfterTick != 0) return;
                carAfterTick = car1.left();
                expectDead();
            });
            EXPECT_TRUE(waitFor([&] { return carAfterTick != 0; }));
            QObject::disconnect(seen);
            EXPECT_EQ(carAfterTick, c.carLeft + 500);  // the first tick since the setup
        }
        window->close();
    }
}

// Play resumes when the pause box closes, and what changed meanwhile is
// answered then, not at some later tick.
TEST_F(LevelWindowTest, ClosingThePauseBoxIsAnsweredAtOnce) {
    open(1);
    clearRoad();
    SeenBox winner;
    answerNextBox(nullptr, [&] {
        controls().turtle.move(3540, 180);  // past the goal while the level is held
        answerNextBox(&winner);
    });
    QTest::keyClick(window->playField(), Qt::Key_P);
    EXPECT_EQ(winner.text, "Winner!");
    EXPECT_EQ(handOvers, 1);
}

TEST_F(LevelWindowTest, AWinHidesTheWindowAndStopsItBeforeHandingOver) {
    open(1);
    clearRoad();
    SeenBox seen;
    answerNextBox(&seen);
    controls().turtle.move(3540, 180);
    ASSERT_TRUE(waitFor([&] { return handOvers == 1; }));
    EXPECT_EQ(seen.text, "Winner!");
    EXPECT_EQ(seen.title, "Plodway");  // no title of its own: the program's
    EXPECT_EQ(seen.icon, int(QMessageBox::NoIcon));
    EXPECT_FALSE(visibleAtHandOver);
    EXPECT_TRUE(waitFor([&] { return window.isNull(); }));  // deleted once the tick returned
}

TEST_F(LevelWindowTest, TheLevelAndItsBoxesKeepTheirSizeWhenAskedToMaximise) {
    open(1);
    EXPECT_TRUE(maximiseIsUndone(window));
    bool boxUndone = false;
    answerNextBox(nullptr, [&] { boxUndone = maximiseIsUndone(QApplication::activeModalWidget()); });
    QTest::keyClick(window->playField(), Qt::Key_P);
    EXPECT_TRUE(boxUndone);
}

TEST_F(LevelWindowTest, ClosingWhileDeadDestroysTheWindow) {
    open(2);
    controls().turtle.move(3000, 4560);
    controls().image({"sportsCar", 1}).move(2900);
    ASSERT_TRUE(waitFor([&] { return controls().treadMark.visible(); }));
    window->close();
    EXPECT_TRUE(waitFor([&] { return window.isNull(); }));
}

}  // namespace
