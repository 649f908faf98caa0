#pragma once

#include "win32/windows_headers.h"

// The window's state as the notification-area icon changes it.
namespace tarvex::win32 {

// A left click on the icon: a minimised window (hidden by an earlier click, or minimised with
// its own title-bar button) comes back at normal size in front; any other is minimised and
// hidden, leaving only the icon.
void toggleFromTray(HWND window);

// Shows the window at normal size in front, whatever its state.
void showInFront(HWND window);

} // namespace tarvex::win32
