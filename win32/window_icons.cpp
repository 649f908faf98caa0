#include "win32/window_icons.h"

#include "win32/dpi.h"
#include "win32/resource_ids.h"

#include <commctrl.h>

namespace tarvex::win32 {

namespace {

using LoadIconMetricFunction = HRESULT(WINAPI *)(HINSTANCE, PCWSTR, int, HICON *);

OwnedIcon iconOfSize(HINSTANCE instance, int width, int height)
{
    return OwnedIcon(static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(TARVEX_ICON), IMAGE_ICON, width, height, 0)));
}

// The small icon is also the notification area's, which is drawn at the system's DPI: comctl32
// (Windows Vista on) knows the size it wants there. At another DPI the window's small icon size
// of that DPI stands in.
OwnedIcon smallIcon(HINSTANCE instance, UINT dpi)
{
    static const auto loadIconMetric =
        reinterpret_cast<LoadIconMetricFunction>(reinterpret_cast<void *>(
            GetProcAddress(GetModuleHandleW(L"comctl32.dll"), "LoadIconMetric")));
    if (loadIconMetric != nullptr && dpi == systemDpi()) {
        HICON icon = nullptr;
        if (SUCCEEDED(loadIconMetric(instance, MAKEINTRESOURCEW(TARVEX_ICON), LIM_SMALL, &icon)))
            return OwnedIcon(icon);
    }
    return iconOfSize(instance, systemMetric(SM_CXSMICON, dpi), systemMetric(SM_CYSMICON, dpi));
}

} // namespace

WindowIcons loadWindowIcons(HINSTANCE instance, UINT dpi)
{
    return {iconOfSize(instance, systemMetric(SM_CXICON, dpi), systemMetric(SM_CYICON, dpi)),
            smallIcon(instance, dpi)};
}

} // namespace tarvex::win32
