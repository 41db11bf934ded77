// SPDX-License-Identifier: MIT
// The menu: opening levels modally, the hand-over chain, the blinking icon,
// the fixed size and the keyboard.
#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QPointer>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/level_window.h"
#include "app/menu_window.h"
#include "support/modal_answer.h"
#include "widgets/play_field.h"

using app::MenuWindow;
using app::LevelWindow;

namespace {

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        menu = std::make_unique<MenuWindow>();
        menu->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu.get()));
    }
    void TearDown() override { menu.reset(); }

    // Runs `inside` once the level window is up, inside the modal call.
    void whileLevelOpen(std::function<void(LevelWindow*)> inside) {
        QTimer::singleShot(0, [=] {
            QWidget* w = nullptr;
            for (int i = 0; i < 3 && !w; ++i) w = QApplication::activeModalWidget();
            inside(dynamic_cast<LevelWindow*>(w));
        });
    }
    void select(int row) { menu->list()->setCurrentRow(row); }

    std::unique_ptr<MenuWindow> menu;
};

TEST_F(MenuTest, LaysOutAsTheWindowTableSays) {
    EXPECT_EQ(menu->windowTitle(), "Plodway");
    EXPECT_EQ(menu->size(), QSize(186, 216));
    ASSERT_EQ(menu->list()->count(), 3);
    EXPECT_EQ(menu->list()->item(0)->text(), "Level 1: Country Highway");
    EXPECT_EQ(menu->list()->item(1)->text(), "Level 2: The Big City");
    EXPECT_EQ(menu->list()->item(2)->text(), "Level 3: Desert Frenzy");
    EXPECT_TRUE(menu->list()->selectedItems().isEmpty());
    EXPECT_EQ(menu->playButton()->text(), "Go Play!");
    EXPECT_EQ(menu->playButton()->geometry(), QRect(4, 184, 181, 29));
    EXPECT_EQ(QApplication::focusWidget(), menu->playButton());
    EXPECT_TRUE(menu->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(menu->windowFlags() & Qt::WindowMaximizeButtonHint);
    // Tab order: Go Play!, the title picture, the list.
    QTest::keyClick(menu->playButton(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "title");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), menu->list());
    EXPECT_TRUE(menu->list()->selectedItems().isEmpty());  // focus alone selects nothing
}

TEST_F(MenuTest, GoPlayWithNothingSelectedDoesNothing) {
    QTest::mouseClick(menu->playButton(), Qt::LeftButton);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(findWindow("level1"), nullptr);
}

TEST_F(MenuTest, DoubleClickOpensTheLevelModallyAndClosingGivesTheMenuBack) {
    QString opened;
    bool menuBlocked = false;
    whileLevelOpen([&](LevelWindow* level) {
        ASSERT_TRUE(level);
        opened = level->objectName();
        menuBlocked = QApplication::activeModalWidget() == level && level->isVisible();
        level->close();
    });
    const QRect item = menu->list()->visualItemRect(menu->list()->item(1));
    QTest::mouseClick(menu->list()->viewport(), Qt::LeftButton, {}, item.center());
    QTest::mouseDClick(menu->list()->viewport(), Qt::LeftButton, {}, item.center());
    EXPECT_TRUE(untilModalsClose());
    EXPECT_EQ(opened, "level2");
    EXPECT_TRUE(menuBlocked);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(MenuTest, EnterClicksGoPlayAlsoFromTheList) {
    select(0);
    menu->list()->setFocus();
    QString opened;
    whileLevelOpen([&](LevelWindow* level) {
        opened = level ? level->objectName() : "";
        if (level) level->close();
    });
    QTest::keyClick(menu->list(), Qt::Key_Return);
    EXPECT_TRUE(untilModalsClose());
    EXPECT_EQ(opened, "level1");
}

TEST_F(MenuTest, AReopenedLevelIsCreatedAnew) {
    select(0);
    whileLevelOpen([&](LevelWindow* level) {
        QTest::keyClick(level->playField(), Qt::Key_Up);
        level->controls().turtle.move(500, 1500);  // under car 0: dies at the next tick
        waitFor([&] { return level->controls().treadMark.visible(); });
        level->close();
    });
    menu->playButton()->click();
    EXPECT_TRUE(untilModalsClose());
    float left = 0, top = 0;
    bool treadShown = true, restartEnabled = true;
    whileLevelOpen([&](LevelWindow* level) {
        left = level->controls().turtle.left();
        top = level->controls().turtle.top();
        treadShown = level->controls().treadMark.visible();
        restartEnabled = level->restartButton()->isEnabled();
        level->close();
    });
    menu->playButton()->click();
    EXPECT_TRUE(untilModalsClose());
    EXPECT_EQ(left, 3540);
    EXPECT_EQ(top, 4380);
    EXPECT_FALSE(treadShown);
    EXPECT_FALSE(restartEnabled);
}

// Wins the level that is open by putting the turtle past the goal line.
void winOpenLevel(std::vector<QString>* seen) {
    auto* level = dynamic_cast<LevelWindow*>(QApplication::activeModalWidget());
    if (!level) return;
    seen->push_back(level->objectName());
    for (rules::Image* v : level->controls().hazardVehicles) v->move(-20000);
    answerNextBox(nullptr);
    level->controls().turtle.move(level->controls().turtle.left(), 100);
}

TEST_F(MenuTest, WinningChainsThroughAllThreeLevelsToTheFinalMessage) {
    std::vector<QString> levels;
    SeenBox final;
    // Each won level opens the next from inside its tick; win each in turn.
    QTimer chain;
    chain.setInterval(20);
    QObject::connect(&chain, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box && box->text() == "You beat all three levels!") {
            final = {box->windowTitle(), box->text(), int(box->icon())};
            box->button(QMessageBox::Ok)->click();
            return;
        }
        auto* level = dynamic_cast<LevelWindow*>(QApplication::activeModalWidget());
        if (level && (levels.empty() || levels.back() != level->objectName())) winOpenLevel(&levels);
    });
    chain.start();
    select(0);
    menu->playButton()->click();
    EXPECT_TRUE(untilModalsClose());
    chain.stop();

    EXPECT_EQ(levels, (std::vector<QString>{"level1", "level2", "level3"}));
    EXPECT_EQ(final.text, "You beat all three levels!");
    EXPECT_EQ(final.title, "Plodway");
    EXPECT_EQ(final.icon, int(QMessageBox::Information));
    EXPECT_EQ(menu->list()->currentRow(), 2);
    EXPECT_TRUE(waitFor([&] { return menu->findChildren<LevelWindow*>().isEmpty(); }, 1000));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// Once a level is chosen the list keeps a selection whatever the mouse and
// keys do to it, and either Enter key opens it; in a level, Enter clicks the
// focused "Restart".
TEST_F(MenuTest, TheListKeepsItsSelectionAndEnterClicksAFocusedRestart) {
    QListWidget* list = menu->list();
    auto itemCentre = [&](int row) { return list->visualItemRect(list->item(row)).center(); };
    const QPoint belowTheItems(list->viewport()->width() / 2, list->viewport()->height() - 3);
    ASSERT_FALSE(list->itemAt(belowTheItems));
    struct ListAction {
        const char* what;
        std::function<void()> act;
        int selected;
        const char* opens = "";  // the level window it opens, if any
    };
    const ListAction actions[] = {
        {"click below the items", [&] { QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, belowTheItems); }, 1},
        {"Ctrl+click on the selected item",
         [&] { QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, itemCentre(1)); }, 1},
        {"Ctrl+Space", [&] { QTest::keyClick(list, Qt::Key_Space, Qt::ControlModifier); }, 1},
        {"drag from the item to below the items",
         [&] {
             QTest::mousePress(list->viewport(), Qt::LeftButton, {}, itemCentre(1));
             QTest::mouseMove(list->viewport(), belowTheItems);
             QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, belowTheItems);
         },
         1},
        {"click on another item", [&] { QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, itemCentre(2)); }, 2},
        {"Up", [&] { QTest::keyClick(list, Qt::Key_Up); }, 0},
        {"keypad Enter", [&] { QTest::keyClick(list, Qt::Key_Enter, Qt::KeypadModifier); }, 1, "level2"},
    };
    for (const ListAction& a : actions) {
        SCOPED_TRACE(a.what);
        select(1);
        list->setFocus();
        QString opened;
        whileLevelOpen([&](LevelWindow* level) {
            if (!level) return;
            opened = level->objectName();
            level->close();
        });
        a.act();
        QCoreApplication::processEvents();  // where no level opened, the check above runs now
        EXPECT_TRUE(untilModalsClose());
        EXPECT_EQ(opened.toStdString(), a.opens);
        std::vector<int> selected;
        for (QListWidgetItem* item : list->selectedItems()) selected.push_back(list->row(item));
        EXPECT_EQ(selected, std::vector<int>{a.selected});
    }

    select(0);
    std::vector<bool> restarted;
    whileLevelOpen([&](LevelWindow* level) {
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
            waitFor([&] {
                const rules::Image& car = *level->controls().hazardVehicles.front();
                if (!level->controls().treadMark.visible())
                    level->controls().turtle.move(car.left() + car.width() / 2, car.top() + car.height() / 2);
                return level->controls().treadMark.visible();
            });
            if (!level->restartButton()->hasFocus()) break;
            QTest::keyClick(level->restartButton(), key);
            restarted.push_back(level->playField()->isEnabled() && !level->controls().treadMark.visible());
        }
        level->close();
    });
    menu->playButton()->click();
    EXPECT_TRUE(untilModalsClose());
    EXPECT_EQ(restarted, (std::vector<bool>{true, true}));
}

// Only the level minimised, which the window manager may allow: it has no
// task-bar button of its own, and bringing the menu back brings it back.
TEST_F(MenuTest, AMinimisedLevelLivesOnAndComesBackWithTheMenu) {
    select(0);
    QPointer<LevelWindow> level;
    bool keptMinimised = false, back = false;
    whileLevelOpen([&](LevelWindow* opened) {
        level = opened;
        level->showMinimized();
        // Checked from the loop again, where an ended level would be gone.
        QTimer::singleShot(0, [&] {
            keptMinimised = level && level->isMinimized();
            menu->showMinimized();
            menu->showNormal();
            back = level && !level->isMinimized() && level->isVisible();
            if (level) level->close();
        });
    });
    menu->playButton()->click();
    EXPECT_TRUE(untilModalsClose());
    waitFor([&] { return !level; }, 1000);
    EXPECT_TRUE(keptMinimised);
    EXPECT_TRUE(back);
}

TEST_F(MenuTest, IconBlinksBetweenTheTwoPicturesEvery500ms) {
    EXPECT_EQ(menu->icon(), &art::icoTurtle);
    EXPECT_EQ(menu->blinkTimer()->interval(), 500);
    EXPECT_TRUE(menu->blinkTimer()->isActive());
    ASSERT_TRUE(waitFor([&] { return menu->icon() == &art::icoTurtleDead; }, 1000));
    ASSERT_TRUE(waitFor([&] { return menu->icon() == &art::icoTurtle; }, 1000));
}

TEST_F(MenuTest, TheIconKeepsBlinkingWhileALevelAndItsBoxAreOpen) {
    select(0);
    int changes = 0;
    whileLevelOpen([&](LevelWindow* level) {
        answerNextBox(nullptr, [&] {
            const rules::Picture start = menu->icon();
            waitFor([&] { return menu->icon() != start; }, 1500);
            changes += menu->icon() != start;
        });
        QTest::keyClick(level->playField(), Qt::Key_Pause);
        level->close();
    });
    menu->playButton()->click();
    EXPECT_TRUE(untilModalsClose());
    EXPECT_EQ(changes, 1);
}

TEST_F(MenuTest, AnyResizeButMinimisingSnapsBack) {
    menu->resize(400, 300);
    EXPECT_EQ(menu->size(), QSize(186, 216));
    menu->showMaximized();
    QTest::qWait(20);
    EXPECT_EQ(menu->size(), QSize(186, 216));
    EXPECT_FALSE(menu->isMaximized());
    menu->showMinimized();
    QTest::qWait(20);
    EXPECT_TRUE(menu->isMinimized());
}

}  // namespace
