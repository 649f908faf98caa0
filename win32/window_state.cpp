#include "win32/window_state.h"

namespace tarvex::win32 {

void toggleFromTray(HWND window)
{
    if (IsIconic(window) != FALSE) {
        showInFront(window);
        return;
    }
    ShowWindow(window, SW_MINIMIZE);
    ShowWindow(window, SW_HIDE);
}

void showInFront(HWND window)
{
    // SW_RESTORE both shows a hidden window and brings a minimised one back; showing it first
    // and restoring it after, right after a quick hide and show (a double click on the icon),
    // left it iconified under Wine while Windows called it restored. A window minimised from
    // maximised comes back maximised, and is restored once more to its normal size.
    ShowWindow(window, SW_RESTORE);
    if (IsZoomed(window) != FALSE)
        ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(window);
}

} // namespace tarvex::win32
