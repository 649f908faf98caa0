#pragma once

#include "notify_icon_data.h"

namespace tarvex::win {

// The notification area over Qt's QSystemTrayIcon. NIM_ADD shows the icon that the record
// describes for its window (one icon per window and identifier) and returns whether a
// notification area is there to show it; without one the icon waits for a tray host to
// appear. NIM_DELETE removes the window's icon of that identifier. Returns 0 for an unknown
// window, a second add or a delete of an icon that is not there.
BOOL Shell_NotifyIconA(DWORD message, const NOTIFYICONDATAA *data);

} // namespace tarvex::win
