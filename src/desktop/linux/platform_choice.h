// SPDX-License-Identifier: MIT
// Which of Qt's platforms the game starts on, where neither the player nor
// the packager has chosen one. In GNOME's Wayland session Qt 6.4 draws its
// own title bars, which cut the caption short and offer Minimize and
// Maximize on every window; through Xwayland mutter draws its own, as on
// GNOME's other windows: the whole caption, and Close only on a dialog. So
// there the game starts on Xwayland, as Qt 5 did. Other compositors keep
// Qt's Wayland platform.
//
// And on every Wayland compositor Qt is asked not to tell it which window a
// modal one blocks (xdg-dialog-v1, from Qt 6.8): told so, KWin 6 activates
// no window once the player minimises a level, since the menu under it is
// blocked, and the keys go nowhere; the game, told nothing, cannot bring the
// level back. The game keeps its windows modal itself, as with Qt 6.4: the
// blocked ones pass the focus on, and GNOME is told through gtk_shell1.
#pragma once

#include <string>

namespace desktop {

struct Session {
    std::string qpaPlatform;     // QT_QPA_PLATFORM
    std::string sessionType;     // XDG_SESSION_TYPE
    std::string currentDesktop;  // XDG_CURRENT_DESKTOP, colon-separated names
    std::string display;         // DISPLAY, where Xwayland runs
    bool platformArgument = false;  // -platform on the command line
    std::string waylandDisabled = {};  // QT_WAYLAND_DISABLED_INTERFACES, comma-separated
};

// The platform to start on, or empty to leave the choice to Qt.
// choosePlatform() (desktop.h) reads the session from the environment and
// the command line and sets QT_QPA_PLATFORM to it.
std::string chosenPlatform(const Session& session);

// QT_WAYLAND_DISABLED_INTERFACES as the game starts with it: the session's,
// and xdg-dialog-v1's interface.
std::string waylandInterfacesToDisable(const Session& session);

}  // namespace desktop
