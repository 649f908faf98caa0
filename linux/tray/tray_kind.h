#pragma once

namespace tarvex::win32_over_qt {

// The kind of notification-area icon that Qt makes in this session.
enum class TrayKind {
    // A D-Bus StatusNotifierItem, shown by the desktop's panel (KDE Plasma, GNOME with the
    // AppIndicator extension, Deepin, UKUI and most current panels). Qt sends its messages
    // as desktop notifications and never learns where the icon is.
    StatusNotifierItem,
    // An icon window embedded in an X11 notification area (XEmbed), or Qt's own stand-in on
    // platforms without one; its place on the screen is known once it is embedded.
    XEmbed,
    // None at all: a Wayland session without a StatusNotifierItem host, where XEmbed cannot be.
    None,
};

// Decided as Qt 6 decides it, once per program, when the first icon is made: a D-Bus icon when
// the session bus has a StatusNotifierWatcher that says a host is registered.
[[nodiscard]] TrayKind trayKindOfSession();

} // namespace tarvex::win32_over_qt
