// SPDX-License-Identifier: MIT
// On Windows' own window system: Wine's, on an X server and window manager of
// the test's own (tests/app/with_window_manager.sh), with keys typed by
// xdotool as a player types them. The keys reach the play field as the
// platform's virtual key codes; the menu's icon blinks in its title bar and
// task-bar entry; a level has a fixed dialog frame with the caption and a
// close box only, and no icon; "Paused" has the information icon and
// "Winner!" none; and the command line, with no console to print to, answers
// in a message box.
#include <windows.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QTest>

#include <string>
#include <vector>

#include "app/level_window.h"
#include "app/menu_window.h"
#include "rules/levels/levels.h"
#include "support/modal_answer.h"
#include "widgets/play_field.h"

namespace {

HWND hwnd(QWidget* window) { return reinterpret_cast<HWND>(window->winId()); }
LONG_PTR style(QWidget* window) { return GetWindowLongPtrW(hwnd(window), GWL_STYLE); }
LONG_PTR exStyle(QWidget* window) { return GetWindowLongPtrW(hwnd(window), GWL_EXSTYLE); }
HICON icon(QWidget* window, WPARAM which) {
    return reinterpret_cast<HICON>(SendMessageW(hwnd(window), WM_GETICON, which, 0));
}

// Waits for a process this test started and returns its exit code.
DWORD finish(PROCESS_INFORMATION& process, DWORD timeoutMs) {
    const DWORD waited = WaitForSingleObject(process.hProcess, timeoutMs);
    DWORD exitCode = STILL_ACTIVE;
    if (waited == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode;
}

bool start(std::wstring command, PROCESS_INFORMATION& process) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    return CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
}

// Types a key into the window once the desktop has given it the keyboard
// (type_key.sh). The script is a Linux program, which Wine starts as it
// starts a Windows one, though it cannot wait for it: the caller waits for
// the key's effect.
void typeKey(QWidget* window, const char* key) {
    // Wine's own name for the X window that it made for a window.
    const auto xid = reinterpret_cast<quintptr>(GetPropW(hwnd(window), L"__wine_x11_whole_window"));
    ASSERT_NE(xid, 0u) << "no X window behind " << window->windowTitle().toStdString();
    PROCESS_INFORMATION typist{};
    ASSERT_TRUE(start(L"/bin/bash " PLODWAY_TYPE_KEY L" " + std::to_wstring(xid) + L" " +
                          QString::fromLatin1(key).toStdWString(),
                      typist))
        << key;
    CloseHandle(typist.hThread);
    CloseHandle(typist.hProcess);
}

// What the game shows, for a failure's message.
std::string whatIsShown() {
    auto title = [](QWidget* w) { return w ? w->windowTitle().toStdString() : std::string("none"); };
    return "active window: " + title(QApplication::activeWindow()) +
           ", modal: " + title(QApplication::activeModalWidget()) +
           ", focus: " + (QApplication::focusWidget() ? QApplication::focusWidget()->metaObject()->className() : "none");
}

// The key presses the play field receives: the virtual key code Windows sent
// and the one the field hands on to the game.
struct Received {
    quint32 nativeKey;
    int gameKey;
};
class KeyLog : public QObject {
public:
    std::vector<Received> keys;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            keys.push_back({key->nativeVirtualKey(), widgets::virtualKeyCode(key->key())});
        }
        return false;
    }
};

TEST(WindowsPlatform, MenuHasASizableFrameWithAMinimiseBoxAndABlinkingIcon) {
    ASSERT_EQ(QApplication::platformName(), "windows");
    app::MenuWindow menu;
    menu.show();
    ASSERT_TRUE(waitFor([&] { return menu.isActiveWindow(); })) << "waited for the menu to be active; " << whatIsShown();
    const LONG_PTR s = style(&menu);
    EXPECT_EQ(s & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(s & WS_THICKFRAME);
    EXPECT_TRUE(s & WS_MINIMIZEBOX);
    EXPECT_FALSE(s & WS_MAXIMIZEBOX);

    // The title bar shows the small icon, the task bar the big one. The
    // blink sets new ones each time: live, dead, live again.
    std::vector<QImage> seen;
    HICON last = nullptr;
    ASSERT_TRUE(waitFor(
        [&] {
            HICON small = icon(&menu, ICON_SMALL), big = icon(&menu, ICON_BIG);
            if (small && big && big != last) {
                last = big;
                seen.push_back(QImage::fromHICON(big));
            }
            return seen.size() == 3;
        },
        5000)) << "waited for three icons in turn; saw " << seen.size();
    EXPECT_NE(seen[0], seen[1]);
    EXPECT_EQ(seen[0], seen[2]);
}

// Started as from Explorer: no console and no redirected output.
TEST(WindowsPlatform, CommandLineAnswersInAMessageBox) {
    struct Case {
        const wchar_t* option;
        const char* text;
        DWORD exitCode;
    };
    const Case cases[] = {
        {L"--version", "plodway " PLODWAY_VERSION, 0},
        {L"--help", "--version", 0},
        {L"--bogus", "Unknown option 'bogus'", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        PROCESS_INFORMATION process{};
        ASSERT_TRUE(start(std::wstring(L"\"" PLODWAY_EXE "\" ") + c.option, process));
        HWND box = nullptr;
        ASSERT_TRUE(waitFor([&] { return (box = FindWindowW(L"#32770", L"plodway")) != nullptr; }, 20000))
            << "waited for the game's message box";
        wchar_t text[4096] = {};
        GetDlgItemTextW(box, 0xFFFF, text, 4096);  // a message box's text
        EXPECT_TRUE(QString::fromWCharArray(text).contains(QLatin1String(c.text))) << QString::fromWCharArray(text).toStdString();
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(finish(process, 20000), c.exitCode);
    }
}

class WindowsLevel : public ::testing::Test {
protected:
    void SetUp() override {
        level = new app::LevelWindow(levels::byNumber(1), nullptr, [] {});
        level->show();
        level->activateWindow();
        ASSERT_TRUE(waitFor([&] { return level->isActiveWindow() && level->playField()->hasFocus(); }))
            << "waited for the level to be active with the play field focused; " << whatIsShown();
    }
    void TearDown() override {
        if (level) level->close();
        QTest::qWait(1);  // let the deferred delete run
    }
    QPointer<app::LevelWindow> level;
};

TEST_F(WindowsLevel, HasAFixedDialogFrameWithACloseBoxOnlyAndNoIcon) {
    const LONG_PTR s = style(level);
    EXPECT_EQ(s & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(s & WS_SYSMENU);  // the close box
    EXPECT_FALSE(s & WS_THICKFRAME);
    EXPECT_FALSE(s & WS_MINIMIZEBOX);
    EXPECT_FALSE(s & WS_MAXIMIZEBOX);
    EXPECT_TRUE(exStyle(level) & WS_EX_DLGMODALFRAME);
    EXPECT_EQ(icon(level, ICON_SMALL), nullptr);
    EXPECT_EQ(icon(level, ICON_BIG), nullptr);
}

TEST_F(WindowsLevel, KeysArriveAsVirtualKeyCodesAndPlay) {
    KeyLog log;
    level->playField()->installEventFilter(&log);
    rules::Image& turtle = level->controls().turtle;
    struct Case {
        const char* key;
        int code;
        float dx, dy;  // the move, where it is one
        bool pauses;
    };
    // Down first: the bottom edge pulls the turtle back 60 twips below where
    // it started, clear of the traffic.
    const Case cases[] = {
        {"Down", 40, 0, 60, false},   {"Left", 37, -300, 0, false}, {"Right", 39, 300, 0, false},
        {"p", 80, 0, 0, true},        {"Pause", 19, 0, 0, true},    {"Up", 38, 0, -300, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        log.keys.clear();
        const float left = turtle.left(), top = turtle.top();
        SeenBox box;
        if (c.pauses) answerNextBox(&box, [&] {
            QWidget* open = QApplication::activeModalWidget();
            EXPECT_FALSE(style(open) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
        });
        typeKey(level, c.key);
        ASSERT_TRUE(waitFor([&] { return !log.keys.empty() && (!c.pauses || !box.text.isEmpty()); }))
            << "waited for the key to reach the play field" << (c.pauses ? " and a box to open" : "") << "; it had "
            << log.keys.size() << " keys; " << whatIsShown();
        EXPECT_EQ(log.keys.front().nativeKey, quint32(c.code));
        EXPECT_EQ(log.keys.front().gameKey, c.code);
        if (c.pauses) {
            EXPECT_EQ(box.text, "Paused");
            EXPECT_EQ(box.title, "Plodway");
            EXPECT_EQ(box.icon, int(QMessageBox::Information));
            ASSERT_TRUE(waitFor([&] { return !QApplication::activeModalWidget() && level->isActiveWindow(); }))
                << "waited for the box to close and the level to be active again; " << whatIsShown();
        } else {
            EXPECT_EQ(turtle.left(), left + c.dx);
            EXPECT_EQ(turtle.top(), top + c.dy);
        }
    }
}

TEST_F(WindowsLevel, WinnerBoxHasNoIcon) {
    SeenBox box;
    answerNextBox(&box);
    rules::Image& turtle = level->controls().turtle;
    turtle.move(turtle.left(), 200);  // past the goal line: the next tick wins
    ASSERT_TRUE(waitFor([&] { return !box.text.isEmpty(); })) << "waited for a box; " << whatIsShown();
    EXPECT_EQ(box.text, "Winner!");
    EXPECT_EQ(box.icon, int(QMessageBox::NoIcon));
}

}  // namespace
