#include "win32/message_filter.h"

#include "win32/single_instance.h"

namespace tarvex::win32 {

namespace {

using ChangeWindowMessageFilterExFunction = BOOL(WINAPI *)(HWND, UINT, DWORD, void *);

// MSGFLT_ALLOW of winuser.h.
constexpr DWORD kAllow = 1;

} // namespace

void letThroughFromLowerRights(HWND window)
{
    static const auto changeFilter =
        reinterpret_cast<ChangeWindowMessageFilterExFunction>(reinterpret_cast<void *>(
            GetProcAddress(GetModuleHandleW(L"user32.dll"), "ChangeWindowMessageFilterEx")));
    if (changeFilter == nullptr)
        return;
    changeFilter(window, showRequestMessage(), kAllow, nullptr);
    changeFilter(window, RegisterWindowMessageW(L"TaskbarCreated"), kAllow, nullptr);
}

} // namespace tarvex::win32
