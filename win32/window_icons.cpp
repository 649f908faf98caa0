#include "win32/window_icons.h"

#include "win32/dpi.h"
#include "win32/resource_ids.h"
#include "win32/startup_steps.h"
#include "win32/system_function.h"

#include <commctrl.h>

namespace tarvex::win32 {

namespace {

using LoadIconMetricFunction = HRESULT(WINAPI *)(HINSTANCE, PCWSTR, int, HICON *);
using LoadIconWithScaleDownFunction = HRESULT(WINAPI *)(HINSTANCE, PCWSTR, int, int, HICON *);

// The comctl32 the manifest asks for, version 6, is the one loaded.
template<typename Function> Function comctl32Function(const char *name)
{
    return systemFunction<Function>(GetModuleHandleW(L"comctl32.dll"), name);
}

OwnedIcon iconOfSize(HINSTANCE instance, int width, int height)
{
    static const auto loadScaledDown =
        comctl32Function<LoadIconWithScaleDownFunction>("LoadIconWithScaleDown");
    if (loadScaledDown != nullptr) {
        HICON icon = nullptr;
        if (SUCCEEDED(
                loadScaledDown(instance, MAKEINTRESOURCEW(TARVEX_ICON), width, height, &icon)))
            return OwnedIcon(icon);
    }
    return OwnedIcon(static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(TARVEX_ICON), IMAGE_ICON, width, height, 0)));
}

} // namespace

WindowIcons loadWindowIcons(HINSTANCE instance, UINT dpi)
{
    TARVEX_STARTUP_STEP("icons");
    return {iconOfSize(instance, systemMetric(SM_CXICON, dpi), systemMetric(SM_CYICON, dpi)),
            iconOfSize(instance, systemMetric(SM_CXSMICON, dpi), systemMetric(SM_CYSMICON, dpi))};
}

// comctl32 (Windows Vista on) knows the size the notification area wants; without it, the small
// icon's size at the system's DPI, that of the primary screen.
OwnedIcon loadNotificationAreaIcon(HINSTANCE instance)
{
    TARVEX_STARTUP_STEP("icons");
    static const auto loadIconMetric = comctl32Function<LoadIconMetricFunction>("LoadIconMetric");
    if (loadIconMetric != nullptr) {
        HICON icon = nullptr;
        if (SUCCEEDED(loadIconMetric(instance, MAKEINTRESOURCEW(TARVEX_ICON), LIM_SMALL, &icon)))
            return OwnedIcon(icon);
    }
    const UINT dpi = systemDpi();
    return iconOfSize(instance, systemMetric(SM_CXSMICON, dpi), systemMetric(SM_CYSMICON, dpi));
}

} // namespace tarvex::win32
