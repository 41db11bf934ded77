// SPDX-License-Identifier: MIT
// The game on real desktops, each on a screen of its own
// (with_window_manager.sh): openbox, mutter and KWin managing X11, mutter
// and KWin as Wayland compositors, and mutter's Xwayland, where the game runs
// in GNOME's Wayland session. They differ where it matters: openbox minimises a
// window with the windows it belongs to, KWin one window alone, mutter no
// modal window alone; an X11 window manager passes the focus from a blocked
// window on to the modal one, a Wayland compositor has to be told. Whatever
// the player does to which window, alive, dead, paused or with "Restart"
// focused, the same level comes back as it was and takes the keys.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSocketNotifier>
#include <QTimer>
#include <xcb/xcb.h>
// xkb.h names a field "explicit", as C allows.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <functional>
#include <initializer_list>
#include <set>
#include <sstream>
#include <string>
#include <tuple>

#include "app/level_window.h"
#include "app/menu_window.h"
#include "support/modal_answer.h"
#include "widgets/play_field.h"

using app::LevelWindow;

namespace {

enum class Play { Alive, Dead, Paused, RestartFocused };
const char* const kPlays[] = {"alive", "dead", "paused", "Restart focused"};
enum class Deed {
    MinimiseLevelRestoreLevel,
    MinimiseLevelRestoreMenu,
    MinimiseMenuRestoreLevel,
    MinimiseMenuRestoreMenu,
    ActivateMenu,
    CloseMenu,
    CloseLevel,
    Look,
};
const char* const kDeeds[] = {"minimise level, restore level", "minimise level, restore menu",
                              "minimise menu, restore level",  "minimise menu, restore menu",
                              "activate menu",                 "close menu",
                              "close level",                   "look at the windows"};

bool onWayland() { return QApplication::platformName() == "wayland"; }
QString desktop() { return qEnvironmentVariable("PLODWAY_TEST_DESKTOP"); }

// What each desktop lets the player do.
bool possible(Play play, Deed deed) {
    switch (deed) {
        case Deed::ActivateMenu: return true;
        // mutter minimises no modal window on its own, only with its owner;
        // on Wayland only the game itself can ask to minimise a window, and
        // only the compositor can bring it back.
        case Deed::MinimiseLevelRestoreMenu: return !desktop().startsWith("mutter");
        case Deed::MinimiseLevelRestoreLevel: return !onWayland() && !desktop().startsWith("mutter");
        // On Wayland nothing outside the compositor closes a window.
        case Deed::MinimiseMenuRestoreLevel:
        case Deed::MinimiseMenuRestoreMenu:
        case Deed::CloseMenu: return !onWayland();
        // Only a box blocks the level, and only X11 tells where windows are.
        case Deed::CloseLevel:
        case Deed::Look: return !onWayland() && play == Play::Paused;
    }
    return false;
}

// Asks the window manager, or presses a key, as the player would.
void xdotool(const QStringList& args) {
    QProcess process;
    // On Xwayland the keys go to the compositor, as a keyboard's do.
    if (args.first() == "key" && qEnvironmentVariableIsSet("PLODWAY_TEST_OUTER_DISPLAY")) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DISPLAY", qEnvironmentVariable("PLODWAY_TEST_OUTER_DISPLAY"));
        process.setProcessEnvironment(environment);
    }
    process.start("xdotool", args);
    ASSERT_TRUE(process.waitForFinished()) << args.join(' ').toStdString();
    EXPECT_EQ(process.exitCode(), 0) << args.join(' ').toStdString() << ": "
                                     << process.readAllStandardError().toStdString();
}

QString id(QWidget* window) { return QString::number(window->winId()); }

QMessageBox* openBox() { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); }

// The keys as the game gets them. A key repeats while it is down: should its
// release come late, from a busy compositor say, the game sees it typed
// several times. So a key counts as typed once its release is in.
class Keys : public QObject {
public:
    Keys() { qApp->installEventFilter(this); }
    // Types a key; typed() tells when the game has had it pressed and, unless
    // it blocks or closes the window it goes to (P, or Enter on the "Paused"
    // box), released.
    void type(const char* name, int key, bool releaseReaches = true) {
        name_ = name;
        key_ = key;
        releaseReaches_ = releaseReaches;
        pressesBefore_ = presses_;
        resent_ = 0;
        xdotool({"key", name});
        sent_.start();
    }
    // A nested KWin may let a key go before its window has the keyboard, a
    // moment after it has activated the window: one that never arrived is
    // typed again, and counted. A key that did arrive is never typed twice.
    bool typed() {
        if (presses_ == pressesBefore_ && sent_.elapsed() > 5000) {
            xdotool({"key", name_});
            sent_.start();
            ++resent_;
        }
        return presses_ > pressesBefore_ && !(releaseReaches_ && down_.count(key_));
    }
    int repeats() const { return repeats_; }
    // What came of the last key typed: presses in, and whether it is still down.
    std::string last() const {
        return std::to_string(presses_ - pressesBefore_) + " pressed (typed again " + std::to_string(resent_) +
               " times), " + (down_.count(key_) ? "not released" : "released");
    }

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override {
        // Once each, as it reaches the window.
        const bool press = event->type() == QEvent::KeyPress;
        if (receiver->isWindowType() && (press || event->type() == QEvent::KeyRelease)) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->isAutoRepeat()) {
                repeats_ += press;
            } else if (press) {
                ++presses_;
                down_.insert(key->key());
            } else {
                down_.erase(key->key());
            }
        }
        return false;
    }

private:
    std::set<int> down_;
    const char* name_ = "";
    QElapsedTimer sent_;
    int presses_ = 0, repeats_ = 0, pressesBefore_ = 0, key_ = 0, resent_ = 0;
    bool releaseReaches_ = true;
};

// What a pager or a task bar asks of an X11 window manager, what it says a
// window offers, a window of another program to take the focus, and the
// bell and a window's icon as the X server tells of them.
class X11Desktop {
public:
    X11Desktop() : connection_(xcb_connect(nullptr, nullptr)) {
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        std::free(xcb_xkb_use_extension_reply(
            connection_, xcb_xkb_use_extension(connection_, XCB_XKB_MAJOR_VERSION, XCB_XKB_MINOR_VERSION), nullptr));
        xcb_xkb_select_events(connection_, XCB_XKB_ID_USE_CORE_KBD, XCB_XKB_EVENT_TYPE_BELL_NOTIFY, 0,
                              XCB_XKB_EVENT_TYPE_BELL_NOTIFY, 0, 0, nullptr);
        xkbEvent_ = xcb_get_extension_data(connection_, &xcb_xkb_id)->first_event;
        clock_ = xcb_generate_id(connection_);
        const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_create_window(connection_, 0, clock_, root_, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY, 0,
                          XCB_CW_EVENT_MASK, &mask);
    }
    ~X11Desktop() { xcb_disconnect(connection_); }

    void openOtherWindow() {
        other_ = xcb_generate_id(connection_);
        xcb_create_window(connection_, XCB_COPY_FROM_PARENT, other_, root_, 0, 0, 200, 100, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
        const std::uint32_t hints[9] = {1, 1};  // input: it takes the keyboard
        xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, other_, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 32,
                            9, hints);
        xcb_map_window(connection_, other_);
        xcb_flush(connection_);
    }
    void activateOtherWindow() { send(other_, "_NET_ACTIVE_WINDOW", {2, now()}); }
    // The bells rung so far, by anyone on this X server.
    int bells() {
        takeEvents();
        return bells_;
    }
    // From now on counts each time the window's icon is set, as the X
    // server tells whoever watches its properties, and how many of those
    // came at the same moment as the one before: held back by the game and
    // sent together. Only told, never asked: a game that kept the server
    // grabbed would hang a question.
    void watchIcon(QWidget* window) {
        iconWindow_ = xcb_window_t(window->winId());
        iconAtom_ = atom("_NET_WM_ICON");
        const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_change_window_attributes(connection_, iconWindow_, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection_);
    }
    int iconChanges() const { return iconChanges_; }
    int iconChangesHeldBack() const { return iconChangesHeldBack_; }
    // Runs the game until what the X server has told satisfies done, or for
    // a minute should it never.
    bool until(const std::function<bool()>& done) {
        QEventLoop loop;
        QSocketNotifier notifier(xcb_get_file_descriptor(connection_), QSocketNotifier::Read);
        QObject::connect(&notifier, &QSocketNotifier::activated, &loop, [&] {
            takeEvents();
            if (done()) loop.quit();
        });
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        takeEvents();
        if (!done()) loop.exec();
        return done();
    }
    void closeOtherWindow() {
        xcb_destroy_window(connection_, other_);
        xcb_flush(connection_);
    }
    // A task bar's close box: the window manager passes it on as WM_DELETE_WINDOW.
    void requestClose(QWidget* window) { send(xcb_window_t(window->winId()), "_NET_CLOSE_WINDOW", {now(), 2}); }
    bool offersMaximise(QWidget* window) {
        const xcb_atom_t offers[] = {atom("_NET_WM_ACTION_MAXIMIZE_HORZ"), atom("_NET_WM_ACTION_MAXIMIZE_VERT")};
        xcb_get_property_reply_t* reply = xcb_get_property_reply(
            connection_,
            xcb_get_property(connection_, 0, xcb_window_t(window->winId()), atom("_NET_WM_ALLOWED_ACTIONS"),
                             XCB_ATOM_ATOM, 0, 64),
            nullptr);
        const auto* actions = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
        const bool offered = std::find_first_of(actions, actions + xcb_get_property_value_length(reply) / 4,
                                                std::begin(offers), std::end(offers)) !=
                             actions + xcb_get_property_value_length(reply) / 4;
        std::free(reply);
        return offered;
    }

private:
    xcb_atom_t atom(const char* name) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            connection_, xcb_intern_atom(connection_, 0, std::uint16_t(std::strlen(name)), name), nullptr);
        const xcb_atom_t atom = reply->atom;
        std::free(reply);
        return atom;
    }
    // The server's time, as a click carries it: window managers ignore a
    // request older than the player's last action.
    std::uint32_t now() {
        xcb_change_property(connection_, XCB_PROP_MODE_APPEND, clock_, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 0, "");
        xcb_flush(connection_);
        for (;;) {
            xcb_generic_event_t* event = xcb_wait_for_event(connection_);
            if (!event) return XCB_CURRENT_TIME;
            if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY) {
                const std::uint32_t time = reinterpret_cast<xcb_property_notify_event_t*>(event)->time;
                std::free(event);
                return time;
            }
            take(event);
        }
    }
    void takeEvents() {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) take(event);
    }
    void take(xcb_generic_event_t* event) {
        const auto* property = reinterpret_cast<xcb_property_notify_event_t*>(event);
        if ((event->response_type & 0x7f) == xkbEvent_ &&
            reinterpret_cast<xcb_xkb_bell_notify_event_t*>(event)->xkbType == XCB_XKB_BELL_NOTIFY) {
            ++bells_;
        } else if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY && iconWindow_ &&
                   property->window == iconWindow_ && property->atom == iconAtom_ &&
                   property->state == XCB_PROPERTY_NEW_VALUE) {
            iconChangesHeldBack_ += iconChanges_++ > 0 && property->time == iconTime_;
            iconTime_ = property->time;
        }
        std::free(event);
    }
    void send(xcb_window_t window, const char* type, std::initializer_list<std::uint32_t> data) {
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = window;
        message.type = atom(type);
        std::copy(data.begin(), data.end(), message.data.data32);
        xcb_send_event(connection_, 0, root_, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&message));
        xcb_flush(connection_);
    }

    xcb_connection_t* connection_;
    xcb_window_t root_ = 0, clock_ = 0, other_ = 0, iconWindow_ = 0;
    xcb_atom_t iconAtom_ = 0;
    std::uint8_t xkbEvent_ = 0;
    xcb_timestamp_t iconTime_ = 0;
    int bells_ = 0, iconChanges_ = 0, iconChangesHeldBack_ = 0;
};

// The frame the window manager puts round a window. QWidget keeps the first
// frame margins it learns, which may be from before the window manager
// framed the window; QWindow asks.
QRect frame(QWidget* window) { return window->windowHandle()->frameGeometry(); }

// What the screen shows there. Xwayland keeps no picture of its screen: the
// compositor shows it in its window at the top left of the outer display.
QImage grabScreen(QWidget* window, const QRect& rect) {
    const QByteArray outer = qgetenv("PLODWAY_TEST_OUTER_DISPLAY");
    if (outer.isEmpty()) return window->screen()->grabWindow(0, rect.x(), rect.y(), rect.width(), rect.height()).toImage();
    xcb_connection_t* connection = xcb_connect(outer.constData(), nullptr);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_get_image_reply_t* reply = xcb_get_image_reply(
        connection,
        xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, root, std::int16_t(rect.x()), std::int16_t(rect.y()),
                      std::uint16_t(rect.width()), std::uint16_t(rect.height()), ~0u),
        nullptr);
    QImage image;
    if (reply) image = QImage(xcb_get_image_data(reply), rect.width(), rect.height(), QImage::Format_RGB32).copy();
    std::free(reply);
    xcb_disconnect(connection);
    return image;
}

// The title bar as the window manager draws it; null where it draws none.
QImage titleBar(QWidget* window) {
    const QRect frame = ::frame(window);
    const int height = window->geometry().top() - frame.top();
    if (height <= 0) return {};
    return grabScreen(window, QRect(frame.x(), frame.y(), frame.width(), height));
}

// How wide the title's text is drawn: the columns in which the title bar
// with it differs from the title bar without.
int titleWidth(const QImage& with, const QImage& without) {
    int first = with.width(), last = -1;
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x)
            if (with.pixel(x, y) != without.pixel(x, y)) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    return last - first + 1;
}

// How wide the window manager draws a window's title, measured as a step
// of a script: the title bar with the title, without it (a blank title) and
// with it again, each once the window manager has drawn it. Should the title
// bar change otherwise meanwhile, from inactive to active say, it measures
// again; and so it does when the title put back is never drawn: the change
// taken for the blank title was that other one, and the blank was never
// drawn.
class TitleWidth {
public:
    TitleWidth(QPointer<QWidget>& window, QString title) : window_(window), title_(std::move(title)) {}
    int width() const { return width_; }
    bool operator()() {
        const QImage now = titleBar(window_);
        if (phase_ == 0) {
            with_ = now;
            window_->setWindowTitle(QStringLiteral(" "));
        } else if (phase_ == 2 && now == without_ && sinceChange_.elapsed() > 3000) {
            phase_ = 0;
            return false;
        } else if (now == (phase_ == 1 ? with_ : without_)) {
            return false;  // not drawn yet
        } else if (phase_ == 1) {
            without_ = now;
            window_->setWindowTitle(title_);
        } else if (now != with_) {
            phase_ = 0;
            return false;
        } else {
            width_ = titleWidth(with_, without_);
            return true;
        }
        ++phase_;
        sinceChange_.start();
        return false;
    }

private:
    QPointer<QWidget>& window_;
    QString title_;
    int phase_ = 0, width_ = 0;
    QImage with_, without_;
    QElapsedTimer sinceChange_;
};

// Steps run one after another from whichever event loop is running, each as
// soon as it says it is done. Nothing waits inside a step, so a modal loop
// that ends early ends the script early instead of hiding it.
// A step that never finishes fails with the line it was written on and what
// the game shows then, and abandons the script, which then calls the
// abandon function on every tick: it closes one window at a time, each from
// its own loop.
class Script {
public:
    using Step = std::function<bool()>;
    Script(std::function<void()> abandon, std::function<std::string()> describe)
        : abandon_(std::move(abandon)), describe_(std::move(describe)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { next(); });
        timer_.start(20);
        clock_.start();
    }
    void then(Step step, int line = __builtin_LINE()) { steps_.push_back({std::move(step), line}); }
    bool finished() const { return steps_.empty(); }
    int done() const { return done_; }

private:
    void next() {
        if (abandoned_) abandon_();
        if (steps_.empty()) return;
        if (steps_.front().step()) {
            steps_.pop_front();
            ++done_;
            clock_.restart();
        } else if (clock_.elapsed() > 60000) {  // hung: a slow desktop takes seconds, not a minute
            ADD_FAILURE() << "step " << done_ << " (line " << steps_.front().line << ") never finished; "
                          << describe_();
            steps_.clear();
            abandoned_ = true;
        }
    }
    struct Written {
        Step step;
        int line;
    };
    std::deque<Written> steps_;
    std::function<void()> abandon_;
    std::function<std::string()> describe_;
    QTimer timer_;
    QElapsedTimer clock_;
    int done_ = 0;
    bool abandoned_ = false;
};

// What the player finds in a level: the turtle, its picture, the tread
// mark, and whether "Restart" and the play field take input.
using Seen = std::tuple<float, float, rules::Picture, bool, bool, bool>;

struct Case {
    Play play;
    Deed deed;
};

// Every deed the desktop lets the player do, in every state of play.
std::vector<Case> possibleCases() {
    std::vector<Case> cases;
    for (Play play : {Play::Alive, Play::Dead, Play::Paused, Play::RestartFocused})
        for (int deed = 0; deed <= int(Deed::Look); ++deed)
            if (possible(play, Deed(deed))) cases.push_back({play, Deed(deed)});
    return cases;
}

// The menu's icon blinks, each change sent at once, even with nothing else
// to send.
void expectIconSentAtOnce(app::MenuWindow& menu, X11Desktop& x11) {
    x11.watchIcon(&menu);
    ASSERT_TRUE(x11.until([&] { return x11.iconChanges() >= 3; }))
        << "the menu's icon changed " << x11.iconChanges() << " times in a minute";
    EXPECT_EQ(x11.iconChangesHeldBack(), 0) << "of " << x11.iconChanges() << " icon changes";
}

// One case: a level opened from the menu and brought into its state of play,
// the deed done to its windows, and the level played on, as it was before.
// The steps are written into a script first, then the level opens and the
// script runs until it closes.
class Round {
public:
    Round(app::MenuWindow& menu, X11Desktop& x11, Keys& keys, const Case& c, int number)
        : menu_(menu), x11_(x11), keys_(keys), c_(c), number_(number),
          script_([this] { abandon(); }, [this] { return describe(); }) {}

    void run() {
        openLevel();
        reachPlayState();
        doDeed();
        playOn();
        menu_.list()->setCurrentRow(number_ - 1);
        menu_.playButton()->click();
        untilModalsClose(600000);  // the script gives up on a step after a minute
        EXPECT_TRUE(script_.finished()) << "the level ended after step " << script_.done();
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }

    // Whether the window manager drew no title bars whose titles to check.
    bool titleBarsMissing() const { return titleBarsMissing_; }

private:
    // Every step after the level has opened needs it still open.
    void then(std::function<bool()> step, int line = __builtin_LINE()) {
        script_.then([this, step] { return level_ && step(); }, line);
    }

    // The box when paused, else the level: where the keys go.
    QWidget* front() const {
        if (c_.play == Play::Paused) return openBox();
        return level_;
    }

    Seen seen() const {
        rules::LevelControls& controls = level_->controls();
        return Seen(controls.turtle.left(), controls.turtle.top(), controls.turtle.picture(), controls.treadMark.visible(),
                    level_->restartButton()->isEnabled(), level_->playField()->isEnabled());
    }

    // A script that hangs closes one window at a time, each from its own loop.
    void abandon() {
        if (QMessageBox* open = openBox()) open->done(0);
        else if (level_) level_->close();
    }

    // What the game shows when a step hangs.
    std::string describe() const {
        auto name = [](QWidget* w) { return w ? w->windowTitle().toStdString() : std::string("none"); };
        auto state = [](QWidget* w) { return !w ? "closed" : w->isMinimized() ? "minimised" : w->isVisible() ? "shown" : "hidden"; };
        std::ostringstream seen;
        seen << "active window: " << name(QApplication::activeWindow())
             << ", modal: " << name(QApplication::activeModalWidget()) << ", focus: "
             << (QApplication::focusWidget() ? QApplication::focusWidget()->metaObject()->className() : "none")
             << ", menu " << state(&menu_) << ", level " << state(level_) << ", bells " << x11_.bells()
             << ", last key " << keys_.last() << ", keys repeated " << keys_.repeats();
        if (level_) seen << ", turtle at " << level_->controls().turtle.left() << "," << level_->controls().turtle.top();
        return seen.str();
    }

    void openLevel() {
        script_.then([this] {
            level_ = dynamic_cast<LevelWindow*>(QApplication::activeModalWidget());
            levelWindow_ = level_.data();
            return level_ && level_->isActiveWindow();
        });
    }

    // Every state is reached with a key: on Wayland the game may ask for the
    // focus only just after the player's last key.
    void reachPlayState() {
        then([this] {
            startLeft_ = level_->controls().turtle.left();
            if (c_.play == Play::Paused) keys_.type("p", Qt::Key_P, false);
            else if (c_.play == Play::RestartFocused) keys_.type("Tab", Qt::Key_Tab);
            else keys_.type("Right", Qt::Key_Right);
            return true;
        });
        then([this] {
            if (!keys_.typed()) return false;
            rules::LevelControls& controls = level_->controls();
            if (c_.play == Play::Alive) return controls.turtle.left() > startLeft_;
            if (c_.play == Play::Paused) return openBox() && openBox()->isActiveWindow();
            if (c_.play == Play::RestartFocused) return level_->restartButton()->hasFocus();
            // Put the turtle on a vehicle until one runs it over.
            if (!controls.treadMark.visible()) {
                const rules::Image& car = *controls.hazardVehicles.front();
                controls.turtle.move(car.left() + car.width() / 2, car.top() + car.height() / 2);
            }
            return controls.treadMark.visible() && level_->restartButton()->hasFocus();
        });
        then([this] {
            before_ = seen();
            return true;
        });
    }

    void doDeed() {
        switch (c_.deed) {
            case Deed::MinimiseLevelRestoreLevel:
            case Deed::MinimiseLevelRestoreMenu:
            case Deed::MinimiseMenuRestoreLevel:
            case Deed::MinimiseMenuRestoreMenu:
                if (onWayland()) minimiseOnWayland();
                else minimiseAndRestore();
                break;
            case Deed::ActivateMenu: activateMenu(); break;
            case Deed::CloseMenu:
            case Deed::CloseLevel: refuseClose(); break;
            case Deed::Look: look(); break;
        }
    }

    // KWin gives the keyboard to the menu at once. Qt learns nothing of a
    // minimised window on Wayland.
    void minimiseOnWayland() {
        then([this] {
            level_->showMinimized();
            QGuiApplication::sync();
            QGuiApplication::sync();
            return true;
        });
        then([this] { return front()->isActiveWindow(); });
    }

    void minimiseAndRestore() {
        const bool levelFirst = c_.deed <= Deed::MinimiseLevelRestoreMenu;
        const bool levelBack = c_.deed == Deed::MinimiseLevelRestoreLevel || c_.deed == Deed::MinimiseMenuRestoreLevel;
        then([this, levelFirst] {
            xdotool({"windowminimize", levelFirst ? id(level_) : id(&menu_)});
            return true;
        });
        then([this, levelFirst] {
            // openbox minimises the level and the menu together, as one group.
            const bool both = level_->isMinimized() && menu_.isMinimized();
            return (levelFirst ? level_->isMinimized() : menu_.isMinimized()) && (desktop() != "openbox" || both);
        });
        then([this, levelBack] {
            xdotool({"windowactivate", levelBack ? id(level_) : id(&menu_)});
            return true;
        });
        // Brought back alone, the level may leave a minimised menu so.
        then([this, levelBack] {
            return !level_->isMinimized() && (levelBack || !menu_.isMinimized()) && front() &&
                   front()->isActiveWindow();
        });
    }

    void activateMenu() {
        then([this] {
            // As a task-bar click does; on Wayland the game asks itself.
            if (onWayland()) menu_.activateWindow();
            else xdotool({"windowactivate", id(&menu_)});
            // Once for the request, once for what it asked: then the
            // compositor has given the focus to the menu or passed it on.
            QGuiApplication::sync();
            QGuiApplication::sync();
            return true;
        });
        then([this] { return front()->isActiveWindow(); });
    }

    // With the focus elsewhere, so that only the refusal brings the front
    // window back.
    void refuseClose() {
        then([this] {
            x11_.openOtherWindow();
            return true;
        });
        then([this] {
            x11_.activateOtherWindow();  // until the window manager has taken the window on
            return QGuiApplication::focusWindow() == nullptr;
        });
        then([this] {
            bellsBefore_ = x11_.bells();
            x11_.requestClose(c_.deed == Deed::CloseMenu ? static_cast<QWidget*>(&menu_) : level_);
            return true;
        });
        // The refusal: the front window comes back and the bell rings.
        then([this] { return front()->isActiveWindow() && menu_.isVisible() && x11_.bells() > bellsBefore_; });
        then([this] {
            x11_.closeOtherWindow();
            return true;
        });
    }

    void look() {
        then([this] {
            for (QWidget* w : {static_cast<QWidget*>(&menu_), static_cast<QWidget*>(level_), front()})
                EXPECT_FALSE(x11_.offersMaximise(w)) << w->windowTitle().toStdString();
            EXPECT_TRUE(frame(level_).contains(frame(openBox()).center()));
            return true;
        });
        // The box's title bar shows its title in full, as wide as a wide
        // level's shows it.
        if (titleBar(&menu_).isNull()) {
            titleBarsMissing_ = true;
            return;
        }
        then([this] {
            box_ = openBox();
            return true;
        });
        then(std::ref(boxTitle_));
        then([this] {
            levelTitleBar_ = titleBar(level_);
            level_->setWindowTitle(QStringLiteral("Plodway"));
            return true;
        });
        then([this] { return titleBar(level_) != levelTitleBar_; });
        then(std::ref(levelTitle_));
        then([this] {
            EXPECT_NEAR(boxTitle_.width(), levelTitle_.width(), 2) << "the box's title bar cuts off its title";
            level_->setWindowTitle(QString::fromUtf8(level_->controls().def.caption));
            return true;
        });
    }

    // The level as it was before the deed, and it takes the keys.
    void playOn() {
        then([this] {
            EXPECT_EQ(seen(), before_);
            vehicleLeft_ = level_->controls().trafficVehicles.front()->left();
            // Right moves a live turtle; Enter clicks a focused "Restart" or
            // closes the "Paused" box.
            if (c_.play == Play::Alive) keys_.type("Right", Qt::Key_Right);
            else keys_.type("Return", Qt::Key_Return, c_.play != Play::Paused);
            return true;
        });
        then([this] {
            if (!keys_.typed()) return false;
            rules::LevelControls& controls = level_->controls();
            if (c_.play == Play::Alive) return controls.turtle.left() > std::get<0>(before_);
            if (c_.play == Play::Dead) return level_->playField()->isEnabled();
            if (c_.play == Play::RestartFocused)
                return controls.turtle.top() == controls.def.restartTop && !level_->restartButton()->isEnabled();
            return !openBox() && level_->isActiveWindow();
        });
        then([this] { return level_->controls().trafficVehicles.front()->left() != vehicleLeft_; });
        then([this] {
            // Once: by now a second bell for the same refusal would have rung.
            if (c_.deed == Deed::CloseMenu || c_.deed == Deed::CloseLevel) {
                EXPECT_EQ(x11_.bells() - bellsBefore_, 1) << "bells for one refused close";
            }
            level_->close();
            return true;
        });
    }

    app::MenuWindow& menu_;
    X11Desktop& x11_;
    Keys& keys_;
    const Case c_;
    const int number_;
    QPointer<LevelWindow> level_;
    Seen before_;
    float startLeft_ = 0, vehicleLeft_ = 0;
    int bellsBefore_ = 0;
    bool titleBarsMissing_ = false;
    QPointer<QWidget> box_, levelWindow_;
    QImage levelTitleBar_;
    TitleWidth boxTitle_{box_, QStringLiteral("Plodway")}, levelTitle_{levelWindow_, QStringLiteral("Plodway")};
    Script script_;
};

TEST(WindowManager, WhateverThePlayerDoesToEitherWindowTheLevelComesBackAsItWasAndTakesTheKeys) {
    app::MenuWindow menu;
    menu.show();
    X11Desktop x11;
    Keys keys;
    if (!onWayland()) expectIconSentAtOnce(menu, x11);
    if (HasFatalFailure()) return;
    bool titleBarsMissing = false;
    const std::vector<Case> cases = possibleCases();
    for (const Case& c : cases) {
        // "Restart" can take the focus of a live turtle in level 3 only.
        const int number = c.play == Play::RestartFocused ? 3 : int(&c - &cases.front()) % 3 + 1;
        SCOPED_TRACE(testing::Message() << "level " << number << ", " << kPlays[int(c.play)] << ", "
                                        << kDeeds[int(c.deed)]);
        Round round(menu, x11, keys, c, number);
        round.run();
        titleBarsMissing = titleBarsMissing || round.titleBarsMissing();
    }
    if (titleBarsMissing) {
        GTEST_SKIP() << "the window manager draws no title bars here, so their titles went unchecked";
    }
}

}  // namespace
