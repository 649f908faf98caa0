#include "win32/message_filter.h"

#include "win32/mod_tray.h"
#include "win32/single_instance.h"
#include "win32/startup_steps.h"
#include "win32/system_function.h"

namespace tarvex::win32 {

namespace {

using ChangeWindowMessageFilterExFunction = BOOL(WINAPI *)(HWND, UINT, DWORD, void *);

// MSGFLT_ALLOW of winuser.h.
constexpr DWORD kAllow = 1;

} // namespace

void letThroughFromLowerRights(HWND window)
{
    TARVEX_STARTUP_STEP("UIPI filter");
    const auto changeFilter = systemFunction<ChangeWindowMessageFilterExFunction>(
        GetModuleHandleW(L"user32.dll"), "ChangeWindowMessageFilterEx");
    if (changeFilter == nullptr)
        return;
    // A name Windows could not register has no message to let through: 0 is WM_NULL.
    for (const UINT message : {showRequestMessage(), modTray::taskbarCreatedMessage()})
        if (message != 0)
            changeFilter(window, message, kAllow, nullptr);
}

} // namespace tarvex::win32
