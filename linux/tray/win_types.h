#pragma once

// The Windows notification-area and window-procedure interface that the tray module is written
// against, with its 32-bit types and constants. The functions behind it are this program's own
// (shell_notify.h, window_proc_hook.h), built over Qt.

#include <cstdint>

namespace tarvex::win32_over_qt {

using BOOL = std::int32_t;
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using WPARAM = std::uint32_t;
using LPARAM = std::int32_t;
using LRESULT = std::int32_t;
using HWND = std::uint32_t;
using HICON = std::uint32_t;

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

constexpr DWORD NIM_ADD = 0;
constexpr DWORD NIM_DELETE = 2;

constexpr UINT NIF_MESSAGE = 0x01;
constexpr UINT NIF_ICON = 0x02;
constexpr UINT NIF_TIP = 0x04;
constexpr UINT NIF_INFO = 0x10;

constexpr DWORD NIIF_NONE = 0;
constexpr DWORD NIIF_INFO = 1;
constexpr DWORD NIIF_WARNING = 2;
constexpr DWORD NIIF_ERROR = 3;

constexpr int GWL_WNDPROC = -4;

constexpr UINT WM_MOUSEMOVE = 0x200;     // 512
constexpr UINT WM_LBUTTONDOWN = 0x201;   // 513
constexpr UINT WM_LBUTTONUP = 0x202;     // 514
constexpr UINT WM_LBUTTONDBLCLK = 0x203; // 515
constexpr UINT WM_RBUTTONDOWN = 0x204;   // 516
constexpr UINT WM_RBUTTONUP = 0x205;     // 517
constexpr UINT WM_MBUTTONUP = 0x208;     // 520

} // namespace tarvex::win32_over_qt
