#pragma once

#include "linux/tray/notify_icon_data.h"

class QMenu;

namespace tarvex::win32_over_qt {

// The notification area over Qt's QSystemTrayIcon. NIM_ADD shows the icon that the record
// describes for its window (one icon per window and identifier) and returns whether a
// notification area is there to show it; without one the icon waits for a tray host to
// appear. NIM_DELETE removes the window's icon of that identifier. Returns 0 for an unknown
// window, a second add or a delete of an icon that is not there.
BOOL Shell_NotifyIconA(DWORD message, const NOTIFYICONDATAA *data);

// Gives the window's icon of that identifier a menu. Not a call of Windows, where a program
// shows its menu itself when the right button is released over the icon: panels that speak
// D-Bus ask the program for the icon's menu and show it themselves, and never pass the click
// on. Returns 0 when the window has no such icon.
BOOL SetNotifyIconMenu(HWND hWnd, UINT uID, QMenu *menu);

} // namespace tarvex::win32_over_qt
