#pragma once

#include "win32/handles.h"
#include "win32/windows_headers.h"

namespace tarvex::win32 {

// The program's icon at the sizes a DPI asks for: the window's big and small icons. Each is the
// icon file's image of that size, or, for the sizes the file lacks (those of 175, 225, 250 and
// 300 %), the next larger image scaled down by comctl32 (Windows Vista on); only where comctl32
// cannot is it LoadImage's next smaller image, stretched.
struct WindowIcons
{
    // Alt+Tab and the taskbar; the title bar.
    OwnedIcon bigIcon;
    OwnedIcon smallIcon;
};

// Loads them for a window at the DPI. An icon Windows cannot load is null.
[[nodiscard]] WindowIcons loadWindowIcons(HINSTANCE instance, UINT dpi);

// The icon at the notification area's size. The taskbar draws the notification area at the
// primary screen's scale, whatever the scale of the monitor the window is on. Null where
// Windows cannot load it.
[[nodiscard]] OwnedIcon loadNotificationAreaIcon(HINSTANCE instance);

} // namespace tarvex::win32
