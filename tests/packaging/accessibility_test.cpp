// SPDX-License-Identifier: MIT
// What a screen reader is told: the windows are a window and a dialog, the
// controls the player uses carry names and the roles of standard controls,
// the play field says when the turtle is run over and when it is back, and
// the message boxes are standard alert boxes whose title and text can be
// read out.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <functional>

#include "app/menu_window.h"
#include "engine/level_window.h"
#include "levels/levels.h"
#include "support/modal_answer.h"
#include "winsys/play_field.h"

namespace {

QAccessibleInterface* accessible(QObject* object) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    EXPECT_NE(iface, nullptr);
    return iface;
}

// Whether the window's accessibility tree reaches the widget: a name set on
// a control the tree leaves out would never be heard.
bool reachable(QAccessibleInterface* root, QObject* target, int depth = 0) {
    if (!root || depth > 8) return false;
    if (root->object() == target) return true;
    for (int i = 0; i < root->childCount(); ++i)
        if (reachable(root->child(i), target, depth + 1)) return true;
    return false;
}

TEST(Accessibility, MenuListAndPlayButtonHaveNames) {
    app::MenuWindow menu;
    menu.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));

    QAccessibleInterface* window = accessible(&menu);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->role(), QAccessible::Window);
    EXPECT_EQ(window->text(QAccessible::Name), "Plodway");

    // The title picture is a tab stop, so it is read out: as an image with a name.
    QAccessibleInterface* title = accessible(menu.findChild<QWidget*>("title"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->role(), QAccessible::Graphic);
    EXPECT_EQ(title->text(QAccessible::Name), "Plodway");
    EXPECT_FALSE(title->text(QAccessible::Description).isEmpty());
    EXPECT_TRUE(title->state().focusable);

    QAccessibleInterface* list = accessible(menu.list());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->role(), QAccessible::List);
    EXPECT_EQ(list->text(QAccessible::Name), "Levels");
    ASSERT_EQ(list->childCount(), 3);
    EXPECT_EQ(list->child(2)->text(QAccessible::Name), "Level 3: Desert Frenzy");

    QAccessibleInterface* play = accessible(menu.playButton());
    ASSERT_NE(play, nullptr);
    EXPECT_EQ(play->role(), QAccessible::Button);
    EXPECT_EQ(play->text(QAccessible::Name), "Go Play!");
    EXPECT_TRUE(play->state().focused);

    EXPECT_TRUE(reachable(window, menu.list()));
    EXPECT_TRUE(reachable(window, menu.playButton()));
}

class AccessibleLevel : public ::testing::Test {
protected:
    void SetUp() override {
        window = new engine::LevelWindow(levels::byNumber(1), nullptr, [] {});
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }
    void TearDown() override {
        if (window) window->close();
        QTest::qWait(1);  // let the deferred delete run
    }
    QPointer<engine::LevelWindow> window;
};

TEST_F(AccessibleLevel, PlayFieldAndRestartHaveNames) {
    QAccessibleInterface* field = accessible(window->playField());
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->text(QAccessible::Name), "Play field");
    EXPECT_FALSE(field->text(QAccessible::Description).isEmpty());
    EXPECT_TRUE(field->state().focusable);
    EXPECT_TRUE(field->state().focused);

    QAccessibleInterface* restart = accessible(window->restartButton());
    ASSERT_NE(restart, nullptr);
    EXPECT_EQ(restart->role(), QAccessible::Button);
    EXPECT_EQ(restart->text(QAccessible::Name), "Restart");
    EXPECT_TRUE(restart->state().disabled);  // greyed out until the turtle is run over

    QAccessibleInterface* level = accessible(window.data());
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(level->role(), QAccessible::Dialog);
    EXPECT_EQ(level->text(QAccessible::Name), "Level 1: Country Highway");
    EXPECT_TRUE(reachable(level, window->playField()));
    EXPECT_TRUE(reachable(level, window->restartButton()));
}

// Nothing visible tells a screen reader that the turtle was run over: the
// field's description says so, and says the keys again once it is back.
TEST_F(AccessibleLevel, PlayFieldSaysWhenTheTurtleIsRunOverAndWhenItIsBack) {
    QAccessibleInterface* field = accessible(window->playField());
    ASSERT_NE(field, nullptr);
    const QString keyHelp = field->text(QAccessible::Description);
    EXPECT_TRUE(keyHelp.contains("Arrow keys")) << keyHelp.toStdString();

    engine::LevelControls& controls = window->controls();
    ASSERT_TRUE(waitFor([&] {
        const engine::Image& car = *controls.hazardVehicles.front();
        if (!controls.treadMark.visible())
            controls.turtle.move(car.left() + car.width() / 2, car.top() + car.height() / 2);
        return controls.treadMark.visible();
    }));
    EXPECT_EQ(field->text(QAccessible::Description).toStdString(), "Run over. Press Enter to restart.");
    QTest::keyClick(window->restartButton(), Qt::Key_Return);
    EXPECT_EQ(field->text(QAccessible::Description).toStdString(), keyHelp.toStdString());
}

TEST_F(AccessibleLevel, PausedBoxIsAnAlertWhoseTitleAndTextCanBeRead) {
    QAccessible::Role role = QAccessible::NoRole;
    QString name, value;
    bool answered = false;
    answerNextBox(nullptr, [&] {
        QAccessibleInterface* box = accessible(QApplication::activeModalWidget());
        if (!box) return;
        answered = true;
        role = box->role();
        name = box->text(QAccessible::Name);
        value = box->text(QAccessible::Value);
    });
    QTest::keyClick(window->playField(), Qt::Key_P);
    ASSERT_TRUE(answered);
    EXPECT_EQ(role, QAccessible::AlertMessage);
    EXPECT_EQ(name, "Plodway");
    EXPECT_EQ(value, "Paused");
}

}  // namespace
