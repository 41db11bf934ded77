// SPDX-License-Identifier: MIT
// Minimising under a real window manager: openbox on an X server of the
// test's own (with_window_manager.sh). Whichever window the player minimises
// and whichever he brings back, alive, dead or paused, the same level window
// returns as it was and takes the keys again.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QTimer>

#include <deque>
#include <functional>
#include <tuple>

#include "app/menu_window.h"
#include "engine/level_window.h"
#include "winsys/play_field.h"

using engine::LevelWindow;

namespace {

enum class Play { Alive, Dead, Paused };
enum class Which { Level, Menu };

// Asks the window manager, or presses a key, as the player would.
void xdotool(const QStringList& args) {
    QProcess process;
    process.start("xdotool", args);
    ASSERT_TRUE(process.waitForFinished()) << args.join(' ').toStdString();
    EXPECT_EQ(process.exitCode(), 0) << args.join(' ').toStdString() << ": "
                                     << process.readAllStandardError().toStdString();
}

QString id(QWidget* window) { return QString::number(window->winId()); }

QMessageBox* openBox() { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); }

// Steps run one after another from whichever event loop is running, each as
// soon as it says it is done. Nothing waits inside a step, so a modal loop
// that ends early ends the script early instead of hiding it.
class Script {
public:
    using Step = std::function<bool()>;
    explicit Script(std::function<void()> abandon) : abandon_(std::move(abandon)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { next(); });
        timer_.start(20);
        clock_.start();
    }
    void then(Step step) { steps_.push_back(std::move(step)); }
    bool finished() const { return steps_.empty(); }
    int done() const { return done_; }

private:
    void next() {
        if (steps_.empty()) return;
        if (steps_.front()()) {
            steps_.pop_front();
            ++done_;
            clock_.restart();
        } else if (clock_.elapsed() > 10000) {
            ADD_FAILURE() << "step " << done_ << " never finished";
            steps_.clear();
            abandon_();
        }
    }
    std::deque<Step> steps_;
    std::function<void()> abandon_;
    QTimer timer_;
    QElapsedTimer clock_;
    int done_ = 0;
};

struct Case {
    int level;
    Play play;
    Which minimise, restore;
};

TEST(WindowManager, MinimisingAndRestoringEitherWindowKeepsTheLevelAsItWas) {
    ASSERT_EQ(QApplication::platformName(), "xcb");
    app::MenuWindow menu;
    menu.show();
    std::vector<Case> cases;
    for (Play play : {Play::Alive, Play::Dead, Play::Paused})
        for (Which minimise : {Which::Level, Which::Menu})
            for (Which restore : {Which::Level, Which::Menu})
                cases.push_back({int(cases.size()) % 3 + 1, play, minimise, restore});

    for (const Case& c : cases) {
        const char* play[] = {"alive", "dead", "paused"};
        SCOPED_TRACE(testing::Message() << "level " << c.level << ", " << play[int(c.play)] << ", minimise "
                                        << (c.minimise == Which::Level ? "level" : "menu") << ", restore "
                                        << (c.restore == Which::Level ? "level" : "menu"));
        QPointer<LevelWindow> level;
        auto window = [&](Which w) -> QWidget* { if (w == Which::Level) return level; return &menu; };
        // The box when paused, else the level: where the keys go.
        auto front = [&]() -> QWidget* { if (c.play == Play::Paused) return openBox(); return level; };
        using Seen = std::tuple<float, float, winsys::Picture, bool, bool, bool>;
        auto seen = [&] {
            engine::LevelControls& controls = level->controls();
            return Seen(controls.turtle.left(), controls.turtle.top(), controls.turtle.picture(), controls.treadMark.visible(),
                        level->restartButton()->isEnabled(), level->playField()->isEnabled());
        };
        Seen before;
        float vehicleLeft = 0;

        Script script([&] {
            if (QMessageBox* box = openBox()) box->done(0);
            if (level) level->close();
        });
        script.then([&] {
            level = dynamic_cast<LevelWindow*>(QApplication::activeModalWidget());
            return level && level->isActiveWindow();
        });
        // Every further step needs the level still open.
        auto then = [&](std::function<bool()> step) { script.then([&, step] { return level && step(); }); };
        float startLeft = 0;
        then([&] {
            startLeft = level->controls().turtle.left();
            if (c.play != Play::Dead) xdotool({"key", c.play == Play::Alive ? "Right" : "p"});
            return true;
        });
        then([&] {
            engine::LevelControls& controls = level->controls();
            if (c.play == Play::Alive) return controls.turtle.left() > startLeft;
            if (c.play == Play::Paused) return openBox() && openBox()->isActiveWindow();
            // Put the turtle on a vehicle until one runs it over.
            if (!controls.treadMark.visible()) {
                const engine::Image& car = *controls.hazardVehicles.front();
                controls.turtle.move(car.left() + car.width() / 2, car.top() + car.height() / 2);
            }
            return controls.treadMark.visible() && level->restartButton()->hasFocus();
        });
        then([&] {
            before = seen();
            xdotool({"windowminimize", id(window(c.minimise))});
            return true;
        });
        then([&] {
            // Either way the window manager minimises both, as they are one group.
            return level->isMinimized() && menu.isMinimized();
        });
        then([&] {
            xdotool({"windowactivate", id(window(c.restore))});
            return true;
        });
        then([&] {
            return !level->isMinimized() && !menu.isMinimized() && front() && front()->isActiveWindow();
        });
        then([&] {
            EXPECT_EQ(seen(), before);
            vehicleLeft = level->controls().trafficVehicles.front()->left();
            // Right moves a live turtle; Enter clicks the focused "Restart" of
            // a dead one, or closes the "Paused" box.
            xdotool({"key", c.play == Play::Alive ? "Right" : "Return"});
            return true;
        });
        then([&] {
            if (c.play == Play::Alive) return level->controls().turtle.left() > std::get<0>(before);
            if (c.play == Play::Dead) return level->playField()->isEnabled();
            return !openBox() && level->isActiveWindow();
        });
        then([&] { return level->controls().trafficVehicles.front()->left() != vehicleLeft; });
        then([&] {
            level->close();
            return true;
        });

        menu.list()->setCurrentRow(c.level - 1);
        menu.playButton()->click();
        EXPECT_TRUE(script.finished()) << "the level ended after step " << script.done();
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

}  // namespace
