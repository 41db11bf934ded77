// SPDX-License-Identifier: MIT
// What a screen reader is told: the windows are a window and a dialog, the
// controls the player uses carry names and the roles of standard controls,
// the level list names its current item and whether it is selected, the
// play field and "Restart" say when the turtle is run over and when it is
// back, and the message boxes are standard alert boxes whose title and text
// can be read out.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <vector>

#include "app/level_window.h"
#include "app/menu_window.h"
#include "rules/levels/levels.h"
#include "support/modal_answer.h"
#include "widgets/play_field.h"

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

// A screen reader reads out the description of a control as the focus comes
// to it, and changes of it while it holds the focus: this records, for each
// focus change while it lives, the description each side had then.
class FocusChanges : public QObject {
public:
    struct Change {
        QEvent::Type type;  // FocusIn or FocusOut
        QObject* widget;
        QString description;
    };
    FocusChanges() { qApp->installEventFilter(this); }
    ~FocusChanges() override { qApp->removeEventFilter(this); }
    // The first change of this type for the widget, or null.
    const Change* first(QEvent::Type type, QObject* widget) const {
        for (const Change& change : changes)
            if (change.type == type && change.widget == widget) return &change;
        return nullptr;
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if ((event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) && watched->isWidgetType())
            changes.push_back({event->type(), watched,
                               QAccessible::queryAccessibleInterface(watched)->text(QAccessible::Description)});
        return false;
    }
    std::vector<Change> changes;
};

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
    EXPECT_EQ(list->child(2)->text(QAccessible::Name), "Level 3: Desert Frenzy, not selected");

    QAccessibleInterface* play = accessible(menu.playButton());
    ASSERT_NE(play, nullptr);
    EXPECT_EQ(play->role(), QAccessible::Button);
    EXPECT_EQ(play->text(QAccessible::Name), "Go Play!");
    EXPECT_TRUE(play->state().focused);

    EXPECT_TRUE(reachable(window, menu.list()));
    EXPECT_TRUE(reachable(window, menu.playButton()));
}

// In the list a screen reader speaks the current item, and with it whether
// it is selected, which the arrows and Space change: in the item's name,
// which a screen reader reads afresh each time.
TEST(Accessibility, TheLevelListTellsWhetherTheCurrentItemIsSelected) {
    app::MenuWindow menu;
    menu.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    QAccessibleInterface* list = accessible(menu.list());
    ASSERT_NE(list, nullptr);
    struct Step {
        const char* what;
        std::vector<Qt::Key> keys;
        int current;
        const char* name;
    };
    const Step steps[] = {
        {"Tab, Tab: by the title picture to the list", {Qt::Key_Tab, Qt::Key_Tab}, 0,
         "Level 1: Country Highway, not selected"},
        {"Space", {Qt::Key_Space}, 0, "Level 1: Country Highway, selected"},
        {"Down", {Qt::Key_Down}, 1, "Level 2: The Big City, selected"},
        {"Up", {Qt::Key_Up}, 0, "Level 1: Country Highway, selected"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        for (Qt::Key key : step.keys) QTest::keyClick(QApplication::focusWidget(), key);
        ASSERT_EQ(menu.list()->currentRow(), step.current);
        EXPECT_EQ(list->child(step.current)->text(QAccessible::Name).toStdString(), step.name);
    }
    EXPECT_EQ(list->child(1)->text(QAccessible::Name).toStdString(), "Level 2: The Big City, not selected");
}

class AccessibleLevel : public ::testing::Test {
protected:
    void SetUp() override {
        window = new app::LevelWindow(levels::byNumber(1), nullptr, [] {});
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }
    void TearDown() override {
        if (window) window->close();
        QTest::qWait(1);  // let the deferred delete run
    }
    QPointer<app::LevelWindow> window;
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
// field's description says so, changed while the field still has the focus,
// and says the keys again once it is back. The focus goes on to "Restart",
// which says it too as it gets the focus, and says nothing of the kind while
// the turtle lives, also in level 3, where it is enabled from the start.
TEST_F(AccessibleLevel, PlayFieldAndRestartSayWhenTheTurtleIsRunOverAndWhenItIsBack) {
    QAccessibleInterface* field = accessible(window->playField());
    QAccessibleInterface* restart = accessible(window->restartButton());
    ASSERT_NE(field, nullptr);
    ASSERT_NE(restart, nullptr);
    const QString keyHelp = field->text(QAccessible::Description);
    EXPECT_TRUE(keyHelp.contains("Arrow keys")) << keyHelp.toStdString();
    EXPECT_EQ(restart->text(QAccessible::Description), "");

    FocusChanges focus;
    rules::LevelControls& controls = window->controls();
    ASSERT_TRUE(waitFor([&] {
        const rules::Image& car = *controls.hazardVehicles.front();
        if (!controls.treadMark.visible())
            controls.turtle.move(car.left() + car.width() / 2, car.top() + car.height() / 2);
        return controls.treadMark.visible();
    }));
    const std::string runOver = "Run over. Press Enter to restart.";
    EXPECT_EQ(field->text(QAccessible::Description).toStdString(), runOver);
    const FocusChanges::Change* left = focus.first(QEvent::FocusOut, window->playField());
    const FocusChanges::Change* came = focus.first(QEvent::FocusIn, window->restartButton());
    ASSERT_NE(left, nullptr);
    ASSERT_NE(came, nullptr);
    EXPECT_EQ(left->description.toStdString(), runOver);
    EXPECT_EQ(came->description.toStdString(), runOver);

    QTest::keyClick(window->restartButton(), Qt::Key_Return);
    EXPECT_EQ(restart->text(QAccessible::Description), "");
    const FocusChanges::Change* back = focus.first(QEvent::FocusIn, window->playField());
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->description.toStdString(), keyHelp.toStdString());

    app::LevelWindow level3(levels::byNumber(3), nullptr, [] {});
    ASSERT_TRUE(level3.restartButton()->isEnabled());
    EXPECT_EQ(level3.restartButton()->accessibleDescription(), "");
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
    EXPECT_EQ(name, "Plodway: Paused");  // title and text, where every reader reads them
    EXPECT_EQ(value, "Paused");
}

}  // namespace
