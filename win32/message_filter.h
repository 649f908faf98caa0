#pragma once

#include "win32/windows_headers.h"

namespace tarvex::win32 {

// Lets through to the window the messages it must hear from programs with fewer rights than
// its own (User Interface Privilege Isolation drops them when it runs elevated, started from an
// installer's last page, say): a second start's request to show it, and Explorer's word that
// the notification area started again. Windows 7 on has the call; elsewhere nothing is dropped.
// Called as the window is made (WM_CREATE): a second start may find it from then on.
void letThroughFromLowerRights(HWND window);

} // namespace tarvex::win32
