#pragma once

#include "linux/tray/win_types.h"

class QIcon;
class QWidget;

namespace tarvex::win32_over_qt {

// A window's handle is its native window id, which on X11 fits 32 bits; it makes the native
// window if there is none yet. 0 for a window that has no such id.
[[nodiscard]] HWND windowHandle(QWidget *window);
[[nodiscard]] QWidget *windowFromHandle(HWND handle);

// Icons get small handles of their own, kept for the life of the program.
[[nodiscard]] HICON iconHandle(const QIcon &icon);
[[nodiscard]] QIcon iconFromHandle(HICON handle);

} // namespace tarvex::win32_over_qt
