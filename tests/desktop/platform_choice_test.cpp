// SPDX-License-Identifier: MIT
// The platform the game starts on: Xwayland in GNOME's Wayland session,
// unless the player or the packager chose one; Qt's choice elsewhere.
#include <gtest/gtest.h>

#include "desktop/linux/platform_choice.h"

namespace {

TEST(PlatformChoice, XwaylandOnGnomesWaylandUnlessAPlatformWasChosen) {
    struct Case {
        const char* what;
        desktop::Session session;
        const char* chosen;
    };
    const Case cases[] = {
        {"GNOME on Wayland", {"", "wayland", "GNOME", ":0"}, "xcb"},
        {"Ubuntu's GNOME", {"", "wayland", "ubuntu:GNOME", ":0"}, "xcb"},
        {"GNOME Classic", {"", "wayland", "GNOME-Classic:GNOME", ":1"}, "xcb"},
        {"the player's QT_QPA_PLATFORM", {"wayland", "wayland", "GNOME", ":0"}, ""},
        {"-platform on the command line", {"", "wayland", "GNOME", ":0", true}, ""},
        {"no Xwayland", {"", "wayland", "GNOME", ""}, ""},
        {"KDE Plasma on Wayland", {"", "wayland", "KDE", ":0"}, ""},
        {"another desktop named after GNOME", {"", "wayland", "GNOMEish", ":0"}, ""},
        {"GNOME on X11", {"", "x11", "GNOME", ":0"}, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(desktop::chosenPlatform(c.session), c.chosen) << c.what;
}

}  // namespace
