// SPDX-License-Identifier: MIT
// Modal windows on GNOME's Wayland, told through gtk_shell1.
#include "desktop/linux/gnome_modal.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <qpa/qplatformnativeinterface.h>
#include <wayland-client.h>

#include <cstdint>
#include <cstring>

namespace desktop {
namespace {

// gtk_shell1 and gtk_surface1 up to version 4, described for libwayland as
// its code generator would: every message up to the one used, in order.
extern const wl_interface gtkSurfaceInterface;
const wl_interface* kNoTypes[6] = {};  // libwayland takes these tables as non-const
const wl_interface* kGetGtkSurfaceTypes[] = {&gtkSurfaceInterface, &wl_surface_interface};
const wl_interface* kSystemBellTypes[] = {&gtkSurfaceInterface};
const wl_message kShellRequests[] = {{"get_gtk_surface", "no", kGetGtkSurfaceTypes},
                                     {"set_startup_id", "?s", kNoTypes},
                                     {"system_bell", "?o", kSystemBellTypes},
                                     {"notify_launch", "3s", kNoTypes}};
const wl_message kShellEvents[] = {{"capabilities", "u", kNoTypes}};
const wl_interface gtkShellInterface = {"gtk_shell1", 4, 4, kShellRequests, 1, kShellEvents};
const wl_message kSurfaceRequests[] = {{"set_dbus_properties", "?s?s?s?s?s?s", kNoTypes},
                                       {"set_modal", "", kNoTypes},
                                       {"unset_modal", "", kNoTypes},
                                       {"present", "u", kNoTypes},
                                       {"request_focus", "3?s", kNoTypes},
                                       {"release", "4", kNoTypes}};
const wl_message kSurfaceEvents[] = {{"configure", "a", kNoTypes}, {"configure_edges", "2a", kNoTypes}};
const wl_interface gtkSurfaceInterface = {"gtk_surface1", 4, 6, kSurfaceRequests, 2, kSurfaceEvents};
constexpr std::uint32_t kGetGtkSurface = 0, kSetModal = 1, kRelease = 5;
constexpr std::uint32_t kVersion = 4;  // release, so a closed box leaves nothing behind

struct Shell {
    wl_display* display = nullptr;
    // Our own queue: Qt never dispatches our events, nor we Qt's.
    wl_event_queue* queue = nullptr;
    wl_proxy* gtkShell = nullptr;
};

void addGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t version) {
    if (version >= kVersion && std::strcmp(interface, gtkShellInterface.name) == 0)
        static_cast<Shell*>(data)->gtkShell =
            static_cast<wl_proxy*>(wl_registry_bind(registry, name, &gtkShellInterface, kVersion));
}
void removeGlobal(void*, wl_registry*, std::uint32_t) {}
const wl_registry_listener kRegistryListener = {addGlobal, removeGlobal};

// The compositor's gtk_shell1, looked up on Qt's connection the first time.
const Shell& shell() {
    static const Shell found = [] {
        Shell shell;
        QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
        shell.display = static_cast<wl_display*>(native->nativeResourceForIntegration("wl_display"));
        if (!shell.display) return shell;
        shell.queue = wl_display_create_queue(shell.display);
        auto* wrapper = static_cast<wl_display*>(wl_proxy_create_wrapper(shell.display));
        wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapper), shell.queue);
        wl_registry* registry = wl_display_get_registry(wrapper);
        wl_proxy_wrapper_destroy(wrapper);
        wl_registry_add_listener(registry, &kRegistryListener, &shell);
        wl_display_roundtrip_queue(shell.display, shell.queue);
        wl_registry_destroy(registry);
        return shell;
    }();
    return found;
}

}  // namespace

void markGnomeModal(QWidget* window) {
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")) || !window->windowHandle()) return;
    const Shell& gnome = shell();
    auto* surface = static_cast<wl_proxy*>(
        QGuiApplication::platformNativeInterface()->nativeResourceForWindow("surface", window->windowHandle()));
    if (!gnome.gtkShell || !surface) return;
    wl_proxy* gtkSurface = wl_proxy_marshal_flags(gnome.gtkShell, kGetGtkSurface, &gtkSurfaceInterface, kVersion, 0,
                                                  nullptr, surface);
    wl_proxy_marshal_flags(gtkSurface, kSetModal, nullptr, kVersion, 0);
    wl_display_flush(gnome.display);
    QObject::connect(window, &QObject::destroyed, [gtkSurface] {
        wl_proxy_marshal_flags(gtkSurface, kRelease, nullptr, kVersion, WL_MARSHAL_FLAG_DESTROY);
    });
    // The compositor's notes on the surface's state are of no use here.
    wl_display_dispatch_queue_pending(gnome.display, gnome.queue);
}

}  // namespace desktop
