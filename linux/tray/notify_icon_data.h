#pragma once

#include "core/cp936_record_text.h"
#include "linux/tray/win_types.h"

#include <array>

namespace tarvex::win32_over_qt {

// The notification-area record in its 488-byte form (the layout that ends with dwInfoFlags),
// with 32-bit handles and its texts in code page 936.
struct NOTIFYICONDATAA
{
    DWORD cbSize;
    HWND hWnd;
    UINT uID;
    UINT uFlags;
    UINT uCallbackMessage;
    HICON hIcon;
    std::array<char, 128> szTip;
    DWORD dwState;
    DWORD dwStateMask;
    std::array<char, 256> szInfo;
    UINT uTimeout;
    std::array<char, 64> szInfoTitle;
    DWORD dwInfoFlags;
};
static_assert(sizeof(NOTIFYICONDATAA) == 488);

// Its text members hold code page 936, a NUL, then blanks.
using tarvex::recordText;
using tarvex::setRecordText;

} // namespace tarvex::win32_over_qt
