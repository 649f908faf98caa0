#pragma once

#include "win32/handles.h"
#include "win32/windows_headers.h"

#include <shellapi.h>

#include <cstdint>
#include <string_view>

// The notification-area icon of the main window, over the shell's own calls: its tool-tip, the
// greeting balloon at start, a left click that hides or brings back the window, and a right
// click that opens its menu. The icon's clicks reach the window as message 2025, which
// TrayWindowProc, put in place of the window's procedure, picks out before passing every
// message on to the procedure it replaced.
namespace tarvex::win32::modTray {

// The record as the shell's version-2 layout has it (the one that ends with dwInfoFlags): 488
// bytes in a 32-bit program, 504 in a 64-bit one.
inline constexpr DWORD kRecordSize = NOTIFYICONDATAA_V2_SIZE;
#ifndef _WIN64
static_assert(kRecordSize == 488);
#endif

// The module's state, set by AddTrayIcon for the rest of the program's life.
extern HWND trayForm;
extern WNDPROC prevWndProc;
extern NOTIFYICONDATAA trayIconData;

// The icon's menu, and its items' commands: 显示 (the default item) shows the window at normal
// size in front whatever its state, 退出 ends the program as the window's Exit button does.
extern OwnedMenu mnuTray;
inline constexpr UINT mnuShow = 1;
inline constexpr UINT mnuExit = 2;

// Puts the icon for `window`, the program's icon at the notification area's size, into the
// notification area with its tool-tip and balloon, then
// puts TrayWindowProc in place of the window's procedure. The icon leaves with the window, and
// comes back, with its tool-tip and without the balloon, when the notification area starts
// again (Explorer restarted). Texts that do not fit their members are cut at a character.
void AddTrayIcon(HWND window, std::u16string_view tipText, std::u16string_view balloonTitle,
                 std::u16string_view balloonText, std::int32_t balloonIconKind);

// The message the shell broadcasts when the notification area starts again; 0 where Windows
// could not register it.
[[nodiscard]] UINT taskbarCreatedMessage();

// The window's procedure while the icon is there: whatever fails in handling the icon's
// messages is skipped without a word, and every message goes on to the procedure it replaced.
LRESULT CALLBACK TrayWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

} // namespace tarvex::win32::modTray
