#pragma once

#include "win32/windows_headers.h"

// Dots per inch and the desktop's message font. Windows 10 tells them per monitor; Windows 7
// and 8 have one setting for the whole system, and lack the calls that take a DPI: those are
// looked up at run time, and the system's setting stands in where they are missing.
namespace tarvex::win32 {

inline constexpr UINT kDesignDpi = 96;

// WM_GETDPISCALEDSIZE of Windows 10 1703's winuser.h, beyond the Windows 7 headers the program
// is built against.
inline constexpr UINT kGetDpiScaledSizeMessage = 0x02E4;

// Makes the process aware of each monitor's DPI (per monitor, version 2 where Windows has it),
// so that the window is laid out sharp at every scale rather than stretched as a bitmap.
void becomeDpiAware();

// Asks Windows to scale the title bar and the frame of a window being made (WM_NCCREATE) with its
// monitor's DPI where the process is aware of each monitor's DPI only as Windows 10 1607 knows
// it, version 1, which leaves them at the system's DPI unless asked; version 2 scales them
// itself.
void scaleFramePerMonitor(HWND window);

// The system's DPI: that of the primary monitor when the user signed in, where the taskbar and
// its notification area are drawn.
[[nodiscard]] UINT systemDpi();

// The DPI the window is shown at.
[[nodiscard]] UINT dpiOfWindow(HWND window);
// The DPI a window made on the monitor is shown at.
[[nodiscard]] UINT dpiOfMonitor(HMONITOR monitor);

// The desktop's message font, the font of dialogs and their controls, at the DPI.
[[nodiscard]] LOGFONTW messageFont(UINT dpi);

// A system metric at the DPI.
[[nodiscard]] int systemMetric(int index, UINT dpi);

// The window rectangle around a client rectangle, for a window of that style at the DPI.
void adjustWindowRect(RECT &rect, DWORD style, DWORD extendedStyle, UINT dpi);

// A length in pixels at the design's 96 DPI, at the DPI.
[[nodiscard]] inline int scaledToDpi(int pixels, UINT dpi)
{
    return MulDiv(pixels, static_cast<int>(dpi), static_cast<int>(kDesignDpi));
}

} // namespace tarvex::win32
