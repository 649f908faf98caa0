#pragma once

#include <QMargins>

#include <chrono>
#include <optional>

class QWindow;

// What the program asks of an X11 window manager, through the conventions of EWMH, that Qt
// does not ask itself. Elsewhere (Wayland, or no window manager at all) there is nobody to ask:
// the functions say so and change nothing.
namespace tarvex::windowManager {

// The frame the window manager puts around the window, in device-independent pixels, before
// the window is mapped: asked for with _NET_REQUEST_FRAME_EXTENTS and awaited for at most
// `patience`. No margins when no window manager runs on the display; nullopt when the window
// manager does not answer such requests, or has not answered in time.
[[nodiscard]] std::optional<QMargins> frameExtentsBeforeMapping(QWindow *window,
                                                                std::chrono::milliseconds patience);

// Asks the window manager to bring the window back from the task bar and make it the active
// window, as a task bar or pager does when the user clicks the window's button there
// (_NET_ACTIVE_WINDOW with the pager's source indication). Window managers that keep other
// programs from stealing the focus grant this request where they refuse a program's own.
// Returns whether the request was sent.
bool activateAsPager(QWindow *window);

// Whether a panel has put the program's window in its place: it is on the screen (it and every
// window holding it mapped), lies within the screen, and is held by a panel's window (a dock, as
// EWMH calls it). A notification area may take an icon in before it places it: LXQt's panel,
// started after the program, holds the icon in a window of its own at the screen's corner first.
// False where there is no X11 window.
[[nodiscard]] bool isPlacedInPanel(QWindow *window);

} // namespace tarvex::windowManager
