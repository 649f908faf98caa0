#pragma once

#include "win_types.h"

#include <array>
#include <span>
#include <string>

namespace tarvex::win {

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

// Stores `text` in code page 936 in a text member: its bytes, one NUL, then blanks to the end.
// A text too long for the member is cut after the last whole character that leaves room for
// the NUL, so a two-byte character is never split.
void setRecordText(std::span<char> member, std::u16string_view text);

// The text of a text member: its bytes up to the NUL, decoded from code page 936.
[[nodiscard]] std::u16string recordText(std::span<const char> member);

} // namespace tarvex::win
