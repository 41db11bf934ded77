// SPDX-License-Identifier: MIT
// The platform the game starts on where no one chose one: Xwayland in GNOME's Wayland session;
// and what Qt's Wayland platform leaves to the game.
#include "desktop/linux/platform_choice.h"

#include "desktop/desktop.h"

#include <QString>
#include <QtGlobal>
#include <cstring>
#include <sstream>

namespace desktop {
namespace {

bool isGnome(const std::string& desktops) {
    std::istringstream names(desktops);
    for (std::string name; std::getline(names, name, ':');)
        if (QString::fromStdString(name).compare(QLatin1String("GNOME"), Qt::CaseInsensitive) == 0) return true;
    return false;
}

std::string environment(const char* name) { return qEnvironmentVariable(name).toStdString(); }

}  // namespace

std::string chosenPlatform(const Session& session) {
    if (!session.qpaPlatform.empty() || session.platformArgument) return {};
    if (session.sessionType == "wayland" && isGnome(session.currentDesktop) && !session.display.empty())
        return "xcb";
    return {};
}

std::string waylandInterfacesToDisable(const Session& session) {
    const std::string dialogs = "xdg_wm_dialog_v1";
    std::istringstream names(session.waylandDisabled);
    for (std::string name; std::getline(names, name, ',');)
        if (name == dialogs) return session.waylandDisabled;
    return session.waylandDisabled.empty() ? dialogs : session.waylandDisabled + "," + dialogs;
}

void choosePlatform(int argc, char** argv) {
    Session session{environment("QT_QPA_PLATFORM"), environment("XDG_SESSION_TYPE"),
                    environment("XDG_CURRENT_DESKTOP"), environment("DISPLAY"), false,
                    environment("QT_WAYLAND_DISABLED_INTERFACES")};
    qputenv("QT_WAYLAND_DISABLED_INTERFACES", QByteArray::fromStdString(waylandInterfacesToDisable(session)));
    // Qt takes -platform, and --platform alike.
    for (int i = 1; i < argc; ++i)
        session.platformArgument = session.platformArgument || std::strcmp(argv[i], "-platform") == 0 ||
                                   std::strcmp(argv[i], "--platform") == 0;
    const std::string platform = chosenPlatform(session);
    if (!platform.empty()) qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(platform));
}

}  // namespace desktop
