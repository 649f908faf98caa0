#pragma once

#include "win32/handles.h"
#include "win32/windows_headers.h"

namespace tarvex::win32 {

// The program's icon at the sizes a DPI asks for, each drawn from the image of its own size in
// the icon file (or scaled down from the next larger one) rather than stretched: the window's
// big and small icons. The small one is also the notification area's icon.
struct WindowIcons
{
    // Alt+Tab and the taskbar; the title bar and the notification area.
    OwnedIcon bigIcon;
    OwnedIcon smallIcon;
};

// Loads them for a window at the DPI. An icon Windows cannot load is null.
[[nodiscard]] WindowIcons loadWindowIcons(HINSTANCE instance, UINT dpi);

} // namespace tarvex::win32
