// SPDX-License-Identifier: MIT
// The platform the game starts on: Xwayland in GNOME's Wayland session,
// unless the player or the packager chose one; Qt's choice elsewhere.
#include <gtest/gtest.h>

#include "desktop/linux/platform_choice.h"

namespace {

// And whatever the platform, Qt's Wayland platform leaves modality to the
// game, with what else the player asked it to leave alone.
TEST(PlatformChoice, XwaylandOnGnomesWaylandUnlessAPlatformWasChosen) {
    struct Case {
        const char* what;
        desktop::Session session;
        const char* chosen;
        const char* disabled = "xdg_wm_dialog_v1";
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
        {"the player's own disabled interfaces", {"", "wayland", "KDE", ":0", false, "zwp_text_input_v3"}, "",
         "zwp_text_input_v3,xdg_wm_dialog_v1"},
        {"xdg-dialog-v1 disabled already", {"", "wayland", "KDE", ":0", false, "a,xdg_wm_dialog_v1"}, "",
         "a,xdg_wm_dialog_v1"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(desktop::chosenPlatform(c.session), c.chosen) << c.what;
        EXPECT_EQ(desktop::waylandInterfacesToDisable(c.session), c.disabled) << c.what;
    }
}

}  // namespace
